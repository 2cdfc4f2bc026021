#include "compose/RandomGenerator.h"

#include <chrono>

quint32 RandomGenerator::highResolutionClock()
{
    const auto now = std::chrono::steady_clock::now().time_since_epoch();
    return quint32(std::chrono::duration_cast<std::chrono::nanoseconds>(now).count());
}

RandomGenerator::RandomGenerator(Clock clock)
    : m_clock(std::move(clock))
{
}

RandomGenerator RandomGenerator::fromSeed(quint32 seed)
{
    RandomGenerator generator(nullptr);
    generator.m_state = seed;
    return generator;
}

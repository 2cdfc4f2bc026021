#pragma once

#include <QtGlobal>

#include <functional>

// The program's 32-bit linear congruential generator, re-seeded from a
// high-resolution clock before every tweet.
class RandomGenerator
{
public:
    using Clock = std::function<quint32()>;

    // The low 32 bits of a monotonic nanosecond counter: it changes between
    // two compositions however close together they come.
    static quint32 highResolutionClock();

    explicit RandomGenerator(Clock clock = highResolutionClock);
    // A generator that starts at the seed and keeps its sequence: re-seeding
    // leaves it be, so one seed fixes every draw after it.
    static RandomGenerator fromSeed(quint32 seed);

    void reseed()
    {
        if (m_clock)
            m_state = m_clock();
    }

    // The upper 32 bits of bound × next state: 0..bound-1, or 0 for bound 0.
    quint32 drawBelow(quint32 bound)
    {
        m_state = m_state * 134775813u + 1u;
        return quint32((quint64(bound) * m_state) >> 32);
    }

    quint32 state() const { return m_state; }
    void setState(quint32 state) { m_state = state; }

private:
    Clock m_clock;
    quint32 m_state = 0;
};

#pragma once

#include <functional>

// The application-level guard. Every event handler runs through it: an
// exception becomes the error box, the rest of the handler is skipped and the
// program goes on. No exception ever reaches Qt's event loop.
namespace EventGuard {

// Runs the handler; returns false when it failed (the error has been shown).
bool run(const std::function<void()> &handler) noexcept;

// Wraps a member function for connect(): the slot runs through the guard.
template <typename Object, typename... Args>
auto guarded(Object *object, void (Object::*handler)(Args...))
{
    return [object, handler](Args... args) { run([&] { (object->*handler)(args...); }); };
}

} // namespace EventGuard

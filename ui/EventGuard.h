#pragma once

#include <functional>

class Interaction;

// The application-level guard. Every event handler runs through it: an
// exception becomes the error box, the rest of the handler is skipped and the
// program goes on. No exception ever reaches Qt's event loop.
namespace EventGuard {

// Runs the handler; returns false when it failed (the error has been shown).
bool run(Interaction &interaction, const std::function<void()> &handler) noexcept;

// A slot for connect() that runs the handler through the guard.
inline auto guarded(Interaction &interaction, std::function<void()> handler)
{
    return [interaction = &interaction, handler = std::move(handler)] { run(*interaction, handler); };
}

// The same for a member function.
template <typename Object>
auto guarded(Interaction &interaction, Object *object, void (Object::*handler)())
{
    return [interaction = &interaction, object, handler] { run(*interaction, [&] { (object->*handler)(); }); };
}

} // namespace EventGuard

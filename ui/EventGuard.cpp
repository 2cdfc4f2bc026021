#include "ui/EventGuard.h"

#include "base/AppError.h"
#include "ui/Interaction.h"

#include <exception>
#include <new>

namespace EventGuard {

bool run(Interaction &interaction, const std::function<void()> &handler) noexcept
{
    // Showing the box may itself fail (no memory left); then the failure is
    // only swallowed, never passed on to Qt.
    try {
        try {
            handler();
            return true;
        } catch (const AppError &error) {
            interaction.showError(error.message());
        } catch (const std::bad_alloc &) {
            interaction.showError(QStringLiteral("Out of memory"));
        } catch (const std::exception &error) {
            interaction.showError(QString::fromUtf8(error.what()));
        } catch (...) {
            interaction.showError(QStringLiteral("Unknown error"));
        }
    } catch (...) {
    }
    return false;
}

} // namespace EventGuard

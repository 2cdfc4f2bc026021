#include "ui/EventGuard.h"

#include "base/AppError.h"
#include "ui/MessageBoxes.h"

#include <exception>
#include <new>

namespace EventGuard {

bool run(const std::function<void()> &handler) noexcept
{
    try {
        handler();
        return true;
    } catch (const AppError &error) {
        MessageBoxes::showError(error.message());
    } catch (const std::bad_alloc &) {
        MessageBoxes::showError(QStringLiteral("Out of memory"));
    } catch (const std::exception &error) {
        MessageBoxes::showError(QString::fromUtf8(error.what()));
    } catch (...) {
        MessageBoxes::showError(QStringLiteral("Unknown error"));
    }
    return false;
}

} // namespace EventGuard

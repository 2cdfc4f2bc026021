#include "platform/SystemErrorText.h"

#include <cerrno>
#include <cstring>

namespace platform {

namespace {
// No errno value is negative.
constexpr int notRegularFile = -1;
} // namespace

QString systemErrorText(int errorCode)
{
    if (errorCode == notRegularFile)
        return QStringLiteral("Not a regular file");
    QString text = QString::fromLocal8Bit(std::strerror(errorCode));
    while (!text.isEmpty()) {
        const QChar last = text.back();
        if (last != u' ' && last != u'\r' && last != u'\n' && last != u'.')
            break;
        text.chop(1);
    }
    return text;
}

int lastSystemError()
{
    return errno;
}

int accessDeniedError()
{
    return EACCES;
}

int notRegularFileError()
{
    return notRegularFile;
}

} // namespace platform

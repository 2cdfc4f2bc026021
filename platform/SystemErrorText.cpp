#include "platform/SystemErrorText.h"

#include <cerrno>
#include <cstring>

namespace platform {

QString systemErrorText(int errorCode)
{
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

} // namespace platform

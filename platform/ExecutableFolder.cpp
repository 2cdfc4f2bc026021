#include "platform/ExecutableFolder.h"

#include <QCoreApplication>
#include <QFile>

#include <climits>
#include <unistd.h>

namespace platform {

QByteArray executableFolder()
{
    QByteArray path(PATH_MAX, '\0');
    const ssize_t length = ::readlink("/proc/self/exe", path.data(), size_t(path.size()));
    if (length <= 0 || length >= path.size())
        return QFile::encodeName(QCoreApplication::applicationDirPath());
    path.truncate(length);
    const qsizetype separator = path.lastIndexOf('/');
    return separator <= 0 ? QByteArray("/") : path.left(separator);
}

} // namespace platform

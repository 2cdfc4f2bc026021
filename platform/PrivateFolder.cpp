#include "platform/PrivateFolder.h"

#include <QDir>
#include <QFile>
#include <QtGlobal>

#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

bool isPrivate(const QString &folder)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(folder).constData(), &status) == 0 && S_ISDIR(status.st_mode)
           && status.st_uid == ::geteuid() && (status.st_mode & 0777) == 0700;
}

// A relative value is ignored, as the desktop's base-directory rules say.
QString absoluteFromEnvironment(const char *variable)
{
    const QString value = qEnvironmentVariable(variable);
    return QDir::isAbsolutePath(value) ? QDir::cleanPath(value) : QString();
}

} // namespace

QString privateFolder(const QString &name)
{
    const QString runtime = absoluteFromEnvironment("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && isPrivate(runtime))
        return runtime;
    return privateCacheFolder(name);
}

QString privateCacheFolder(const QString &name)
{
    QString cache = absoluteFromEnvironment("XDG_CACHE_HOME");
    if (cache.isEmpty())
        cache = QDir::homePath() + QStringLiteral("/.cache");
    const QString folder = cache + u'/' + name;
    // Either may exist already; whatever is there is judged below.
    ::mkdir(QFile::encodeName(cache).constData(), 0700);
    ::mkdir(QFile::encodeName(folder).constData(), 0700);
    return isPrivate(folder) ? folder : QString();
}

bool belongsToAnotherUser(const QString &path)
{
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && status.st_uid != ::geteuid();
}

} // namespace platform

#include "base/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace ProgramFolder {

namespace {
QString &named()
{
    static QString folder;
    return folder;
}
} // namespace

QString directory()
{
    const QString base = named().isEmpty() ? QCoreApplication::applicationDirPath() : named();
    return base.endsWith(u'/') ? base : base + u'/';
}

QString path(const QString &suffix)
{
    return QDir::cleanPath(directory() + suffix);
}

void use(const QString &folder)
{
    named() = folder;
}

void overrideForTesting(const QString &folder)
{
    named() = folder;
}

} // namespace ProgramFolder

#include "base/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

namespace ProgramFolder {

namespace {
QString &overridden()
{
    static QString folder;
    return folder;
}
} // namespace

QString directory()
{
    const QString base = overridden().isEmpty() ? QCoreApplication::applicationDirPath() : overridden();
    return base.endsWith(u'/') ? base : base + u'/';
}

QString path(const QString &suffix)
{
    return QDir::cleanPath(directory() + suffix);
}

void overrideForTesting(const QString &folder)
{
    overridden() = folder;
}

} // namespace ProgramFolder

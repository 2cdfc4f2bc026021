#include "base/ProgramFolder.h"

#include <QCoreApplication>
#include <QDir>

ProgramFolder::ProgramFolder(const QString &directory)
    : m_directory(directory.endsWith(u'/') ? directory : directory + u'/')
{
}

ProgramFolder ProgramFolder::ofExecutable()
{
    return ProgramFolder(QCoreApplication::applicationDirPath());
}

QString ProgramFolder::path(const QString &suffix) const
{
    return QDir::cleanPath(m_directory + suffix);
}

#include "base/ProgramFolder.h"

#include <QDir>

ProgramFolder::ProgramFolder(const QString &directory)
    : m_directory(directory.endsWith(u'/') ? directory : directory + u'/')
{
}

QString ProgramFolder::path(const QString &suffix) const
{
    return QDir::cleanPath(m_directory + suffix);
}

#include "base/ProgramFolder.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

ProgramFolder::ProgramFolder(const QString &directory)
    : m_directory(directory.endsWith(u'/') ? directory : directory + u'/')
{
}

QString ProgramFolder::path(const QString &suffix) const
{
    return QDir::cleanPath(m_directory + suffix);
}

QString ProgramFolder::key() const
{
    QString canonical = QFileInfo(m_directory).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QFileInfo(m_directory).absoluteFilePath();
    return QString::fromLatin1(
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(24));
}

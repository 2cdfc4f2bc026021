#include "base/ProgramFolder.h"

#include "base/AppError.h"

#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>

ProgramFolder::ProgramFolder(const QString &directory)
    : m_directory(directory.endsWith(u'/') ? directory : directory + u'/')
{
}

QString ProgramFolder::executableDirectory(const QByteArray &native)
{
    // Bytes that are not UTF-8 come back as replacement characters, which
    // name no file.
    const QString directory = QFile::decodeName(native);
    if (native.isEmpty() || QFile::encodeName(directory) != native)
        throw AppError(QStringLiteral("Путь к папке программы \"%1\" не читается как текст UTF-8, и её файлы "
                                      "нельзя открыть. Переименуйте папку или перенесите программу в другую")
                           .arg(directory));
    return directory;
}

QString ProgramFolder::path(const QString &suffix) const
{
    return m_directory + suffix;
}

QString ProgramFolder::key() const
{
    QString canonical = QFileInfo(m_directory).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QFileInfo(m_directory).absoluteFilePath();
    return QString::fromLatin1(
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(24));
}

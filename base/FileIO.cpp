#include "base/FileIO.h"

#include "base/AppError.h"
#include "platform/SystemErrorText.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace FileIO {

QByteArray readWholeFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        const int error = platform::lastSystemError();
        throw AppError::cannotOpenFile(path, QFileInfo(path).isDir() ? platform::isADirectoryError() : error);
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw AppError::cannotOpenFile(path, platform::lastSystemError());
    return bytes;
}

void writeWholeFile(const QString &path, const QByteArray &bytes)
{
    // A rename would replace a read-only file in a writable folder; the user
    // marked it read-only, so it is refused as a direct write would be.
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable())
        throw AppError::cannotCreateFile(path, platform::accessDeniedError());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError::cannotCreateFile(path, platform::lastSystemError());
    if (file.write(bytes) != bytes.size() || !file.commit())
        throw AppError(QStringLiteral("Stream write error"));
}

} // namespace FileIO

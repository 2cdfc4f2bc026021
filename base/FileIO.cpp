#include "base/FileIO.h"

#include "base/AppError.h"
#include "platform/SystemErrorText.h"
#include "platform/WholeFileRead.h"

#include <QFileInfo>
#include <QSaveFile>

namespace FileIO {

QByteArray readWholeFile(const QString &path)
{
    QByteArray bytes;
    if (const int error = platform::readWholeFile(path, bytes))
        throw AppError::cannotOpenFile(path, error);
    return bytes;
}

void writeWholeFile(const QString &path, const QByteArray &bytes)
{
    // A rename would replace a read-only file in a writable folder; the user
    // marked it read-only, so it is refused as a direct write would be.
    const QFileInfo info(path);
    if (info.exists() && !info.isWritable())
        throw AppError::cannotCreateFile(path, platform::accessDeniedError());
    // Nor is a FIFO, a device or a socket replaced by a file of ours.
    if (info.exists() && !info.isFile() && !info.isDir())
        throw AppError::cannotCreateFile(path, platform::notRegularFileError());

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw AppError::cannotCreateFile(path, platform::lastSystemError());
    // QSaveFile::commit() (Qt 6.4) renames even when flushing its buffered
    // tail fails, on a full disk for one: every byte must be out before it.
    // Without commit the destructor throws the partial copy away.
    if (file.write(bytes) != bytes.size() || !file.flush() || !file.commit())
        throw AppError(QStringLiteral("Stream write error"));
}

} // namespace FileIO

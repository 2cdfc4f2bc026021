#pragma once

#include <QByteArray>
#include <QString>

// Whole-file reads and atomic whole-file writes. Every failure throws AppError
// with the message the user is shown.
namespace FileIO {

// Throws the "Cannot open file" error when the file cannot be opened or read,
// and at once for a FIFO, a device or a socket.
QByteArray readWholeFile(const QString &path);

// Replaces the file in one step: the old content survives a write that fails
// half-way. A file the system marks read-only, a FIFO, device or socket, or a
// folder that cannot be written, fails with the "Cannot create file" error; a
// short write with "Stream write error".
void writeWholeFile(const QString &path, const QByteArray &bytes);

} // namespace FileIO

#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Reads the whole file into bytes. Returns 0, or the error code of the call
// that failed (open or read), taken at once: a folder gives "is a directory".
// A FIFO, a device or a socket is refused at once with notRegularFileError(),
// never waited on or read.
// Qt's file classes make further calls after a failure (and open a folder
// without one), so the error code left behind by them can be another's.
int readWholeFile(const QString &path, QByteArray &bytes);

} // namespace platform

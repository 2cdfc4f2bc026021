#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Reads a file a piece at a time, for callers that must not hold the event
// loop while a large file comes in. Errors are the system's error codes,
// taken at once, as platform::readWholeFile takes them.
class FileChunkReader
{
public:
    FileChunkReader() = default;
    ~FileChunkReader();
    FileChunkReader(const FileChunkReader &) = delete;
    FileChunkReader &operator=(const FileChunkReader &) = delete;

    // 0 or the error code. A folder opens; its first read gives "is a directory".
    int open(const QString &path);
    // The size the file had when opened; -1 for what is not a regular file.
    qint64 size() const { return m_size; }
    // Replaces piece with up to maxBytes more; an empty piece is the end.
    // Returns 0 or the error code.
    int read(QByteArray &piece, qsizetype maxBytes);

private:
    int m_descriptor = -1;
    qint64 m_size = -1;
};

} // namespace platform

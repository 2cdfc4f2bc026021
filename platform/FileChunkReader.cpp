#include "platform/FileChunkReader.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

FileChunkReader::~FileChunkReader()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
}

int FileChunkReader::open(const QString &path)
{
    m_descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (m_descriptor < 0)
        return errno;
    struct stat status {};
    if (::fstat(m_descriptor, &status) == 0 && S_ISREG(status.st_mode))
        m_size = status.st_size;
    return 0;
}

int FileChunkReader::read(QByteArray &piece, qsizetype maxBytes)
{
    piece.resize(maxBytes);
    for (;;) {
        const ssize_t count = ::read(m_descriptor, piece.data(), size_t(maxBytes));
        if (count >= 0) {
            piece.resize(count);
            return 0;
        }
        if (errno != EINTR) {
            const int error = errno;
            piece.clear();
            return error;
        }
    }
}

} // namespace platform

#include "platform/WholeFileRead.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

int readWholeFile(const QString &path, QByteArray &bytes)
{
    const int descriptor = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0)
        return errno;
    constexpr qsizetype chunk = 64 * 1024;
    struct stat status {};
    QByteArray read;
    // Room for the whole file and the read that finds its end: one allocation.
    if (::fstat(descriptor, &status) == 0 && S_ISREG(status.st_mode))
        read.reserve(qsizetype(status.st_size) + chunk);
    int error = 0;
    for (;;) {
        const qsizetype before = read.size();
        read.resize(before + chunk);
        const ssize_t count = ::read(descriptor, read.data() + before, chunk);
        read.resize(before + qMax<qsizetype>(count, 0));
        if (count == 0)
            break;
        if (count < 0 && errno != EINTR) {
            error = errno;
            break;
        }
    }
    ::close(descriptor);
    if (error == 0)
        bytes = std::move(read);
    return error;
}

} // namespace platform

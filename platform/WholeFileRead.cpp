#include "platform/WholeFileRead.h"

#include "platform/SystemErrorText.h"

#include <QFile>

#include <cerrno>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

namespace {

// A folder is left to the read, which names it; anything else but a regular
// file is refused.
bool isOtherKind(const struct stat &status)
{
    return !S_ISREG(status.st_mode) && !S_ISDIR(status.st_mode);
}

} // namespace

int readWholeFile(const QString &path, QByteArray &bytes)
{
    const QByteArray name = QFile::encodeName(path);
    struct stat status {};
    // Before the open: opening a socket fails with an unrelated error, and a
    // device may act on being opened.
    if (::stat(name.constData(), &status) == 0 && isOtherKind(status))
        return notRegularFileError();
    // Non-blocking, so that a FIFO put in the file's place after the check
    // is not waited on for a writer either.
    const int descriptor = ::open(name.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (descriptor < 0)
        return errno;
    if (::fstat(descriptor, &status) == 0 && isOtherKind(status)) {
        ::close(descriptor);
        return notRegularFileError();
    }
    constexpr qsizetype chunk = 64 * 1024;
    QByteArray read;
    // Room for the whole file and the read that finds its end: one allocation.
    if (S_ISREG(status.st_mode))
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

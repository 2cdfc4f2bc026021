#pragma once

#include "base/AppError.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <functional>

#include <fcntl.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

// Two ways to make a write store fewer bytes than asked, as on a full disk.
namespace FullDisk {

// Runs write in a forked child whose file-size limit is limit bytes, with
// SIGXFSZ ignored so that a write past the limit fails (EFBIG) instead of
// killing the child. No root needed, and the test's own limit stays as it is.
// Returns the message of the AppError write threw, "<no error>" when it threw
// none, or what went wrong with the child.
inline QString messageUnderFileSizeLimit(rlim_t limit, const std::function<void()> &write)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return QStringLiteral("pipe: ") + QString::fromLocal8Bit(std::strerror(errno));
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit fileSize{};
        ::getrlimit(RLIMIT_FSIZE, &fileSize);
        fileSize.rlim_cur = limit;
        QByteArray message = "setrlimit failed";
        if (::setrlimit(RLIMIT_FSIZE, &fileSize) == 0) {
            message = "<no error>";
            try {
                write();
            } catch (const AppError &error) {
                message = error.message().toUtf8();
            }
        }
        const bool sent = ::write(channel[1], message.constData(), size_t(message.size())) == message.size();
        ::_exit(sent ? 0 : 1); // no exit handlers: the parent's state is not the child's to tidy up
    }
    ::close(channel[1]);
    QByteArray message;
    char buffer[512];
    ssize_t count;
    while ((count = ::read(channel[0], buffer, sizeof buffer)) > 0)
        message.append(buffer, count);
    ::close(channel[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return QStringLiteral("the writing child failed");
    return QString::fromUtf8(message);
}

// A small tmpfs mounted on a folder, to be filled to the last byte once the
// files it should hold are written. Mounting needs root (CI runs as root);
// refusal() says why it was refused. Unmounted when destroyed.
class FullTmpfs
{
public:
    explicit FullTmpfs(const QString &folder)
        : m_folder(QFile::encodeName(folder))
    {
        if (::mount("yarnspin-full-disk", m_folder.constData(), "tmpfs", MS_NOSUID | MS_NODEV, "size=256k") != 0)
            m_refusal = QStringLiteral("cannot mount a tmpfs on %1 (%2): mounting needs root")
                            .arg(folder, QString::fromLocal8Bit(std::strerror(errno)));
    }
    ~FullTmpfs()
    {
        if (m_refusal.isEmpty())
            ::umount2(m_folder.constData(), MNT_DETACH);
    }
    FullTmpfs(const FullTmpfs &) = delete;
    FullTmpfs &operator=(const FullTmpfs &) = delete;

    QString refusal() const { return m_refusal; }

    // Fills the file system with one file until not a byte more fits.
    // Returns false when it stopped for another reason than a full disk.
    bool fill()
    {
        const int descriptor = ::open((m_folder + "/filler").constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
        if (descriptor < 0)
            return false;
        const QByteArray block(4096, 'f');
        for (qsizetype size = block.size(); size > 0; size /= 2) {
            while (::write(descriptor, block.constData(), size_t(size)) > 0) {
            }
        }
        const bool full = errno == ENOSPC;
        ::close(descriptor);
        return full;
    }

private:
    QByteArray m_folder;
    QString m_refusal;
};

} // namespace FullDisk

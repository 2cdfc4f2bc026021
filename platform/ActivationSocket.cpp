#include "platform/ActivationSocket.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QSocketNotifier>

#include <cerrno>
#include <cstring>

#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

namespace {

// False when the path does not fit a socket address.
bool addressOf(const QString &path, sockaddr_un &address)
{
    const QByteArray name = QFile::encodeName(path);
    address = {};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= qsizetype(sizeof(address.sun_path)))
        return false;
    std::memcpy(address.sun_path, name.constData(), size_t(name.size()));
    return true;
}

int newSocket()
{
    return ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
}

} // namespace

ActivationSocket::ActivationSocket(const QString &path, QObject *parent)
    : QObject(parent)
{
    sockaddr_un address;
    if (!addressOf(path, address))
        return;
    ::unlink(address.sun_path);
    m_socket = newSocket();
    if (m_socket < 0)
        return;
    if (::bind(m_socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0
        || ::chmod(address.sun_path, S_IRUSR | S_IWUSR) != 0 || ::listen(m_socket, SOMAXCONN) != 0) {
        ::close(m_socket);
        m_socket = -1;
        return;
    }
    m_path = QFile::encodeName(path);
    m_notifier = new QSocketNotifier(m_socket, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &ActivationSocket::answerAll);
}

ActivationSocket::~ActivationSocket()
{
    if (m_socket < 0)
        return;
    // The notifier goes before its descriptor; the file goes with the copy
    // that listened on it.
    delete m_notifier;
    ::close(m_socket);
    ::unlink(m_path.constData());
}

void ActivationSocket::answerAll()
{
    for (;;) {
        const int connection = ::accept4(m_socket, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (connection < 0) {
            if (errno == EINTR || errno == ECONNABORTED)
                continue;
            return;
        }
        // One byte always fits a new connection's buffer.
        [[maybe_unused]] const ssize_t written = ::send(connection, "\n", 1, MSG_NOSIGNAL);
        ::close(connection);
        emit asked();
    }
}

bool ActivationSocket::ask(const QString &path, const QDeadlineTimer &deadline)
{
    sockaddr_un address;
    if (!addressOf(path, address))
        return false;
    const int socket = newSocket();
    if (socket < 0)
        return false;
    // A copy that hangs leaves the connection waiting in the system's queue,
    // accepted by no one: it is never answered. A full queue refuses at once
    // (EAGAIN), and the caller tries again.
    bool answered = false;
    if (::connect(socket, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0) {
        pollfd readable{socket, POLLIN, 0};
        int ready;
        do
            ready = ::poll(&readable, 1, int(deadline.remainingTime()));
        while (ready < 0 && errno == EINTR);
        char byte = 0;
        answered = ready > 0 && ::recv(socket, &byte, 1, 0) == 1;
    }
    ::close(socket);
    return answered;
}

} // namespace platform

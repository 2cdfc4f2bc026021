#pragma once

#include <QByteArray>
#include <QObject>
#include <QString>

class QDeadlineTimer;
class QSocketNotifier;

namespace platform {

// The socket file a running copy listens on, so that a later start can ask it
// to come forward: the later start connects, the running copy answers one
// byte and closes. Written on the system's own sockets: QtNetwork's local
// server would bring ten more libraries (Kerberos, a proxy resolver and what
// they need) into every start of the program for this one socket.
class ActivationSocket : public QObject
{
    Q_OBJECT

public:
    // Listens at path, readable and writable by the user only, replacing
    // whatever file a killed copy left there.
    explicit ActivationSocket(const QString &path, QObject *parent = nullptr);
    ~ActivationSocket() override;

    // Connects to the copy listening at path and waits for its answer, at
    // most until the deadline. Whether it answered.
    static bool ask(const QString &path, const QDeadlineTimer &deadline);

signals:
    // A later start asked, and has been answered.
    void asked();

private:
    void answerAll();

    QByteArray m_path;
    int m_socket = -1;
    QSocketNotifier *m_notifier = nullptr;
};

} // namespace platform

#include "app/SingleInstance.h"

#include "base/ProgramFolder.h"
#include "platform/ActivationSocket.h"
#include "platform/PrivateFolder.h"
#include "ui/Interaction.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QThread>

namespace {

// How long a later start keeps trying to reach a copy that is just starting.
constexpr int reachRunningCopyMs = 5000;

// In a folder others can write, the predictable names would let another user
// plant a lock that keeps the program from starting, or a socket that learns
// who starts it.
QString baseName(const ProgramFolder &folder)
{
    const QString privateFolder = platform::privateFolder(QStringLiteral("yarnspin"));
    if (privateFolder.isEmpty())
        return {};
    return QDir(privateFolder).filePath(QStringLiteral("yarnspin-") + folder.key());
}

} // namespace

SingleInstance::SingleInstance(const ProgramFolder &folder, QObject *parent)
    : QObject(parent)
    , m_baseName(baseName(folder))
    , m_lock(std::make_unique<QLockFile>(lockFilePath()))
{
    // The lock is held for the whole run: only a dead owner makes it stale, never its age.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    // The socket file goes while the lock is still held: a copy starting now
    // must not have its new socket removed by this one.
    delete m_socket;
}

QString SingleInstance::lockFilePath() const
{
    return m_baseName.isEmpty() ? QString() : m_baseName + QStringLiteral(".lock");
}

QString SingleInstance::serverName() const
{
    return m_baseName.isEmpty() ? QString() : m_baseName + QStringLiteral(".socket");
}

SingleInstance::Claim SingleInstance::claim(Interaction &interaction)
{
    if (m_baseName.isEmpty())
        return Claim::Ours;
    const QDeadlineTimer deadline(reachRunningCopyMs);
    for (;;) {
        // Only root can put another user's file in the folder; it proves nothing.
        if (platform::belongsToAnotherUser(lockFilePath()))
            QFile::remove(lockFilePath());
        // tryLock takes over a lock whose owner is no longer running.
        if (m_lock->tryLock(0)) {
            listen();
            return Claim::Ours;
        }
        if (m_lock->error() != QLockFile::LockFailedError)
            return Claim::Ours;
        if (askRunningCopy(deadline))
            return Claim::HandedOver;
        // The running copy may hold the lock but not listen yet, or be hung.
        if (deadline.hasExpired()) {
            interaction.showMessage(QStringLiteral("Merovale Yarnspin уже запущен, но не отвечает."));
            return Claim::Unanswered;
        }
        QThread::msleep(50);
    }
}

void SingleInstance::listen()
{
    // Should listening fail, later starts still find the lock held; they only
    // cannot bring this copy forward, and say so. A socket file a killed copy
    // left behind is replaced: the lock says it is ours now.
    m_socket = new platform::ActivationSocket(serverName(), this);
    connect(m_socket, &platform::ActivationSocket::asked, this, &SingleInstance::activationRequested);
}

bool SingleInstance::askRunningCopy(const QDeadlineTimer &deadline) const
{
    if (platform::belongsToAnotherUser(serverName()))
        return false;
    return platform::ActivationSocket::ask(serverName(), deadline);
}

#include "app/SingleInstance.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QStandardPaths>
#include <QThread>

namespace {

// How long a later start keeps trying to reach a copy that is just starting.
constexpr int reachRunningCopyMs = 5000;

QString folderKey(const QString &programFolder)
{
    QString canonical = QFileInfo(programFolder).canonicalFilePath();
    if (canonical.isEmpty())
        canonical = QFileInfo(programFolder).absoluteFilePath();
    return QString::fromLatin1(
        QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(24));
}

// The user's own runtime folder keeps other users' copies apart and works
// when the program folder itself is read-only.
QString runtimeFolder()
{
    const QString runtime = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    return runtime.isEmpty() ? QDir::tempPath() : runtime;
}

} // namespace

SingleInstance::SingleInstance(const QString &programFolder, QObject *parent)
    : QObject(parent)
    , m_baseName(QDir(runtimeFolder()).filePath(QStringLiteral("yarnspin-") + folderKey(programFolder)))
    , m_lock(std::make_unique<QLockFile>(lockFilePath()))
{
    // The lock is held for the whole run: only a dead owner makes it stale, never its age.
    m_lock->setStaleLockTime(0);
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::lockFilePath() const
{
    return m_baseName + QStringLiteral(".lock");
}

QString SingleInstance::serverName() const
{
    return m_baseName + QStringLiteral(".socket");
}

bool SingleInstance::claim()
{
    const QDeadlineTimer deadline(reachRunningCopyMs);
    for (;;) {
        // tryLock takes over a lock whose owner is no longer running.
        if (m_lock->tryLock(0))
            return listen();
        // No usable runtime folder: run unguarded rather than not at all.
        if (m_lock->error() != QLockFile::LockFailedError)
            return true;
        if (askRunningCopy())
            return false;
        // The running copy may hold the lock but not listen yet.
        if (deadline.hasExpired())
            return false;
        QThread::msleep(50);
    }
}

bool SingleInstance::listen()
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    // A killed copy leaves its socket behind; the lock says it is ours now.
    QLocalServer::removeServer(serverName());
    // Should listening fail, later starts still find the lock held and end;
    // they only cannot bring this copy forward.
    m_server->listen(serverName());
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket *connection = m_server->nextPendingConnection()) {
            connection->disconnectFromServer();
            connection->deleteLater();
            emit activationRequested();
        }
    });
    return true;
}

bool SingleInstance::askRunningCopy() const
{
    // Reaching the socket is the whole request: no data is exchanged.
    QLocalSocket socket;
    socket.connectToServer(serverName());
    if (!socket.waitForConnected(1000))
        return false;
    socket.disconnectFromServer();
    return true;
}

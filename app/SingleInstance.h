#pragma once

#include <QObject>
#include <QString>

#include <memory>

class Interaction;
class ProgramFolder;
class QDeadlineTimer;
class QLockFile;

namespace platform {
class ActivationSocket;
}

// One running copy per folder of files (the program folder, or the user's own
// folder an installed copy uses): two copies would each write every list at
// their close, and the later close would throw away what the other added.
// The first copy holds a lock and listens on a local socket, both named after
// the folder and kept where only this user can write; a later start using the
// same folder asks it to come forward and ends. Copies using different
// folders never meet. A copy that was killed leaves a stale lock, which the
// next start takes over.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    enum class Claim {
        // This is the folder's only copy, which now answers later starts
        // (also when there is no private folder to guard with: the program
        // runs unguarded rather than not at all).
        Ours,
        // The running copy answered and comes forward.
        HandedOver,
        // A copy holds the folder but did not answer within five seconds; the
        // user has been told.
        Unanswered,
    };

    explicit SingleInstance(const ProgramFolder &folder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // The message of an unanswered claim goes through interaction.
    Claim claim(Interaction &interaction);

    // The lock file and the socket, in a folder only this user can write;
    // empty when there is no such folder.
    QString lockFilePath() const;
    QString serverName() const;

signals:
    // A later start from the same folder asked this copy to come forward.
    void activationRequested();

private:
    void listen();
    bool askRunningCopy(const QDeadlineTimer &deadline) const;

    QString m_baseName;
    std::unique_ptr<QLockFile> m_lock;
    platform::ActivationSocket *m_socket = nullptr;
};

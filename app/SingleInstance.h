#pragma once

#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

// One running copy per folder of files (the program folder, or the user's own
// folder an installed copy uses): two copies would each write every list at
// their close, and the later close would throw away what the other added.
// The first copy holds a lock and listens on a local socket, both named after
// the folder; a later start using the same folder asks it to come forward and
// ends. Copies using different folders never meet. A copy that was killed
// leaves a stale lock, which the next start takes over.
class SingleInstance : public QObject
{
    Q_OBJECT

public:
    explicit SingleInstance(const QString &programFolder, QObject *parent = nullptr);
    ~SingleInstance() override;

    // True when this is the folder's only copy, which then answers later
    // starts; false when another copy holds the folder (it has been asked to
    // come forward, unless it stayed unreachable for five seconds).
    bool claim();

    // The lock file and the socket, in the user's runtime folder.
    QString lockFilePath() const;
    QString serverName() const;

signals:
    // A later start from the same folder asked this copy to come forward.
    void activationRequested();

private:
    bool listen();
    bool askRunningCopy() const;

    QString m_baseName;
    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

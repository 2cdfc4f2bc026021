#pragma once

#include <QObject>

class QSocketNotifier;

// The signals that end a desktop session or a program from the terminal:
// SIGTERM (logout, shutdown, kill), SIGHUP (the terminal went away) and
// SIGINT (Ctrl+C). Their handler only writes the signal's number into a
// pipe; the event loop reads it and reports it here, so the work they ask for
// runs as an ordinary event, modal loops included. One watcher per process.
class TerminationSignals : public QObject
{
    Q_OBJECT

public:
    explicit TerminationSignals(QObject *parent = nullptr);
    ~TerminationSignals() override;

signals:
    void received(int signalNumber);

private:
    void readPipe();

    QSocketNotifier *m_notifier = nullptr;
};

#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QElapsedTimer>
#include <QObject>
#include <QString>
#include <QTimer>

#include <array>
#include <functional>
#include <optional>

// A copy, outside the program folder, of what the user added or kept that is
// not saved yet: the phrases added to each list and the favourites text. The
// program is made to run for days, and its files are written only when it
// closes; after a crash or a power cut this copy is offered back at the next
// start. It is written at most once a minute and only after a change, each
// file replaced in one step, and it is gone once everything is saved. It is a
// small program folder of its own (Lists/*.txt): list files holding only the
// additions, and the favourites file whole.
class RecoveryCopy : public QObject
{
    Q_OBJECT

public:
    struct Contents
    {
        // The five file lists' additions, as list files hold them, by file name.
        std::array<QByteArrayList, 5> additions;
        // The favourites file as it would be written, when it changed.
        std::optional<QByteArray> favourites;

        bool isEmpty() const;
        qsizetype additionCount() const;
    };
    using Take = std::function<Contents()>;

    static constexpr int intervalMs = 60 * 1000;

    // The copy lives in folder; take gives what is unsaved when it is written.
    RecoveryCopy(QString folder, Take take, QObject *parent = nullptr);

    const QString &folder() const { return m_folder; }

    // Until armed, changes write nothing: a copy a crashed run left must be
    // offered back before this run's first copy could replace it.
    void arm();
    // Something unsaved changed: the copy is written within the minute.
    void changed();
    // Writes the copy now, or removes it when nothing is unsaved.
    void writeNow();
    // Everything is saved: the copy goes.
    void remove();

    // The copy a crashed run left behind, if there is one.
    std::optional<Contents> left() const;
    // Keeps the copy aside in destination, out of the way of the next run.
    bool moveTo(const QString &destination);

private:
    QString m_folder;
    Take m_take;
    QTimer m_timer;
    QElapsedTimer m_sinceWrite;
    bool m_armed = false;
    bool m_failureReported = false;
};

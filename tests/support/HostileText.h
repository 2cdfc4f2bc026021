#pragma once

#include <QFile>
#include <QFontMetrics>
#include <QLabel>
#include <QString>
#include <QTest>

#include <atomic>
#include <chrono>
#include <thread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// Entries from shared list files and from users that a widget guessing the
// text format would take for markup: tags that change the look, entities, and
// an image whose file is a FIFO, which would block the window for good.
namespace HostileText {

// Stands for the FIFO's path in the rows.
inline QString fifoMarker()
{
    return QStringLiteral("{fifo}");
}

// Adds the column "text" with one row per kind of markup.
inline void addRows()
{
    QTest::addColumn<QString>("text");
    QTest::newRow("tags that change the look") << QStringLiteral("<font size=7 color=red><b>Сказка</b></font>");
    QTest::newRow("entities") << QStringLiteral("&lt;Сказка&gt; &amp; &#1057;");
    QTest::newRow("an image of a FIFO") << QStringLiteral("<img src=\"%1\">Сказка").arg(fifoMarker());
}

// A FIFO that tells whether anything opened it for reading while it was
// watched. A reader is let go at once with an end of file, so that a fault
// fails the test instead of hanging it.
class FifoWatch
{
public:
    explicit FifoWatch(const QString &path)
        : m_path(path)
        , m_nativePath(QFile::encodeName(path))
    {
        ::mkfifo(m_nativePath.constData(), 0600);
        m_watcher = std::thread([this] {
            while (!m_stop) {
                // Opening the writing end without waiting succeeds only while a reader waits.
                const int fd = ::open(m_nativePath.constData(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0) {
                    m_opened = true;
                    ::close(fd);
                }
                std::this_thread::sleep_for(std::chrono::milliseconds(5));
            }
        });
    }

    ~FifoWatch()
    {
        m_stop = true;
        m_watcher.join();
    }

    // The row's text with the FIFO's path in it.
    QString in(QString text) const { return text.replace(fifoMarker(), m_path); }

    bool opened() const { return m_opened; }

private:
    QString m_path;
    QByteArray m_nativePath;
    std::atomic<bool> m_opened{false};
    std::atomic<bool> m_stop{false};
    std::thread m_watcher;
};

// What is wrong with the label showing text, or an empty text when it shows
// the characters as written, one line in its own font.
inline QString shownAsWritten(const QLabel &label, const QString &text)
{
    if (label.text() != text)
        return QStringLiteral("the label holds \"%1\"").arg(label.text());
    const QSize written = QFontMetrics(label.font()).size(Qt::TextExpandTabs, text);
    const QSize shown = label.sizeHint();
    if (qAbs(shown.width() - written.width()) > 2 || qAbs(shown.height() - written.height()) > 2)
        return QStringLiteral("shown %1x%2, the characters as written take %3x%4")
            .arg(shown.width()).arg(shown.height()).arg(written.width()).arg(written.height());
    return {};
}

} // namespace HostileText

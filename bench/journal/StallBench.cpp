// Long lines and big files through the real main window, with the longest
// time the event loop went without turning:
//   bench_stalls open [megabytes]         opening a tweet file of that size (200 by default), Ctrl+O
//   bench_stalls compose [list] [megabytes] F2 with one list entry that long (50 by default), in the
//                                         accounts list unless "titles" is given
//   bench_stalls paste [millions]         pasting a line of that many million characters (10 by default)
// Each prints the longest stall, the time until the command's result was in
// and painted, and how much the peak memory grew. Run it on an X server (the
// side-by-side script does) to count painting as users meet it.
#include "app/MainWindow.h"
#include "app/Program.h"
#include "base/Windows1251.h"
#include "journal/JournalView.h"
#include "tests/support/RecordedInteraction.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cstdio>
#include <functional>

namespace {

// Peak resident memory so far, in kibibytes.
long peakKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    }
    return 0;
}

QList<QByteArray> shippedEntries(const char *name)
{
    QFile file(QStringLiteral(SHIPPED_LISTS_DIR "/") + QString::fromLatin1(name));
    file.open(QIODevice::ReadOnly);
    QList<QByteArray> entries = file.readAll().split('\n');
    for (QByteArray &entry : entries)
        entry = entry.trimmed();
    entries.removeAll(QByteArray());
    return entries;
}

// A tweet file as autogeneration writes it: tweets from the shipped lists,
// each followed by three CR LF.
void writeTweetFile(const QString &path, qint64 bytes)
{
    const QByteArray opening = Windows1251::encodeOrThrow(QStringLiteral("Как-то раз задумал"));
    const QList<QByteArray> heroes = shippedEntries("names.txt");
    const QList<QByteArray> actions = shippedEntries("actions.txt");
    const QList<QByteArray> places = shippedEntries("places.txt");
    QFile file(path);
    file.open(QIODevice::WriteOnly);
    QRandomGenerator random(1);
    QByteArray block;
    while (file.size() + block.size() < bytes) {
        block += opening + " @" + heroes.at(random.bounded(qsizetype(heroes.size()))) + ' '
                 + actions.at(random.bounded(qsizetype(actions.size()))) + ' '
                 + places.at(random.bounded(qsizetype(places.size()))) + "\r\n\r\n\r\n";
        if (block.size() > 1 << 20) {
            file.write(block);
            block.clear();
        }
    }
    file.write(block);
}

// A line of words and blanks, count characters long, in Windows-1251.
QByteArray longLine(qint64 count)
{
    const QByteArray word("\xe2\xee\xf0\xee\xe1\xe5\xe9 ");
    QByteArray line;
    line.reserve(count);
    while (line.size() + word.size() <= count)
        line += word;
    line += QByteArray(count - line.size(), 'x');
    return line;
}

void copyShippedLists(const QString &folder)
{
    QDir(folder).mkpath(QStringLiteral("Lists"));
    QDir(folder).mkpath(QStringLiteral("Config files"));
    for (const char *name : {"thenames.txt", "names.txt", "justnames.txt", "actions.txt", "places.txt"}) {
        QFile::copy(QStringLiteral(SHIPPED_LISTS_DIR "/") + QString::fromLatin1(name),
                    folder + QStringLiteral("/Lists/") + QString::fromLatin1(name));
    }
    QFile favourites(folder + QStringLiteral("/Lists/favourite.txt"));
    favourites.open(QIODevice::WriteOnly);
}

// Runs the command from the event loop and watches the loop turn with a
// 5 ms timer until done() holds and a last half second has passed.
void measure(const std::function<void()> &command, const std::function<bool()> &done)
{
    const long peakBefore = peakKib();
    QElapsedTimer clock;
    qint64 last = 0;
    qint64 longest = 0;
    qint64 finished = -1;
    QTimer watch;
    watch.setTimerType(Qt::PreciseTimer);
    watch.setInterval(5);
    QObject::connect(&watch, &QTimer::timeout, [&] {
        const qint64 now = clock.nsecsElapsed();
        longest = std::max(longest, now - last);
        last = now;
        if (finished < 0 && done())
            finished = now;
        if (finished >= 0 && now - finished > 500000000)
            QCoreApplication::quit();
    });
    QTimer::singleShot(0, [&] {
        clock.start();
        watch.start();
        command();
    });
    QCoreApplication::exec();
    std::printf("longest event-loop stall %.0f ms; result in after %.0f ms; peak memory grew by %.0f MB\n",
                double(longest) / 1e6, double(finished) / 1e6, double(peakKib() - peakBefore) / 1024.0);
}

int usage()
{
    std::fprintf(stderr, "usage: bench_stalls open [megabytes] | compose [titles|accounts] [megabytes] | paste [millions]\n");
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    if (!qEnvironmentVariableIsSet("DISPLAY") && !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments().mid(1);
    if (arguments.isEmpty())
        return usage();
    const QString scenario = arguments.takeFirst();
    QString list = QStringLiteral("accounts");
    if (scenario == u"compose" && !arguments.isEmpty() && !arguments.first().at(0).isDigit())
        list = arguments.takeFirst();
    const double amount = arguments.isEmpty() ? (scenario == u"open" ? 200 : scenario == u"compose" ? 50 : 10)
                                              : arguments.first().toDouble();

    QTemporaryDir folder;
    copyShippedLists(folder.path());
    const QString file = folder.filePath(QStringLiteral("journal.yrn"));
    if (scenario == u"open") {
        writeTweetFile(file, qint64(amount * 1024 * 1024));
    } else if (scenario == u"compose") {
        if (list != u"titles" && list != u"accounts")
            return usage();
        QFile entry(folder.filePath(list == u"titles" ? QStringLiteral("Lists/thenames.txt")
                                                      : QStringLiteral("Lists/names.txt")));
        entry.open(QIODevice::WriteOnly);
        entry.write(longLine(qint64(amount * 1024 * 1024)) + "\r\n");
    } else if (scenario != u"paste") {
        return usage();
    }
    RecordedInteraction interaction;
    interaction.fileAnswer = [file](const QString &) { return file; };
    Program program({ProgramFolder(folder.path()), OutsideAddresses::shippedTable(),
                     RandomGenerator::highResolutionClock, folder.filePath(QStringLiteral("user data"))},
                    &interaction);
    MainWindow &window = program.mainWindow();
    window.show();
    window.activateWindow();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;
    auto *journal = dynamic_cast<JournalView *>(window.findChild<QWidget *>(QStringLiteral("Memo1")));
    journal->widget()->setFocus();
    QTest::qWait(200);

    if (scenario == u"open") {
        measure([&window] { window.openJournal(); },
                [&window] { return window.windowTitle().contains(QStringLiteral("journal.yrn")); });
    } else if (scenario == u"compose") {
        measure([&window] { window.composeTweet(); }, [journal] { return !journal->isEmpty(); });
    } else {
        QGuiApplication::clipboard()->setText(Windows1251::decode(longLine(qint64(amount * 1000000))));
        measure([&window] { window.findChild<QAction *>(QStringLiteral("N16"))->trigger(); }, [journal] { return !journal->isEmpty(); });
    }
    for (const RecordedInteraction::Shown &shown : interaction.shown)
        std::fprintf(stderr, "message box: %s\n", qPrintable(shown.text));
    return 0;
}

// Autogeneration appends a tweet every 50 ms for hours. This composes tweets
// (100,000 unless told) through the real main window, letting the event loop
// run between them as the timer would, and prints, at 100,000 and at the
// end, the heap held per tweet and the cost of one compose command (median,
// 99th and 99.9th percentile, worst): in wall-clock time, in the thread's own
// CPU time (which other programs on a busy machine do not inflate), and for
// the whole tick, the command and the event processing after it (painting),
// and the area painted per tick, beside the window's client area, with the
// widgets that painted it.
#include "app/Program.h"
#include "app/MainWindow.h"
#include "journal/JournalView.h"
#include "tests/support/RecordedInteraction.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QPaintEvent>
#include <QTemporaryDir>

#include <malloc.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// Small blocks and the large ones malloc maps on their own.
size_t heapInUse()
{
    const struct mallinfo2 info = mallinfo2();
    return info.uordblks + info.hblkhd;
}

// The number of compositions asked for on the command line (100,000 without
// one), or 0 when the arguments are not one positive count.
int requestedCompositions(const QStringList &arguments)
{
    if (arguments.size() == 1)
        return 100000;
    bool isNumber = false;
    const int count = arguments.size() == 2 ? arguments.at(1).toInt(&isNumber) : 0;
    return isNumber && count > 0 ? count : 0;
}

qint64 threadCpuNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

void printPercentiles(const char *what, std::vector<qint64> costs)
{
    std::sort(costs.begin(), costs.end());
    const size_t count = costs.size();
    const auto us = [](qint64 nanoseconds) { return double(nanoseconds) / 1000.0; };
    std::printf("  %-22s median %8.1f us   99th %8.1f us   99.9th %8.1f us   worst %9.1f us\n", what,
                us(costs[count / 2]), us(costs[count * 99 / 100]), us(costs[count * 999 / 1000]), us(costs.back()));
}

// Adds up the area of every paint event of every widget: a transparent label
// repaints the window beneath it too, and that counts.
class PaintedArea : public QObject
{
public:
    qint64 pixels = 0;
    // By object name, or class for the unnamed.
    QMap<QString, qint64> byWidget;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint && watched->isWidgetType()) {
            qint64 area = 0;
            for (const QRect &rect : static_cast<QPaintEvent *>(event)->region())
                area += qint64(rect.width()) * rect.height();
            pixels += area;
            const QString name = watched->objectName();
            byWidget[name.isEmpty() ? QString::fromLatin1(watched->metaObject()->className()) : name] += area;
        }
        return false;
    }
};

struct Costs
{
    std::vector<qint64> wall;
    std::vector<qint64> cpu;
    std::vector<qint64> tick;
};

// heapHeld is taken before the costs are copied for sorting.
void report(const Costs &costs, double heapHeld, const PaintedArea &painted, const QSize &client)
{
    const size_t count = costs.wall.size();
    std::printf("after %zu compositions: heap held per tweet %.0f bytes\n", count, heapHeld / double(count));
    std::printf("  painted per tick %.0f pixels; the client area is %d\n", double(painted.pixels) / double(count),
                client.width() * client.height());
    for (auto widget = painted.byWidget.cbegin(); widget != painted.byWidget.cend(); ++widget) {
        if (widget.value() >= qint64(count))
            std::printf("    %-28s %8.0f\n", qPrintable(widget.key()), double(widget.value()) / double(count));
    }
    printPercentiles("compose (wall clock)", costs.wall);
    printPercentiles("compose (thread CPU)", costs.cpu);
    printPercentiles("tick with painting", costs.tick);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    const int tweets = requestedCompositions(arguments);
    if (tweets == 0) {
        const bool help = arguments.size() == 2 && (arguments.at(1) == u"--help" || arguments.at(1) == u"-h");
        std::fprintf(help ? stdout : stderr, "usage: bench_journal [count]   (count: compositions, a positive whole number; 100000 by default)\n");
        if (help)
            return 0;
        std::fprintf(stderr, "bench_journal: the count must be a positive whole number\n");
        return 2;
    }

    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("Lists"));
    QDir(folder.path()).mkpath(QStringLiteral("Config files"));
    for (const char *name : {"thenames.txt", "names.txt", "justnames.txt", "actions.txt", "places.txt"}) {
        QFile::copy(QStringLiteral(SHIPPED_LISTS_DIR "/") + QString::fromLatin1(name),
                    folder.filePath(QStringLiteral("Lists/") + QString::fromLatin1(name)));
    }
    RecordedInteraction interaction;
    Program program({ProgramFolder(folder.path()), OutsideAddresses::shippedTable(),
                     RandomGenerator::highResolutionClock, folder.filePath(QStringLiteral("user data"))},
                    &interaction);
    MainWindow &window = program.mainWindow();
    window.show();
    const auto *journal = dynamic_cast<JournalView *>(window.findChild<QWidget *>(QStringLiteral("Memo1")));
    QApplication::processEvents();

    Costs costs;
    for (std::vector<qint64> *list : {&costs.wall, &costs.cpu, &costs.tick})
        list->reserve(size_t(tweets));
    PaintedArea painted;
    QApplication::instance()->installEventFilter(&painted);
    const QSize client = window.centralWidget()->size();
    const size_t heapBefore = heapInUse();
    QElapsedTimer clock;
    for (int i = 0; i < tweets; ++i) {
        clock.start();
        const qint64 cpu = threadCpuNanoseconds();
        window.composeTweet();
        costs.cpu.push_back(threadCpuNanoseconds() - cpu);
        costs.wall.push_back(clock.nsecsElapsed());
        QApplication::processEvents();
        costs.tick.push_back(clock.nsecsElapsed());
        if (i + 1 == 100000 && tweets > 100000)
            report(costs, double(heapInUse()) - double(heapBefore), painted, client);
    }
    report(costs, double(heapInUse()) - double(heapBefore), painted, client);
    std::printf("journal characters: %lld\n", static_cast<long long>(journal->text().size()));
    return 0;
}

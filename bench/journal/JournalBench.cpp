// Autogeneration appends a tweet every 50 ms for hours. This composes 100,000
// tweets through the real main window, letting the event loop run between
// them as the timer would, and prints the worst and median cost of one
// compose command and the heap held per tweet.
#include "app/Program.h"
#include "app/MainWindow.h"
#include "journal/PlainJournalView.h"
#include "tests/support/RecordedInteraction.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <malloc.h>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

size_t heapInUse()
{
    return mallinfo2().uordblks;
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
    const auto *journal = window.findChild<PlainJournalView *>(QStringLiteral("Memo1"));
    QApplication::processEvents();

    std::vector<qint64> costs;
    costs.reserve(size_t(tweets));
    const size_t heapBefore = heapInUse();
    QElapsedTimer clock;
    for (int i = 0; i < tweets; ++i) {
        clock.start();
        window.composeTweet();
        costs.push_back(clock.nsecsElapsed());
        QApplication::processEvents();
    }
    const size_t heapAfter = heapInUse();

    std::sort(costs.begin(), costs.end());
    std::printf("compositions:          %d\n", tweets);
    std::printf("median compose:        %.1f us\n", double(costs[costs.size() / 2]) / 1000.0);
    std::printf("99th percentile:       %.1f us\n", double(costs[costs.size() * 99 / 100]) / 1000.0);
    std::printf("worst compose:         %.1f us\n", double(costs.back()) / 1000.0);
    std::printf("heap held per tweet:   %.0f bytes\n", double(heapAfter - heapBefore) / tweets);
    std::printf("journal characters:    %lld\n", static_cast<long long>(journal->text().size()));
    return 0;
}

// A favourites file of 100,000 tweets: how long the favourites window takes
// to read it and show it (the first paint included), how long writing it
// back takes, and the heap the text holds. The goal is under 1 s to load and
// show and under 0.5 s to save.
#include "base/FileIO.h"
#include "journal/FavouritesText.h"
#include "journal/FavouritesWindow.h"
#include "settings/Settings.h"
#include "shell/OutsideLinks.h"
#include "ui/FontSetup.h"
#include "tests/support/RecordedInteraction.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <malloc.h>

#include <cstdio>

int main(int argc, char *argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    FontSetup::install();
    const int lines = argc > 1 ? std::atoi(argv[1]) : 100000;

    QTemporaryDir folder;
    QDir(folder.path()).mkpath(QStringLiteral("Lists"));
    const QString path = folder.filePath(QStringLiteral("Lists/favourite.txt"));
    RecordedInteraction interaction;
    const Settings settings(folder.filePath(QStringLiteral("yarnconfig.ini")));
    const HeroHandle hero;
    OutsideLinks links(OutsideAddresses::shippedTable(), hero, settings, interaction, {}, [] {});
    QDialog aboutBox;

    // A tweet in Windows-1251, about as long as the composer makes them.
    const QByteArray tweet("\xca\xe0\xea-\xf2\xee \xf0\xe0\xe7 \xe7\xe0\xe4\xf3\xec\xe0\xeb @account "
                           "\xef\xee\xe3\xf3\xeb\xff\xf2\xfc \xed\xe0 \xe1\xee\xeb\xee\xf2\xe5 \xe2 \xf1\xe5\xf0\xee\xec "
                           "\xf2\xf3\xec\xe0\xed\xe5.");
    QByteArray file;
    file.reserve((tweet.size() + 8) * lines);
    for (int i = 0; i < lines; ++i) {
        file += tweet + QByteArray::number(i);
        if (i + 1 < lines)
            file += "\r\n";
    }
    FileIO::writeWholeFile(path, file);

    const size_t heapBefore = mallinfo2().uordblks;
    QElapsedTimer clock;
    clock.start();
    FavouritesText text;
    FavouritesWindow window(text, interaction, links, aboutBox);
    window.reportFileLoad(text.loadFavouritesFile(path));
    const qint64 loaded = clock.elapsed();
    window.show();
    QApplication::processEvents();
    window.repaint();
    const qint64 shown = clock.elapsed();
    const size_t heapAfter = mallinfo2().uordblks;

    clock.start();
    text.writeFavouritesFile(path);
    const qint64 saved = clock.elapsed();
    const bool same = FileIO::readWholeFile(path) == file;

    std::printf("lines:                 %d (%lld bytes)\n", lines, static_cast<long long>(file.size()));
    std::printf("read into the editor:  %lld ms\n", static_cast<long long>(loaded));
    std::printf("read and shown:        %lld ms (goal < 1000)\n", static_cast<long long>(shown));
    std::printf("written back:          %lld ms (goal < 500)\n", static_cast<long long>(saved));
    std::printf("heap held by the text: %.1f MB\n", double(heapAfter - heapBefore) / 1e6);
    std::printf("written byte for byte: %s\n", same ? "yes" : "NO");
    return same ? 0 : 1;
}

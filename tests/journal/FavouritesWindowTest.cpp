#include "app/KeyCombinationRouter.h"
#include "base/FileIO.h"
#include "journal/FavouritesText.h"
#include "journal/FavouritesWindow.h"
#include "settings/Settings.h"
#include "shell/OutsideLinks.h"
#include "ui/FontSetup.h"
#include "ui/LineNumberedEditor.h"
#include "tests/support/Controls.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/RecordedInteraction.h"
#include "tests/support/ScratchProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <memory>

// The favourites window on its own, with a stand-in main menu for the keys
// it leaves.
class FavouritesWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void looksAsTheProgramShowsIt();
    void firstStartWithoutAFile();
    void unreadableFileIsReportedAndLeftAlone();
    void savesAsTheChosenFileOnly();
    void printsTheTextsOwnLines();
    void clearAllCannotBeUndone();
    void cutAndCopyAllAndNoSelection();
    void publishingAnEmptyText();
    void otherProductsCopiesSilently();
    void closingHidesAndKeepsTheEdits();
    void keyCombinationsGoHereFirst();
    void textMayGoBeforeTheWindow();

private:
    void create();
    void trigger(const char *item) { control<QAction>(m_window.get(), item)->trigger(); }
    LineNumberedEditor *editor() { return control<LineNumberedEditor>(m_window.get(), "Memo1"); }
    QString filePath() const { return m_folder->path(QStringLiteral("Lists/favourite.txt")); }
    // The message boxes shown, in order.
    QList<RecordedInteraction::Shown> &boxes() { return m_interaction->shown; }

    std::unique_ptr<ScratchProgramFolder> m_folder;
    std::unique_ptr<RecordedInteraction> m_interaction;
    std::unique_ptr<Settings> m_settings;
    HeroHandle m_hero;
    std::unique_ptr<OutsideLinks> m_links;
    QDialog m_aboutBox;
    std::unique_ptr<FavouritesText> m_text;
    std::unique_ptr<FavouritesWindow> m_window;
    QStringList m_savePaths;
};

void FavouritesWindowTest::initTestCase()
{
    FontSetup::install();
}

void FavouritesWindowTest::init()
{
    m_folder = std::make_unique<ScratchProgramFolder>();
    m_interaction = std::make_unique<RecordedInteraction>();
    m_interaction->fileAnswer = [this](const QString &) {
        return m_savePaths.isEmpty() ? QString() : m_savePaths.takeFirst();
    };
    m_settings = std::make_unique<Settings>(m_folder->path(QStringLiteral("Config files/yarnconfig.ini")));
    m_links = std::make_unique<OutsideLinks>(OutsideAddresses::shippedTable(), m_hero, *m_settings, *m_interaction,
                                             OutsideLinks::BuiltInBrowser(), [] {});
    m_text = std::make_unique<FavouritesText>();
}

void FavouritesWindowTest::cleanup()
{
    m_window.reset();
    m_text.reset();
    m_links.reset();
    m_settings.reset();
    m_interaction.reset();
    m_folder.reset();
}

void FavouritesWindowTest::create()
{
    m_window = std::make_unique<FavouritesWindow>(*m_text, *m_interaction, *m_links, m_aboutBox);
}

void FavouritesWindowTest::looksAsTheProgramShowsIt()
{
    create();
    QCOMPARE(m_window->objectName(), QStringLiteral("TForm5"));
    QCOMPARE(m_window->windowTitle(), QStringLiteral("Избранное - Merovale Yarnspin"));
    QCOMPARE(m_window->size(), QSize(755, 617));
    QVERIFY(!(m_window->windowFlags() & Qt::WindowMinimizeButtonHint));
    QVERIFY(m_window->windowFlags() & Qt::WindowMaximizeButtonHint);
    QVERIFY(!m_window->isVisible());
    m_window->show();
    QCOMPARE(editor()->objectName(), QStringLiteral("Memo1"));
    QCOMPARE(editor()->font().pixelSize(), 13);
    QCOMPARE(m_window->statusBar()->findChild<QLabel *>()->text(), QStringLiteral("  Merovale Yarnspin"));

    QStringList hints;
    for (QAction *action : m_window->findChild<QToolBar *>()->actions()) {
        if (action->isSeparator() || action->text().isEmpty())
            continue;
        hints.append(action->toolTip());
        QCOMPARE(action->icon().pixmap(16, 16).size(), QSize(16, 16));
    }
    QCOMPARE(hints, (QStringList{"Сохранить текст в файл...", "Печать текста", "Закрыть окно"}));

    QStringList menus;
    for (QAction *menu : m_window->menuBar()->actions())
        menus.append(menu->text());
    QCOMPARE(menus, (QStringList{"Файл", "Правка", "Справка"}));
    QStringList popup;
    for (QAction *item : m_window->findChild<QMenu *>(QStringLiteral("PopupMenu1"))->actions())
        popup.append(item->isSeparator() ? QStringLiteral("-") : item->text());
    QCOMPARE(popup, (QStringList{"Отменить", "-", "Вырезать", "Копировать", "Вставить", "-", "Выделить всё",
                                 "Очистить всё"}));
}

void FavouritesWindowTest::firstStartWithoutAFile()
{
    create();
    m_window->reportFileLoad(m_text->loadFavouritesFile(filePath()));
    QCOMPARE(boxes().size(), 1);
    QCOMPARE(boxes()[0].kind, RecordedInteraction::Shown::Kind::Information);
    QCOMPARE(boxes()[0].caption, QStringLiteral("Merovale Yarnspin"));
    QVERIFY(boxes()[0].text.startsWith(QStringLiteral("Это первый запуск программы Merovale Yarnspin")));
    QVERIFY(!QFile::exists(filePath()));

    m_text->appendLine(QStringLiteral("tweet\r\n"));
    QVERIFY(!m_window->isVisible());
    m_window->show();
    QCOMPARE(editor()->blockCount(), 2);
    QVERIFY(m_text->writeFavouritesFile(filePath()));
    QCOMPARE(FileIO::readWholeFile(filePath()), QByteArray("tweet\r\n"));

    // The next start finds the file: no message, an empty last line.
    boxes().clear();
    m_window.reset();
    m_text = std::make_unique<FavouritesText>();
    create();
    m_window->reportFileLoad(m_text->loadFavouritesFile(filePath()));
    QVERIFY(boxes().isEmpty());
    m_window->show();
    QCOMPARE(editor()->lines(), (QStringList{"tweet", ""}));
}

void FavouritesWindowTest::unreadableFileIsReportedAndLeftAlone()
{
    QVERIFY(QDir().mkpath(filePath()));
    create();
    m_window->reportFileLoad(m_text->loadFavouritesFile(filePath()));
    QCOMPARE(boxes().size(), 1);
    QCOMPARE(boxes()[0].kind, RecordedInteraction::Shown::Kind::Error);
    QVERIFY(boxes()[0].text.startsWith(QStringLiteral("Cannot open file \"%1\".").arg(filePath())));

    m_text->appendLine(QStringLiteral("tweet"));
    QVERIFY(!m_text->writeFavouritesFile(filePath()));
    QVERIFY(QFileInfo(filePath()).isDir());
}

void FavouritesWindowTest::savesAsTheChosenFileOnly()
{
    FileIO::writeWholeFile(filePath(), "a\nb");
    create();
    m_window->show();
    m_window->reportFileLoad(m_text->loadFavouritesFile(filePath()));
    const QString chosen = m_folder->path(QStringLiteral("chosen.yrn"));
    m_savePaths = {QString(), chosen};
    trigger("N4");
    QVERIFY(!QFile::exists(chosen));
    trigger("N4");
    QCOMPARE(FileIO::readWholeFile(chosen), QByteArray("a\nb"));
    QCOMPARE(FileIO::readWholeFile(filePath()), QByteArray("a\nb"));
}

void FavouritesWindowTest::printsTheTextsOwnLines()
{
    create();
    m_window->show();
    m_text->appendLine(QStringLiteral("first tweet"));
    m_text->appendLine(QStringLiteral("second tweet\r\n"));
    const QString pdf = m_folder->path(QStringLiteral("favourites.pdf"));
    QPrinter &printer = m_interaction->printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    trigger("N5");
    QVERIFY(!QFile::exists(pdf));
    m_interaction->printAnswer = true;
    trigger("N5");
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished());
    const QString printed = QString::fromUtf8(text.readAllStandardOutput());
    QVERIFY2(printed.contains(QStringLiteral("first tweet")) && printed.contains(QStringLiteral("second tweet")),
             qPrintable(printed));
}

void FavouritesWindowTest::clearAllCannotBeUndone()
{
    create();
    m_window->show();
    m_text->appendLine(QStringLiteral("tweet"));
    trigger("N16");
    trigger("N18");
    trigger("N19");
    QVERIFY(m_text->lines().isEmpty());
    QCOMPARE(m_text->serialize(), QByteArray());
}

void FavouritesWindowTest::cutAndCopyAllAndNoSelection()
{
    create();
    m_window->show();
    m_text->appendLine(QStringLiteral("one"));
    m_text->appendLine(QStringLiteral("two"));
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    trigger("N12");
    trigger("N11");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
    trigger("N26");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("one\ntwo"));
    QCOMPARE(editor()->textCursor().selectedText().size(), 7);
    trigger("N25");
    QVERIFY(m_text->lines().isEmpty());
    trigger("N13");
    QCOMPARE(m_text->lines(), (QStringList{"one", "two"}));
}

void FavouritesWindowTest::publishingAnEmptyText()
{
    create();
    m_window->show();
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    trigger("N10");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
    QCOMPARE(boxes().size(), 1);
    QCOMPARE(boxes()[0].kind, RecordedInteraction::Shown::Kind::Plain);
    QCOMPARE(boxes()[0].text, QStringLiteral("Ваши твиты из Избранного были скопированы в буфер обмена Windows. "
                                             "Теперь просто вставьте их в обсуждениях в группе."));
    QCOMPARE(m_interaction->openedOnDesktop.size(), 1);
    QVERIFY(m_interaction->openedOnDesktop[0].toString().contains(QStringLiteral("vk.com")));
}

void FavouritesWindowTest::otherProductsCopiesSilently()
{
    create();
    m_window->show();
    m_text->appendLine(QStringLiteral("tweet"));
    trigger("N8");
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("tweet"));
    QVERIFY(editor()->textCursor().hasSelection());
    QVERIFY(boxes().isEmpty());
    QCOMPARE(m_interaction->openedOnDesktop.size(), 1);
    QWidget *shown = nullptr;
    ModalWindows::whenModalShown([&shown](QWidget *modal) { shown = modal; });
    trigger("N3");
    QCOMPARE(shown, &m_aboutBox);
}

void FavouritesWindowTest::closingHidesAndKeepsTheEdits()
{
    create();
    m_text->appendLine(QStringLiteral("tweet"));
    m_window->showAndRaise();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::keyClick(editor(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(editor(), QStringLiteral(" edited"));
    m_window->close();
    QVERIFY(!m_window->isVisible());
    m_window->showAndRaise();
    QVERIFY(m_window->isVisible());
    QCOMPARE(editor()->lines(), QStringList{"tweet edited"});
}

void FavouritesWindowTest::keyCombinationsGoHereFirst()
{
    QMainWindow main;
    QMenu *tweet = main.menuBar()->addMenu(QStringLiteral("Твит"));
    int composed = 0;
    int mainCuts = 0;
    for (const auto &[key, counter] : {std::pair{QKeySequence(Qt::Key_F2), &composed},
                                       std::pair{QKeySequence(Qt::CTRL | Qt::Key_X), &mainCuts}}) {
        QAction *action = tweet->addAction(key.toString());
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        QObject::connect(action, &QAction::triggered, [counter = counter] { ++*counter; });
    }
    create();
    KeyCombinationRouter router(&main, main.menuBar());
    router.addWindow(m_window.get(), m_window->keyCombinationMenus());
    qApp->installEventFilter(&router);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));

    LineNumberedEditor *editor = this->editor();
    QTest::keyClicks(editor, QStringLiteral("tweet"));
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    QVERIFY(m_text->lines().isEmpty());
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("tweet"));
    QTest::keyClick(editor, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(m_text->lines(), QStringList{"tweet"});
    QTest::keyClick(editor, Qt::Key_F2);
    QTest::keyClick(editor, Qt::Key_F1);
    qApp->removeEventFilter(&router);
    QCOMPARE(composed, 1);
    QCOMPARE(mainCuts, 0);
    QCOMPARE(m_interaction->openedOnDesktop.size(), 1);
}

void FavouritesWindowTest::textMayGoBeforeTheWindow()
{
    create();
    m_text->appendLine(QStringLiteral("tweet"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_text.reset();
    QVERIFY(editor()->lines().isEmpty());
    QTest::keyClicks(editor(), QStringLiteral("typed"));
    QCOMPARE(editor()->lines(), QStringList{"typed"});
    m_window.reset();
}

QTEST_MAIN(FavouritesWindowTest)
#include "FavouritesWindowTest.moc"

#include "app/KeyCombinationRouter.h"
#include "base/FileIO.h"
#include "journal/FavouritesText.h"
#include "journal/FavouritesWindow.h"
#include "journal/SharedPrintDialog.h"
#include "shell/OutsideLinks.h"
#include "ui/FileDialogs.h"
#include "ui/FontSetup.h"
#include "ui/LineNumberedEditor.h"
#include "ui/MessageBoxes.h"
#include "tests/support/DesktopRecorder.h"
#include "tests/support/ScratchProgramFolder.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QStatusBar>
#include <QTest>
#include <QToolBar>

#include <memory>

static void initArtwork()
{
    Q_INIT_RESOURCE(artwork);
}

// The favourites window on its own, with a stand-in main menu for the keys
// it leaves.
class FavouritesWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
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
    // The message boxes shown, in order.
    QList<MessageBoxes::Shown> &boxes() { return m_folder->shown(); }

    std::unique_ptr<ScratchProgramFolder> m_folder;
    std::unique_ptr<FavouritesText> m_text;
    std::unique_ptr<FavouritesWindow> m_window;
    DesktopRecorder m_addresses;
    int m_aboutBoxes = 0;
    QStringList m_savePaths;
};

void FavouritesWindowTest::initTestCase()
{
    initArtwork();
    FontSetup::install();
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &m_addresses, "open");
}

void FavouritesWindowTest::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
}

void FavouritesWindowTest::init()
{
    m_folder = std::make_unique<ScratchProgramFolder>();
    m_addresses.opened.clear();
    m_aboutBoxes = 0;
    m_text = std::make_unique<FavouritesText>();
}

void FavouritesWindowTest::cleanup()
{
    m_window.reset();
    m_text.reset();
    SharedPrintDialog::setAnswerForTesting(std::nullopt);
    m_folder.reset();
}

void FavouritesWindowTest::create()
{
    FavouritesWindow::Services services;
    services.chooseSavePath = [this](QWidget *) { return m_savePaths.isEmpty() ? QString() : m_savePaths.takeFirst(); };
    services.showAboutBox = [this] { ++m_aboutBoxes; };
    services.openOutsideLink = [](const char *item) { OutsideLinks::openOnDesktop("Form5", item); };
    m_window = std::make_unique<FavouritesWindow>(*m_text, services);
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
    QCOMPARE(m_window->editor()->objectName(), QStringLiteral("Memo1"));
    QCOMPARE(m_window->editor()->font().pixelSize(), 13);
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
    m_window->loadFavouritesFile();
    QCOMPARE(boxes().size(), 1);
    QCOMPARE(boxes()[0].kind, MessageBoxes::Kind::Information);
    QCOMPARE(boxes()[0].caption, QStringLiteral("Merovale Yarnspin"));
    QVERIFY(boxes()[0].text.startsWith(QStringLiteral("Это первый запуск программы Merovale Yarnspin")));
    QVERIFY(!QFile::exists(FavouritesText::filePath()));

    m_text->appendLine(QStringLiteral("tweet\r\n"));
    QCOMPARE(m_window->editor()->blockCount(), 2);
    QVERIFY(!m_window->isVisible());
    m_window->writeFavouritesFile();
    QCOMPARE(FileIO::readWholeFile(FavouritesText::filePath()), QByteArray("tweet\r\n"));

    // The next start finds the file: no message, an empty last line.
    boxes().clear();
    m_window.reset();
    m_text = std::make_unique<FavouritesText>();
    create();
    m_window->loadFavouritesFile();
    QVERIFY(boxes().isEmpty());
    QCOMPARE(m_window->editor()->lines(), (QStringList{"tweet", ""}));
}

void FavouritesWindowTest::unreadableFileIsReportedAndLeftAlone()
{
    QVERIFY(QDir().mkpath(FavouritesText::filePath()));
    create();
    m_window->loadFavouritesFile();
    QCOMPARE(boxes().size(), 1);
    QCOMPARE(boxes()[0].kind, MessageBoxes::Kind::Error);
    QVERIFY(boxes()[0].text.startsWith(QStringLiteral("Cannot open file \"%1\".").arg(FavouritesText::filePath())));

    m_text->appendLine(QStringLiteral("tweet"));
    m_window->writeFavouritesFile();
    QCOMPARE(boxes().size(), 2);
    QCOMPARE(boxes()[1].kind, MessageBoxes::Kind::Plain);
    QVERIFY(boxes()[1].text.startsWith(QStringLiteral("Избранное не сохранено")));
    QVERIFY(QFileInfo(FavouritesText::filePath()).isDir());
}

void FavouritesWindowTest::savesAsTheChosenFileOnly()
{
    FileIO::writeWholeFile(FavouritesText::filePath(), "a\nb");
    create();
    m_window->loadFavouritesFile();
    const QString chosen = m_folder->path(QStringLiteral("chosen.yrn"));
    m_savePaths = {QString(), chosen};
    m_window->saveAs();
    QVERIFY(!QFile::exists(chosen));
    m_window->saveAs();
    QCOMPARE(FileIO::readWholeFile(chosen), QByteArray("a\nb"));
    QCOMPARE(FileIO::readWholeFile(FavouritesText::filePath()), QByteArray("a\nb"));
}

void FavouritesWindowTest::printsTheTextsOwnLines()
{
    create();
    m_text->appendLine(QStringLiteral("first tweet"));
    m_text->appendLine(QStringLiteral("second tweet\r\n"));
    const QString pdf = m_folder->path(QStringLiteral("favourites.pdf"));
    QPrinter &printer = SharedPrintDialog::instance().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    SharedPrintDialog::setAnswerForTesting(false);
    m_window->print();
    QVERIFY(!QFile::exists(pdf));
    SharedPrintDialog::setAnswerForTesting(true);
    m_window->print();
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
    m_text->appendLine(QStringLiteral("tweet"));
    m_window->clearAll();
    m_window->undo();
    m_window->redo();
    QVERIFY(m_text->lines().isEmpty());
    QCOMPARE(m_text->serialize(), QByteArray());
}

void FavouritesWindowTest::cutAndCopyAllAndNoSelection()
{
    create();
    m_text->appendLine(QStringLiteral("one"));
    m_text->appendLine(QStringLiteral("two"));
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    m_window->copy();
    m_window->cut();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
    m_window->copyAll();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("one\ntwo"));
    QCOMPARE(m_window->editor()->textCursor().selectedText().size(), 7);
    m_window->cutAll();
    QVERIFY(m_text->lines().isEmpty());
    m_window->paste();
    QCOMPARE(m_text->lines(), (QStringList{"one", "two"}));
}

void FavouritesWindowTest::publishingAnEmptyText()
{
    create();
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    m_window->publish();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
    QCOMPARE(boxes().size(), 1);
    QCOMPARE(boxes()[0].kind, MessageBoxes::Kind::Plain);
    QCOMPARE(boxes()[0].text, QStringLiteral("Ваши твиты из Избранного были скопированы в буфер обмена Windows. "
                                             "Теперь просто вставьте их в обсуждениях в группе."));
    QCOMPARE(m_addresses.opened.size(), 1);
    QVERIFY(m_addresses.opened[0].toString().contains(QStringLiteral("vk.com")));
}

void FavouritesWindowTest::otherProductsCopiesSilently()
{
    create();
    m_text->appendLine(QStringLiteral("tweet"));
    m_window->openOtherProducts();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("tweet"));
    QVERIFY(m_window->editor()->textCursor().hasSelection());
    QVERIFY(boxes().isEmpty());
    QCOMPARE(m_addresses.opened.size(), 1);
    m_window->showAbout();
    QCOMPARE(m_aboutBoxes, 1);
}

void FavouritesWindowTest::closingHidesAndKeepsTheEdits()
{
    create();
    m_text->appendLine(QStringLiteral("tweet"));
    m_window->showAndRaise();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    QTest::keyClick(m_window->editor(), Qt::Key_End, Qt::ControlModifier);
    QTest::keyClicks(m_window->editor(), QStringLiteral(" edited"));
    m_window->close();
    QVERIFY(!m_window->isVisible());
    m_window->showAndRaise();
    QVERIFY(m_window->isVisible());
    QCOMPARE(m_window->editor()->lines(), QStringList{"tweet edited"});
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

    LineNumberedEditor *editor = m_window->editor();
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
    QCOMPARE(m_addresses.opened.size(), 1);
}

void FavouritesWindowTest::textMayGoBeforeTheWindow()
{
    create();
    m_text->appendLine(QStringLiteral("tweet"));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_text.reset();
    QVERIFY(m_window->editor()->lines().isEmpty());
    QTest::keyClicks(m_window->editor(), QStringLiteral("typed"));
    QCOMPARE(m_window->editor()->lines(), QStringList{"typed"});
    m_window.reset();
}

QTEST_MAIN(FavouritesWindowTest)
#include "FavouritesWindowTest.moc"

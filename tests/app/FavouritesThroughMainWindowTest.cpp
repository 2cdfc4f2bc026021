#include "app/MainWindow.h"
#include "app/Program.h"
#include "base/OutsideAddresses.h"
#include "base/Windows1251.h"
#include "journal/FavouritesWindow.h"
#include "journal/PlainJournalView.h"
#include "shell/TrayIcon.h"
#include "ui/LineNumberedEditor.h"
#include "tests/support/Controls.h"
#include "tests/support/DesktopRecorder.h"
#include "tests/support/ScratchProgramFolder.h"

#include <QAction>
#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>
#include <QTest>

#include <memory>

namespace {

const QString tweet = QStringLiteral("Как-то раз задумал @kotofeich погулять на болоте.");

} // namespace

// The favourites as the user meets them through the main window: the two
// links, F7, the key combinations between the windows, and the file that
// carries them from one run to the next.
class FavouritesThroughMainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void tweetsSurviveARestartWithAutoSaveOn();
    void autoSaveOffWritesNothingAndAsksAgain();
    void f7ShowsTheSameTextWithItsEdits();
    void keysReachTheRightMenus();
    void unreadableFileIsNeverWrittenOver();
    void outsideLinksGoToTheDesktop();

private:
    void start();
    void stop();
    MainWindow &window() { return m_program->mainWindow(); }
    FavouritesWindow &favourites() { return m_program->favouritesWindow(); }
    void compose() { QTest::keyClick(control<PlainJournalView>(&window(), "Memo1")->widget(), Qt::Key_F2); }
    QStringList firstRunMessages() const;

    std::unique_ptr<ScratchProgramFolder> m_folder;
    QStringList m_notices;
    std::unique_ptr<Program> m_program;
};

void FavouritesThroughMainWindowTest::init()
{
    m_folder = std::make_unique<ScratchProgramFolder>();
    m_notices.clear();
    TrayIcon::setNoticeInterceptorForTesting([this](const QString &title, const QString &) { m_notices << title; });
}

void FavouritesThroughMainWindowTest::cleanup()
{
    m_program.reset();
    m_folder.reset();
    TrayIcon::setNoticeInterceptorForTesting({});
}

void FavouritesThroughMainWindowTest::start()
{
    m_program = std::make_unique<Program>();
    window().random() = RandomGenerator([] { return quint32(0); });
    window().show();
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
}

void FavouritesThroughMainWindowTest::stop()
{
    window().close();
    QVERIFY(!window().isVisible());
    m_program.reset();
}

QStringList FavouritesThroughMainWindowTest::firstRunMessages() const
{
    QStringList texts;
    for (const MessageBoxes::Shown &shown : m_folder->shown())
        if (shown.text.startsWith(QStringLiteral("Это первый запуск программы")))
            texts << shown.text;
    return texts;
}

void FavouritesThroughMainWindowTest::tweetsSurviveARestartWithAutoSaveOn()
{
    start();
    QCOMPARE(firstRunMessages().size(), 1);
    compose();
    QTest::mouseClick(control<QWidget>(&window(), "XPHoverLabel5"), Qt::LeftButton);
    // Appending never shows the window.
    QVERIFY(!favourites().isVisible());
    stop();

    // The tweet kept its own CR LF, so it is followed by an empty line.
    QCOMPARE(m_folder->read(QStringLiteral("Lists/favourite.txt")), Windows1251::encodeOrThrow(tweet) + "\r\n");

    m_folder->shown().clear();
    start();
    QVERIFY(firstRunMessages().isEmpty());
    QCOMPARE(window().favourites().lines(), (QStringList{tweet, QString()}));
}

void FavouritesThroughMainWindowTest::autoSaveOffWritesNothingAndAsksAgain()
{
    m_folder->writeSettings("[option]\r\ncheck4=0\r\n");
    for (int run = 0; run < 2; ++run) {
        m_folder->shown().clear();
        start();
        QCOMPARE(firstRunMessages().size(), 1);
        compose();
        QTest::mouseClick(control<QWidget>(&window(), "XPHoverLabel5"), Qt::LeftButton);
        stop();
        QVERIFY(!QFile::exists(m_folder->path(QStringLiteral("Lists/favourite.txt"))));
    }
}

void FavouritesThroughMainWindowTest::f7ShowsTheSameTextWithItsEdits()
{
    start();
    compose();
    QTest::mouseClick(control<QWidget>(&window(), "XPHoverLabel5"), Qt::LeftButton);
    QTest::keyClick(&window(), Qt::Key_F7);
    QTRY_VERIFY(favourites().isVisible());
    QCOMPARE(m_notices.last(), QStringLiteral("Избранное"));

    LineNumberedEditor *editor = favourites().editor();
    editor->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor, QStringLiteral(" mine"));
    favourites().close();
    QVERIFY(!favourites().isVisible());
    QVERIFY(window().isVisible());

    QTest::keyClick(&window(), Qt::Key_F7);
    QTRY_VERIFY(favourites().isVisible());
    QVERIFY(favourites().editor()->toPlainText().endsWith(QStringLiteral(" mine")));
}

void FavouritesThroughMainWindowTest::keysReachTheRightMenus()
{
    start();
    compose();
    QTest::keyClick(&window(), Qt::Key_F7);
    QTRY_VERIFY(favourites().isVisible());
    favourites().activateWindow();
    LineNumberedEditor *editor = favourites().editor();
    editor->setPlainText(QStringLiteral("вырежи меня"));
    editor->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    // Ctrl+X cuts here; the main window stays open.
    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("вырежи меня"));
    QVERIFY(editor->toPlainText().isEmpty());
    QVERIFY(window().isVisible());

    // F2 belongs to no menu of this window: the main menu composes.
    const int before = control<PlainJournalView>(&window(), "Memo1")->text().size();
    QTest::keyClick(editor, Qt::Key_F2);
    QVERIFY(control<PlainJournalView>(&window(), "Memo1")->text().size() > before);
}

void FavouritesThroughMainWindowTest::unreadableFileIsNeverWrittenOver()
{
    // A folder in the file's place cannot be read, whoever runs the program.
    QDir().mkpath(m_folder->path(QStringLiteral("Lists/favourite.txt")));
    start();
    QVERIFY(firstRunMessages().isEmpty());
    QVERIFY(m_folder->shown().first().text.startsWith(QStringLiteral("Cannot open file \"")));
    compose();
    QTest::mouseClick(control<QWidget>(&window(), "XPHoverLabel5"), Qt::LeftButton);
    m_folder->shown().clear();
    stop();
    QVERIFY(QFileInfo(m_folder->path(QStringLiteral("Lists/favourite.txt"))).isDir());
    QCOMPARE(m_folder->shown().size(), 1);
    QVERIFY(m_folder->shown().first().text.contains(QStringLiteral("Избранно")));
}

QTEST_MAIN(FavouritesThroughMainWindowTest)
// The window's two outside links, as the program wires them, reach the desktop.
void FavouritesThroughMainWindowTest::outsideLinksGoToTheDesktop()
{
    start();
    DesktopRecorder desktop;
    QDesktopServices::setUrlHandler(QStringLiteral("https"), &desktop, "open");
    control<QAction>(&favourites(), "N10")->trigger();
    control<QAction>(&favourites(), "N8")->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("https"));
    QCOMPARE(desktop.opened, (QList<QUrl>{QUrl(OutsideAddresses::communityGroup()),
                                          QUrl(OutsideAddresses::makerHomePage())}));
}

#include "FavouritesThroughMainWindowTest.moc"

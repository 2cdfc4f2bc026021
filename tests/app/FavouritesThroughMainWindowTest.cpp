#include "base/Windows1251.h"
#include "journal/FavouritesWindow.h"
#include "journal/JournalTextArea.h"
#include "ui/LineNumberedEditor.h"
#include "tests/support/ProgramFixture.h"

#include <QAction>
#include <QClipboard>
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
    void start() { m_fixture->start(); }
    void stop();
    MainWindow &window() { return m_fixture->window(); }
    FavouritesWindow &favourites() { return m_fixture->program->favouritesWindow(); }
    LineNumberedEditor *editor() { return control<LineNumberedEditor>(&favourites(), "Memo1"); }
    QList<RecordedInteraction::Shown> &shown() { return m_fixture->interaction.shown; }
    void compose() { QTest::keyClick(control<JournalTextArea>(&window(), "Memo1")->widget(), Qt::Key_F2); }
    QStringList firstRunMessages();

    std::unique_ptr<ProgramFixture> m_fixture;
};

void FavouritesThroughMainWindowTest::init()
{
    m_fixture = std::make_unique<ProgramFixture>();
}

void FavouritesThroughMainWindowTest::cleanup()
{
    m_fixture.reset();
}

void FavouritesThroughMainWindowTest::stop()
{
    window().close();
    QVERIFY(!window().isVisible());
    m_fixture->program.reset();
}

QStringList FavouritesThroughMainWindowTest::firstRunMessages()
{
    QStringList texts;
    for (const RecordedInteraction::Shown &shown : shown())
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
    QCOMPARE(m_fixture->folder.read(QStringLiteral("Lists/favourite.txt")), Windows1251::encodeOrThrow(tweet) + "\r\n");

    shown().clear();
    start();
    QVERIFY(firstRunMessages().isEmpty());
    QCOMPARE(m_fixture->core().favourites().lines(), (QStringList{tweet, QString()}));
}

void FavouritesThroughMainWindowTest::autoSaveOffWritesNothingAndAsksAgain()
{
    m_fixture->folder.writeSettings("[option]\r\ncheck4=0\r\n");
    for (int run = 0; run < 2; ++run) {
        shown().clear();
        start();
        QCOMPARE(firstRunMessages().size(), 1);
        compose();
        QTest::mouseClick(control<QWidget>(&window(), "XPHoverLabel5"), Qt::LeftButton);
        stop();
        QVERIFY(!QFile::exists(m_fixture->folder.path(QStringLiteral("Lists/favourite.txt"))));
    }
}

void FavouritesThroughMainWindowTest::f7ShowsTheSameTextWithItsEdits()
{
    start();
    compose();
    QTest::mouseClick(control<QWidget>(&window(), "XPHoverLabel5"), Qt::LeftButton);
    QTest::keyClick(&window(), Qt::Key_F7);
    QTRY_VERIFY(favourites().isVisible());
    QCOMPARE(m_fixture->interaction.noticeTitles().last(), QStringLiteral("Избранное"));

    editor()->moveCursor(QTextCursor::End);
    QTest::keyClicks(editor(), QStringLiteral(" mine"));
    favourites().close();
    QVERIFY(!favourites().isVisible());
    QVERIFY(window().isVisible());

    QTest::keyClick(&window(), Qt::Key_F7);
    QTRY_VERIFY(favourites().isVisible());
    QVERIFY(editor()->toPlainText().endsWith(QStringLiteral(" mine")));
}

void FavouritesThroughMainWindowTest::keysReachTheRightMenus()
{
    start();
    compose();
    QTest::keyClick(&window(), Qt::Key_F7);
    QTRY_VERIFY(favourites().isVisible());
    favourites().activateWindow();
    LineNumberedEditor *editor = this->editor();
    editor->setPlainText(QStringLiteral("вырежи меня"));
    editor->selectAll();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));

    // Ctrl+X cuts here; the main window stays open.
    QTest::keyClick(editor, Qt::Key_X, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("вырежи меня"));
    QVERIFY(editor->toPlainText().isEmpty());
    QVERIFY(window().isVisible());

    // F2 belongs to no menu of this window: the main menu composes.
    const int before = control<JournalTextArea>(&window(), "Memo1")->text().size();
    QTest::keyClick(editor, Qt::Key_F2);
    QVERIFY(control<JournalTextArea>(&window(), "Memo1")->text().size() > before);
}

void FavouritesThroughMainWindowTest::unreadableFileIsNeverWrittenOver()
{
    // A folder in the file's place cannot be read, whoever runs the program.
    QDir().mkpath(m_fixture->folder.path(QStringLiteral("Lists/favourite.txt")));
    start();
    QVERIFY(firstRunMessages().isEmpty());
    // Named as the folder with its separator, then "/Lists/favourite.txt".
    const QString named = QDir(m_fixture->folder.path(QString())).absolutePath() + QStringLiteral("//Lists/favourite.txt");
    QVERIFY2(shown().first().text.startsWith(QStringLiteral("Cannot open file \"%1\".").arg(named)),
             qPrintable(shown().first().text));
    compose();
    QTest::mouseClick(control<QWidget>(&window(), "XPHoverLabel5"), Qt::LeftButton);
    shown().clear();

    // The close says so and asks; No keeps the program open with the
    // favourites shown, where "Сохранить текст как..." can keep them.
    window().close();
    QVERIFY(window().isVisible());
    QCOMPARE(shown().size(), 2);
    QVERIFY(shown()[0].text.contains(QStringLiteral("Избранно")));
    QCOMPARE(shown()[1].kind, RecordedInteraction::Shown::Kind::Question);
    QCOMPARE(shown()[1].text, QStringLiteral("Сохранить не удалось. Выйти без сохранения?"));
    QVERIFY(favourites().isVisible());

    m_fixture->interaction.questionAnswer = true;
    stop();
    QVERIFY(QFileInfo(m_fixture->folder.path(QStringLiteral("Lists/favourite.txt"))).isDir());
}

// The window's two outside links, as the program wires them, reach the desktop.
void FavouritesThroughMainWindowTest::outsideLinksGoToTheDesktop()
{
    start();
    favourites().showAndRaise();
    control<QAction>(&favourites(), "N10")->trigger();
    control<QAction>(&favourites(), "N8")->trigger();
    const OutsideAddresses::Table shipped = OutsideAddresses::shippedTable();
    QCOMPARE(m_fixture->interaction.openedOnDesktop,
             (QList<QUrl>{QUrl(shipped.communityGroup), QUrl(shipped.makerHomePage)}));
}

QTEST_MAIN(FavouritesThroughMainWindowTest)
#include "FavouritesThroughMainWindowTest.moc"

#include "journal/JournalTextArea.h"
#include "shell/BrowserWindow.h"
#include "tests/support/ProgramFixture.h"

#include <QAction>
#include <QTest>
#include <QWebEngineView>

#include <memory>

// The main window's outside links as the user meets them: the hero link and
// the help menu open the program's own browser window, the support mail goes
// to the desktop, and so does the download the hero link offers after
// "Рассказать другу", once the user says Yes. Pages are local files standing for the outside addresses.
class BrowserThroughMainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void heroLinkAndHelpMenuUseTheBuiltInWindow();

private:
    QString page(const QString &name) const { return QUrl::fromLocalFile(m_pages.filePath(name)).toString(); }
    void writePage(const QString &name);

    QTemporaryDir m_pages;
};

void BrowserThroughMainWindowTest::writePage(const QString &name)
{
    QFile file(m_pages.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><body>" + name.toUtf8() + "</body></html>");
}

void BrowserThroughMainWindowTest::initTestCase()
{
    for (const QString &name : {QStringLiteral("kotofeich"), QStringLiteral("home.html"), QStringLiteral("setup.exe")})
        writePage(name);
}

void BrowserThroughMainWindowTest::heroLinkAndHelpMenuUseTheBuiltInWindow()
{
    ProgramFixture fixture;
    fixture.addresses.profilePrefix = page(QString()) + u'/';
    fixture.addresses.makerHomePage = page(QStringLiteral("home.html"));
    // Served as a download: the engine shows no .exe.
    fixture.addresses.downloadAddress = page(QStringLiteral("setup.exe"));
    fixture.start();
    MainWindow &window = fixture.window();
    BrowserWindow &browser = fixture.program->browserWindow();
    const auto webView = [&browser] { return browser.findChild<QWebEngineView *>(QStringLiteral("WebBrowser1")); };
    // Nothing of the web engine is started until a page is opened.
    QVERIFY(!webView());

    QTest::keyClick(control<JournalTextArea>(&window, "Memo1")->widget(), Qt::Key_F2);
    QTest::mouseClick(control<QWidget>(&window, "twiname"), Qt::LeftButton);
    QTRY_VERIFY(browser.isVisible());
    QVERIFY(webView());
    QTRY_COMPARE(webView()->url().toString(), page(QStringLiteral("kotofeich")));

    control<QAction>(&window, "N340")->trigger();
    QCOMPARE(fixture.interaction.noticeTitles().last(), QStringLiteral("Продукты Merovale"));
    QTRY_COMPARE(webView()->url().toString(), page(QStringLiteral("home.html")));

    control<QAction>(&window, "N19")->trigger();
    QCOMPARE(fixture.interaction.openedOnDesktop.size(), 1);
    QCOMPARE(fixture.interaction.openedOnDesktop.first().scheme(), QStringLiteral("mailto"));

    control<QAction>(&window, "N20")->trigger();
    fixture.interaction.questionAnswer = true;
    QTest::mouseClick(control<QWidget>(&window, "twiname"), Qt::LeftButton);
    QTRY_COMPARE_WITH_TIMEOUT(fixture.interaction.openedOnDesktop.size(), 2, 20000);
    QCOMPARE(fixture.interaction.openedOnDesktop.last().toString(), page(QStringLiteral("setup.exe")));
    QCOMPARE(fixture.interaction.shown.last().kind, RecordedInteraction::Shown::Kind::Question);
    QVERIFY(fixture.interaction.shown.last().text.endsWith(page(QStringLiteral("setup.exe"))));
}

QTEST_MAIN(BrowserThroughMainWindowTest)
#include "BrowserThroughMainWindowTest.moc"

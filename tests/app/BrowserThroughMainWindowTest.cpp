#include "app/MainWindow.h"
#include "app/Program.h"
#include "base/OutsideAddresses.h"
#include "journal/PlainJournalView.h"
#include "shell/BrowserWindow.h"
#include "shell/TrayIcon.h"
#include "tests/support/Controls.h"
#include "tests/support/DesktopRecorder.h"
#include "tests/support/ScratchProgramFolder.h"

#include <QAction>
#include <QDesktopServices>
#include <QSignalSpy>
#include <QTest>
#include <QWebEngineView>

#include <memory>

// The main window's outside links as the user meets them: the hero link and
// the help menu open the program's own browser window, the support mail goes
// to the desktop. Pages are local files standing for the outside addresses.
class BrowserThroughMainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void heroLinkAndHelpMenuUseTheBuiltInWindow();

private:
    QString page(const QString &name) const { return QUrl::fromLocalFile(m_pages.filePath(name)).toString(); }
    void writePage(const QString &name);

    QTemporaryDir m_pages;
    DesktopRecorder m_desktop;
};

void BrowserThroughMainWindowTest::writePage(const QString &name)
{
    QFile file(m_pages.filePath(name));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("<html><body>" + name.toUtf8() + "</body></html>");
}

void BrowserThroughMainWindowTest::initTestCase()
{
    for (const QString &name : {QStringLiteral("kotofeich"), QStringLiteral("home.html")})
        writePage(name);
    OutsideAddresses::Table table = OutsideAddresses::shippedTable();
    table.profilePrefix = page(QString()) + u'/';
    table.makerHomePage = page(QStringLiteral("home.html"));
    OutsideAddresses::replaceForTesting(table);
    QDesktopServices::setUrlHandler(QStringLiteral("mailto"), &m_desktop, "open");
}

void BrowserThroughMainWindowTest::cleanupTestCase()
{
    QDesktopServices::unsetUrlHandler(QStringLiteral("mailto"));
    OutsideAddresses::replaceForTesting(OutsideAddresses::shippedTable());
}

void BrowserThroughMainWindowTest::heroLinkAndHelpMenuUseTheBuiltInWindow()
{
    ScratchProgramFolder folder;
    QStringList notices;
    TrayIcon::setNoticeInterceptorForTesting([&notices](const QString &title, const QString &) { notices << title; });
    Program program;
    MainWindow &window = program.mainWindow();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    BrowserWindow &browser = program.browserWindow();
    // Nothing of the web engine is started until a page is opened.
    QVERIFY(!browser.webView());

    QTest::keyClick(control<PlainJournalView>(&window, "Memo1")->widget(), Qt::Key_F2);
    QTest::mouseClick(control<QWidget>(&window, "twiname"), Qt::LeftButton);
    QTRY_VERIFY(browser.isVisible());
    QVERIFY(browser.webView());
    QTRY_COMPARE(browser.webView()->url().toString(), page(QStringLiteral("kotofeich")));

    control<QAction>(&window, "N340")->trigger();
    QCOMPARE(notices.last(), QStringLiteral("Продукты Merovale"));
    QTRY_COMPARE(browser.webView()->url().toString(), page(QStringLiteral("home.html")));

    control<QAction>(&window, "N19")->trigger();
    QCOMPARE(m_desktop.opened.size(), 1);
    QCOMPARE(m_desktop.opened.first().scheme(), QStringLiteral("mailto"));
    TrayIcon::setNoticeInterceptorForTesting({});
}

QTEST_MAIN(BrowserThroughMainWindowTest)
#include "BrowserThroughMainWindowTest.moc"

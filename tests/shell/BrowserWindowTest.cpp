#include "base/AppError.h"
#include "base/OutsideAddresses.h"
#include "shell/BrowserWindow.h"
#include "shell/OutsideLinks.h"
#include "settings/Settings.h"
#include "ui/HoverLinkLabel.h"
#include "tests/support/RecordedInteraction.h"

#include <QFile>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTcpServer>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QWebEngineHistory>
#include <QWebEnginePage>
#include <QWebEngineView>

namespace {

const QString noPageBefore = QStringLiteral("Не найдено страниц, предшествующих этой странице.");
const QString noPageAfter = QStringLiteral("Не найдено страниц, идущих после данной страницы.");

void writePage(const QString &path, const QString &title)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("<html><head><title>%1</title></head><body><p>%1</p></body></html>").arg(title).toUtf8());
}

QWebEngineView *webView(BrowserWindow &window)
{
    return window.findChild<QWebEngineView *>(QStringLiteral("WebBrowser1"));
}

// Waits for the page that is loading now; true when it loaded without error.
bool loaded(BrowserWindow &window)
{
    QSignalSpy finished(webView(window), &QWebEngineView::loadFinished);
    return finished.wait(20000) && finished.first().first().toBool();
}

QString pageText(BrowserWindow &window)
{
    QString text;
    bool done = false;
    webView(window)->page()->toPlainText([&](const QString &result) {
        text = result;
        done = true;
    });
    if (!QTest::qWaitFor([&done] { return done; }, 10000))
        qWarning("The page text did not come");
    return text;
}

void click(BrowserWindow &window, const char *link)
{
    auto *label = window.findChild<HoverLinkLabel *>(QString::fromLatin1(link));
    QVERIFY2(label, link);
    QTest::mouseClick(label, Qt::LeftButton);
}

// An address on loopback where nothing listens.
QString refusedAddress()
{
    QTcpServer server;
    server.listen(QHostAddress::LocalHost);
    const quint16 port = server.serverPort();
    server.close();
    return QStringLiteral("http://127.0.0.1:%1/").arg(port);
}

} // namespace

class BrowserWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(m_pages.isValid());
        writePage(m_pages.filePath(QStringLiteral("hero.html")), QStringLiteral("Hero profile"));
        writePage(m_pages.filePath(QStringLiteral("products.html")), QStringLiteral("Products"));
        m_addresses.profilePrefix = QUrl::fromLocalFile(m_pages.path()).toString() + u'/';
        m_addresses.makerProductsPage =
            QUrl::fromLocalFile(m_pages.filePath(QStringLiteral("products.html"))).toString();
    }

    void init() { m_interaction = RecordedInteraction(); }

    void frameAndHeaderBeforeTheFirstOpening()
    {
        BrowserWindow window(m_interaction);
        QCOMPARE(window.objectName(), QStringLiteral("plaforma"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Веб-браузер Ярнспина"));
        QVERIFY(window.windowFlags() & Qt::WindowMaximizeButtonHint);
        QVERIFY(!(window.windowFlags() & Qt::WindowMinimizeButtonHint));
        // The engine starts only when a page is first opened.
        QVERIFY(!webView(window));
        struct Link { const char *name; const char *text; int left; const char *hint; };
        for (const Link &link : {Link{"nazad", "< Назад", 78, "Назад"}, Link{"vpered", "Вперед >", 130, "Вперед"},
                                 Link{"XPHoverLabel1", "Остановить", 202, "Остановить"},
                                 Link{"XPHoverLabel2", "Обновить", 274, "Обновить страницу"},
                                 Link{"XPHoverLabel3", "Закрыть окно", 450, "Закрыть окно"}}) {
            auto *label = window.findChild<HoverLinkLabel *>(QString::fromLatin1(link.name));
            QVERIFY2(label, link.name);
            QCOMPARE(label->text(), QString::fromUtf8(link.text));
            QCOMPARE(label->pos(), QPoint(link.left, 21));
            QCOMPARE(label->toolTip(), QString::fromUtf8(link.hint));
        }
        auto *status = window.findChild<QStatusBar *>(QStringLiteral("StatusBar1"));
        QVERIFY(status);
        QCOMPARE(status->findChild<QLabel *>()->text(), QStringLiteral("  Merovale Yarnspin"));
    }

    void anAddressThatCannotBeParsedIsNotOpened()
    {
        BrowserWindow window(m_interaction);
        QVERIFY_THROWS_EXCEPTION(AppError, window.open(QStringLiteral("http://[::1")));
        QVERIFY(!window.isVisible());
    }

    void backRightAfterTheFirstOpeningShowsItsMessageAndKeepsThePage()
    {
        BrowserWindow window(m_interaction);
        OutsideLinks links = linksFor(window);
        links.open(OutsideLinks::Endpoint::HeroProfile);
        QVERIFY(window.isVisible());
        QCOMPARE(webView(window)->objectName(), QStringLiteral("WebBrowser1"));
        QVERIFY(loaded(window));
        click(window, "nazad");
        QCOMPARE(m_interaction.shown.size(), 1);
        QCOMPARE(m_interaction.shown[0].kind, RecordedInteraction::Shown::Kind::Warning);
        QCOMPARE(m_interaction.shown[0].caption, QStringLiteral("Merovale Yarn"));
        QCOMPARE(m_interaction.shown[0].text, noPageBefore);
        QCOMPARE(m_interaction.shown[0].owner, &window);
        QTest::qWait(200);
        QCOMPARE(webView(window)->url().fileName(), QStringLiteral("hero.html"));
    }

    void historyOutlivesClosingAndForwardAtTheEndShowsItsMessage()
    {
        BrowserWindow window(m_interaction);
        OutsideLinks links = linksFor(window);
        links.open(OutsideLinks::Endpoint::HeroProfile);
        QVERIFY(loaded(window));
        // As the title bar's close button does.
        window.close();
        QVERIFY(!window.isVisible());

        links.open(OutsideLinks::Endpoint::MakerProducts);
        QVERIFY(window.isVisible());
        QVERIFY(loaded(window));
        click(window, "nazad");
        QVERIFY(loaded(window));
        QCOMPARE(webView(window)->url().fileName(), QStringLiteral("hero.html"));

        click(window, "vpered");
        QVERIFY(loaded(window));
        QCOMPARE(webView(window)->url().fileName(), QStringLiteral("products.html"));
        click(window, "vpered");
        QCOMPARE(m_interaction.shown.size(), 1);
        QCOMPARE(m_interaction.shown[0].text, noPageAfter);
        QCOMPARE(m_interaction.shown[0].kind, RecordedInteraction::Shown::Kind::Warning);
        QCOMPARE(m_interaction.shown[0].owner, &window);
    }

    void aPageThatFailsShowsTheErrorPageAndTheLinksKeepWorking()
    {
        BrowserWindow window(m_interaction);
        OutsideLinks links = linksFor(window);
        links.open(OutsideLinks::Endpoint::HeroProfile);
        QVERIFY(loaded(window));
        window.open(refusedAddress());
        QVERIFY(!loaded(window));
        QVERIFY(window.isVisible());
        // The engine's own error page.
        QVERIFY(pageText(window).contains(QStringLiteral("ERR_CONNECTION_REFUSED")));

        click(window, "nazad");
        QVERIFY(loaded(window));
        QCOMPARE(webView(window)->url().fileName(), QStringLiteral("hero.html"));
        QVERIFY(m_interaction.shown.isEmpty());

        click(window, "XPHoverLabel3");
        QVERIFY(!window.isVisible());
    }

    void reloadShowsThePageAsItIsNow()
    {
        const QString path = m_pages.filePath(QStringLiteral("changing.html"));
        writePage(path, QStringLiteral("First text"));
        BrowserWindow window(m_interaction);
        window.open(QUrl::fromLocalFile(path).toString());
        QVERIFY(loaded(window));
        writePage(path, QStringLiteral("Second text"));
        click(window, "XPHoverLabel2");
        QVERIFY(loaded(window));
        QCOMPARE(pageText(window).trimmed(), QStringLiteral("Second text"));
    }

    void aLinkForANewWindowOpensInThisOne()
    {
        const QString path = m_pages.filePath(QStringLiteral("links.html"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<html><body><a id='blank' href='products.html' target='_blank'>products</a></body></html>");
        file.close();
        BrowserWindow window(m_interaction);
        window.open(QUrl::fromLocalFile(path).toString());
        QVERIFY(loaded(window));
        webView(window)->page()->runJavaScript(QStringLiteral("document.getElementById('blank').click()"));
        QVERIFY(loaded(window));
        QCOMPARE(webView(window)->url().fileName(), QStringLiteral("products.html"));
        click(window, "nazad");
        QVERIFY(loaded(window));
        QCOMPARE(webView(window)->url().fileName(), QStringLiteral("links.html"));
    }

    void aDownloadGoesToTheDesktop()
    {
        const QString path = m_pages.filePath(QStringLiteral("setup.exe"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, '\x4d'));
        file.close();
        BrowserWindow window(m_interaction);
        window.open(QUrl::fromLocalFile(path).toString());
        QTRY_COMPARE_WITH_TIMEOUT(m_interaction.openedOnDesktop, QList<QUrl>{QUrl::fromLocalFile(path)}, 20000);
    }

    // Both run in the application's own loop: only there does Qt end the program.
    void closingItDoesNotEndTheProgram()
    {
        BrowserWindow window(m_interaction);
        QTimer::singleShot(0, &window, [&window] {
            window.show();
            // With the main window hidden in the tray, this is the only window.
            QTimer::singleShot(100, &window, [&window] { window.close(); });
            QTimer::singleShot(600, qApp, [] { QCoreApplication::exit(7); });
        });
        QCOMPARE(QCoreApplication::exec(), 7);
        QVERIFY(window.isHidden());
    }

    void closingTheMainWindowEndsTheProgramWhileTheBrowserIsOpen()
    {
        QWidget mainWindow;
        BrowserWindow window(m_interaction);
        QTimer::singleShot(0, &window, [&] {
            mainWindow.show();
            window.show();
            QTimer::singleShot(100, &mainWindow, &QWidget::close);
            QTimer::singleShot(3000, qApp, [] { QCoreApplication::exit(7); });
        });
        QCOMPARE(QCoreApplication::exec(), 0);
    }

private:
    OutsideLinks linksFor(BrowserWindow &window)
    {
        return OutsideLinks(m_addresses, m_hero, m_settings, m_interaction,
                            [&window](const QString &address) { window.open(address); }, [] {});
    }

    QTemporaryDir m_pages;
    OutsideAddresses::Table m_addresses = OutsideAddresses::shippedTable();
    HeroHandle m_hero{QStringLiteral("hero.html"), false};
    Settings m_settings{m_pages.filePath(QStringLiteral("no settings.ini"))};
    RecordedInteraction m_interaction;
};

QTEST_MAIN(BrowserWindowTest)
#include "BrowserWindowTest.moc"

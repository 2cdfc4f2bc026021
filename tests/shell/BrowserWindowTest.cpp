#include "base/AppError.h"
#include "base/OutsideAddresses.h"
#include "shell/BrowserWindow.h"
#include "shell/OutsideLinks.h"
#include "settings/Settings.h"
#include "ui/EventGuard.h"
#include "ui/HoverLinkLabel.h"
#include "tests/support/RecordedInteraction.h"

#include <QDesktopServices>
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

void writeFile(const QString &path, const QByteArray &content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(content);
}

void writePage(const QString &path, const QString &title, const QString &body = QString())
{
    writeFile(path, QStringLiteral("<html><head><title>%1</title></head><body><p>%1</p>%2</body></html>")
                        .arg(title, body)
                        .toUtf8());
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

QVariant evaluate(BrowserWindow &window, const QString &script)
{
    QVariant value;
    bool done = false;
    webView(window)->page()->runJavaScript(script, [&](const QVariant &result) {
        value = result;
        done = true;
    });
    if (!QTest::qWaitFor([&done] { return done; }, 10000))
        qWarning("The script's result did not come");
    return value;
}

// Clicks an element of the page with the mouse, as the user does.
void clickElement(BrowserWindow &window, const QString &id)
{
    const QVariantList centre = evaluate(window, QStringLiteral("(() => { const box = document.getElementById('%1')"
                                                                ".getBoundingClientRect(); return [box.x + box.width / 2, "
                                                                "box.y + box.height / 2]; })()")
                                                     .arg(id))
                                    .toList();
    QVERIFY2(centre.size() == 2, qPrintable(id));
    QTest::mouseClick(webView(window)->focusProxy(), Qt::LeftButton, {},
                      QPoint(centre[0].toInt(), centre[1].toInt()));
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

public slots:
    void openedBehindTheProgramsBack(const QUrl &address) { m_openedBehindTheProgramsBack.append(address); }

private slots:
    void initTestCase()
    {
        QVERIFY(m_pages.isValid());
        writePage(m_pages.filePath(QStringLiteral("hero.html")), QStringLiteral("Hero profile"));
        writePage(m_pages.filePath(QStringLiteral("products.html")), QStringLiteral("Products"));
        m_addresses.profilePrefix = QUrl::fromLocalFile(m_pages.path()).toString() + u'/';
        m_addresses.makerProductsPage =
            QUrl::fromLocalFile(m_pages.filePath(QStringLiteral("products.html"))).toString();
        // Files a page may try to have downloaded or opened.
        writeFile(m_pages.filePath(QStringLiteral("setup.exe")), QByteArray(4096, '\x4d'));
        writeFile(m_pages.filePath(QStringLiteral("launch.desktop")),
                  "[Desktop Entry]\nType=Application\nName=Launch\nExec=touch launched\n");
        // Whatever went to the desktop past the program's question would end here.
        for (const QString &scheme : desktopSchemes())
            QDesktopServices::setUrlHandler(scheme, this, "openedBehindTheProgramsBack");
    }

    void cleanupTestCase()
    {
        for (const QString &scheme : desktopSchemes())
            QDesktopServices::unsetUrlHandler(scheme);
    }

    void init() { m_interaction = RecordedInteraction(); }
    void cleanup() { QCOMPARE(m_openedBehindTheProgramsBack, QList<QUrl>()); }

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

    void withoutItsEngineModuleTheWindowSaysSoAndStaysHidden()
    {
        const QString module = m_pages.filePath(QStringLiteral("nowhere/yarnspin-webengine.so"));
        BrowserWindow window(m_interaction, nullptr, module);
        const QString page = QUrl::fromLocalFile(m_pages.filePath(QStringLiteral("hero.html"))).toString();
        QVERIFY(!EventGuard::run(m_interaction, [&] { window.open(page); }));
        QCOMPARE(m_interaction.shown.size(), 1);
        QCOMPARE(m_interaction.shown[0].kind, RecordedInteraction::Shown::Kind::Error);
        QVERIFY2(m_interaction.shown[0].text.contains(module), qPrintable(m_interaction.shown[0].text));
        QVERIFY(!window.isVisible());
        QVERIFY(!webView(window));
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
        QTRY_COMPARE(webView(window)->page()->lifecycleState(), QWebEnginePage::LifecycleState::Frozen);

        links.open(OutsideLinks::Endpoint::MakerProducts);
        QVERIFY(window.isVisible());
        QCOMPARE(webView(window)->page()->lifecycleState(), QWebEnginePage::LifecycleState::Active);
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
        writeFile(path, "<html><body><a id='blank' href='products.html' target='_blank'>products</a></body></html>");
        BrowserWindow window(m_interaction);
        window.open(QUrl::fromLocalFile(path).toString());
        QVERIFY(loaded(window));
        clickElement(window, QStringLiteral("blank"));
        QVERIFY(loaded(window));
        QCOMPARE(webView(window)->url().fileName(), QStringLiteral("products.html"));
        click(window, "nazad");
        QVERIFY(loaded(window));
        QCOMPARE(webView(window)->url().fileName(), QStringLiteral("links.html"));
    }

    // What a page tries by itself: nothing reaches the desktop, no question
    // is asked, and the page stays where it is.
    void aPageStartsNothingByItself_data()
    {
        QTest::addColumn<QString>("script");
        QTest::addColumn<bool>("clickFirst");
        QTest::addColumn<bool>("hide");
        const QString done = QStringLiteral("setTimeout(() => { document.title = 'done'; }, 1500);");
        QTest::newRow("20 downloads") << QStringLiteral(
            "for (let i = 0; i < 18; ++i) {"
            "  const link = document.createElement('a'); link.href = 'setup.exe?' + i; link.download = '';"
            "  document.body.appendChild(link); link.click(); }"
            "const frame = document.createElement('iframe'); frame.src = 'setup.exe?frame';"
            "document.body.appendChild(frame);"
            "setTimeout(() => { location = 'setup.exe?location'; }, 300);") + done << false << false;
        QTest::newRow("a .desktop file") << QStringLiteral(
            "const link = document.createElement('a'); link.href = 'launch.desktop'; link.download = '';"
            "document.body.appendChild(link); link.click();"
            "setTimeout(() => { location = 'launch.desktop'; }, 300);") + done << false << false;
        QTest::newRow("pop-ups") << QStringLiteral(
            "window.open('products.html'); window.open('ssh://popup.example/'); window.open('setup.exe?popup');")
            + done << false << false;
        QTest::newRow("ssh set by a script") << QStringLiteral(
            "setTimeout(() => { location = 'ssh://script.example/'; }, 300);") + done << false << false;
        // Long enough after a click elsewhere that it is no answer to it.
        QTest::newRow("mail set by a script after a click") << QStringLiteral(
            "document.getElementById('elsewhere').addEventListener('click', () => {"
            "  setTimeout(() => { location = 'mailto:someone@example.com'; }, 2500);"
            "  setTimeout(() => { document.title = 'done'; }, 3500); });") << true << false;
        QTest::newRow("timers on a hidden page") << QStringLiteral(
            "let ticks = 0;"
            "setInterval(() => { document.title = 'tick ' + ++ticks;"
            "  const link = document.createElement('a'); link.href = 'setup.exe?' + ticks; link.download = '';"
            "  document.body.appendChild(link); link.click(); location = 'ssh://timer.example/' + ticks; }, 100);")
            << false << true;
    }

    void aPageStartsNothingByItself()
    {
        QFETCH(QString, script);
        QFETCH(bool, clickFirst);
        QFETCH(bool, hide);
        const QString path = m_pages.filePath(QStringLiteral("hostile.html"));
        writePage(path, QStringLiteral("Hostile"),
                  QStringLiteral("<p id='elsewhere' style='height: 100px'>text</p><script>%1</script>").arg(script));
        const QUrl address = QUrl::fromLocalFile(path);
        BrowserWindow window(m_interaction);
        window.open(address.toString());
        QVERIFY(loaded(window));
        if (clickFirst)
            clickElement(window, QStringLiteral("elsewhere"));
        if (hide) {
            click(window, "XPHoverLabel3");
            QTRY_COMPARE(webView(window)->page()->lifecycleState(), QWebEnginePage::LifecycleState::Frozen);
            // What was under way as it froze.
            QTest::qWait(200);
            QSignalSpy titles(webView(window)->page(), &QWebEnginePage::titleChanged);
            // A hidden page that still ran would tick at least once a second.
            QTest::qWait(1500);
            QCOMPARE(titles.count(), 0);
        } else {
            QTRY_COMPARE_WITH_TIMEOUT(webView(window)->title(), QStringLiteral("done"), 20000);
            // What the last steps started.
            QTest::qWait(300);
        }
        QCOMPARE(m_interaction.openedOnDesktop, QList<QUrl>());
        QVERIFY(m_interaction.shown.isEmpty());
        QCOMPARE(webView(window)->url(), address);
    }

    // An address leaves the program only when the user asked for it: the
    // program opened it or the user clicked a link to it; then only after Yes.
    void anAddressTheUserAskedForGoesToTheDesktopAfterTheQuestion_data()
    {
        QTest::addColumn<QString>("link"); // empty: the program opens the address itself
        QTest::addColumn<QString>("address");
        QTest::addColumn<bool>("yes");
        const QString setup = QUrl::fromLocalFile(m_pages.filePath(QStringLiteral("setup.exe"))).toString();
        const QString desktopFile = QUrl::fromLocalFile(m_pages.filePath(QStringLiteral("launch.desktop"))).toString();
        QTest::newRow("a download the program opens, yes") << QString() << setup << true;
        QTest::newRow("a download the program opens, no") << QString() << setup << false;
        QTest::newRow("a clicked ssh link, yes") << QStringLiteral("ssh") << QStringLiteral("ssh://click.example/") << true;
        QTest::newRow("a clicked mail link, no") << QStringLiteral("mail") << QStringLiteral("mailto:someone@example.com")
                                                 << false;
        QTest::newRow("a clicked ssh link for a new window, yes")
            << QStringLiteral("blankssh") << QStringLiteral("ssh://blank.example/") << true;
        QTest::newRow("a clicked .desktop file, yes") << QStringLiteral("desktop") << desktopFile << true;
        QTest::newRow("a clicked download link, no") << QStringLiteral("saved") << setup << false;
    }

    void anAddressTheUserAskedForGoesToTheDesktopAfterTheQuestion()
    {
        QFETCH(QString, link);
        QFETCH(QString, address);
        QFETCH(bool, yes);
        const QString path = m_pages.filePath(QStringLiteral("clicks.html"));
        writePage(path, QStringLiteral("Links"),
                  QStringLiteral("<style>a { display: block; height: 40px; }</style>"
                                 "<a id='ssh' href='ssh://click.example/'>ssh</a>"
                                 "<a id='mail' href='mailto:someone@example.com'>mail</a>"
                                 "<a id='blankssh' href='ssh://blank.example/' target='_blank'>ssh, new window</a>"
                                 "<a id='desktop' href='launch.desktop'>desktop file</a>"
                                 "<a id='saved' href='setup.exe' download>download</a>"));
        m_interaction.questionAnswer = yes;
        BrowserWindow window(m_interaction);
        if (link.isEmpty()) {
            window.open(address);
        } else {
            window.open(QUrl::fromLocalFile(path).toString());
            QVERIFY(loaded(window));
            clickElement(window, link);
        }
        QTRY_COMPARE_WITH_TIMEOUT(m_interaction.shown.size(), 1, 20000);
        QCOMPARE(m_interaction.shown[0].kind, RecordedInteraction::Shown::Kind::Question);
        QVERIFY2(m_interaction.shown[0].text.endsWith(u'\n' + address), qPrintable(m_interaction.shown[0].text));
        QTest::qWait(300);
        QCOMPARE(m_interaction.openedOnDesktop, yes ? QList<QUrl>{QUrl(address)} : QList<QUrl>());
        QCOMPARE(m_interaction.shown.size(), 1);
        auto *status = window.findChild<QStatusBar *>(QStringLiteral("StatusBar1"));
        QCOMPARE(status->findChild<QLabel *>()->text(), QStringLiteral("  Merovale Yarnspin"));
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

    static QStringList desktopSchemes()
    {
        return {QStringLiteral("file"), QStringLiteral("http"), QStringLiteral("https"), QStringLiteral("ssh"),
                QStringLiteral("mailto")};
    }

    QTemporaryDir m_pages;
    OutsideAddresses::Table m_addresses = OutsideAddresses::shippedTable();
    HeroHandle m_hero{QStringLiteral("hero.html"), false};
    Settings m_settings{m_pages.filePath(QStringLiteral("no settings.ini"))};
    RecordedInteraction m_interaction;
    QList<QUrl> m_openedBehindTheProgramsBack;
};

QTEST_MAIN(BrowserWindowTest)
#include "BrowserWindowTest.moc"

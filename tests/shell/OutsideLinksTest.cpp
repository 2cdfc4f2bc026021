#include "base/AppError.h"
#include "base/OutsideAddresses.h"
#include "platform/WebSandbox.h"
#include "shell/OutsideLinks.h"
#include "ui/MessageBoxes.h"

#include <QTest>
#include <QUrl>

#include <string>

namespace {

using Endpoint = OutsideLinks::Endpoint;
using Opening = OutsideLinks::Opening;

// Every address differs, so a command that reaches the wrong endpoint shows.
OutsideAddresses::Table injectedAddresses()
{
    return OutsideAddresses::Table{
        QStringLiteral("https://profiles.test/"),
        QStringLiteral("https://group.test/"),
        QStringLiteral("https://maker.test/"),
        QStringLiteral("https://maker.test/products"),
        QStringLiteral("https://maker.test/widget-author"),
        QStringLiteral("https://maker.test/widget-maker"),
        QStringLiteral("https://blog.test/"),
        QStringLiteral("https://social.test/author"),
        QStringLiteral("https://maker.test/download/setup.exe"),
        QStringLiteral("help@maker.test"),
        QStringLiteral("author@maker.test"),
        QStringLiteral("maker.test"),
    };
}

struct Opened
{
    Opening way;
    QString address;
};

// A host and openers that record what happens, in order.
struct Recorder
{
    OutsideLinks::HeroHandle hero;
    QString ownAccount;
    bool noticesSuppressed = true;
    bool builtInBrowserWorks = true;
    QStringList events;
    QList<Opened> opened;
    QList<MessageBoxes::Shown> messages;

    OutsideLinks links()
    {
        OutsideLinks::Host host;
        host.heroHandle = [this] { return hero; };
        host.ownAccount = [this] { return ownAccount; };
        host.showSettingsDialog = [this] {
            events << QStringLiteral("settings");
            // The user types an account in the dialog; the command must still open nothing.
            ownAccount = QStringLiteral("typed_in_dialog");
        };
        host.noticesSuppressed = [this] { return noticesSuppressed; };
        host.showProductsNotice = [this] { events << QStringLiteral("products notice"); };
        OutsideLinks::Openers openers;
        if (builtInBrowserWorks) {
            openers.builtInBrowser = [this](const QString &address) {
                events << QStringLiteral("open");
                opened.append({Opening::BuiltInBrowser, address});
            };
        }
        openers.desktop = [this](const QString &address) {
            events << QStringLiteral("open");
            opened.append({Opening::Desktop, address});
        };
        MessageBoxes::setInterceptorForTesting([this](const MessageBoxes::Shown &shown) {
            events << QStringLiteral("message");
            messages.append(shown);
        });
        return OutsideLinks(host, openers);
    }
};

const QString supportMail = QStringLiteral(
    "mailto:help@maker.test"
    "?subject=%D0%92%D0%BE%D0%BF%D1%80%D0%BE%D1%81%20%D1%82%D0%B5%D1%85%D0%BD%D0%B8%D1%87%D0%B5%D1%81%D0%BA%D0%BE"
    "%D0%B9%20%D0%BF%D0%BE%D0%B4%D0%B4%D0%B5%D1%80%D0%B6%D0%BA%D0%B8"
    "&body=%D0%A3%20%D0%BC%D0%B5%D0%BD%D1%8F%20%D0%B2%D0%BE%D0%B7%D0%BD%D0%B8%D0%BA%20%D1%81%D0%BB%D0%B5%D0%B4%D1%83"
    "%D1%8E%D1%89%D0%B8%D0%B9%20%D0%B2%D0%BE%D0%BF%D1%80%D0%BE%D1%81:");

} // namespace

Q_DECLARE_METATYPE(Opening)

class OutsideLinksTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { OutsideAddresses::replaceForTesting(injectedAddresses()); }
    void cleanup() { MessageBoxes::setInterceptorForTesting(nullptr); }

    void everyCommandReachesItsEndpoint_data()
    {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("address");
        QTest::addColumn<Opening>("way");
        const auto row = [](const char *window, const char *item, const QString &address, Opening way) {
            QTest::addRow("%s.%s", window, item) << window << item << address << way;
        };
        row("Form1", "twiname", "https://profiles.test/hero_account", Opening::BuiltInBrowser);
        row("Form1", "N50", "https://profiles.test/hero_account", Opening::BuiltInBrowser);
        row("Form1", "N25", "https://profiles.test/my_account", Opening::BuiltInBrowser);
        row("Form1", "yarn", "https://group.test/", Opening::BuiltInBrowser);
        row("Form1", "N2354", "https://maker.test/products", Opening::BuiltInBrowser);
        row("Form1", "N340", "https://maker.test/", Opening::BuiltInBrowser);
        row("Form1", "twitterquenby", "https://maker.test/widget-author", Opening::BuiltInBrowser);
        row("Form1", "twimerovale", "https://maker.test/widget-maker", Opening::BuiltInBrowser);
        row("Form1", "blog", "https://blog.test/", Opening::BuiltInBrowser);
        row("Form1", "Facebook1", "https://social.test/author", Opening::BuiltInBrowser);
        row("Form1", "N19", supportMail, Opening::Desktop);
        row("Form2", "XPHoverLabel3", "https://maker.test/", Opening::Desktop);
        row("Form2", "XPHoverLabel6", "https://blog.test/", Opening::Desktop);
        row("Form5", "N10", "https://group.test/", Opening::Desktop);
        row("Form5", "N8", "https://maker.test/", Opening::Desktop);
    }

    void everyCommandReachesItsEndpoint()
    {
        QFETCH(QString, window);
        QFETCH(QString, item);
        QFETCH(QString, address);
        QFETCH(Opening, way);
        Recorder recorder;
        recorder.hero = {QStringLiteral("hero_account"), false};
        recorder.ownAccount = QStringLiteral("my_account");
        OutsideLinks links = recorder.links();
        links.run(window.toStdString(), item.toStdString());
        QCOMPARE(recorder.opened.size(), 1);
        QCOMPARE(recorder.opened[0].address, address);
        QCOMPARE(recorder.opened[0].way, way);
        QVERIFY(recorder.messages.isEmpty());
    }

    void theTableHoldsNoCommandBeyondTheExpectedOnes()
    {
        // The rows above are the whole list; a command added to the table needs a row.
        QCOMPARE(OutsideLinks::commands().size(), std::size_t(15));
        QVERIFY_THROWS_EXCEPTION(AppError, OutsideLinks::command("Form1", "N12"));
    }

    void heroLink_data()
    {
        QTest::addColumn<QString>("handle");
        QTest::addColumn<bool>("isAddress");
        QTest::addColumn<QString>("address");
        QTest::newRow("account handle") << "some_hero" << false << "https://profiles.test/some_hero";
        QTest::newRow("no handle yet: the prefix alone") << "" << false << "https://profiles.test/";
        QTest::newRow("after Рассказать другу: the download address unchanged")
            << "https://maker.test/download/setup.exe" << true << "https://maker.test/download/setup.exe";
    }

    void heroLink()
    {
        QFETCH(QString, handle);
        QFETCH(bool, isAddress);
        QFETCH(QString, address);
        Recorder recorder;
        recorder.hero = {handle, isAddress};
        OutsideLinks links = recorder.links();
        links.run("Form1", "twiname");
        QCOMPARE(recorder.opened.size(), 1);
        QCOMPARE(recorder.opened[0].address, address);
        QCOMPARE(recorder.opened[0].way, Opening::BuiltInBrowser);
    }

    void emptyOwnAccountShowsTheMessageThenTheSettingsAndOpensNothing()
    {
        Recorder recorder;
        OutsideLinks links = recorder.links();
        links.run("Form1", "N25");
        QCOMPARE(recorder.events, QStringList({"message", "settings"}));
        QVERIFY(recorder.opened.isEmpty());
        QCOMPARE(recorder.messages[0].kind, MessageBoxes::Kind::Plain);
        QCOMPARE(recorder.messages[0].caption, QStringLiteral("Merovale Yarn"));
        QCOMPARE(recorder.messages[0].text,
                 QStringLiteral("А куда твитить-то? Укажите адрес своего твиттер-аккаунта в настройках программы."));
    }

    void ownAccountOfBlanksIsNotEmpty()
    {
        Recorder recorder;
        recorder.ownAccount = QStringLiteral("  ");
        OutsideLinks links = recorder.links();
        links.run("Form1", "N25");
        QCOMPARE(recorder.events, QStringList({"open"}));
        QCOMPARE(recorder.opened[0].address, QStringLiteral("https://profiles.test/  "));
    }

    void makersSiteShowsTheProductsNoticeFirstUnlessSuppressed()
    {
        for (const bool suppressed : {false, true}) {
            Recorder recorder;
            recorder.noticesSuppressed = suppressed;
            OutsideLinks links = recorder.links();
            links.run("Form1", "N340");
            QCOMPARE(recorder.events,
                     suppressed ? QStringList({"open"}) : QStringList({"products notice", "open"}));
        }
    }

    void supportMailIsPercentEncodedUtf8HandedOverUnchanged()
    {
        QCOMPARE(OutsideLinks::supportMailAddress(), supportMail);
        // What the desktop receives is that very text.
        QCOMPARE(QUrl(supportMail).toString(QUrl::FullyEncoded), supportMail);
        QCOMPARE(QUrl(supportMail).query(QUrl::FullyDecoded),
                 QStringLiteral("subject=Вопрос технической поддержки&body=У меня возник следующий вопрос:"));
    }

    void withoutTheWebEngineBrowserCommandsGoToTheDesktopAndTheFirstSaysWhy()
    {
        Recorder recorder;
        recorder.builtInBrowserWorks = false;
        recorder.hero = {QStringLiteral("hero"), false};
        OutsideLinks links = recorder.links();
        links.run("Form1", "twiname");
        links.run("Form1", "blog");
        links.run("Form1", "N19");
        QCOMPARE(recorder.events, QStringList({"message", "open", "open", "open"}));
        QCOMPARE(recorder.messages[0].kind, MessageBoxes::Kind::Plain);
        QCOMPARE(recorder.messages[0].caption, QStringLiteral("Merovale Yarn"));
        QVERIFY(recorder.messages[0].text.contains(QStringLiteral("root")));
        for (const Opened &opened : recorder.opened)
            QCOMPARE(opened.way, Opening::Desktop);
        QCOMPARE(recorder.opened[0].address, QStringLiteral("https://profiles.test/hero"));
    }

    void webEngineStartsAsSuperuserOnlyWithTheSandboxTurnedOff_data()
    {
        QTest::addColumn<uint>("userId");
        QTest::addColumn<bool>("disableSandboxSet");
        QTest::addColumn<QByteArray>("flags");
        QTest::addColumn<bool>("canStart");
        QTest::newRow("ordinary user") << 1000u << false << QByteArray() << true;
        QTest::newRow("superuser") << 0u << false << QByteArray() << false;
        QTest::newRow("superuser, variable set") << 0u << true << QByteArray() << true;
        QTest::newRow("superuser, --no-sandbox flag") << 0u << false << QByteArray("--foo --no-sandbox") << true;
        QTest::newRow("superuser, other flags") << 0u << false << QByteArray("--no-sandboxing") << false;
    }

    void webEngineStartsAsSuperuserOnlyWithTheSandboxTurnedOff()
    {
        QFETCH(uint, userId);
        QFETCH(bool, disableSandboxSet);
        QFETCH(QByteArray, flags);
        QFETCH(bool, canStart);
        QCOMPARE(platform::webEngineCanStart(userId, disableSandboxSet, flags), canStart);
    }
};

QTEST_MAIN(OutsideLinksTest)
#include "OutsideLinksTest.moc"

#include "base/OutsideAddresses.h"
#include "platform/WebSandbox.h"
#include "settings/Settings.h"
#include "shell/OutsideLinks.h"
#include "tests/support/RecordedInteraction.h"

#include <QTest>
#include <QUrl>

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

// The desktop, the built-in browser and the settings dialog, recording what
// happens, in order.
struct Recorder : RecordedInteraction
{
    HeroHandle hero;
    Settings settings{QStringLiteral("/nonexistent/yarnconfig.ini")};
    bool builtInBrowserWorks = true;
    QStringList events;
    QList<Opened> opened;

    Recorder()
    {
        SettingsValues values = settings.values();
        values.suppressNotices = true;
        settings.setValues(values);
    }

    void setOwnAccount(const QString &account)
    {
        SettingsValues values = settings.values();
        values.ownAccount = account;
        settings.setValues(values);
    }

    void showBox(const Box &box) override
    {
        events << QStringLiteral("message");
        RecordedInteraction::showBox(box);
    }

    void showNotice(const QString &title, const QString &text) override
    {
        events << QStringLiteral("notice ") + title;
        RecordedInteraction::showNotice(title, text);
    }

    void openOnDesktop(const QUrl &address) override
    {
        events << QStringLiteral("open");
        opened.append({Opening::Desktop, address.toString(QUrl::FullyEncoded)});
    }

    OutsideLinks links()
    {
        OutsideLinks::BuiltInBrowser builtInBrowser;
        if (builtInBrowserWorks) {
            builtInBrowser = [this](const QString &address) {
                events << QStringLiteral("open");
                opened.append({Opening::BuiltInBrowser, address});
            };
        }
        return OutsideLinks(injectedAddresses(), hero, settings, *this, builtInBrowser, [this] {
            events << QStringLiteral("settings");
            // The user types an account in the dialog; the command must still open nothing.
            setOwnAccount(QStringLiteral("typed_in_dialog"));
        });
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
Q_DECLARE_METATYPE(Endpoint)

class OutsideLinksTest : public QObject
{
    Q_OBJECT

private slots:
    void everyEndpointOpensItsAddressItsWay_data()
    {
        QTest::addColumn<Endpoint>("endpoint");
        QTest::addColumn<QString>("address");
        QTest::addColumn<Opening>("way");
        const auto row = [](const char *name, Endpoint endpoint, const QString &address, Opening way) {
            QTest::newRow(name) << endpoint << address << way;
        };
        row("hero profile", Endpoint::HeroProfile, "https://profiles.test/hero_account", Opening::BuiltInBrowser);
        row("own profile", Endpoint::OwnProfile, "https://profiles.test/my_account", Opening::BuiltInBrowser);
        row("community group", Endpoint::CommunityGroup, "https://group.test/", Opening::BuiltInBrowser);
        row("maker products", Endpoint::MakerProducts, "https://maker.test/products", Opening::BuiltInBrowser);
        row("maker site", Endpoint::MakerSite, "https://maker.test/", Opening::BuiltInBrowser);
        row("author widget", Endpoint::AuthorWidget, "https://maker.test/widget-author", Opening::BuiltInBrowser);
        row("maker widget", Endpoint::MakerWidget, "https://maker.test/widget-maker", Opening::BuiltInBrowser);
        row("author blog", Endpoint::AuthorBlog, "https://blog.test/", Opening::BuiltInBrowser);
        row("author facebook", Endpoint::AuthorFacebook, "https://social.test/author", Opening::BuiltInBrowser);
        row("support mail", Endpoint::SupportMail, supportMail, Opening::Desktop);
        row("community group outside", Endpoint::CommunityGroupOnDesktop, "https://group.test/", Opening::Desktop);
        row("maker site outside", Endpoint::MakerSiteOnDesktop, "https://maker.test/", Opening::Desktop);
        row("author blog outside", Endpoint::AuthorBlogOnDesktop, "https://blog.test/", Opening::Desktop);
    }

    void everyEndpointOpensItsAddressItsWay()
    {
        QFETCH(Endpoint, endpoint);
        QFETCH(QString, address);
        QFETCH(Opening, way);
        Recorder recorder;
        recorder.hero = {QStringLiteral("hero_account"), false};
        recorder.setOwnAccount(QStringLiteral("my_account"));
        OutsideLinks links = recorder.links();
        links.open(endpoint);
        QCOMPARE(recorder.opened.size(), 1);
        QCOMPARE(recorder.opened[0].address, address);
        QCOMPARE(recorder.opened[0].way, way);
        QVERIFY(recorder.shown.isEmpty());
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
        links.open(Endpoint::HeroProfile);
        QCOMPARE(recorder.opened.size(), 1);
        QCOMPARE(recorder.opened[0].address, address);
        QCOMPARE(recorder.opened[0].way, Opening::BuiltInBrowser);
    }

    void emptyOwnAccountShowsTheMessageThenTheSettingsAndOpensNothing()
    {
        Recorder recorder;
        OutsideLinks links = recorder.links();
        links.open(Endpoint::OwnProfile);
        QCOMPARE(recorder.events, QStringList({"message", "settings"}));
        QVERIFY(recorder.opened.isEmpty());
        QCOMPARE(recorder.shown[0].kind, RecordedInteraction::Shown::Kind::Plain);
        QCOMPARE(recorder.shown[0].caption, QStringLiteral("Merovale Yarn"));
        QCOMPARE(recorder.shown[0].text,
                 QStringLiteral("А куда твитить-то? Укажите адрес своего твиттер-аккаунта в настройках программы."));
    }

    void ownAccountOfBlanksIsNotEmpty()
    {
        Recorder recorder;
        recorder.setOwnAccount(QStringLiteral("  "));
        OutsideLinks links = recorder.links();
        links.open(Endpoint::OwnProfile);
        QCOMPARE(recorder.events, QStringList({"open"}));
        QCOMPARE(recorder.opened[0].address, QStringLiteral("https://profiles.test/  "));
    }

    void makersSiteShowsTheProductsNoticeFirstUnlessSuppressed()
    {
        for (const bool suppressed : {false, true}) {
            Recorder recorder;
            SettingsValues values = recorder.settings.values();
            values.suppressNotices = suppressed;
            recorder.settings.setValues(values);
            OutsideLinks links = recorder.links();
            links.open(Endpoint::MakerSite);
            QCOMPARE(recorder.events,
                     suppressed ? QStringList({"open"}) : QStringList({"notice Продукты Merovale", "open"}));
        }
    }

    void supportMailIsPercentEncodedUtf8HandedOverUnchanged()
    {
        Recorder recorder;
        QCOMPARE(recorder.links().supportMailAddress(), supportMail);
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
        links.open(Endpoint::HeroProfile);
        links.open(Endpoint::AuthorBlog);
        links.open(Endpoint::SupportMail);
        QCOMPARE(recorder.events, QStringList({"message", "open", "open", "open"}));
        QCOMPARE(recorder.shown[0].kind, RecordedInteraction::Shown::Kind::Plain);
        QCOMPARE(recorder.shown[0].caption, QStringLiteral("Merovale Yarn"));
        QVERIFY(recorder.shown[0].text.contains(QStringLiteral("root")));
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

#include "base/AppError.h"
#include "base/Windows1251.h"
#include "core/YarnCore.h"
#include "tests/support/ScratchProgramFolder.h"
#include "tests/support/UntranslatedSystemMessages.h"

#include <QTest>

// The program's commands that need no window: composing, adding phrases, and
// the close-time save with its order and its failure rule.
class CoreTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(UntranslatedSystemMessages::use()); }
    void composesInTheSettingsModeAndKeepsTheHero();
    void typedAdditionsAreKeptAsTyped();
    void closeSaveWritesListsThenFavourites_data();
    void closeSaveWritesListsThenFavourites();

private:
    static YarnCore::Options in(const ScratchProgramFolder &folder)
    {
        return {folder.folder(), OutsideAddresses::shippedTable(), [] { return quint32(0); }};
    }
};

void CoreTest::composesInTheSettingsModeAndKeepsTheHero()
{
    ScratchProgramFolder folder;
    YarnCore core(in(folder));
    core.loadLists();
    const std::optional<YarnCore::Tweet> account = core.composeTweet();
    QVERIFY(account);
    QCOMPARE(account->line, QStringLiteral("Как-то раз задумал @kotofeich погулять на болоте."));
    QCOMPARE(account->title, QStringLiteral("Грустная сказка"));
    QCOMPARE(core.heroHandle().text, QStringLiteral("kotofeich"));

    // A plain name leaves the hero handle as the last account set it.
    SettingsValues values = core.settings().values();
    values.accountMode = false;
    values.plainNameMode = true;
    core.settings().setValues(values);
    QCOMPARE(core.composeTweet()->line, QStringLiteral("Как-то раз задумал Воробей погулять на болоте."));
    QCOMPARE(core.heroHandle().text, QStringLiteral("kotofeich"));

    values.plainNameMode = false;
    core.settings().setValues(values);
    QVERIFY(!core.composeTweet());
}

void CoreTest::typedAdditionsAreKeptAsTyped()
{
    ScratchProgramFolder folder;
    YarnCore core(in(folder));
    core.loadLists();
    QVERIFY(!core.addPhrase(PhraseListId::PlainNames, QString()));
    QVERIFY(core.addPhrase(PhraseListId::PlainNames, QStringLiteral("  ")));
    QVERIFY(core.addPhrase(PhraseListId::PlainNames, QStringLiteral("Иван Царевич")));
    QVERIFY_THROWS_EXCEPTION(AppError, core.addPhrase(PhraseListId::PlainNames, QStringLiteral("кот ☺")));
    QCOMPARE(core.phrases().list(PhraseListId::PlainNames).entries(),
             (QByteArrayList{"\xc2\xee\xf0\xee\xe1\xe5\xe9", "  ", "\xc8\xe2\xe0\xed \xd6\xe0\xf0\xe5\xe2\xe8\xf7"}));
}

void CoreTest::closeSaveWritesListsThenFavourites_data()
{
    QTest::addColumn<QString>("blocked");
    QTest::addColumn<bool>("autoSave");
    QTest::addColumn<QStringList>("written");
    const QStringList everyList{"thenames", "names", "actions", "places", "justnames"};
    QTest::newRow("all written") << QString() << true << everyList + QStringList{"favourite"};
    QTest::newRow("favourites not saved automatically") << QString() << false << everyList;
    // The save order: titles, accounts, actions, places, plain names; a failure keeps the rest as they were.
    QTest::newRow("actions blocked") << "actions" << true << QStringList{"thenames", "names"};
    QTest::newRow("plain names blocked") << "justnames" << true << QStringList{"thenames", "names", "actions", "places"};
    QTest::newRow("favourites blocked") << "favourite" << true << everyList;
}

void CoreTest::closeSaveWritesListsThenFavourites()
{
    QFETCH(QString, blocked);
    QFETCH(bool, autoSave);
    QFETCH(QStringList, written);
    ScratchProgramFolder folder;
    YarnCore core(in(folder));
    core.loadLists();
    QCOMPARE(core.loadFavourites(), FavouritesText::LoadState::Absent);
    for (const PhraseListId id : {PhraseListId::Titles, PhraseListId::Accounts, PhraseListId::PlainNames,
                                  PhraseListId::Actions, PhraseListId::Places})
        core.addPhrase(id, QStringLiteral("new"));
    core.favourites().appendLine(QStringLiteral("new"));
    SettingsValues values = core.settings().values();
    values.autoSaveFavourites = autoSave;
    core.settings().setValues(values);
    // A folder in a file's place cannot be replaced.
    const auto file = [&](const QString &name) { return folder.path(QStringLiteral("Lists/%1.txt").arg(name)); };
    if (!blocked.isEmpty()) {
        QFile::remove(file(blocked));
        QVERIFY(QDir().mkpath(file(blocked)));
    }

    try {
        QCOMPARE(core.saveForClose(), YarnCore::CloseSave::Done);
        QVERIFY2(blocked.isEmpty(), "no error");
    } catch (const AppError &error) {
        QCOMPARE(error.message().section(u'"', 0, 1), QStringLiteral("Cannot create file \"") + file(blocked));
    }
    const auto holdsTheAddition = [&](const QString &name) {
        QFile saved(file(name));
        return saved.open(QIODevice::ReadOnly) && saved.readAll().contains("new");
    };
    for (const QString name : {"thenames", "names", "actions", "places", "justnames", "favourite"}) {
        if (name != blocked)
            QVERIFY2(holdsTheAddition(name) == written.contains(name), qPrintable(name));
    }
}

QTEST_MAIN(CoreTest)
#include "CoreTest.moc"

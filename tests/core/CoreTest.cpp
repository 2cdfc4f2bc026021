#include "base/AppError.h"
#include "base/Windows1251.h"
#include "core/YarnCore.h"
#include "tests/support/ScratchProgramFolder.h"
#include "tests/support/UntranslatedSystemMessages.h"

#include <QDateTime>
#include <QDir>
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
    void aCrashLeavesWhatWasUnsavedToPutBack();

private:
    static YarnCore::Options in(const ScratchProgramFolder &folder)
    {
        return {folder.folder(), OutsideAddresses::shippedTable(), [] { return quint32(0); },
                folder.path(QStringLiteral("user data"))};
    }
};

void CoreTest::composesInTheSettingsModeAndKeepsTheHero()
{
    ScratchProgramFolder folder;
    YarnCore core(in(folder));
    core.loadLists();
    const std::optional<YarnCore::Tweet> account = core.composeTweet();
    QVERIFY(account);
    QCOMPARE(Windows1251::decode(account->line), QStringLiteral("Как-то раз задумал @kotofeich погулять на болоте."));
    QCOMPARE(account->title, QStringLiteral("Грустная сказка"));
    QCOMPARE(core.heroHandle().text, QStringLiteral("kotofeich"));

    // A plain name leaves the hero handle as the last account set it.
    SettingsValues values = core.settings().values();
    values.accountMode = false;
    values.plainNameMode = true;
    core.settings().setValues(values);
    QCOMPARE(Windows1251::decode(core.composeTweet()->line), QStringLiteral("Как-то раз задумал Воробей погулять на болоте."));
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
    QTest::addColumn<bool>("sessionEnd");
    QTest::addColumn<QStringList>("written");
    QTest::addColumn<QStringList>("recovered");
    const QStringList everyList{"thenames", "names", "actions", "places", "justnames"};
    const QStringList everyFile = everyList + QStringList{"favourite"};
    // The save order: titles, accounts, actions, places, plain names, then the favourites.
    for (const bool sessionEnd : {false, true}) {
        const auto row = [sessionEnd](const char *name) {
            return &QTest::addRow("%s%s", sessionEnd ? "session end: " : "", name);
        };
        *row("all written") << QString() << true << sessionEnd << everyFile << QStringList();
        *row("favourites not saved automatically") << QString() << false << sessionEnd << everyList << QStringList();
        // A failure keeps the files after it as they were; at a session's end they go to the recovered folder.
        *row("actions blocked") << "actions" << true << sessionEnd << QStringList{"thenames", "names"}
                                << (sessionEnd ? QStringList{"actions", "places", "justnames", "favourite"}
                                               : QStringList());
        *row("favourites blocked") << "favourite" << true << sessionEnd << everyList
                                   << (sessionEnd ? QStringList{"favourite"} : QStringList());
    }
}

void CoreTest::closeSaveWritesListsThenFavourites()
{
    QFETCH(QString, blocked);
    QFETCH(bool, autoSave);
    QFETCH(bool, sessionEnd);
    QFETCH(QStringList, written);
    QFETCH(QStringList, recovered);
    ScratchProgramFolder folder;
    YarnCore core(in(folder));
    core.loadLists();
    QCOMPARE(core.loadFavourites(), FavouritesText::LoadState::Absent);
    core.startRecoveryCopy();
    for (const PhraseListId id : {PhraseListId::Titles, PhraseListId::Accounts, PhraseListId::PlainNames,
                                  PhraseListId::Actions, PhraseListId::Places})
        core.addPhrase(id, QStringLiteral("new"));
    core.favourites().appendLine(QStringLiteral("new"));
    core.writeRecoveryCopy();
    SettingsValues values = core.settings().values();
    values.autoSaveFavourites = autoSave;
    core.settings().setValues(values);
    // A folder in a file's place cannot be replaced.
    const auto file = [&](const QString &name) { return folder.path(QStringLiteral("Lists/%1.txt").arg(name)); };
    if (!blocked.isEmpty()) {
        QFile::remove(file(blocked));
        QVERIFY(QDir().mkpath(file(blocked)));
    }

    QString recoveredFolder;
    if (sessionEnd) {
        recoveredFolder = core.saveForSessionEnd(QDateTime::currentDateTime()).value_or(QString());
        QCOMPARE(recoveredFolder.isEmpty(), recovered.isEmpty());
    } else {
        try {
            QCOMPARE(core.saveForClose(), YarnCore::CloseSave::Done);
            QVERIFY2(blocked.isEmpty(), "no error");
        } catch (const AppError &error) {
            // Named as the folder with its separator, then "/Lists/...".
            QCOMPARE(error.message().section(u'"', 0, 1),
                     QStringLiteral("Cannot create file \"%1/Lists/%2.txt").arg(folder.folder().directory(), blocked));
        }
    }
    const auto holdsTheAddition = [](const QString &path) {
        QFile saved(path);
        return saved.open(QIODevice::ReadOnly) && saved.readAll().contains("new");
    };
    for (const QString name : {"thenames", "names", "actions", "places", "justnames", "favourite"}) {
        if (name != blocked)
            QVERIFY2(holdsTheAddition(file(name)) == written.contains(name), qPrintable(name));
        if (!recoveredFolder.isEmpty()) {
            QVERIFY2(holdsTheAddition(recoveredFolder + QStringLiteral("Lists/%1.txt").arg(name))
                         == recovered.contains(name),
                     qPrintable(name));
        }
    }
    // The next start names the recovered folder once.
    QCOMPARE(core.recoveredFoldersToName(),
             recoveredFolder.isEmpty() ? QStringList() : QStringList{QDir::toNativeSeparators(recoveredFolder.chopped(1))});
    QVERIFY(core.recoveredFoldersToName().isEmpty());
    // Nor is anything offered back as if the program had crashed.
    if (sessionEnd)
        QVERIFY(!YarnCore(in(folder)).leftByACrash());
}

void CoreTest::aCrashLeavesWhatWasUnsavedToPutBack()
{
    ScratchProgramFolder folder;
    {
        YarnCore crashed(in(folder));
        crashed.loadLists();
        crashed.loadFavourites();
        crashed.startRecoveryCopy();
        crashed.addPhrase(PhraseListId::Places, QStringLiteral("в лесу."));
        crashed.favourites().appendLine(QStringLiteral("любимый твит"));
        // The first copy goes out at once; the run then ends without a save.
        QTRY_VERIFY(crashed.leftByACrash() && crashed.leftByACrash()->favourites);
    }
    for (const bool putBack : {false, true}) {
        YarnCore next(in(folder));
        next.loadLists();
        next.loadFavourites();
        const std::optional<RecoveryCopy::Contents> left = next.leftByACrash();
        QVERIFY(left);
        QCOMPARE(left->additionCount(), 1);
        if (!putBack) {
            // Set aside, not deleted: the copy is kept in its own folder, and offered no more.
            const QString aside = next.setAside(QDateTime::currentDateTime());
            QVERIFY(QFile(aside + QStringLiteral("/Lists/places.txt")).exists());
            QVERIFY(!next.leftByACrash());
            // Put back where it was, for the second round.
            QVERIFY(QDir().rename(aside, folder.path(QStringLiteral("user data/pending/")) + folder.folder().key()));
            continue;
        }
        next.restore(*left);
        QCOMPARE(next.phrases().list(PhraseListId::Places).entries().last(), QByteArray("\xe2 \xeb\xe5\xf1\xf3."));
        QVERIFY(next.favourites().lines().contains(QStringLiteral("любимый твит")));
        QCOMPARE(next.saveForClose(), YarnCore::CloseSave::Done);
        QVERIFY(!next.leftByACrash());
        QVERIFY(folder.read(QStringLiteral("Lists/places.txt")).endsWith("\xe2 \xeb\xe5\xf1\xf3.\r\n"));
    }
}

QTEST_MAIN(CoreTest)
#include "CoreTest.moc"

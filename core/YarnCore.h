#pragma once

#include "base/OutsideAddresses.h"
#include "base/ProgramFolder.h"
#include "compose/HeroHandle.h"
#include "compose/PhraseBook.h"
#include "compose/RandomGenerator.h"
#include "compose/TweetComposer.h"
#include "core/RecoveryCopy.h"
#include "journal/FavouritesText.h"
#include "settings/Settings.h"

#include <QString>
#include <QStringList>

#include <array>
#include <memory>
#include <optional>

class QDateTime;

// The program without its windows: the phrase lists, the random generator and
// the composer, the favourites text, the hero handle and the live settings,
// all kept in one program folder, and the commands that need no window. It is
// made first; every window is given what it works on from here.
class YarnCore
{
public:
    struct Options
    {
        ProgramFolder folder;
        OutsideAddresses::Table addresses = OutsideAddresses::shippedTable();
        RandomGenerator::Clock clock = RandomGenerator::highResolutionClock;
        // The user's own data folder, outside every program folder: recovery
        // copies and files a session's end could not write go there.
        QString userDataFolder = defaultUserDataFolder();
    };

    // $XDG_DATA_HOME/yarnspin, by default ~/.local/share/yarnspin.
    static QString defaultUserDataFolder();

    // Reads the settings file; nothing else is read until asked.
    explicit YarnCore(Options options);
    ~YarnCore();

    YarnCore(const YarnCore &) = delete;
    YarnCore &operator=(const YarnCore &) = delete;

    const ProgramFolder &folder() const { return m_folder; }
    const OutsideAddresses::Table &addresses() const { return m_addresses; }
    Settings &settings() { return m_settings; }
    const Settings &settings() const { return m_settings; }
    PhraseBook &phrases() { return m_phrases; }
    const PhraseBook &phrases() const { return m_phrases; }
    FavouritesText &favourites() { return m_favourites; }
    const HeroHandle &heroHandle() const { return m_heroHandle; }
    QString favouritesFilePath() const;

    // Empties the five file lists, then loads them in order; stops with the
    // open error at the first file that fails.
    void loadLists();
    // Reads the favourites file without throwing.
    FavouritesText::LoadState loadFavourites();

    // A composed tweet in display text, but for the line, which stays in
    // Windows-1251 as the journal keeps it: a phrase can be megabytes long.
    struct Tweet
    {
        CompositionMode mode;
        QString title;
        QByteArray line;
        // The account or plain name picked, without "@".
        QString hero;
    };
    // Composes in the settings' mode, re-seeding the generator first; in
    // account mode the hero becomes the hero handle. Nothing when the
    // settings name neither mode.
    std::optional<Tweet> composeTweet();

    void setHeroHandle(HeroHandle handle) { m_heroHandle = std::move(handle); }

    // Appends the typed text to the list as it stands; false for an empty
    // text. Text the lists' code page cannot hold throws AppError.
    bool addPhrase(PhraseListId list, const QString &typed);

    // What the main window's close writes, in order: the five lists, then the
    // favourites when the settings save them automatically. The first file
    // that cannot be written stops it with its error; those written before
    // stay written. FavouritesLeftAlone: the favourites file could not be
    // read at start, so it is not written over with this run's text.
    enum class CloseSave { Done, FavouritesLeftAlone };
    CloseSave saveForClose();

    // The same files in the same order when the desktop session ends, asking
    // nothing: from the first file that cannot be written on (the favourites
    // that could not be read at start included), each goes whole into a new
    // folder of the user's data folder instead, which the next start names.
    // Returns that folder, or nothing when every file was written.
    std::optional<QString> saveForSessionEnd(const QDateTime &now);

    // Folders a session's end filled that no start has named yet; naming
    // them here counts.
    QStringList recoveredFoldersToName();
    // Where recovered and set-aside files go, a folder for each time.
    QString recoveredFoldersRoot() const { return m_userDataFolder + QStringLiteral("/recovered"); }

    // What a run that crashed left unsaved: the additions and the favourites.
    std::optional<RecoveryCopy::Contents> leftByACrash() const;
    // Puts it back as if typed: the additions at the end of their lists, the
    // favourites' lines this text lacks at its end. They are unsaved again.
    void restore(const RecoveryCopy::Contents &contents);
    // Moves it out of the way, into a new folder of the user's data folder; returns that folder.
    QString setAside(const QDateTime &now);
    // From now on what is unsaved is copied within the minute of a change;
    // called once what a crashed run left is settled.
    void startRecoveryCopy();
    // Writes the recovery copy of what is unsaved now.
    void writeRecoveryCopy();

private:
    RecoveryCopy::Contents unsaved() const;
    void listSaved(PhraseListId id);
    QString newRecoveredFolder(const QDateTime &now) const;

    ProgramFolder m_folder;
    OutsideAddresses::Table m_addresses;
    QString m_userDataFolder;
    Settings m_settings;
    PhraseBook m_phrases;
    RandomGenerator m_random;
    TweetComposer m_composer{m_phrases, m_random};
    FavouritesText m_favourites;
    HeroHandle m_heroHandle;
    // How many entries of each list are in its file.
    std::array<qsizetype, 6> m_savedCounts{};
    bool m_favouritesChanged = false;
    std::unique_ptr<RecoveryCopy> m_recovery;
};

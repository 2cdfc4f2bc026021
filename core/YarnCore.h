#pragma once

#include "base/OutsideAddresses.h"
#include "base/ProgramFolder.h"
#include "compose/HeroHandle.h"
#include "compose/PhraseBook.h"
#include "compose/RandomGenerator.h"
#include "compose/TweetComposer.h"
#include "journal/FavouritesText.h"
#include "settings/Settings.h"

#include <QString>

#include <optional>

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
    };

    // Reads the settings file; nothing else is read until asked.
    explicit YarnCore(Options options);

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

    // A composed tweet in display text.
    struct Tweet
    {
        CompositionMode mode;
        QString title;
        QString line;
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

private:
    ProgramFolder m_folder;
    OutsideAddresses::Table m_addresses;
    Settings m_settings;
    PhraseBook m_phrases;
    RandomGenerator m_random;
    TweetComposer m_composer{m_phrases, m_random};
    FavouritesText m_favourites;
    HeroHandle m_heroHandle;
};

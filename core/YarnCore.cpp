#include "core/YarnCore.h"

#include "base/Windows1251.h"

#include <utility>

YarnCore::YarnCore(Options options)
    : m_folder(std::move(options.folder))
    , m_addresses(std::move(options.addresses))
    , m_settings(m_folder.directory() + QStringLiteral("Config files/yarnconfig.ini"))
    , m_random(std::move(options.clock))
{
}

QString YarnCore::favouritesFilePath() const
{
    return m_folder.path(QStringLiteral("/Lists/favourite.txt"));
}

void YarnCore::loadLists()
{
    m_phrases.loadAll(m_folder);
}

FavouritesText::LoadState YarnCore::loadFavourites()
{
    return m_favourites.loadFavouritesFile(favouritesFilePath());
}

std::optional<YarnCore::Tweet> YarnCore::composeTweet()
{
    const std::optional<CompositionMode> mode = m_settings.compositionMode();
    if (!mode)
        return std::nullopt;
    const ComposedTweet composed = m_composer.compose(*mode);
    Tweet tweet{*mode, Windows1251::decode(composed.title), Windows1251::decode(composed.line),
                Windows1251::decode(composed.hero)};
    if (*mode == CompositionMode::Account)
        m_heroHandle = {tweet.hero, false};
    return tweet;
}

bool YarnCore::addPhrase(PhraseListId list, const QString &typed)
{
    if (typed.isEmpty())
        return false;
    m_phrases.list(list).append(Windows1251::encodeOrThrow(typed));
    return true;
}

YarnCore::CloseSave YarnCore::saveForClose()
{
    m_phrases.saveAll(m_folder);
    if (!m_settings.autoSaveFavourites() || m_favourites.writeFavouritesFile(favouritesFilePath()))
        return CloseSave::Done;
    return CloseSave::FavouritesLeftAlone;
}

#include "compose/TweetComposer.h"

#include "compose/PhraseBook.h"
#include "compose/RandomGenerator.h"

TweetComposer::TweetComposer(PhraseBook &phrases, RandomGenerator &random)
    : m_phrases(phrases)
    , m_random(random)
{
}

QByteArray TweetComposer::pick(PhraseList &list)
{
    list.select(m_random.drawBelow(quint32(list.count())));
    return list.currentPhrase();
}

ComposedTweet TweetComposer::compose(CompositionMode mode)
{
    const bool account = mode == CompositionMode::Account;
    m_random.reseed();
    ComposedTweet tweet;
    tweet.title = pick(m_phrases.list(PhraseListId::Titles));
    const QByteArray opening = pick(m_phrases.list(PhraseListId::Openings));
    tweet.hero = pick(m_phrases.list(account ? PhraseListId::Accounts : PhraseListId::PlainNames));
    const QByteArray action = pick(m_phrases.list(PhraseListId::Actions));
    const QByteArray place = pick(m_phrases.list(PhraseListId::Places));
    // One allocation: a phrase can be megabytes long.
    const QByteArrayView separator = account ? " @" : " ";
    tweet.line.reserve(opening.size() + separator.size() + tweet.hero.size() + action.size() + place.size() + 2);
    tweet.line.append(opening).append(separator).append(tweet.hero).append(' ').append(action).append(' ').append(place);
    return tweet;
}

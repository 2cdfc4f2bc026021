#pragma once

#include <QByteArray>

class PhraseBook;
class PhraseList;
class RandomGenerator;

enum class CompositionMode { Account, PlainName };

// One composed tweet, still in the lists' 8-bit text.
struct ComposedTweet
{
    QByteArray title;
    QByteArray line;
    // The picked account or plain name, without "@".
    QByteArray hero;
};

// Puts a tweet together: re-seeds, then picks title, opening, hero, action and
// place in that order, five draws in all.
class TweetComposer
{
public:
    TweetComposer(PhraseBook &phrases, RandomGenerator &random);

    ComposedTweet compose(CompositionMode mode);

private:
    QByteArray pick(PhraseList &list);

    PhraseBook &m_phrases;
    RandomGenerator &m_random;
};

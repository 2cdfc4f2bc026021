#include "base/Windows1251.h"
#include "compose/PhraseBook.h"
#include "compose/RandomGenerator.h"
#include "compose/TweetComposer.h"

#include <QTest>

// The generator's draw formula and the composer's picks and line forms.
class ComposerTest : public QObject
{
    Q_OBJECT

private slots:
    void drawsFollowTheFormula();
    void smallestAndLargestBoundsStillAdvance_data();
    void smallestAndLargestBoundsStillAdvance();
    void picksFiveInOrderAfterTheReseed();
    void emptyListsLeaveTheirBlanks_data();
    void emptyListsLeaveTheirBlanks();
    void clockChangesBetweenCompositions();
    void openingsAreBuiltIn();
};

namespace {

PhraseList numbered(const char *prefix, int count)
{
    PhraseList list;
    for (int i = 0; i < count; ++i)
        list.append(prefix + QByteArray::number(i));
    return list;
}

RandomGenerator fixedSeed(quint32 seed)
{
    return RandomGenerator([seed] { return seed; });
}

} // namespace

void ComposerTest::drawsFollowTheFormula()
{
    RandomGenerator random = fixedSeed(12345);
    random.reseed();
    const quint32 bounds[] = {50, 16, 254, 267, 183};
    const quint32 draws[] = {19, 4, 20, 147, 115};
    const quint32 states[] = {1655067934u, 1242767767u, 342459380u, 2377737157u, 2721613530u};
    for (int i = 0; i < 5; ++i) {
        QCOMPARE(random.drawBelow(bounds[i]), draws[i]);
        QCOMPARE(random.state(), states[i]);
    }
}

void ComposerTest::smallestAndLargestBoundsStillAdvance_data()
{
    // A draw below 0 or 1 can only give 0, but it must still step the state:
    // an empty or one-entry list skipped without a step would shift every
    // later pick. The draw below 1000 after it shows the step taken.
    QTest::addColumn<quint32>("state");
    QTest::addColumn<quint32>("bound");
    QTest::addColumn<quint32>("draw");
    QTest::addColumn<quint32>("nextDrawBelow1000");
    QTest::newRow("bound 0") << 12345u << 0u << 0u << 289u;
    QTest::newRow("bound 1, state 0") << 0u << 1u << 0u << 31u;
    QTest::newRow("bound 1, largest state") << 0xffffffffu << 1u << 0u << 201u;
    QTest::newRow("largest bound") << 12345u << 0xffffffffu << 1655067933u << 289u;
}

void ComposerTest::smallestAndLargestBoundsStillAdvance()
{
    QFETCH(quint32, state);
    QFETCH(quint32, bound);
    QFETCH(quint32, draw);
    QFETCH(quint32, nextDrawBelow1000);
    RandomGenerator random;
    random.setState(state);
    QCOMPARE(random.drawBelow(bound), draw);
    QCOMPARE(random.drawBelow(1000), nextDrawBelow1000);
}

void ComposerTest::picksFiveInOrderAfterTheReseed()
{
    PhraseBook book;
    book.list(PhraseListId::Titles) = numbered("t", 50);
    book.list(PhraseListId::Accounts) = numbered("a", 254);
    book.list(PhraseListId::Actions) = numbered("do", 267);
    book.list(PhraseListId::Places) = numbered("p", 183);
    RandomGenerator random = fixedSeed(12345);
    random.setState(999); // the re-seed makes the earlier state irrelevant
    TweetComposer composer(book, random);

    const ComposedTweet tweet = composer.compose(CompositionMode::Account);
    QCOMPARE(tweet.title, QByteArray("t19"));
    QCOMPARE(tweet.hero, QByteArray("a20"));
    const QByteArray opening = book.list(PhraseListId::Openings).entries().at(4);
    QCOMPARE(tweet.line, opening + " @a20 do147 p115");
    QCOMPARE(book.list(PhraseListId::Titles).currentPhrase(), QByteArray("t19"));
}

void ComposerTest::emptyListsLeaveTheirBlanks_data()
{
    QTest::addColumn<CompositionMode>("mode");
    QTest::addColumn<QByteArray>("afterOpening");
    QTest::newRow("account") << CompositionMode::Account << QByteArray(" @  ");
    QTest::newRow("plain name") << CompositionMode::PlainName << QByteArray("   ");
}

void ComposerTest::emptyListsLeaveTheirBlanks()
{
    QFETCH(CompositionMode, mode);
    QFETCH(QByteArray, afterOpening);
    PhraseBook book;
    RandomGenerator random = fixedSeed(0);
    TweetComposer composer(book, random);
    const ComposedTweet tweet = composer.compose(mode);
    QCOMPARE(tweet.title, QByteArray());
    QCOMPARE(tweet.hero, QByteArray());
    QVERIFY(tweet.line.endsWith(afterOpening));
    QVERIFY(book.list(PhraseListId::Openings).entries().contains(tweet.line.chopped(afterOpening.size())));
}

void ComposerTest::clockChangesBetweenCompositions()
{
    const quint32 first = RandomGenerator::highResolutionClock();
    QTest::qWait(2);
    QVERIFY(RandomGenerator::highResolutionClock() != first);
}

void ComposerTest::openingsAreBuiltIn()
{
    const PhraseBook book;
    const QByteArrayList &openings = book.list(PhraseListId::Openings).entries();
    QCOMPARE(openings.size(), 16);
    QCOMPARE(Windows1251::decode(openings.first()), QStringLiteral("Как-то раз задумал"));
    QCOMPARE(Windows1251::decode(openings.last()), QStringLiteral("Было делишечко: придумал"));
}

QTEST_GUILESS_MAIN(ComposerTest)
#include "ComposerTest.moc"

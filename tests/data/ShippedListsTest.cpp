#include "base/FileIO.h"
#include "base/Windows1251.h"

#include <QRegularExpression>
#include <QSet>
#include <QTest>

// The phrase lists the program ships: a tweet is glued from them verbatim, so
// a wrong encoding, a stray blank or a misplaced full stop shows in every tweet.
class ShippedListsTest : public QObject
{
    Q_OBJECT

private slots:
    void listIsWellFormed_data();
    void listIsWellFormed();
};

void ShippedListsTest::listIsWellFormed_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("minimumCount");
    QTest::addColumn<QString>("entryShape");

    // Titles and names are capitalised; an action is followed by the place, so it
    // ends in a letter; the place ends the sentence with exactly one mark.
    QTest::newRow("titles") << "thenames.txt" << 50 << QStringLiteral("^[А-ЯЁ].*[а-яё]$");
    QTest::newRow("accounts") << "names.txt" << 254 << QStringLiteral("^[A-Za-z0-9_]{1,15}$");
    QTest::newRow("plain names") << "justnames.txt" << 247 << QStringLiteral("^[А-ЯЁ][А-ЯЁа-яё -]*[а-яё]$");
    QTest::newRow("actions") << "actions.txt" << 267 << QStringLiteral("^[а-яё].*[а-яё]$");
    QTest::newRow("places") << "places.txt" << 183 << QStringLiteral("^[а-яё][^.!?]*[^\\s.!?][.!?]$");
}

void ShippedListsTest::listIsWellFormed()
{
    QFETCH(QString, file);
    QFETCH(int, minimumCount);
    QFETCH(QString, entryShape);

    const QByteArray bytes = FileIO::readWholeFile(QStringLiteral(SHIPPED_LISTS_DIR "/") + file);
    QVERIFY2(bytes.endsWith("\r\n"), "the last entry must end with CR LF");
    QList<QByteArray> lines = bytes.split('\n');
    lines.removeLast(); // after the final LF
    QVERIFY2(lines.size() >= minimumCount, qPrintable(QString::number(lines.size())));

    // Anything outside printable ASCII and the Russian alphabet is a sign of a
    // file saved as UTF-8 (continuation bytes decode to "ђ", "‘", "»") or of junk.
    static const QRegularExpression allowedCharacters(QStringLiteral("^[ -~А-яЁё«»—…]*$"));
    const QRegularExpression shape(entryShape);
    QSet<QString> seen;
    for (qsizetype index = 0; index < lines.size(); ++index) {
        const QByteArray &line = lines.at(index);
        const QByteArray where = file.toUtf8() + " line " + QByteArray::number(index + 1);
        QVERIFY2(line.endsWith('\r') && line.count('\r') == 1, where + ": line break is not CR LF");
        const QString entry = Windows1251::decode(line.chopped(1));
        const QByteArray shown = where + ": \"" + entry.toUtf8() + '"';
        QVERIFY2(allowedCharacters.match(entry).hasMatch(), shown + " holds a stray character");
        QVERIFY2(!entry.contains(QStringLiteral("  ")), shown + " holds a double blank");
        QVERIFY2(shape.match(entry).hasMatch(), shown + " has the wrong form");
        QVERIFY2(!seen.contains(entry), shown + " is repeated");
        seen.insert(entry);
    }

    // The UTF-8 copy kept for editing must not drift from what ships.
    const QByteArray editable = FileIO::readWholeFile(QStringLiteral(LISTS_SOURCE_DIR "/") + file);
    QStringList editableEntries = QString::fromUtf8(editable).split(u'\n');
    editableEntries.removeAll(QString());
    QCOMPARE(editableEntries, Windows1251::decode(bytes).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts));
}

QTEST_GUILESS_MAIN(ShippedListsTest)
#include "ShippedListsTest.moc"

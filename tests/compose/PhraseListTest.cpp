#include "base/AppError.h"
#include "compose/PhraseList.h"


#include <QFile>
#include <QTemporaryDir>
#include <QTest>

// The list file format, the select rule and typed additions.
class PhraseListTest : public QObject
{
    Q_OBJECT

private slots:
    void parsesLineBreaks_data();
    void parsesLineBreaks();
    void writesCrLfAfterEveryEntry_data();
    void writesCrLfAfterEveryEntry();
    void loadAndSaveNormaliseLineEnds();
    void failedLoadKeepsTheList();
    void selectFollowsTheIndexRules();
};

void PhraseListTest::parsesLineBreaks_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QByteArrayList>("entries");
    const QByteArray empty;
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\n") << QByteArrayList{"a", "b"};
    QTest::newRow("LF, no final break") << QByteArray("a\nb") << QByteArrayList{"a", "b"};
    QTest::newRow("lone CR") << QByteArray("a\rb\r") << QByteArrayList{"a", "b"};
    QTest::newRow("LF CR ends two") << QByteArray("a\n\rb") << QByteArrayList{"a", empty, "b"};
    QTest::newRow("CR CR LF ends two") << QByteArray("a\r\r\nb") << QByteArrayList{"a", empty, "b"};
    QTest::newRow("empty line") << QByteArray("a\r\n\r\n") << QByteArrayList{"a", empty};
    QTest::newRow("NUL ends the text") << QByteArray("a\0b\r\n", 5) << QByteArrayList{"a"};
    QTest::newRow("NUL first") << QByteArray("\0a", 2) << QByteArrayList{};
    QTest::newRow("empty file") << QByteArray() << QByteArrayList{};
    QTest::newRow("blanks kept") << QByteArray("  a \r\n") << QByteArrayList{"  a "};
    QTest::newRow("byte-order mark kept") << QByteArray("\xef\xbb\xbf\xe0") << QByteArrayList{"\xef\xbb\xbf\xe0"};
}

void PhraseListTest::parsesLineBreaks()
{
    QFETCH(QByteArray, file);
    QFETCH(QByteArrayList, entries);
    QCOMPARE(PhraseList::fromFileBytes(file).entries(), entries);
}

void PhraseListTest::writesCrLfAfterEveryEntry_data()
{
    QTest::addColumn<QByteArrayList>("entries");
    QTest::addColumn<QByteArray>("file");
    QTest::newRow("empty entry between") << QByteArrayList{"a", QByteArray(), "b"} << QByteArray("a\r\n\r\nb\r\n");
    QTest::newRow("empty list") << QByteArrayList{} << QByteArray();
    QTest::newRow("one empty entry") << QByteArrayList{QByteArray()} << QByteArray("\r\n");
}

void PhraseListTest::writesCrLfAfterEveryEntry()
{
    QFETCH(QByteArrayList, entries);
    QFETCH(QByteArray, file);
    QCOMPARE(PhraseList(entries).fileBytes(), file);
}

void PhraseListTest::loadAndSaveNormaliseLineEnds()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("list.txt"));
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly));
    const char bytes[] = "\xcb\xff\xe3\xf3\xf8\xea\xe0\rb\nc\0tail";
    file.write(bytes, sizeof bytes - 1); // the NUL and "tail" after it, not the literal's own end
    file.close();

    PhraseList list;
    list.load(path);
    list.save(path);
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), QByteArray("\xcb\xff\xe3\xf3\xf8\xea\xe0\r\nb\r\nc\r\n"));
}

void PhraseListTest::failedLoadKeepsTheList()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("missing.txt"));
    PhraseList list({"kept"});
    list.select(0);
    QVERIFY_THROWS_EXCEPTION(AppError, list.load(path));
    QCOMPARE(list.entries(), QByteArrayList{"kept"});
    QCOMPARE(list.currentPhrase(), QByteArray("kept"));
}

void PhraseListTest::selectFollowsTheIndexRules()
{
    PhraseList list({"a", "b"});
    QCOMPARE(list.currentPhrase(), QByteArray());
    list.select(1);
    QCOMPARE(list.currentPhrase(), QByteArray("b"));
    list.select(2);
    QCOMPARE(list.currentPhrase(), QByteArray());
    list.select(0);
    list.clear();
    QCOMPARE(list.currentPhrase(), QByteArray());

    PhraseList empty;
    empty.select(0);
    QCOMPARE(empty.currentPhrase(), QByteArray());
}

QTEST_GUILESS_MAIN(PhraseListTest)
#include "PhraseListTest.moc"

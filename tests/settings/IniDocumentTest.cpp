#include "settings/IniDocument.h"

#include <QElapsedTimer>
#include <QTest>

// The line-preserving profile-file editor: what it reads, and that writing one
// value leaves every other byte of a hand-edited file alone.
class IniDocumentTest : public QObject
{
    Q_OBJECT

private slots:
    void readsValues_data();
    void readsValues();
    void setValueTouchesOnlyItsLine_data();
    void setValueTouchesOnlyItsLine();
    void rawValueIsTheTextAsStored_data();
    void rawValueIsTheTextAsStored();
    void valuesAreWrittenAndReadBackUnchanged_data();
    void valuesAreWrittenAndReadBackUnchanged();
    void longSectionIsRewrittenInOnePass();
};

void IniDocumentTest::readsValues_data()
{
    QTest::addColumn<QByteArray>("key");
    QTest::addColumn<QByteArray>("expected"); // "<none>" for a missing key

    QTest::newRow("name case and blanks") << QByteArray("check") << QByteArray("5");
    QTest::newRow("first section only") << QByteArray("later") << QByteArray("<none>");
    QTest::newRow("text after first equals") << QByteArray("address") << QByteArray("a=b");
    QTest::newRow("line without equals") << QByteArray("bare") << QByteArray("<none>");
    QTest::newRow("quotes removed") << QByteArray("quoted") << QByteArray("  x ");
    QTest::newRow("unmatched quote kept") << QByteArray("half") << QByteArray("\"z");
    QTest::newRow("whole names only") << QByteArray("chec") << QByteArray("<none>");
    QTest::newRow("after lone CR") << QByteArray("cr") << QByteArray("\xca\xe2");
}

void IniDocumentTest::readsValues()
{
    QFETCH(QByteArray, key);
    QFETCH(QByteArray, expected);

    const IniDocument document(QByteArray("; check=9\r\n[other]\r\ncheck=7\r\n[ Option ]\r\n  CHECK  =  5 \t\r\n"
                                          "address=a=b\r\nbare\r\nquoted=\"  x \"\r\nhalf=\"z\rcr=\xca\xe2\n"
                                          "check=8\r\n[option]\r\nlater=1\r\n"));
    const std::optional<QByteArray> found = document.value("option", key);
    QCOMPARE(found.value_or("<none>"), expected);
}

void IniDocumentTest::setValueTouchesOnlyItsLine_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("empty file") << QByteArray() << QByteArray("[option]\r\ncheck=1\r\n");
    QTest::newRow("key keeps its line and spelling")
        << QByteArray("; mine\r\n[other]\r\ncheck=7\r\n\r\n[OPTION]\r\nfoo=bar\r\n  Check = 0\r\nzzz=1\r\n")
        << QByteArray("; mine\r\n[other]\r\ncheck=7\r\n\r\n[OPTION]\r\nfoo=bar\r\n  Check =1\r\nzzz=1\r\n");
    QTest::newRow("missing key before trailing blanks and comments")
        << QByteArray("[option]\na=1\n;check=0\n\n[next]\nb=2\n")
        << QByteArray("[option]\na=1\ncheck=1\r\n;check=0\n\n[next]\nb=2\n");
    QTest::newRow("section without keys") << QByteArray("[option]\r\n\r\n[x]\r\n")
                                          << QByteArray("[option]\r\ncheck=1\r\n\r\n[x]\r\n");
    QTest::newRow("missing section at end") << QByteArray("[other]\nx=1\n")
                                            << QByteArray("[other]\nx=1\n[option]\r\ncheck=1\r\n");
    QTest::newRow("no final line end, new key") << QByteArray("[option]\r\na=1")
                                                << QByteArray("[option]\r\na=1\r\ncheck=1\r\n");
    QTest::newRow("no final line end, new section") << QByteArray("[other]\r\nx=1")
                                                    << QByteArray("[other]\r\nx=1\r\n[option]\r\ncheck=1\r\n");
    QTest::newRow("no final line end, existing key") << QByteArray("[option]\r\ncheck=0")
                                                     << QByteArray("[option]\r\ncheck=1");
    QTest::newRow("odd line ends and 8-bit bytes kept")
        << QByteArray("\xcf\xf0\r\n[option]\n\rcheck=\xff\r\r\n\xe0=\x98\rtail")
        << QByteArray("\xcf\xf0\r\n[option]\n\rcheck=1\r\r\n\xe0=\x98\rtail");
    QTest::newRow("first of duplicate keys") << QByteArray("[option]\r\ncheck=0\r\ncheck=2\r\n")
                                             << QByteArray("[option]\r\ncheck=1\r\ncheck=2\r\n");
}

void IniDocumentTest::setValueTouchesOnlyItsLine()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, after);

    IniDocument document(before);
    document.setValue("option", "check", "1");
    QCOMPARE(document.toBytes(), after);
}

void IniDocumentTest::rawValueIsTheTextAsStored_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<QByteArray>("raw");
    QTest::addColumn<QByteArray>("tolerant");

    QTest::newRow("outer blanks") << QByteArray(" Address =  @me \t") << QByteArray("  @me \t") << QByteArray("@me");
    QTest::newRow("quotes") << QByteArray("address=\"  x \"") << QByteArray("\"  x \"") << QByteArray("  x ");
    QTest::newRow("empty") << QByteArray("address=") << QByteArray() << QByteArray();
    QTest::newRow("equals signs") << QByteArray("address==a=") << QByteArray("=a=") << QByteArray("=a=");
}

void IniDocumentTest::rawValueIsTheTextAsStored()
{
    QFETCH(QByteArray, line);
    QFETCH(QByteArray, raw);
    QFETCH(QByteArray, tolerant);

    const IniDocument document("[option]\r\n" + line + "\r\n");
    QCOMPARE(document.rawValue("option", "address").value_or("<none>"), raw);
    QCOMPARE(document.value("option", "address").value_or("<none>"), tolerant);
    QVERIFY(!document.rawValue("option", "missing"));
}

// Everything after the '=' becomes the value as it is, with no quotes added,
// for a key already there and for a new one.
void IniDocumentTest::valuesAreWrittenAndReadBackUnchanged_data()
{
    QTest::addColumn<QByteArray>("value");
    QTest::newRow("empty") << QByteArray();
    QTest::newRow("inner blanks and @") << QByteArray("@a  b");
    QTest::newRow("outer blanks") << QByteArray("  @me\t");
    QTest::newRow("double quotes") << QByteArray("\"me\"");
    QTest::newRow("single quotes") << QByteArray("'me'");
    QTest::newRow("lone quote") << QByteArray("\"");
    QTest::newRow("equals signs") << QByteArray("=a=");
}

void IniDocumentTest::valuesAreWrittenAndReadBackUnchanged()
{
    QFETCH(QByteArray, value);
    IniDocument document(QByteArray("[option]\r\n Address = \"old\"\r\n"));
    document.setValue("option", "address", value);
    document.setValue("option", "new", value);
    QCOMPARE(document.toBytes(), "[option]\r\n Address =" + value + "\r\nnew=" + value + "\r\n");
    const IniDocument reread(document.toBytes());
    QCOMPARE(reread.rawValue("option", "address").value_or("<none>"), value);
    QCOMPARE(reread.rawValue("option", "new").value_or("<none>"), value);
}

// Rewriting seven keys of a section of 30,000 lines took over ten seconds when
// every key's search walked the section once per line; one pass takes milliseconds.
void IniDocumentTest::longSectionIsRewrittenInOnePass()
{
    QByteArray bytes("[option]\r\n");
    for (int i = 0; i < 30000; ++i)
        bytes.append("n").append(QByteArray::number(i)).append("=1\r\n");
    IniDocument document(bytes);
    QElapsedTimer timer;
    timer.start();
    for (const char *key : {"address", "check", "check3", "check4", "check2", "twiname", "justname"})
        document.setValue("option", key, "1");
    QVERIFY2(timer.elapsed() < 2000, qPrintable(QString::number(timer.elapsed()) + " ms"));
    QVERIFY(document.toBytes().endsWith("n29999=1\r\naddress=1\r\ncheck=1\r\ncheck3=1\r\ncheck4=1\r\n"
                                        "check2=1\r\ntwiname=1\r\njustname=1\r\n"));
}

QTEST_APPLESS_MAIN(IniDocumentTest)
#include "IniDocumentTest.moc"

#include "base/AppError.h"
#include "base/FileIO.h"
#include "journal/PlainJournalView.h"
#include "journal/TweetFile.h"

#include <QApplication>
#include <QClipboard>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

// The journal's append rule, its CR LF view of the text, the clipboard, the
// rows it shows and tweet files opened and saved through it.
class JournalTextTest : public QObject
{
    Q_OBJECT

private slots:
    void textWithCrLf_data();
    void textWithCrLf();
    void appendingTouchesOnlyTheEnd();
    void selectionAndClipboardHaveCrLf();
    void displayedRows_data();
    void displayedRows();
    void openAndSave_data();
    void openAndSave();
    void unencodableTextLeavesTheOldFile();
};

void JournalTextTest::textWithCrLf_data()
{
    QTest::addColumn<QString>("start");
    QTest::addColumn<QStringList>("appended");
    QTest::addColumn<QString>("expected");

    QTest::newRow("append to empty") << QString() << QStringList{"a"} << "a\r\n";
    QTest::newRow("append after a line end") << "a\r\n" << QStringList{"b"} << "a\r\nb\r\n";
    QTest::newRow("append after typed text") << "typed" << QStringList{"b"} << "typed\r\nb";
    QTest::newRow("empty line after typed text") << "typed" << QStringList{""} << "typed\r\n";
    QTest::newRow("two compositions") << QString() << QStringList{"t1", "", "", "t2", "", ""}
                                      << "t1\r\n\r\n\r\nt2\r\n\r\n\r\n";
    // Byte 0xA0 of the code page is a no-break space; it must not turn into a blank.
    QTest::newRow("no-break space") << QString() << QStringList{QStringLiteral("Ёж\u00a0№")}
                                    << QStringLiteral("Ёж\u00a0№\r\n");
    QTest::newRow("LF, CR and CR LF") << "a\r\r\nb\n\nc\r" << QStringList() << "a\r\n\r\nb\r\n\r\nc\r\n";
}

void JournalTextTest::textWithCrLf()
{
    QFETCH(QString, start);
    QFETCH(QStringList, appended);
    QFETCH(QString, expected);

    PlainJournalView view;
    view.setText(start);
    for (const QString &line : appended)
        view.appendLine(line);
    QCOMPARE(view.text(), expected);
}

// Autogeneration appends for hours: an append changes only the end, leaves no
// undo step and keeps the user's selection.
void JournalTextTest::appendingTouchesOnlyTheEnd()
{
    PlainJournalView view;
    for (int i = 0; i < 500; ++i)
        view.appendLine(QStringLiteral("tweet %1").arg(i));
    QTest::keyClicks(&view, QStringLiteral("typed"));
    QTextCursor selection = view.textCursor();
    selection.setPosition(0);
    selection.setPosition(7, QTextCursor::KeepAnchor);
    view.setTextCursor(selection);

    QList<QList<int>> changes;
    connect(view.document(), &QTextDocument::contentsChange, this,
            [&changes](int position, int removed, int added) { changes.append({position, removed, added}); });
    const int endBefore = view.document()->characterCount() - 1;
    view.appendLine(QStringLiteral("next"));

    QCOMPARE(changes, (QList<QList<int>>{{endBefore, 0, 5}}));
    QCOMPARE(view.document()->availableUndoSteps(), 0);
    QVERIFY(view.text().endsWith(QStringLiteral("tweet 499\r\ntyped\r\nnext")));
    QCOMPARE(view.selectedText(), QStringLiteral("tweet 0"));
}

void JournalTextTest::selectionAndClipboardHaveCrLf()
{
    QClipboard *clipboard = QApplication::clipboard();
    PlainJournalView buffer;
    buffer.appendLine(QStringLiteral("старый"));
    buffer.clear();
    buffer.appendLine(QStringLiteral("новый твит"));
    buffer.selectAll();
    buffer.copy();
    QCOMPARE(clipboard->text(), QStringLiteral("новый твит\r\n"));

    PlainJournalView journal;
    journal.setText(QStringLiteral("one\r\ntwo\r\nthree"));
    QCOMPARE(journal.selectedText(), QString());
    journal.cut(); // nothing selected: the clipboard keeps its text
    QCOMPARE(clipboard->text(), QStringLiteral("новый твит\r\n"));

    QTextCursor cursor = journal.textCursor();
    cursor.setPosition(1);
    cursor.setPosition(9, QTextCursor::KeepAnchor);
    journal.setTextCursor(cursor);
    QCOMPARE(journal.selectedText(), QStringLiteral("ne\r\ntwo\r\nt"));
    journal.cut();
    QCOMPARE(clipboard->text(), QStringLiteral("ne\r\ntwo\r\nt"));
    QCOMPARE(journal.text(), QStringLiteral("ohree"));
}

void JournalTextTest::displayedRows_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("rows");

    const QString tweet = QStringLiteral("Как-то раз задумал @Воробей погулять на болоте.");
    // 400 pixels of DejaVu Sans at 19 pixels hold the first 28 characters.
    QTest::newRow("empty journal") << QString() << QStringList();
    QTest::newRow("final line end adds no row") << "a\r\n" << QStringList{"a"};
    QTest::newRow("empty rows count") << "a\r\n\r\nb\r\n\r\n" << QStringList{"a", "", "b", ""};
    QTest::newRow("wrapped tweet is two rows")
        << tweet + "\r\n\r\nb" << QStringList{tweet.left(28), tweet.mid(28), "", "b"};
}

void JournalTextTest::displayedRows()
{
    QFETCH(QString, text);
    QFETCH(QStringList, rows);

    PlainJournalView view;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(19);
    view.setFont(font);
    view.resize(400, 200);
    view.show();
    view.setText(text);
    QCOMPARE(view.displayedRows(), rows);
}

void JournalTextTest::openAndSave_data()
{
    QTest::addColumn<QByteArray>("opened");
    QTest::addColumn<QByteArray>("saved");

    QByteArray everyUpperByte("\xcf\xf0\xe8\xe2\xe5\xf2\r\n");
    for (int byte = 0x80; byte <= 0xff; ++byte)
        everyUpperByte.append(char(byte));
    QTest::newRow("bytes 0x80-0xFF") << everyUpperByte << everyUpperByte;
    QTest::newRow("LF only") << QByteArray("a\nb\n") << QByteArray("a\r\nb\r\n");
    QTest::newRow("empty journal, empty file") << QByteArray() << QByteArray();
}

void JournalTextTest::openAndSave()
{
    QFETCH(QByteArray, opened);
    QFETCH(QByteArray, saved);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("мои.yrn"));
    FileIO::writeWholeFile(path, opened);
    PlainJournalView journal;
    journal.setText(TweetFile::read(path));
    TweetFile::write(path, journal.text());
    QCOMPARE(FileIO::readWholeFile(path), saved);
}

void JournalTextTest::unencodableTextLeavesTheOldFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.yrn"));
    TweetFile::write(path, QStringLiteral("старый\r\n"));
    try {
        TweetFile::write(path, QStringLiteral("новый ✓\r\n"));
        QFAIL("no error");
    } catch (const AppError &error) {
        QVERIFY2(error.message().contains(QStringLiteral("U+2713")), qPrintable(error.message()));
    }
    QCOMPARE(TweetFile::read(path), QStringLiteral("старый\r\n"));
}

QTEST_MAIN(JournalTextTest)
#include "JournalTextTest.moc"

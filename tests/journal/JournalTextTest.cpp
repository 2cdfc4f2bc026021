#include "base/AppError.h"
#include "base/FileIO.h"
#include "journal/JournalTextArea.h"
#include "journal/TweetFile.h"
#include "journal/TweetFileLoader.h"
#include "tests/support/RecordedInteraction.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPaintEvent>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

// The journal's append rule, its CR LF view of the text, the clipboard, the
// rows it shows, what it takes in, edits across the seams of its compact
// store, and tweet files opened (a slice at a time) and saved through it.
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
    void appendingRepaintsOnlyTheNewRows();
    void takesInOnlyWhatTheCodePageHolds_data();
    void takesInOnlyWhatTheCodePageHolds();
    void editsAcrossTheSeams_data();
    void editsAcrossTheSeams();
    void screenReaderReadsRowsAndWords();
    void openAndSave_data();
    void openAndSave();
    void inputWaitsForTheFile();
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

    JournalTextArea view;
    view.setText(start);
    for (const QString &line : appended)
        view.appendLine(line);
    QCOMPARE(view.text(), expected);
}

// Autogeneration appends for hours: an append changes only the end, leaves no
// undo step and keeps the user's selection.
void JournalTextTest::appendingTouchesOnlyTheEnd()
{
    JournalTextArea view;
    for (int i = 0; i < 500; ++i)
        view.appendLine(QStringLiteral("tweet %1").arg(i));
    QTest::keyClicks(&view, QStringLiteral("typed"));
    view.setSelection(0, 7);

    const QString before = view.text();
    view.appendLine(QStringLiteral("next"));

    QCOMPARE(view.text(), before + QStringLiteral("\r\nnext"));
    view.undo();
    QCOMPARE(view.text(), before + QStringLiteral("\r\nnext"));
    QVERIFY(view.text().endsWith(QStringLiteral("tweet 499\r\ntyped\r\nnext")));
    QCOMPARE(view.selectedText(), QStringLiteral("tweet 0"));
}

void JournalTextTest::selectionAndClipboardHaveCrLf()
{
    QClipboard *clipboard = QApplication::clipboard();
    JournalTextArea buffer;
    buffer.appendLine(QStringLiteral("старый"));
    buffer.clear();
    buffer.appendLine(QStringLiteral("новый твит"));
    buffer.selectAll();
    buffer.copy();
    QCOMPARE(clipboard->text(), QStringLiteral("новый твит\r\n"));

    JournalTextArea journal;
    journal.setText(QStringLiteral("one\r\ntwo\r\nthree"));
    QCOMPARE(journal.selectedText(), QString());
    journal.cut(); // nothing selected: the clipboard keeps its text
    QCOMPARE(clipboard->text(), QStringLiteral("новый твит\r\n"));

    journal.setSelection(1, 9);
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

    JournalTextArea view;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(19);
    view.setFont(font);
    view.resize(400, 200);
    view.show();
    view.setText(text);
    QCOMPARE(view.displayedRows(), rows);
}

// Autogeneration scrolls the journal by a tweet every tick: the rows on
// screen move, and only the rows that came in are painted. The scroll bar,
// its slider as short as it gets and still at the bottom, is not.
void JournalTextTest::appendingRepaintsOnlyTheNewRows()
{
    JournalTextArea view;
    view.resize(400, 300);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    // Unfocused, no caret blinks between the two pictures of the screen below.
    view.clearFocus();
    for (int i = 0; i < 1000; ++i)
        view.appendLine(QStringLiteral("tweet %1").arg(i));
    QTest::qWait(50);
    QVERIFY(view.verticalScrollBar()->isVisible());

    struct PaintCounter : QObject
    {
        int height = 0;
        bool eventFilter(QObject *, QEvent *event) override
        {
            if (event->type() == QEvent::Paint) {
                for (const QRect &band : static_cast<QPaintEvent *>(event)->region())
                    height += band.height();
            }
            return false;
        }
    } rows, bar;
    view.viewport()->installEventFilter(&rows);
    view.verticalScrollBar()->installEventFilter(&bar);
    for (const QString &line : {QStringLiteral("next"), QString(), QString()})
        view.appendLine(line);
    QTest::qWait(50);
    // The three new rows and the one the caret left, the partial row at the
    // bottom and the blank strip above the first row.
    const int row = view.fontMetrics().lineSpacing() + 1;
    QVERIFY2(rows.height > 0 && rows.height <= 5 * row + 4, qPrintable(QString::number(rows.height)));
    QCOMPARE(bar.height, 0);

    // The moved rows and the painted ones together show what painting every
    // row shows.
    const auto onScreen = [&view] { return view.screen()->grabWindow(view.winId()).toImage(); };
    const QImage moved = onScreen();
    view.viewport()->repaint();
    QCOMPARE(moved, onScreen());
}

void JournalTextTest::takesInOnlyWhatTheCodePageHolds_data()
{
    QTest::addColumn<QString>("way");
    QTest::addColumn<QString>("entered");
    QTest::addColumn<QString>("expected");

    // An emoji is one character and one "?"; Cyrillic, "№" and the no-break space stay.
    const QString mixed = QStringLiteral("Ёж № \u00a0😀✓漢");
    const QString fitted = QStringLiteral("Ёж № \u00a0???");
    for (const char *way : {"typed", "pasted", "dropped", "input method", "screen reader"})
        QTest::newRow(way) << way << mixed << fitted;
    QTest::newRow("pasted lines") << "pasted" << QStringLiteral("a😀\r\nb\rc\n") << QStringLiteral("a?\r\nb\r\nc\r\n");
    QTest::newRow("lone surrogate") << "pasted" << QString(QChar(0xd83d)) + u'x' << QStringLiteral("?x");
}

void JournalTextTest::takesInOnlyWhatTheCodePageHolds()
{
    QFETCH(QString, way);
    QFETCH(QString, entered);
    QFETCH(QString, expected);

    JournalTextArea view;
    view.resize(300, 200);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    if (way == u"typed") {
        QKeyEvent key(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, entered);
        QApplication::sendEvent(&view, &key);
    } else if (way == u"pasted") {
        QApplication::clipboard()->setText(entered);
        view.paste();
    } else if (way == u"dropped") {
        QMimeData data;
        data.setText(entered);
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &enter);
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(view.viewport(), &drop);
    } else if (way == u"input method") {
        QInputMethodEvent composing(QStringLiteral("ввод"), {});
        QApplication::sendEvent(&view, &composing);
        QInputMethodEvent commit;
        commit.setCommitString(entered);
        QApplication::sendEvent(&view, &commit);
    } else {
        QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&view);
        QVERIFY(accessible && accessible->editableTextInterface());
        accessible->editableTextInterface()->insertText(0, entered);
    }
    QCOMPARE(view.text(), expected);
}

namespace {

// A journal spanning several chunks of the store (5000 lines), with a line
// long enough to be laid out in several pieces in the middle.
QString seamText()
{
    QStringList lines;
    for (int i = 0; i < 5000; ++i)
        lines.append(i == 2500 ? QStringLiteral("слово ").repeated(2000) : QStringLiteral("строка %1").arg(i));
    return lines.join(u'\n');
}

qsizetype lineStart(const QString &text, int line)
{
    qsizetype offset = 0;
    for (int i = 0; i < line; ++i)
        offset = text.indexOf(u'\n', offset) + 1;
    return offset;
}

} // namespace

void JournalTextTest::editsAcrossTheSeams_data()
{
    QTest::addColumn<int>("anchorLine");
    QTest::addColumn<int>("anchorColumn");
    QTest::addColumn<int>("cursorLine");
    QTest::addColumn<int>("cursorColumn");
    QTest::addColumn<QString>("operation");

    // Chunks hold at most 2048 lines; the long line's pieces start near every 2048th character.
    QTest::newRow("cut across chunks") << 2000 << 3 << 4200 << 2 << "cut";
    QTest::newRow("paste lines at a chunk's end") << 2047 << 4 << 2047 << 4 << "paste";
    QTest::newRow("type over a chunk's end") << 2046 << 0 << 2049 << 5 << "type";
    QTest::newRow("type across pieces of the long line") << 2500 << 2040 << 2500 << 4100 << "type";
    QTest::newRow("cut from the long line into the next chunk") << 2500 << 6000 << 4097 << 1 << "cut";
    QTest::newRow("undo a cut across chunks") << 100 << 0 << 4900 << 0 << "cut undo";
    QTest::newRow("undo typing over the long line") << 2499 << 3 << 2501 << 3 << "type undo";
    QTest::newRow("delete everything") << 0 << 0 << 4999 << 10 << "cut";
}

void JournalTextTest::editsAcrossTheSeams()
{
    QFETCH(int, anchorLine);
    QFETCH(int, anchorColumn);
    QFETCH(int, cursorLine);
    QFETCH(int, cursorColumn);
    QFETCH(QString, operation);

    QString model = seamText();
    JournalTextArea view;
    view.resize(400, 300);
    view.show();
    view.setText(model);
    const qsizetype anchor = lineStart(model, anchorLine) + anchorColumn;
    const qsizetype cursor = lineStart(model, cursorLine) + cursorColumn;
    view.setSelection(anchor, cursor);
    const qsizetype from = std::min(anchor, cursor);
    const qsizetype length = std::abs(cursor - anchor);
    QCOMPARE(view.selectedText(), model.mid(from, length).replace(u'\n', QStringLiteral("\r\n")));

    const QString typed = QStringLiteral("новое\nи ещё");
    const QString before = model;
    if (operation.startsWith(u"cut")) {
        view.cut();
        model.remove(from, length);
    } else if (operation.startsWith(u"paste")) {
        QApplication::clipboard()->setText(QStringLiteral("вставка\r\nв две строки"));
        view.paste();
        model.replace(from, length, QStringLiteral("вставка\nв две строки"));
    } else {
        view.insertTyped(typed);
        model.replace(from, length, typed);
    }
    if (operation.endsWith(u"undo")) {
        view.undo();
        model = before;
    }
    view.appendLine(QStringLiteral("дальше"));
    model += model.endsWith(u'\n') || model.isEmpty() ? QStringLiteral("дальше\n") : QStringLiteral("\nдальше");

    QCOMPARE(view.text(), QString(model).replace(u'\n', QStringLiteral("\r\n")));
    // Rows, pieces and all, cover the text exactly.
    QCOMPARE(view.displayedRows().join(QString()), QString(model).remove(u'\n'));
}

void JournalTextTest::screenReaderReadsRowsAndWords()
{
    JournalTextArea view;
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(19);
    view.setFont(font);
    view.resize(400, 200);
    view.show();
    const QString tweet = QStringLiteral("Как-то раз задумал @Воробей погулять на болоте.");
    view.setText(QStringLiteral("первая\r\n") + tweet);
    QAccessibleInterface *accessible = QAccessible::queryAccessibleInterface(&view);
    QVERIFY(accessible);
    QCOMPARE(accessible->role(), QAccessible::EditableText);
    QVERIFY(accessible->state().multiLine);
    QAccessibleTextInterface *text = accessible->textInterface();
    QVERIFY(text);
    QCOMPARE(text->characterCount(), 7 + tweet.size());
    QCOMPARE(text->text(0, 9), QStringLiteral("первая\nКа"));
    text->setCursorPosition(10);
    QCOMPARE(view.cursorOffset(), 10);
    int start = 0;
    int end = 0;
    QCOMPARE(text->textAtOffset(15, QAccessible::WordBoundary, &start, &end), QStringLiteral("раз"));
    // The tweet shows on two rows; a row is a line to a screen reader.
    QCOMPARE(text->textAtOffset(10, QAccessible::LineBoundary, &start, &end), tweet.left(28));
    QCOMPARE(text->textAtOffset(10, QAccessible::ParagraphBoundary, &start, &end), tweet);
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
    // Read a few bytes at a time, a CR LF can fall across two pieces.
    QTest::newRow("CR, LF and CR LF") << QByteArray("a\r\nb\r\rc\n\nd\r") << QByteArray("a\r\nb\r\n\r\nc\r\n\r\nd\r\n");
}

void JournalTextTest::openAndSave()
{
    QFETCH(QByteArray, opened);
    QFETCH(QByteArray, saved);

    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("мои.yrn"));
    FileIO::writeWholeFile(path, opened);
    JournalTextArea journal;
    journal.setText(TweetFile::read(path));
    TweetFile::write(path, journal.text());
    QCOMPARE(FileIO::readWholeFile(path), saved);

    RecordedInteraction interaction;
    for (const qsizetype pieceBytes : {1, 2, 3, 1024 * 1024}) {
        FileIO::writeWholeFile(path, opened);
        JournalTextArea loaded;
        bool done = false;
        TweetFileLoader loader(loaded, {pieceBytes, 0});
        loader.open(path, interaction, [&done] { done = true; });
        QTRY_VERIFY(done);
        TweetFile::write(path, loaded.text());
        QCOMPARE(FileIO::readWholeFile(path), saved);
    }
    QVERIFY(interaction.shown.isEmpty());
}

// A file read a slice at a time: the window keeps painting, the wait cursor
// shows, and a key pressed meanwhile lands once the text is in.
void JournalTextTest::inputWaitsForTheFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("t.yrn"));
    FileIO::writeWholeFile(path, QByteArray("tweet\r\n").repeated(200));
    JournalTextArea view;
    view.show();
    view.activateWindow();
    view.setFocus();
    QVERIFY(QTest::qWaitForWindowActive(&view));
    view.setText(QStringLiteral("old"));

    RecordedInteraction interaction;
    bool done = false;
    TweetFileLoader loader(view, {7, 0});
    loader.open(path, interaction, [&done] { done = true; });
    QVERIFY(!done);
    QVERIFY(QGuiApplication::overrideCursor() && QGuiApplication::overrideCursor()->shape() == Qt::WaitCursor);
    QTest::keyClick(view.windowHandle(), Qt::Key_X, Qt::NoModifier);
    QCOMPARE(view.text(), QStringLiteral("old"));
    QTRY_VERIFY(done);
    QVERIFY(!QGuiApplication::overrideCursor());
    QTRY_COMPARE(view.text(), QStringLiteral("x") + QStringLiteral("tweet\r\n").repeated(200));
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

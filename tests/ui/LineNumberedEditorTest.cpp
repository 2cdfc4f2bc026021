#include "ui/FontSetup.h"
#include "ui/LineDocument.h"
#include "ui/LineNumberedEditor.h"

#include <QApplication>
#include <QClipboard>
#include <QInputMethodEvent>
#include <QTest>
#include <QTextBlock>

// The line-numbered editor driven with real key and mouse events.
class LineNumberedEditorTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();
    void cleanup();

    void enterKeepsTheIndentation();
    void tabGoesToTheNextWordStartAbove_data();
    void tabGoesToTheNextWordStartAbove();
    void typingIsUndoneAsOneStep();
    void cursorGoesPastTheEndOfALine();
    void upAndDownKeepTheColumnPastLineEnds();
    void clickBeyondTheEndOfALine();
    void clearAllCannotBeUndone();
    void cutAndCopyWithoutSelectionLeaveTheClipboard();
    void rowsOfOneLineKeepTheirJoin();
    void textEntersAsTheFilesCanHoldIt();
    void gutterWidensWithTheLineCount();
    void deletingIsUndoneAsOneStep();

private:
    // Puts the cursor at a line and column of the text.
    void placeCursor(int line, int column);

    LineNumberedEditor *m_editor = nullptr;
};

void LineNumberedEditorTest::initTestCase()
{
    FontSetup::install();
}

void LineNumberedEditorTest::init()
{
    m_editor = new LineNumberedEditor;
    m_editor->resize(600, 400);
    m_editor->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_editor));
}

void LineNumberedEditorTest::cleanup()
{
    delete m_editor;
}

void LineNumberedEditorTest::placeCursor(int line, int column)
{
    QTextCursor cursor(m_editor->document()->findBlockByNumber(line));
    cursor.movePosition(QTextCursor::Right, QTextCursor::MoveAnchor, column);
    m_editor->setTextCursor(cursor);
}

void LineNumberedEditorTest::enterKeepsTheIndentation()
{
    m_editor->loadLines({QStringLiteral("    indented")});
    placeCursor(0, 12);
    QTest::keyClick(m_editor, Qt::Key_Return);
    QTest::keyClicks(m_editor, QStringLiteral("next"));
    // Inside the indentation only the blanks before the cursor carry over.
    placeCursor(0, 2);
    QTest::keyClick(m_editor, Qt::Key_Return);
    QCOMPARE(m_editor->lines(), (QStringList{QStringLiteral("  "), QStringLiteral("    indented"),
                                             QStringLiteral("    next")}));
}

void LineNumberedEditorTest::tabGoesToTheNextWordStartAbove_data()
{
    QTest::addColumn<QString>("above");
    QTest::addColumn<QString>("line");
    QTest::addColumn<int>("tabs");
    QTest::addColumn<QString>("expected");

    QTest::newRow("first word start") << "one  two   three" << "" << 1 << "     x";
    QTest::newRow("second word start") << "one  two   three" << "" << 2 << "           x";
    QTest::newRow("past the last word: next eight") << "one  two   three" << "" << 3 << QString(16, ' ') + "x";
    QTest::newRow("from inside a word") << "alpha beta" << "ab" << 1 << "ab    x";
    QTest::newRow("no line above: eight columns") << QString() << "" << 1 << "        x";
}

void LineNumberedEditorTest::tabGoesToTheNextWordStartAbove()
{
    QFETCH(QString, above);
    QFETCH(QString, line);
    QFETCH(int, tabs);
    QFETCH(QString, expected);

    const bool hasAbove = !above.isNull();
    m_editor->loadLines(hasAbove ? QStringList{above, line} : QStringList{line});
    placeCursor(hasAbove ? 1 : 0, int(line.size()));
    for (int i = 0; i < tabs; ++i)
        QTest::keyClick(m_editor, Qt::Key_Tab);
    QTest::keyClick(m_editor, Qt::Key_X);
    QCOMPARE(m_editor->lines().constLast(), expected);
    QVERIFY(!m_editor->toPlainText().contains(QLatin1Char('\t')));
}

void LineNumberedEditorTest::typingIsUndoneAsOneStep()
{
    m_editor->loadLines({QStringLiteral("start")});
    placeCursor(0, 5);
    QTest::keyClicks(m_editor, QStringLiteral(" and some words"));
    QCOMPARE(m_editor->lines(), QStringList{QStringLiteral("start and some words")});
    m_editor->undo();
    QCOMPARE(m_editor->lines(), QStringList{QStringLiteral("start")});
    m_editor->redo();
    QCOMPARE(m_editor->lines(), QStringList{QStringLiteral("start and some words")});
}

void LineNumberedEditorTest::cursorGoesPastTheEndOfALine()
{
    m_editor->loadLines({QStringLiteral("ab"), QStringLiteral("next")});
    placeCursor(0, 2);
    QTest::keyClick(m_editor, Qt::Key_Right);
    QTest::keyClick(m_editor, Qt::Key_Right);
    QTest::keyClick(m_editor, Qt::Key_Right);
    QTest::keyClick(m_editor, Qt::Key_Left);
    QCOMPARE(m_editor->virtualColumns(), 2);
    QCOMPARE(m_editor->textCursor().position(), 2);
    // Typing there fills the gap with blanks, and the gap goes.
    QTest::keyClick(m_editor, Qt::Key_X);
    QCOMPARE(m_editor->lines(), (QStringList{QStringLiteral("ab  x"), QStringLiteral("next")}));
    QCOMPARE(m_editor->virtualColumns(), 0);
    // Backspace steps back without deleting; End, staying put, leaves the virtual column.
    QTest::keyClick(m_editor, Qt::Key_Right);
    QTest::keyClick(m_editor, Qt::Key_Right);
    QTest::keyClick(m_editor, Qt::Key_Backspace);
    QCOMPARE(m_editor->virtualColumns(), 1);
    QTest::keyClick(m_editor, Qt::Key_End);
    QCOMPARE(m_editor->virtualColumns(), 0);
    QCOMPARE(m_editor->lines(), (QStringList{QStringLiteral("ab  x"), QStringLiteral("next")}));
}

void LineNumberedEditorTest::upAndDownKeepTheColumnPastLineEnds()
{
    m_editor->loadLines({QStringLiteral("abcdefgh"), QStringLiteral("ab"), QStringLiteral("abcdefgh")});
    placeCursor(0, 6);
    QTest::keyClick(m_editor, Qt::Key_Down);
    QCOMPARE(m_editor->textCursor().blockNumber(), 1);
    QCOMPARE(m_editor->textCursor().positionInBlock(), 2);
    QCOMPARE(m_editor->virtualColumns(), 4);
    QTest::keyClick(m_editor, Qt::Key_Down);
    QCOMPARE(m_editor->textCursor().blockNumber(), 2);
    QCOMPARE(m_editor->textCursor().positionInBlock(), 6);
    QCOMPARE(m_editor->virtualColumns(), 0);
    QTest::keyClick(m_editor, Qt::Key_Up);
    QTest::keyClick(m_editor, Qt::Key_Space);
    QCOMPARE(m_editor->lines().at(1), QStringLiteral("ab     "));

    // A wrapped line's rows are visited one by one, and only its last row has an end to pass.
    m_editor->loadLines({QStringLiteral("word ").repeated(60), QStringLiteral("x")});
    QVERIFY(m_editor->document()->firstBlock().layout()->lineCount() > 1);
    placeCursor(0, 2);
    QTest::keyClick(m_editor, Qt::Key_Down);
    QCOMPARE(m_editor->textCursor().blockNumber(), 0);
    QVERIFY(m_editor->textCursor().positionInBlock() > 2);
    QCOMPARE(m_editor->virtualColumns(), 0);
}

void LineNumberedEditorTest::clickBeyondTheEndOfALine()
{
    m_editor->loadLines({QStringLiteral("ab"), QStringLiteral("cd")});
    const QRect lineEnd = m_editor->cursorRect(QTextCursor(m_editor->document()->findBlockByNumber(0)));
    const int column = m_editor->fontMetrics().horizontalAdvance(QLatin1Char(' '));
    const QPoint beyond(lineEnd.left() + 5 * column + column / 4, lineEnd.center().y());
    QTest::mouseClick(m_editor->viewport(), Qt::LeftButton, Qt::NoModifier, beyond);
    QCOMPARE(m_editor->textCursor().position(), 2);
    QCOMPARE(m_editor->virtualColumns(), 3);
}

void LineNumberedEditorTest::clearAllCannotBeUndone()
{
    m_editor->loadLines({QStringLiteral("kept?")});
    placeCursor(0, 5);
    QTest::keyClicks(m_editor, QStringLiteral(" typed"));
    m_editor->selectAll();
    m_editor->clearAll();
    m_editor->undo();
    QVERIFY(m_editor->lines().isEmpty());
    m_editor->redo();
    QVERIFY(m_editor->lines().isEmpty());
    QVERIFY(!m_editor->document()->isUndoAvailable());
}

void LineNumberedEditorTest::cutAndCopyWithoutSelectionLeaveTheClipboard()
{
    QApplication::clipboard()->setText(QStringLiteral("kept"));
    m_editor->loadLines({QStringLiteral("text")});
    placeCursor(0, 2);
    m_editor->copy();
    m_editor->cut();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("kept"));
    QCOMPARE(m_editor->lines(), QStringList{QStringLiteral("text")});
    m_editor->selectAll();
    m_editor->cut();
    QCOMPARE(QApplication::clipboard()->text(), QStringLiteral("text"));
}

void LineNumberedEditorTest::rowsOfOneLineKeepTheirJoin()
{
    m_editor->appendLine(QStringLiteral("first"));
    m_editor->appendLine(QStringLiteral("tweet\r\n"));
    m_editor->appendLine(QStringLiteral("a\rb\nc"));
    QCOMPARE(m_editor->blockCount(), 6);
    const QStringList appended{QStringLiteral("first"), QStringLiteral("tweet\r\n"), QStringLiteral("a\rb\nc")};
    QCOMPARE(m_editor->lines(), appended);
    // Appending is one undo step, and redoing it brings the joins back.
    m_editor->undo();
    QCOMPARE(m_editor->lines(), (QStringList{QStringLiteral("first"), QStringLiteral("tweet\r\n")}));
    m_editor->redo();
    QCOMPARE(m_editor->lines(), appended);

    // Edits of a row keep its join; a row break typed or pasted is a line end
    // of its own, and removing a row break removes its join.
    placeCursor(1, 5);
    QTest::keyClick(m_editor, Qt::Key_Exclam);
    placeCursor(1, 3);
    QTest::keyClick(m_editor, Qt::Key_Return);
    QCOMPARE(m_editor->lines(), (QStringList{QStringLiteral("first"), QStringLiteral("twe"),
                                             QStringLiteral("et!\r\n"), QStringLiteral("a\rb\nc")}));
    placeCursor(6, 1);
    QApplication::clipboard()->setText(QStringLiteral("x\ny"));
    m_editor->paste();
    const QStringList pasted{QStringLiteral("first"), QStringLiteral("twe"), QStringLiteral("et!\r\n"),
                             QStringLiteral("a\rb\ncx"), QStringLiteral("y")};
    QCOMPARE(m_editor->lines(), pasted);
    placeCursor(3, 0);
    QTest::keyClick(m_editor, Qt::Key_Backspace);
    QCOMPARE(m_editor->lines(), (QStringList{QStringLiteral("first"), QStringLiteral("twe"), QStringLiteral("et!"),
                                             QStringLiteral("a\rb\ncx"), QStringLiteral("y")}));
    m_editor->undo();
    QCOMPARE(m_editor->lines(), pasted);
}

void LineNumberedEditorTest::textEntersAsTheFilesCanHoldIt()
{
    m_editor->loadLines({QStringLiteral("ab")});
    placeCursor(0, 1);
    QApplication::clipboard()->setText(QStringLiteral("中\u200b😀Ё"));
    m_editor->paste();
    QTest::sendKeyEvent(QTest::Click, m_editor, Qt::Key_unknown, QStringLiteral("中"), Qt::NoModifier);
    QTest::sendKeyEvent(QTest::Click, m_editor, Qt::Key_unknown, QStringLiteral("😀"), Qt::NoModifier);
    QInputMethodEvent composed;
    composed.setCommitString(QStringLiteral("ж中"));
    QApplication::sendEvent(m_editor, &composed);
    QCOMPARE(m_editor->lines(), QStringList{QStringLiteral("a???Ё??ж?b")});
}

void LineNumberedEditorTest::gutterWidensWithTheLineCount()
{
    QWidget *gutter = m_editor->findChild<QWidget *>(QStringLiteral("gutter"));
    m_editor->loadLines(QStringList(10, QStringLiteral("line")));
    const int narrow = gutter->width();
    m_editor->loadLines(QStringList(10000, QStringLiteral("line")));
    QVERIFY(gutter->width() > narrow);
    QCOMPARE(m_editor->viewport()->geometry().left(), gutter->geometry().right() + 1);
}

void LineNumberedEditorTest::deletingIsUndoneAsOneStep()
{
    m_editor->loadLines({QStringLiteral("one two")});
    placeCursor(0, 7);
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(m_editor, Qt::Key_Backspace);
    QCOMPARE(m_editor->lines(), QStringList{QStringLiteral("one")});
    m_editor->undo();
    QCOMPARE(m_editor->lines(), QStringList{QStringLiteral("one two")});
}

QTEST_MAIN(LineNumberedEditorTest)
#include "LineNumberedEditorTest.moc"

#include "journal/PlainJournalView.h"

#include "base/AppError.h"

#include <QMimeData>
#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextLayout>

#include <limits>

namespace {

// Positions in a text document are ints.
constexpr qsizetype capacity = std::numeric_limits<int>::max() - 1;

const QString crLf = QStringLiteral("\r\n");

// The document separates paragraphs with U+2029; Shift+Enter puts U+2028.
QString withCrLf(QString text)
{
    return text.replace(QChar::ParagraphSeparator, crLf).replace(QChar::LineSeparator, crLf);
}

QString withNewlines(QString text)
{
    return text.replace(crLf, QStringLiteral("\n")).replace(u'\r', u'\n');
}

} // namespace

PlainJournalView::PlainJournalView(QWidget *parent)
    : QPlainTextEdit(parent)
{
}

void PlainJournalView::appendLine(const QString &line)
{
    QTextDocument *journal = document();
    const QTextCursor viewCursor = textCursor();
    const bool followEnd = viewCursor.atEnd() && !viewCursor.hasSelection();
    // The last block is empty exactly when the text is empty or ends with a line end.
    const bool endsWithLineEnd = journal->lastBlock().length() == 1;
    const QString row = withNewlines(line);

    QTextCursor end(journal);
    end.movePosition(QTextCursor::End);
    const bool undoEnabled = journal->isUndoRedoEnabled();
    journal->setUndoRedoEnabled(false);
    end.insertText(endsWithLineEnd ? row + u'\n' : u'\n' + row);
    journal->setUndoRedoEnabled(undoEnabled);
    if (followEnd)
        ensureCursorVisible();
}

QString PlainJournalView::text() const
{
    return withCrLf(document()->toRawText());
}

void PlainJournalView::setText(const QString &text)
{
    if (text.size() > capacity)
        throw AppError(QStringLiteral("Text exceeds memo capacity"));
    setPlainText(withNewlines(text));
}

bool PlainJournalView::isEmpty() const
{
    return document()->isEmpty();
}

QString PlainJournalView::selectedText() const
{
    return withCrLf(textCursor().selectedText());
}

QStringList PlainJournalView::displayedRows() const
{
    QStringList rows;
    auto *layout = qobject_cast<QPlainTextDocumentLayout *>(document()->documentLayout());
    const QTextBlock last = document()->lastBlock();
    for (QTextBlock block = document()->firstBlock(); block.isValid(); block = block.next()) {
        if (block == last && block.length() == 1)
            break;
        if (layout)
            layout->ensureBlockLayout(block);
        const QString blockText = block.text();
        const QTextLayout *blockLayout = block.layout();
        if (!blockLayout || blockLayout->lineCount() == 0) {
            rows.append(blockText);
            continue;
        }
        for (int i = 0; i < blockLayout->lineCount(); ++i) {
            const QTextLine line = blockLayout->lineAt(i);
            QString row = blockText.mid(line.textStart(), line.textLength());
            if (row.endsWith(QChar::LineSeparator))
                row.chop(1);
            rows.append(row);
        }
    }
    return rows;
}

QMimeData *PlainJournalView::createMimeDataFromSelection() const
{
    auto *mime = new QMimeData;
    mime->setText(selectedText());
    return mime;
}

#include "ui/LineNumberedEditor.h"

#include "base/Windows1251.h"
#include "ui/LineDocument.h"
#include "ui/LineNumberGutter.h"

#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QLinearGradient>
#include <QMimeData>
#include <QPainter>
#include <QTextBlock>
#include <QTextLayout>

namespace {

constexpr int tabColumns = 8;
constexpr int gutterPadding = 6;

QFont pixelFont(int pixels)
{
    QFont font(QStringLiteral("Courier New"));
    font.setStyleHint(QFont::TypeWriter);
    font.setPixelSize(pixels);
    return font;
}

QString leadingBlanks(const QString &text)
{
    qsizetype count = 0;
    while (count < text.size() && (text[count] == QLatin1Char(' ') || text[count] == QLatin1Char('\t')))
        ++count;
    return text.left(count);
}

// The first column after `column` where a word starts in `text`, or -1.
int nextWordStart(const QString &text, int column)
{
    for (int i = column + 1; i < text.size(); ++i) {
        if (!text[i].isSpace() && text[i - 1].isSpace())
            return i;
    }
    return -1;
}

} // namespace

LineNumberedEditor::LineNumberedEditor(QWidget *parent)
    : QPlainTextEdit(parent)
    , m_gutter(new LineNumberGutter(this))
    , m_gutterFont(pixelFont(11))
{
    setFont(pixelFont(13));
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setLineDocument(new LineDocument(this));

    connect(this, &QPlainTextEdit::blockCountChanged, this, &LineNumberedEditor::updateGutterWidth);
    connect(this, &QPlainTextEdit::updateRequest, this, &LineNumberedEditor::updateGutter);
    // Any cursor move but the editor's own steps past the end leaves the virtual column.
    connect(this, &QPlainTextEdit::cursorPositionChanged, this, [this] {
        if (!m_keepVirtualColumns)
            setVirtualColumns(0);
    });
    updateGutterWidth();
}

LineNumberedEditor::~LineNumberedEditor()
{
    disconnect(m_document, &LineDocument::discarded, this, nullptr);
}

void LineNumberedEditor::setLineDocument(LineDocument *document)
{
    LineDocument *previous = m_document;
    m_document = document;
    document->prepareForEditor(font());
    setDocument(document);
    if (previous) {
        disconnect(previous, &LineDocument::discarded, this, nullptr);
        if (previous->parent() == this)
            delete previous;
    }
    connect(document, &LineDocument::discarded, this, [this] {
        m_document = nullptr; // going away by itself
        setLineDocument(new LineDocument(this));
    });
    setVirtualColumns(0);
    updateGutterWidth();
}

void LineNumberedEditor::loadLines(const QStringList &lines)
{
    m_document->setLines(lines);
}

QStringList LineNumberedEditor::lines() const
{
    return m_document->lines();
}

void LineNumberedEditor::appendLine(const QString &line)
{
    m_document->appendLine(line);
}

void LineNumberedEditor::clearAll()
{
    m_document->setLines({});
}

int LineNumberedEditor::gutterWidth() const
{
    int digits = 1;
    for (int count = qMax(1, blockCount()); count >= 10; count /= 10)
        ++digits;
    return 2 * gutterPadding + QFontMetrics(m_gutterFont).horizontalAdvance(QLatin1Char('9')) * qMax(3, digits);
}

void LineNumberedEditor::updateGutterWidth()
{
    setViewportMargins(gutterWidth(), 0, 0, 0);
    const QRect area = contentsRect();
    m_gutter->setGeometry(QRect(area.left(), area.top(), gutterWidth(), area.height()));
}

void LineNumberedEditor::updateGutter(const QRect &rect, int dy)
{
    if (dy != 0)
        m_gutter->scroll(0, dy);
    else
        m_gutter->update(0, rect.y(), m_gutter->width(), rect.height());
}

void LineNumberedEditor::resizeEvent(QResizeEvent *event)
{
    QPlainTextEdit::resizeEvent(event);
    updateGutterWidth();
}

void LineNumberedEditor::changeEvent(QEvent *event)
{
    QPlainTextEdit::changeEvent(event);
    if (event->type() == QEvent::FontChange && m_document)
        m_document->setDefaultFont(font());
}

void LineNumberedEditor::paintGutter(QPaintEvent *event)
{
    QPainter painter(m_gutter);
    QLinearGradient fade(0, 0, m_gutter->width(), 0);
    fade.setColorAt(0, QColor(225, 240, 255));
    fade.setColorAt(1, Qt::white);
    painter.fillRect(event->rect(), fade);

    painter.setFont(m_gutterFont);
    painter.setPen(QColor(0, 72, 145));
    const QFontMetrics metrics(m_gutterFont);
    const int right = m_gutter->width() - gutterPadding;
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
        if (box.top() > event->rect().bottom())
            break;
        if (!block.isVisible() || box.bottom() < event->rect().top() || block.layout()->lineCount() == 0)
            continue;
        // On the baseline of the line's first row.
        const qreal baseline = box.top() + block.layout()->position().y() + block.layout()->lineAt(0).ascent();
        const QString number = QString::number(block.blockNumber() + 1);
        painter.drawText(QPointF(right - metrics.horizontalAdvance(number), baseline), number);
    }
}

int LineNumberedEditor::columnWidth() const
{
    return qMax(1, fontMetrics().horizontalAdvance(QLatin1Char(' ')));
}

int LineNumberedEditor::virtualColumnsAt(qreal x, qreal lineEndX) const
{
    // Word wrap leaves no room beyond the editor's width.
    const qreal limit = viewport()->width() - document()->documentMargin() - columnWidth();
    const qreal reachable = qMin(x, qMax(lineEndX, limit));
    return qMax(0, qRound((reachable - lineEndX) / columnWidth()));
}

void LineNumberedEditor::setVirtualColumns(int columns)
{
    if (columns == m_virtualColumns)
        return;
    m_virtualColumns = columns;
    // The editor's own caret would blink at the line's end; ours stands beyond it.
    setCursorWidth(columns > 0 ? 0 : 1);
    viewport()->update();
}

void LineNumberedEditor::paintEvent(QPaintEvent *event)
{
    QPlainTextEdit::paintEvent(event);
    if (m_virtualColumns == 0 || !hasFocus())
        return;
    const QRect caret = cursorRect();
    QPainter painter(viewport());
    painter.fillRect(QRect(caret.left() + m_virtualColumns * columnWidth(), caret.top(), 1, caret.height()),
                     palette().text());
}

void LineNumberedEditor::keyPressEvent(QKeyEvent *event)
{
    const QString text = Windows1251::fitted(event->text());
    if (text != event->text()) {
        QKeyEvent fittedEvent(event->type(), event->key(), event->modifiers(), event->nativeScanCode(),
                              event->nativeVirtualKey(), event->nativeModifiers(), text, event->isAutoRepeat(),
                              event->count());
        keyPressEvent(&fittedEvent);
        event->setAccepted(fittedEvent.isAccepted());
        return;
    }
    const Qt::KeyboardModifiers modifiers = event->modifiers() & ~Qt::KeypadModifier;
    const bool plain = modifiers == Qt::NoModifier;
    const QTextCursor cursor = textCursor();
    switch (event->key()) {
    case Qt::Key_Right:
        if (plain && !cursor.hasSelection() && cursor.atBlockEnd()) {
            const qreal lineEndX = cursorRect().left();
            const qreal next = lineEndX + (m_virtualColumns + 1) * columnWidth();
            setVirtualColumns(virtualColumnsAt(next, lineEndX));
            return;
        }
        break;
    case Qt::Key_Left:
    case Qt::Key_Backspace:
        // Past the end there is nothing to delete: the cursor steps back.
        if (plain && m_virtualColumns > 0) {
            setVirtualColumns(m_virtualColumns - 1);
            return;
        }
        break;
    case Qt::Key_Up:
    case Qt::Key_Down:
        if (plain) {
            moveVertically(event->key() == Qt::Key_Up ? -1 : 1);
            return;
        }
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // Shift+Enter too: a row break inside a line would not be a line of the text.
        if ((modifiers & ~Qt::ShiftModifier) == Qt::NoModifier && !isReadOnly()) {
            newLineKeepingIndentation();
            return;
        }
        break;
    case Qt::Key_Tab:
        if (plain && !isReadOnly()) {
            tabToNextWordStart();
            return;
        }
        break;
    default:
        if (m_virtualColumns == 0 || (event->key() >= Qt::Key_Shift && event->key() <= Qt::Key_ScrollLock))
            break;
        if (!isReadOnly() && !event->text().isEmpty() && event->text()[0].isPrint()
            && !(modifiers & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            insertPlainText(QString(m_virtualColumns, QLatin1Char(' ')));
        // Keys that leave the cursor where it is (End, say) leave the virtual column too.
        setVirtualColumns(0);
        break;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void LineNumberedEditor::inputMethodEvent(QInputMethodEvent *event)
{
    const QString text = Windows1251::fitted(event->commitString());
    if (text == event->commitString()) {
        QPlainTextEdit::inputMethodEvent(event);
        return;
    }
    QInputMethodEvent fittedEvent(event->preeditString(), event->attributes());
    fittedEvent.setCommitString(text, event->replacementStart(), event->replacementLength());
    QPlainTextEdit::inputMethodEvent(&fittedEvent);
    event->setAccepted(fittedEvent.isAccepted());
}

void LineNumberedEditor::insertFromMimeData(const QMimeData *source)
{
    // Only the text: this editor takes nothing else.
    QMimeData fitted;
    fitted.setText(Windows1251::fitted(source->text()));
    QPlainTextEdit::insertFromMimeData(&fitted);
}

void LineNumberedEditor::mousePressEvent(QMouseEvent *event)
{
    QPlainTextEdit::mousePressEvent(event);
    if (event->button() != Qt::LeftButton || event->modifiers() != Qt::NoModifier)
        return;
    const QTextCursor cursor = textCursor();
    if (cursor.hasSelection() || !cursor.atBlockEnd())
        return;
    // A click beyond the end of a line's last row stays in that column.
    const QRect caret = cursorRect();
    const QPointF point = event->position();
    if (point.y() >= caret.top() && point.y() <= caret.bottom())
        setVirtualColumns(virtualColumnsAt(point.x(), caret.left()));
}

void LineNumberedEditor::moveVertically(int direction)
{
    QTextCursor cursor = textCursor();
    QTextBlock block = cursor.block();
    QAbstractTextDocumentLayout *layout = document()->documentLayout();
    layout->blockBoundingRect(block);
    const QTextLine row = block.layout()->lineForTextPosition(cursor.positionInBlock());
    if (!row.isValid())
        return;
    // Rows measure x from the text's left edge; the viewport adds the same offset to every row.
    const qreal offset = cursorRect().left() - row.cursorToX(cursor.positionInBlock());
    const qreal x = cursorRect().left() + m_virtualColumns * columnWidth();

    int target = row.lineNumber() + direction;
    if (target < 0 || target >= block.layout()->lineCount()) {
        block = direction < 0 ? block.previous() : block.next();
        if (!block.isValid())
            return;
        layout->blockBoundingRect(block);
        target = direction < 0 ? block.layout()->lineCount() - 1 : 0;
    }
    const QTextLine targetRow = block.layout()->lineAt(target);
    int position = targetRow.xToCursor(x - offset);
    int columns = 0;
    if (target == block.layout()->lineCount() - 1) {
        const int end = block.length() - 1;
        const qreal endX = targetRow.cursorToX(end) + offset;
        if (x > endX) {
            position = end;
            columns = virtualColumnsAt(x, endX);
        }
    }
    cursor.setPosition(block.position() + position);
    m_keepVirtualColumns = true;
    setTextCursor(cursor);
    m_keepVirtualColumns = false;
    setVirtualColumns(columns);
    ensureCursorVisible();
}

void LineNumberedEditor::newLineKeepingIndentation()
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const QString indentation = leadingBlanks(cursor.block().text().left(cursor.positionInBlock()));
    // A row break the user makes is an ordinary line end: the new row takes
    // no join from the row it came from.
    cursor.insertBlock(QTextBlockFormat());
    cursor.insertText(indentation);
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

void LineNumberedEditor::tabToNextWordStart()
{
    QTextCursor cursor = textCursor();
    cursor.beginEditBlock();
    cursor.removeSelectedText();
    const int column = cursor.positionInBlock() + m_virtualColumns;
    const QTextBlock above = cursor.block().previous();
    int target = above.isValid() ? nextWordStart(above.text(), column) : -1;
    if (target < 0)
        target = (column / tabColumns + 1) * tabColumns;
    cursor.insertText(QString(target - cursor.positionInBlock(), QLatin1Char(' ')));
    cursor.endEditBlock();
    setTextCursor(cursor);
    ensureCursorVisible();
}

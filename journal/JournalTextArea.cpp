#include "journal/JournalTextArea.h"

#include "base/AppError.h"
#include "base/Windows1251.h"
#include "journal/JournalAccessible.h"
#include "journal/JournalMimeData.h"
#include "journal/TweetFileLoader.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QDrag>
#include <QGuiApplication>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QScrollBar>
#include <QStyleHints>
#include <QStyleOptionSlider>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <limits>

namespace {

// Rows keep this far from the viewport's left, right and top edges.
constexpr int margin = 4;
// Around the caret, what an input method is told of a long line.
constexpr qsizetype surroundingReach = 1000;

// CR LF, CR and LF all end a line; inside the area lines are separated by '\n'.
QString withNewlines(QString text)
{
    return text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(u'\r', u'\n');
}

QString translated(const char *text)
{
    return QCoreApplication::translate("QWidgetTextControl", text);
}

QString withShortcut(const QString &caption, QKeySequence::StandardKey key)
{
    const QKeySequence sequence(key);
    return sequence.isEmpty() ? caption : caption + u'\t' + sequence.toString(QKeySequence::NativeText);
}

} // namespace

JournalTextArea::JournalTextArea(QWidget *parent)
    : QAbstractScrollArea(parent)
    , m_store(std::make_unique<JournalStore>())
    , m_layout(std::make_unique<JournalLayout>(*m_store))
{
    JournalAccessible::registerFactory();
    setAttribute(Qt::WA_InputMethodEnabled);
    setFocusPolicy(Qt::StrongFocus);
    // Drops reach the viewport, which hands them here in its coordinates.
    viewport()->setAcceptDrops(true);
    viewport()->setCursor(Qt::IBeamCursor);
    viewport()->setBackgroundRole(QPalette::Base);
    viewport()->setAutoFillBackground(true);
    // Each paint covers the rows it is asked for, whole.
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent, false);
    verticalScrollBar()->setSingleStep(1);
    verticalScrollBar()->installEventFilter(this);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_layout->setFont(font());
    QStyleHints *hints = QGuiApplication::styleHints();
    m_cursorFlashTime = hints->cursorFlashTime();
    connect(hints, &QStyleHints::cursorFlashTimeChanged, this, [this](int time) { m_cursorFlashTime = time; });
}

JournalTextArea::~JournalTextArea() = default;

qsizetype JournalTextArea::capacity()
{
    return std::numeric_limits<int>::max() - 1;
}

QByteArray JournalTextArea::fittedBytes(const QString &text) const
{
    return Windows1251::encodeFitted(withNewlines(text));
}

// ---- The journal's operations

void JournalTextArea::appendLine(const QString &line)
{
    appendEncodedLine(fittedBytes(line));
}

void JournalTextArea::appendEncodedLine(const QByteArray &line)
{
    if (line.contains('\r')) {
        appendLine(Windows1251::decode(line));
        return;
    }
    const Position oldEnd = m_store->end();
    const bool endsWithLineEnd = oldEnd.column == 0;
    if (m_store->characterCount() + line.size() + 1 > capacity())
        return;
    const bool follow = m_cursor == oldEnd && m_anchor == oldEnd;
    const qsizetype at = m_store->offsetOf(oldEnd);
    // Piece by piece: a line of megabytes is neither copied nor joined to its line end.
    if (!endsWithLineEnd)
        m_store->appendBytes("\n");
    m_store->appendToLastLine(line);
    if (endsWithLineEnd)
        m_store->appendBytes("\n");
    m_history.clear();
    m_layout->forgetFrom(oldEnd.line);
    const Position newEnd = m_store->end();
    if (m_cursor == oldEnd)
        m_cursor = newEnd;
    if (m_anchor == oldEnd)
        m_anchor = newEnd;
    // The rows move once for all the lines a command appends.
    scheduleSettling(oldEnd.line, follow);
    if (QAccessible::isActive())
        notifyAccessibility(at, {}, m_store->text(m_store->positionAt(at), newEnd, u"\n"));
}

void JournalTextArea::scheduleSettling(qsizetype changedLine, bool follow)
{
    m_unsettledFrom = m_unsettledFrom < 0 ? changedLine : std::min(m_unsettledFrom, changedLine);
    m_unsettledFollow = m_unsettledFollow || follow;
    if (!m_settlingPosted) {
        m_settlingPosted = true;
        QMetaObject::invokeMethod(this, [this] {
            m_settlingPosted = false;
            settle();
        }, Qt::QueuedConnection);
    }
}

void JournalTextArea::settle()
{
    if (m_unsettledFrom < 0)
        return;
    const qsizetype from = m_unsettledFrom;
    const bool follow = m_unsettledFollow;
    m_unsettledFrom = -1;
    m_unsettledFollow = false;
    if (m_top.line >= from)
        m_top = {std::min(m_top.line, m_store->lineCount() - 1), 0, 0};
    if (!isVisible())
        return;
    // The bar is set once the rows have moved: set before, it would show the
    // grown journal from the old place for a moment, and be redrawn twice.
    if (follow)
        ensureVisible(m_cursor);
    syncScrollBar();
    updateFrom(from);
}

QString JournalTextArea::text() const
{
    return m_store->text({}, m_store->end(), u"\r\n");
}

void JournalTextArea::setText(const QString &text)
{
    if (text.size() > capacity())
        throw AppError(QStringLiteral("Text exceeds memo capacity"));
    JournalStore replacement;
    replacement.appendBytes(fittedBytes(text));
    replaceText(std::move(replacement));
}

void JournalTextArea::openFile(const QString &path, Interaction &interaction, std::function<void()> opened)
{
    m_loader = std::make_unique<TweetFileLoader>(*this);
    m_loader->open(path, interaction, std::move(opened));
}

void JournalTextArea::replaceText(JournalStore &&text)
{
    const QString removed = QAccessible::isActive() ? this->text() : QString();
    *m_store = std::move(text);
    m_history.clear();
    m_cursor = m_anchor = {};
    m_top = {};
    m_unsettledFrom = -1;
    m_unsettledFollow = false;
    m_layout->forgetAll();
    if (isVisible()) {
        syncScrollBar();
        viewport()->update();
    }
    notifyAccessibility(0, removed, QAccessible::isActive() ? this->text() : QString());
}

bool JournalTextArea::isEmpty() const
{
    return m_store->isEmpty();
}

QString JournalTextArea::selectedText() const
{
    return m_store->text(selectionStart(), selectionEnd(), u"\r\n");
}

QStringList JournalTextArea::displayedRows() const
{
    QStringList rows;
    const qsizetype lines = m_store->lineCount();
    // The empty row after a final line end is not one.
    const qsizetype counted = lines > 1 && m_store->lineLength(lines - 1) == 0 ? lines - 1 : lines;
    if (counted == 1 && m_store->isEmpty())
        return rows;
    for (qsizetype line = 0; line < counted; ++line)
        rows += m_layout->rowTexts(line);
    return rows;
}

void JournalTextArea::clear()
{
    replaceText(JournalStore());
}

void JournalTextArea::selectAll()
{
    setCursor(m_store->end(), {});
}

void JournalTextArea::copy()
{
    if (hasSelection())
        QGuiApplication::clipboard()->setMimeData(mimeDataFromSelection());
}

void JournalTextArea::copyOverOwnCopy()
{
    if (!hasSelection())
        return;
    QClipboard *clipboard = QGuiApplication::clipboard();
    QByteArrayList pieces = m_store->pieces(selectionStart(), selectionEnd());
    // Qt knows whether the clipboard is still ours without asking the X server.
    if (m_ownCopy && clipboard->ownsClipboard()) {
        m_ownCopy->setPieces(std::move(pieces));
        return;
    }
    m_ownCopy = new JournalMimeData(std::move(pieces));
    clipboard->setMimeData(m_ownCopy);
}

void JournalTextArea::reofferOwnCopy()
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (!m_ownCopy || !clipboard->ownsClipboard())
        return;
    m_ownCopy = m_ownCopy->copied();
    clipboard->setMimeData(m_ownCopy);
}

void JournalTextArea::cut()
{
    if (!hasSelection())
        return;
    copy();
    replace(selectionStart(), selectionEnd(), {}, TypingHistory::Kind::Edit);
}

void JournalTextArea::paste()
{
    insertFromMimeData(QGuiApplication::clipboard()->mimeData());
}

qsizetype JournalTextArea::cursorOffset() const
{
    return m_store->offsetOf(m_cursor);
}

qsizetype JournalTextArea::anchorOffset() const
{
    return m_store->offsetOf(m_anchor);
}

void JournalTextArea::setSelection(qsizetype anchor, qsizetype cursor)
{
    setCursor(m_store->positionAt(cursor), m_store->positionAt(anchor));
    ensureVisible(m_cursor);
}

void JournalTextArea::insertTyped(const QString &text)
{
    const QByteArray bytes = fittedBytes(text);
    if (bytes.isEmpty() && !hasSelection())
        return;
    replace(selectionStart(), selectionEnd(), bytes, TypingHistory::Kind::Typing);
}

// ---- Editing

void JournalTextArea::replace(Position from, Position to, const QByteArray &bytes, TypingHistory::Kind kind)
{
    settle();
    if (m_store->characterCount() - (m_store->offsetOf(to) - m_store->offsetOf(from)) + bytes.size() > capacity()) {
        QApplication::beep();
        return;
    }
    const qsizetype offset = m_store->offsetOf(from);
    const QByteArray removed = m_store->bytes(from, to);
    m_history.record({offset, removed, bytes, cursorOffset(), anchorOffset()}, kind);
    const qsizetype rowsBefore = m_store->rows(from.line);
    const qsizetype linesBefore = m_store->lineCount();
    const Position end = m_store->replace(from, to, bytes);
    forgetFrom(from.line);
    m_cursor = m_anchor = end;
    ensureVisible(m_cursor);
    syncScrollBar();
    // One line that keeps its rows repaints alone; otherwise all below it moves.
    if (m_store->lineCount() == linesBefore && from.line == to.line && m_store->rows(from.line) == rowsBefore)
        updateLines(from.line, from.line);
    else
        updateFrom(from.line);
    restartBlinking();
    if (QAccessible::isActive())
        notifyAccessibility(offset, Windows1251::decode(removed), Windows1251::decode(bytes));
}

void JournalTextArea::applyHistory(const TypingHistory::Step &step, bool undoing)
{
    settle();
    const QByteArray &remove = undoing ? step.inserted : step.removed;
    const QByteArray &insert = undoing ? step.removed : step.inserted;
    const Position from = m_store->positionAt(step.offset);
    const Position to = m_store->positionAt(step.offset + remove.size());
    const qsizetype linesBefore = m_store->lineCount();
    const Position end = m_store->replace(from, to, insert);
    forgetFrom(from.line);
    if (undoing)
        setCursor(m_store->positionAt(step.cursorBefore), m_store->positionAt(step.anchorBefore));
    else
        setCursor(end, end);
    ensureVisible(m_cursor);
    syncScrollBar();
    if (m_store->lineCount() == linesBefore && from.line == to.line)
        updateLines(from.line, from.line);
    else
        updateFrom(from.line);
    if (QAccessible::isActive())
        notifyAccessibility(step.offset, Windows1251::decode(remove), Windows1251::decode(insert));
}

void JournalTextArea::undo()
{
    for (const TypingHistory::Step &step : m_history.takeUndo())
        applyHistory(step, true);
}

void JournalTextArea::redo()
{
    for (const TypingHistory::Step &step : m_history.takeRedo())
        applyHistory(step, false);
}

void JournalTextArea::forgetFrom(qsizetype line)
{
    m_layout->forgetFrom(line);
    if (m_top.line >= line)
        m_top = {std::min(m_top.line, m_store->lineCount() - 1), 0, 0};
}

// ---- Caret and selection

void JournalTextArea::setCursor(Position cursor, Position anchor)
{
    settle();
    const Position oldCursor = m_cursor;
    const Position oldAnchor = m_anchor;
    m_cursor = cursor;
    m_anchor = anchor;
    if (oldCursor == cursor && oldAnchor == anchor)
        return;
    m_history.breakTyping();
    updateSelectionChange(oldCursor, oldAnchor);
    restartBlinking();
    if (hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImCursorRectangle | Qt::ImCursorPosition | Qt::ImAnchorPosition
                                               | Qt::ImSurroundingText | Qt::ImCurrentSelection);
    if (QAccessible::isActive()) {
        if (hasSelection() || oldCursor != oldAnchor) {
            QAccessibleTextSelectionEvent selection(this, int(m_store->offsetOf(selectionStart())),
                                                    int(m_store->offsetOf(selectionEnd())));
            selection.setCursorPosition(int(cursorOffset()));
            QAccessible::updateAccessibility(&selection);
        } else {
            QAccessibleTextCursorEvent moved(this, int(cursorOffset()));
            QAccessible::updateAccessibility(&moved);
        }
    }
}

void JournalTextArea::moveCursor(Move move, bool forward, bool keepAnchor)
{
    Position target = m_cursor;
    if (!keepAnchor && hasSelection() && move == Move::Char)
        target = forward ? selectionEnd() : selectionStart();
    else
        target = moved(m_cursor, move, forward);
    if (move != Move::Row && move != Move::Page)
        m_targetX = -1;
    setCursor(target, keepAnchor ? m_anchor : target);
    ensureVisible(m_cursor);
}

JournalTextArea::Position JournalTextArea::moved(Position from, Move move, bool forward)
{
    const qsizetype length = m_store->lineLength(from.line);
    switch (move) {
    case Move::Char:
        if (forward)
            return from.column < length ? Position{from.line, from.column + 1}
                   : from.line + 1 < m_store->lineCount() ? Position{from.line + 1, 0}
                                                          : from;
        return from.column > 0 ? Position{from.line, from.column - 1}
               : from.line > 0 ? Position{from.line - 1, m_store->lineLength(from.line - 1)}
                               : from;
    case Move::Word:
        return wordEdge(from, forward);
    case Move::TextEdge:
        return forward ? m_store->end() : Position{};
    case Move::RowEdge: {
        const JournalLayout::Row row = m_layout->rowAt(from.line, from.column);
        const qsizetype start = m_layout->pieceStart(row.line, row.piece);
        const QTextLayout &laidOut = m_layout->layout(row.line, row.piece);
        const QTextLine line = laidOut.lineAt(int(row.row));
        if (!forward)
            return {from.line, start + line.textStart()};
        qsizetype end = line.textStart() + line.textLength();
        // A wrapped row ends before the blank it broke at; the next row starts after it.
        if (row.row + 1 < laidOut.lineCount() && end > line.textStart())
            --end;
        return {from.line, std::min(start + end, length)};
    }
    case Move::Row:
    case Move::Page: {
        JournalLayout::Row row = m_layout->rowAt(from.line, from.column);
        if (m_targetX < 0) {
            const QTextLayout &laidOut = m_layout->layout(row.line, row.piece);
            m_targetX = laidOut.lineAt(int(row.row))
                            .cursorToX(int(m_layout->toLayout(row.line, row.piece, from.column)));
        }
        const int steps = move == Move::Page ? std::max(1, visibleRows() - 1) : 1;
        int moved = 0;
        for (; moved < steps && (forward ? m_layout->next(row) : m_layout->previous(row)); ++moved) {
        }
        if (moved == 0)
            return forward ? m_store->end() : Position{};
        if (move == Move::Page) {
            JournalLayout::Row top = m_top;
            for (int i = 0; i < moved && (forward ? m_layout->next(top) : m_layout->previous(top)); ++i) {
            }
            moveTopTo(top);
            syncScrollBar();
        }
        const QTextLayout &laidOut = m_layout->layout(row.line, row.piece);
        const int inLayout = laidOut.lineAt(int(row.row)).xToCursor(m_targetX);
        return {row.line, std::min(m_layout->pieceStart(row.line, row.piece) + inLayout,
                                   m_layout->pieceEnd(row.line, row.piece))};
    }
    }
    return from;
}

JournalTextArea::Position JournalTextArea::wordEdge(Position from, bool forward)
{
    const qsizetype length = m_store->lineLength(from.line);
    if (forward && from.column == length)
        return from.line + 1 < m_store->lineCount() ? Position{from.line + 1, 0} : from;
    if (!forward && from.column == 0)
        return from.line > 0 ? Position{from.line - 1, m_store->lineLength(from.line - 1)} : from;
    const qsizetype piece = m_layout->pieceAt(from.line, from.column);
    const qsizetype start = m_layout->pieceStart(from.line, piece);
    const QTextLayout &laidOut = m_layout->layout(from.line, piece);
    const int position = int(from.column - start);
    const int next = forward ? laidOut.nextCursorPosition(position, QTextLayout::SkipWords)
                             : laidOut.previousCursorPosition(position, QTextLayout::SkipWords);
    if (next == position) {
        // At a piece's edge: step into the neighbouring piece.
        return forward ? Position{from.line, m_layout->pieceEnd(from.line, piece)}
                       : Position{from.line, std::max<qsizetype>(start - 1, 0)};
    }
    return {from.line, start + next};
}

std::pair<JournalTextArea::Position, JournalTextArea::Position> JournalTextArea::wordAround(Position position)
{
    const QByteArrayView line = m_store->lineBytes(position.line);
    const qsizetype from = std::max<qsizetype>(position.column - surroundingReach, 0);
    const qsizetype to = std::min(position.column + surroundingReach, line.size());
    const QString text = Windows1251::decode(line.sliced(from, to - from));
    QTextBoundaryFinder finder(QTextBoundaryFinder::Word, text);
    finder.setPosition(int(position.column - from));
    qsizetype start = position.column - from;
    qsizetype end = start;
    if (!finder.isAtBoundary() || finder.boundaryReasons() & QTextBoundaryFinder::StartOfItem) {
        if (!finder.isAtBoundary())
            start = std::max<qsizetype>(finder.toPreviousBoundary(), 0);
        finder.setPosition(int(position.column - from));
        end = finder.toNextBoundary();
        if (end < 0)
            end = text.size();
    } else if (start > 0) {
        end = start;
        start = std::max<qsizetype>(finder.toPreviousBoundary(), 0);
    }
    return {{position.line, from + start}, {position.line, from + end}};
}

QMimeData *JournalTextArea::mimeDataFromSelection() const
{
    return new JournalMimeData(m_store->pieces(selectionStart(), selectionEnd()));
}

void JournalTextArea::insertFromMimeData(const QMimeData *source)
{
    if (source && source->hasText())
        replace(selectionStart(), selectionEnd(), fittedBytes(source->text()), TypingHistory::Kind::Edit);
}

void JournalTextArea::offerSelectionToX11() const
{
    QClipboard *clipboard = QGuiApplication::clipboard();
    if (hasSelection() && clipboard->supportsSelection())
        clipboard->setMimeData(mimeDataFromSelection(), QClipboard::Selection);
}

void JournalTextArea::restartBlinking()
{
    m_caretShown = true;
    if (hasFocus() && m_cursorFlashTime > 0)
        m_blinkTimer.start(m_cursorFlashTime / 2, this);
    else
        m_blinkTimer.stop();
    viewport()->update(caretRect(m_cursor));
}

// ---- Rows on screen

int JournalTextArea::visibleRows() const
{
    return std::max(1, (viewport()->height() - margin) / m_layout->rowHeight());
}

std::optional<int> JournalTextArea::rowTop(const JournalLayout::Row &row)
{
    JournalLayout::Row walked = m_top;
    const int rows = visibleRows() + 1;
    for (int i = 0; i <= rows; ++i) {
        if (walked == row)
            return margin + i * m_layout->rowHeight();
        if (!m_layout->next(walked))
            break;
    }
    return std::nullopt;
}

JournalLayout::Row JournalTextArea::rowAtY(int y)
{
    JournalLayout::Row row = m_top;
    if (y < margin) {
        m_layout->previous(row);
        return row;
    }
    for (int i = (y - margin) / m_layout->rowHeight(); i > 0 && m_layout->next(row); --i) {
    }
    return row;
}

JournalTextArea::Position JournalTextArea::positionAt(const QPoint &viewportPoint)
{
    const JournalLayout::Row row = rowAtY(viewportPoint.y());
    const QTextLayout &laidOut = m_layout->layout(row.line, row.piece);
    const qsizetype start = m_layout->pieceStart(row.line, row.piece);
    const qsizetype inLayout = laidOut.lineAt(int(row.row)).xToCursor(viewportPoint.x() - margin);
    qsizetype column = start + inLayout;
    // Inside an input method's text the position is where that text stands.
    if (row.line == m_cursor.line && !m_preedit.isEmpty() && column > m_cursor.column)
        column = std::max(m_cursor.column, column - m_preedit.size());
    return {row.line, std::clamp(column, start, m_layout->pieceEnd(row.line, row.piece))};
}

QRect JournalTextArea::caretRect(Position position)
{
    if (!isVisible())
        return {};
    const JournalLayout::Row row = m_layout->rowAt(position.line, position.column);
    const std::optional<int> top = rowTop(row);
    if (!top)
        return {};
    const QTextLayout &laidOut = m_layout->layout(row.line, row.piece);
    int inLayout = int(m_layout->toLayout(row.line, row.piece, position.column));
    if (position == m_cursor && !m_preedit.isEmpty())
        inLayout += m_preeditCursor;
    const qreal x = laidOut.lineAt(int(row.row)).cursorToX(inLayout);
    return QRect(margin + int(x) - 2, *top, 5, m_layout->rowHeight());
}

void JournalTextArea::moveTopTo(const JournalLayout::Row &top)
{
    if (top == m_top)
        return;
    // Within a screenful the rows already painted are moved, not painted again.
    const int reach = visibleRows();
    int delta = 0;
    JournalLayout::Row walked = m_top;
    for (int i = 1; i <= reach && m_layout->next(walked); ++i) {
        if (walked == top) {
            delta = i;
            break;
        }
    }
    walked = m_top;
    for (int i = 1; delta == 0 && i <= reach && m_layout->previous(walked); ++i) {
        if (walked == top)
            delta = -i;
    }
    m_top = top;
    if (delta != 0) {
        const int shift = delta * m_layout->rowHeight();
        viewport()->scroll(0, -shift);
        // The blank strip above the first row does not move with the rows:
        // it is painted afresh, and so is the row it moved onto.
        viewport()->update(QRect(0, 0, viewport()->width(), margin + std::max(-shift, 0)));
    } else {
        viewport()->update();
    }
}

void JournalTextArea::ensureVisible(Position position)
{
    if (!isVisible())
        return;
    const JournalLayout::Row row = m_layout->rowAt(position.line, position.column);
    if (rowTop(row))
        return;
    const qsizetype number = m_layout->rowNumber(row);
    if (number < m_layout->rowNumber(m_top)) {
        moveTopTo(row);
    } else {
        JournalLayout::Row top = row;
        for (int i = visibleRows() - 1; i > 0 && m_layout->previous(top); --i) {
        }
        moveTopTo(top);
    }
    syncScrollBar();
}

namespace {

// Where the bar would draw its slider for these values.
QRect sliderRect(const QScrollBar &bar, int maximum, int pageStep, int value)
{
    QStyleOptionSlider option;
    option.initFrom(&bar);
    option.orientation = bar.orientation();
    option.minimum = bar.minimum();
    option.maximum = maximum;
    option.pageStep = pageStep;
    option.singleStep = bar.singleStep();
    option.sliderPosition = option.sliderValue = value;
    option.upsideDown = bar.invertedAppearance();
    if (bar.orientation() == Qt::Horizontal)
        option.state |= QStyle::State_Horizontal;
    return bar.style()->subControlRect(QStyle::CC_ScrollBar, &option, QStyle::SC_ScrollBarSlider, &bar);
}

} // namespace

void JournalTextArea::syncScrollBar()
{
    QScrollBar *bar = verticalScrollBar();
    const int visible = visibleRows();
    const int maximum = int(std::clamp<qsizetype>(m_store->totalRows() - visible, 0, std::numeric_limits<int>::max()));
    const int value = int(std::min<qsizetype>(m_layout->rowNumber(m_top), maximum));
    m_scrollBarBehind = false;
    if (maximum == bar->maximum() && visible == bar->pageStep() && value == bar->value())
        return;
    // A bar whose slider would not move by a pixel is not redrawn: the
    // journal grows by a few rows every tick of autogeneration. It catches up
    // before anyone uses it.
    if (!bar->isSliderDown() && bar->isVisible()
        && sliderRect(*bar, maximum, visible, value) == sliderRect(*bar, bar->maximum(), bar->pageStep(), bar->value())) {
        m_scrollBarBehind = true;
        return;
    }
    m_settingScrollBar = true;
    bar->setRange(0, maximum);
    bar->setPageStep(visible);
    bar->setValue(value);
    m_settingScrollBar = false;
}

void JournalTextArea::catchUpScrollBar()
{
    if (!m_scrollBarBehind)
        return;
    QScrollBar *bar = verticalScrollBar();
    const int visible = visibleRows();
    m_settingScrollBar = true;
    bar->setRange(0, int(std::clamp<qsizetype>(m_store->totalRows() - visible, 0, std::numeric_limits<int>::max())));
    bar->setPageStep(visible);
    bar->setValue(int(std::min<qsizetype>(m_layout->rowNumber(m_top), bar->maximum())));
    m_settingScrollBar = false;
    m_scrollBarBehind = false;
}

bool JournalTextArea::eventFilter(QObject *watched, QEvent *event)
{

    if (watched == verticalScrollBar()) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::Wheel:
        case QEvent::KeyPress:
        case QEvent::ContextMenu:
            settle();
            catchUpScrollBar();
            break;
        default:
            break;
        }
    }
    return QAbstractScrollArea::eventFilter(watched, event);
}

void JournalTextArea::wheelEvent(QWheelEvent *event)
{
    settle();
    catchUpScrollBar();
    QAbstractScrollArea::wheelEvent(event);
}

void JournalTextArea::scrollContentsBy(int, int)
{
    settle();
    if (m_settingScrollBar)
        return;
    moveTopTo(m_layout->rowOfNumber(verticalScrollBar()->value()));
}

void JournalTextArea::updateFrom(qsizetype line)
{
    if (!isVisible())
        return;
    if (line < m_top.line) {
        viewport()->update();
        return;
    }
    if (const std::optional<int> top = rowTop(m_layout->rowAt(line, 0)))
        viewport()->update(QRect(0, *top, viewport()->width(), viewport()->height() - *top));
}

void JournalTextArea::updateLines(qsizetype first, qsizetype last)
{
    if (!isVisible())
        return;
    if (first < m_top.line) {
        updateFrom(first);
        return;
    }
    const std::optional<int> top = rowTop(m_layout->rowAt(first, 0));
    if (!top)
        return;
    JournalLayout::Row end = m_layout->rowAt(last, m_store->lineLength(last));
    const std::optional<int> bottom = rowTop(end);
    const int height = bottom ? *bottom + m_layout->rowHeight() - *top : viewport()->height() - *top;
    viewport()->update(QRect(0, *top, viewport()->width(), height));
}

void JournalTextArea::updateSelectionChange(Position oldCursor, Position oldAnchor)
{
    if (!isVisible())
        return;
    const bool hadSelection = oldCursor != oldAnchor;
    if (!hadSelection && !hasSelection()) {
        viewport()->update(caretRect(oldCursor));
        viewport()->update(caretRect(m_cursor));
        return;
    }
    // The rows between what changed: both ends when the selection moved as a whole.
    const Position oldStart = std::min(oldCursor, oldAnchor);
    const Position oldEnd = std::max(oldCursor, oldAnchor);
    qsizetype first;
    qsizetype last;
    if (hadSelection && hasSelection() && oldAnchor == m_anchor) {
        first = std::min(oldCursor.line, m_cursor.line);
        last = std::max(oldCursor.line, m_cursor.line);
    } else {
        first = std::min(oldStart.line, selectionStart().line);
        last = std::max(oldEnd.line, selectionEnd().line);
    }
    first = std::max(first, m_top.line);
    if (first <= last)
        updateLines(first, std::min(last, m_store->lineCount() - 1));
}

void JournalTextArea::relayout()
{
    m_layout->setFont(font());
    m_layout->setWidth(viewport()->width() - 2 * margin);
    m_top = {std::min(m_top.line, m_store->lineCount() - 1), 0, 0};
    syncScrollBar();
    viewport()->update();
}

void JournalTextArea::autoScroll()
{
    const QRect area = viewport()->rect();
    if (area.contains(m_lastMousePoint))
        return;
    JournalLayout::Row top = m_top;
    if (m_lastMousePoint.y() < area.top() ? m_layout->previous(top) : m_lastMousePoint.y() > area.bottom()) {
        if (m_lastMousePoint.y() > area.bottom()) {
            JournalLayout::Row bottom = top;
            for (int i = visibleRows(); i > 0 && m_layout->next(bottom); --i) {
            }
            if (bottom == top || !m_layout->next(top))
                top = m_top;
        }
        moveTopTo(top);
        syncScrollBar();
    }
    const QPoint clamped(std::clamp(m_lastMousePoint.x(), area.left(), area.right()),
                         std::clamp(m_lastMousePoint.y(), area.top(), area.bottom()));
    setCursor(positionAt(clamped), m_anchor);
}

// ---- Painting

void JournalTextArea::drawPiece(QPainter &painter, const QTextLayout &laidOut, qsizetype line, qsizetype piece,
                                const QPointF &origin, const QRectF &clip)
{
    const qsizetype start = m_layout->pieceStart(line, piece);
    const qsizetype end = m_layout->pieceEnd(line, piece);
    QList<QTextLayout::FormatRange> selections;
    if (hasSelection()) {
        const Position from = selectionStart();
        const Position to = selectionEnd();
        if (from.line <= line && line <= to.line) {
            const qsizetype first = from.line == line ? std::max(from.column, start) : start;
            // A selection going on past the line end shows that end selected too.
            const qsizetype last = to.line == line ? std::min(to.column, end) : end + 1;
            if (first < last || (first == last && to.line != line)) {
                QTextLayout::FormatRange range;
                range.start = int(m_layout->toLayout(line, piece, first));
                range.length = int(last - first);
                range.format.setBackground(palette().brush(QPalette::Highlight));
                range.format.setForeground(palette().brush(QPalette::HighlightedText));
                selections.append(range);
            }
        }
    }
    painter.setPen(palette().color(QPalette::Text));
    laidOut.draw(&painter, origin, selections, clip);
    const auto drawCaret = [&](Position caret, int extra) {
        if (caret.line == line && m_layout->pieceAt(line, caret.column) == piece)
            laidOut.drawCursor(&painter, origin, int(m_layout->toLayout(line, piece, caret.column)) + extra, 1);
    };
    if (m_caretShown && hasFocus())
        drawCaret(m_cursor, m_preedit.isEmpty() ? 0 : m_preeditCursor);
    if (m_dropCaret)
        drawCaret(*m_dropCaret, 0);
}

void JournalTextArea::paintEvent(QPaintEvent *event)
{
    settle();
    QPainter painter(viewport());
    // After a scroll the exposed parts are the new rows at the bottom and the
    // blank strip at the top: their bounding rectangle would be every row.
    const QRegion &exposed = event->region();
    const int lowest = exposed.boundingRect().bottom();
    const int rowHeight = m_layout->rowHeight();
    const int height = viewport()->height();
    JournalLayout::Row row = m_top;
    for (int top = margin; top < height && top <= lowest;) {
        const QTextLayout &laidOut = m_layout->layout(row.line, row.piece);
        const int rows = std::max(1, laidOut.lineCount()) - int(row.row);
        const int bottom = top + rows * rowHeight;
        const QRect shown = exposed.intersected(QRect(0, top, viewport()->width(), bottom - top)).boundingRect();
        if (!shown.isEmpty())
            drawPiece(painter, laidOut, row.line, row.piece, QPointF(margin, top - row.row * rowHeight), shown);
        top = bottom;
        if (row.piece + 1 < m_layout->pieceCount(row.line))
            row = {row.line, row.piece + 1, 0};
        else if (row.line + 1 < m_store->lineCount())
            row = {row.line + 1, 0, 0};
        else
            break;
    }
}

// ---- Events

bool JournalTextArea::event(QEvent *event)
{

    if (event->type() == QEvent::ShortcutOverride) {
        // Keys the area acts on are its own, not some shortcut's.
        auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo) || key->matches(QKeySequence::Copy)
            || key->matches(QKeySequence::Cut) || key->matches(QKeySequence::Paste)
            || key->matches(QKeySequence::SelectAll) || key->matches(QKeySequence::Delete)
            || key->matches(QKeySequence::DeleteStartOfWord) || key->matches(QKeySequence::DeleteEndOfWord)
            || key->matches(QKeySequence::MoveToStartOfDocument) || key->matches(QKeySequence::MoveToEndOfDocument)
            || key->matches(QKeySequence::MoveToStartOfLine) || key->matches(QKeySequence::MoveToEndOfLine)
            || key->matches(QKeySequence::MoveToPreviousWord) || key->matches(QKeySequence::MoveToNextWord)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void JournalTextArea::resizeEvent(QResizeEvent *event)
{
    QAbstractScrollArea::resizeEvent(event);
    if (!qFuzzyCompare(m_layout->width(), qreal(viewport()->width() - 2 * margin)))
        relayout();
    else
        syncScrollBar();
}

void JournalTextArea::showEvent(QShowEvent *event)
{
    QAbstractScrollArea::showEvent(event);
    syncScrollBar();
    if (m_cursor == m_store->end())
        ensureVisible(m_cursor);
}

void JournalTextArea::changeEvent(QEvent *event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        relayout();
    else if (event->type() == QEvent::PaletteChange || event->type() == QEvent::ActivationChange)
        viewport()->update();
}

void JournalTextArea::focusInEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusInEvent(event);
    restartBlinking();
}

void JournalTextArea::focusOutEvent(QFocusEvent *event)
{
    QAbstractScrollArea::focusOutEvent(event);
    m_blinkTimer.stop();
    viewport()->update(caretRect(m_cursor));
}

void JournalTextArea::timerEvent(QTimerEvent *event)
{
    if (event->timerId() == m_blinkTimer.timerId()) {
        m_caretShown = !m_caretShown;
        viewport()->update(caretRect(m_cursor));
    } else if (event->timerId() == m_autoScrollTimer.timerId()) {
        autoScroll();
    } else if (event->timerId() == m_tripleClickTimer.timerId()) {
        m_tripleClickTimer.stop();
    } else {
        QAbstractScrollArea::timerEvent(event);
    }
}

bool JournalTextArea::keyEdits(QKeyEvent *event)
{
    if (event->matches(QKeySequence::Undo)) {
        undo();
    } else if (event->matches(QKeySequence::Redo)) {
        redo();
    } else if (event->matches(QKeySequence::Cut)) {
        cut();
    } else if (event->matches(QKeySequence::Copy)) {
        copy();
    } else if (event->matches(QKeySequence::Paste)) {
        paste();
    } else if (event->matches(QKeySequence::SelectAll)) {
        selectAll();
    } else if (event->key() == Qt::Key_Backspace && !(event->modifiers() & ~Qt::ShiftModifier)) {
        if (hasSelection())
            replace(selectionStart(), selectionEnd(), {}, TypingHistory::Kind::Edit);
        else if (m_cursor != Position{})
            replace(moved(m_cursor, Move::Char, false), m_cursor, {}, TypingHistory::Kind::Edit);
    } else if (event->matches(QKeySequence::Delete)) {
        if (hasSelection())
            replace(selectionStart(), selectionEnd(), {}, TypingHistory::Kind::Edit);
        else if (m_cursor != m_store->end())
            replace(m_cursor, moved(m_cursor, Move::Char, true), {}, TypingHistory::Kind::Edit);
    } else if (event->matches(QKeySequence::DeleteStartOfWord)) {
        if (!hasSelection())
            m_anchor = wordEdge(m_cursor, false);
        replace(selectionStart(), selectionEnd(), {}, TypingHistory::Kind::Edit);
    } else if (event->matches(QKeySequence::DeleteEndOfWord)) {
        if (!hasSelection())
            m_anchor = wordEdge(m_cursor, true);
        replace(selectionStart(), selectionEnd(), {}, TypingHistory::Kind::Edit);
    } else if (event->matches(QKeySequence::InsertParagraphSeparator)
               || event->matches(QKeySequence::InsertLineSeparator)) {
        insertTyped(QStringLiteral("\n"));
    } else {
        const QString typed = event->text();
        const bool command = event->modifiers() & (Qt::ControlModifier | Qt::MetaModifier)
                             || (event->modifiers() & Qt::AltModifier && !(event->modifiers() & Qt::GroupSwitchModifier));
        if (typed.isEmpty() || command || (typed.front().isNonCharacter())
            || (typed.front().category() == QChar::Other_Control && typed.front() != u'\t'))
            return false;
        insertTyped(typed);
    }
    return true;
}

bool JournalTextArea::keyMoves(QKeyEvent *event)
{
    struct Binding
    {
        QKeySequence::StandardKey move;
        QKeySequence::StandardKey select;
        Move kind;
        bool forward;
    };
    static const Binding bindings[] = {
        {QKeySequence::MoveToNextChar, QKeySequence::SelectNextChar, Move::Char, true},
        {QKeySequence::MoveToPreviousChar, QKeySequence::SelectPreviousChar, Move::Char, false},
        {QKeySequence::MoveToNextWord, QKeySequence::SelectNextWord, Move::Word, true},
        {QKeySequence::MoveToPreviousWord, QKeySequence::SelectPreviousWord, Move::Word, false},
        {QKeySequence::MoveToNextLine, QKeySequence::SelectNextLine, Move::Row, true},
        {QKeySequence::MoveToPreviousLine, QKeySequence::SelectPreviousLine, Move::Row, false},
        {QKeySequence::MoveToNextPage, QKeySequence::SelectNextPage, Move::Page, true},
        {QKeySequence::MoveToPreviousPage, QKeySequence::SelectPreviousPage, Move::Page, false},
        {QKeySequence::MoveToEndOfLine, QKeySequence::SelectEndOfLine, Move::RowEdge, true},
        {QKeySequence::MoveToStartOfLine, QKeySequence::SelectStartOfLine, Move::RowEdge, false},
        {QKeySequence::MoveToEndOfDocument, QKeySequence::SelectEndOfDocument, Move::TextEdge, true},
        {QKeySequence::MoveToStartOfDocument, QKeySequence::SelectStartOfDocument, Move::TextEdge, false},
    };
    for (const Binding &binding : bindings) {
        if (event->matches(binding.move) || event->matches(binding.select)) {
            moveCursor(binding.kind, binding.forward, event->matches(binding.select));
            return true;
        }
    }
    return false;
}

void JournalTextArea::keyPressEvent(QKeyEvent *event)
{
    settle();
    if (keyMoves(event) || keyEdits(event)) {
        event->accept();
        return;
    }
    QAbstractScrollArea::keyPressEvent(event);
}

void JournalTextArea::inputMethodEvent(QInputMethodEvent *event)
{
    settle();
    const bool hadPreedit = !m_preedit.isEmpty();
    m_preedit.clear();
    m_layout->setPreedit(m_cursor.line, m_cursor.column, {});
    if (!event->commitString().isEmpty() || event->replacementLength() > 0) {
        if (!hasSelection() && event->replacementLength() > 0) {
            const qsizetype at = cursorOffset() + event->replacementStart();
            m_anchor = m_store->positionAt(at);
            m_cursor = m_store->positionAt(at + event->replacementLength());
        }
        insertTyped(event->commitString());
    } else if (hasSelection() && !event->preeditString().isEmpty()) {
        replace(selectionStart(), selectionEnd(), {}, TypingHistory::Kind::Edit);
    }
    m_preedit = event->preeditString();
    m_preeditCursor = int(m_preedit.size());
    for (const QInputMethodEvent::Attribute &attribute : event->attributes()) {
        if (attribute.type == QInputMethodEvent::Cursor)
            m_preeditCursor = attribute.start;
    }
    if (!m_preedit.isEmpty() || hadPreedit) {
        m_layout->setPreedit(m_cursor.line, m_cursor.column, m_preedit);
        syncScrollBar();
        ensureVisible(m_cursor);
        updateFrom(m_cursor.line);
    }
    event->accept();
}

QVariant JournalTextArea::inputMethodQuery(Qt::InputMethodQuery query) const
{
    auto *self = const_cast<JournalTextArea *>(this);
    self->settle();
    const QByteArrayView line = m_store->lineBytes(m_cursor.line);
    const qsizetype from = std::max<qsizetype>(m_cursor.column - surroundingReach, 0);
    const qsizetype to = std::min(m_cursor.column + surroundingReach, line.size());
    switch (query) {
    case Qt::ImEnabled:
        return true;
    case Qt::ImHints:
        return int(Qt::ImhMultiLine);
    case Qt::ImCursorRectangle:
        return QRectF(self->caretRect(m_cursor).translated(viewport()->pos()).adjusted(2, 0, -2, 0));
    case Qt::ImAnchorRectangle:
        return QRectF(self->caretRect(m_anchor).translated(viewport()->pos()).adjusted(2, 0, -2, 0));
    case Qt::ImFont:
        return font();
    case Qt::ImCursorPosition:
        return int(m_cursor.column - from);
    case Qt::ImAnchorPosition:
        return m_anchor.line == m_cursor.line ? int(std::clamp(m_anchor.column, from, to) - from)
                                              : int(m_cursor.column - from);
    case Qt::ImSurroundingText:
        return Windows1251::decode(line.sliced(from, to - from));
    case Qt::ImTextBeforeCursor:
        return Windows1251::decode(line.sliced(from, m_cursor.column - from));
    case Qt::ImTextAfterCursor:
        return Windows1251::decode(line.sliced(m_cursor.column, to - m_cursor.column));
    case Qt::ImCurrentSelection:
        return selectedText().left(int(2 * surroundingReach));
    case Qt::ImAbsolutePosition:
        return qlonglong(cursorOffset());
    case Qt::ImMaximumTextLength:
        return QVariant();
    case Qt::ImInputItemClipRectangle:
        return QRectF(viewport()->geometry());
    case Qt::ImReadOnly:
        return false;
    default:
        return QAbstractScrollArea::inputMethodQuery(query);
    }
}

void JournalTextArea::mousePressEvent(QMouseEvent *event)
{
    settle();
    const QPoint point = event->position().toPoint();
    if (event->button() == Qt::MiddleButton && QGuiApplication::clipboard()->supportsSelection()) {
        const Position at = positionAt(point);
        setCursor(at, at);
        insertFromMimeData(QGuiApplication::clipboard()->mimeData(QClipboard::Selection));
        return;
    }
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_pressPoint = m_lastMousePoint = point;
    const Position at = positionAt(point);
    m_targetX = -1;
    if (m_tripleClickTimer.isActive()) {
        // Third click: the whole line with its end.
        m_tripleClickTimer.stop();
        const Position end = at.line + 1 < m_store->lineCount() ? Position{at.line + 1, 0}
                                                                 : Position{at.line, m_store->lineLength(at.line)};
        setCursor(end, {at.line, 0});
        offerSelectionToX11();
        return;
    }
    if (hasSelection() && selectionStart() <= at && at < selectionEnd() && !(event->modifiers() & Qt::ShiftModifier)) {
        m_mayDrag = true;
        return;
    }
    m_selecting = true;
    setCursor(at, event->modifiers() & Qt::ShiftModifier ? m_anchor : at);
}

void JournalTextArea::mouseMoveEvent(QMouseEvent *event)
{
    settle();
    const QPoint point = event->position().toPoint();
    m_lastMousePoint = point;
    if (m_mayDrag && (point - m_pressPoint).manhattanLength() >= QApplication::startDragDistance()) {
        m_mayDrag = false;
        m_droppedInside = false;
        auto *drag = new QDrag(this);
        drag->setMimeData(mimeDataFromSelection());
        const Qt::DropAction action = drag->exec(Qt::CopyAction | Qt::MoveAction, Qt::MoveAction);
        if (action == Qt::MoveAction && !m_droppedInside && drag->target() != this && drag->target() != viewport())
            replace(selectionStart(), selectionEnd(), {}, TypingHistory::Kind::Edit);
        return;
    }
    if (!m_selecting || !(event->buttons() & Qt::LeftButton))
        return;
    if (viewport()->rect().contains(point)) {
        m_autoScrollTimer.stop();
        setCursor(positionAt(point), m_anchor);
        ensureVisible(m_cursor);
    } else if (!m_autoScrollTimer.isActive()) {
        m_autoScrollTimer.start(50, this);
        autoScroll();
    }
}

void JournalTextArea::mouseReleaseEvent(QMouseEvent *event)
{
    settle();
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    m_autoScrollTimer.stop();
    if (m_mayDrag) {
        // A click inside the selection that did not drag places the caret.
        m_mayDrag = false;
        const Position at = positionAt(event->position().toPoint());
        setCursor(at, at);
    }
    if (m_selecting)
        offerSelectionToX11();
    m_selecting = false;
}

void JournalTextArea::mouseDoubleClickEvent(QMouseEvent *event)
{
    settle();
    if (event->button() != Qt::LeftButton) {
        mousePressEvent(event);
        return;
    }
    const auto [start, end] = wordAround(positionAt(event->position().toPoint()));
    setCursor(end, start);
    offerSelectionToX11();
    m_selecting = false;
    m_tripleClickTimer.start(QGuiApplication::styleHints()->mouseDoubleClickInterval(), this);
}

void JournalTextArea::contextMenuEvent(QContextMenuEvent *event)
{
    QMenu menu(this);
    const bool canPaste = QGuiApplication::clipboard()->mimeData() && QGuiApplication::clipboard()->mimeData()->hasText();
    const auto add = [&](const char *caption, QKeySequence::StandardKey key, bool enabled, auto handler) {
        QAction *action = menu.addAction(withShortcut(translated(caption), key));
        action->setEnabled(enabled);
        connect(action, &QAction::triggered, this, handler);
    };
    add("&Undo", QKeySequence::Undo, m_history.canUndo(), [this] { undo(); });
    add("&Redo", QKeySequence::Redo, m_history.canRedo(), [this] { redo(); });
    menu.addSeparator();
    add("Cu&t", QKeySequence::Cut, hasSelection(), [this] { cut(); });
    add("&Copy", QKeySequence::Copy, hasSelection(), [this] { copy(); });
    add("&Paste", QKeySequence::Paste, canPaste, [this] { paste(); });
    add("Delete", QKeySequence::UnknownKey, hasSelection(),
        [this] { replace(selectionStart(), selectionEnd(), {}, TypingHistory::Kind::Edit); });
    menu.addSeparator();
    add("Select All", QKeySequence::SelectAll, !isEmpty(), [this] { selectAll(); });
    menu.exec(event->globalPos());
}

void JournalTextArea::dragEnterEvent(QDragEnterEvent *event)
{
    if (event->mimeData()->hasText())
        event->acceptProposedAction();
    else
        event->ignore();
}

void JournalTextArea::dragMoveEvent(QDragMoveEvent *event)
{
    settle();
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    const Position at = positionAt(event->position().toPoint());
    if (m_dropCaret)
        viewport()->update(caretRect(*m_dropCaret));
    m_dropCaret = at;
    viewport()->update(caretRect(at));
    const bool ontoItself = event->source() == this && hasSelection() && selectionStart() <= at && at <= selectionEnd();
    if (ontoItself) {
        event->ignore();
        return;
    }
    event->acceptProposedAction();
}

void JournalTextArea::dragLeaveEvent(QDragLeaveEvent *)
{
    if (m_dropCaret)
        viewport()->update(caretRect(*m_dropCaret));
    m_dropCaret.reset();
}

void JournalTextArea::dropEvent(QDropEvent *event)
{
    settle();
    if (m_dropCaret)
        viewport()->update(caretRect(*m_dropCaret));
    m_dropCaret.reset();
    if (!event->mimeData()->hasText()) {
        event->ignore();
        return;
    }
    const QByteArray bytes = fittedBytes(event->mimeData()->text());
    qsizetype at = m_store->offsetOf(positionAt(event->position().toPoint()));
    TypingHistory::Kind kind = TypingHistory::Kind::Edit;
    if (event->source() == this && event->dropAction() == Qt::MoveAction && hasSelection()) {
        // Moving within the area: one step takes the text out, a continued one puts it in.
        const qsizetype start = m_store->offsetOf(selectionStart());
        const qsizetype end = m_store->offsetOf(selectionEnd());
        if (at >= start && at <= end) {
            event->ignore();
            return;
        }
        replace(selectionStart(), selectionEnd(), {}, TypingHistory::Kind::Edit);
        if (at > end)
            at -= end - start;
        kind = TypingHistory::Kind::Continued;
        m_droppedInside = true;
    }
    const Position position = m_store->positionAt(at);
    setCursor(position, position);
    replace(position, position, bytes, kind);
    setCursor(m_cursor, position);
    event->acceptProposedAction();
    setFocus();
}

void JournalTextArea::notifyAccessibility(qsizetype position, const QString &removed,
                                          const QString &inserted)
{
    if (!QAccessible::isActive())
        return;
    if (!removed.isEmpty()) {
        QAccessibleTextRemoveEvent event(this, int(position), removed);
        QAccessible::updateAccessibility(&event);
    }
    if (!inserted.isEmpty()) {
        QAccessibleTextInsertEvent event(this, int(position), inserted);
        QAccessible::updateAccessibility(&event);
    }
}

// ---- For assistive technology

QRect JournalTextArea::characterRect(qsizetype offset)
{
    settle();
    const Position position = m_store->positionAt(offset);
    const JournalLayout::Row row = m_layout->rowAt(position.line, position.column);
    const std::optional<int> top = rowTop(row);
    if (!top)
        return {};
    const QTextLayout &laidOut = m_layout->layout(row.line, row.piece);
    const QTextLine line = laidOut.lineAt(int(row.row));
    const int inLayout = int(m_layout->toLayout(row.line, row.piece, position.column));
    const qreal left = line.cursorToX(inLayout);
    const qreal right = position.column < m_store->lineLength(position.line) ? line.cursorToX(inLayout + 1) : left;
    return QRect(margin + int(left), *top, std::max(1, int(right - left)), m_layout->rowHeight());
}

qsizetype JournalTextArea::offsetAt(const QPoint &viewportPoint)
{
    settle();
    return m_store->offsetOf(positionAt(viewportPoint));
}

void JournalTextArea::scrollToOffset(qsizetype offset)
{
    ensureVisible(m_store->positionAt(offset));
}

std::pair<qsizetype, qsizetype> JournalTextArea::rowRange(qsizetype offset)
{
    settle();
    const Position position = m_store->positionAt(offset);
    const JournalLayout::Row row = m_layout->rowAt(position.line, position.column);
    const QTextLine line = m_layout->layout(row.line, row.piece).lineAt(int(row.row));
    const qsizetype start = m_store->offsetOf({row.line, m_layout->pieceStart(row.line, row.piece)});
    return {start + line.textStart(), start + line.textStart() + line.textLength()};
}

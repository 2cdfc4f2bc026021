#pragma once

#include "journal/JournalLayout.h"
#include "journal/JournalStore.h"
#include "journal/JournalView.h"
#include "journal/TypingHistory.h"

#include <QAbstractScrollArea>
#include <QBasicTimer>
#include <QPointer>

#include <memory>
#include <optional>

class QMenu;
class QMimeData;
class JournalMimeData;
class QTextLayout;
class TweetFileLoader;

// The journal's editable text area: the tweet journal and the hidden
// last-tweet buffer. The text lives in a JournalStore and only the rows on
// screen are laid out, so a night of autogeneration costs the text itself and
// an append costs the same however long the journal is. It does what a text
// area does for the user: caret, selection by mouse and keys, typing through
// input methods too, cut, copy and paste (also of the X11 selection), undo of
// what the user did, drag and drop, the standard context menu, scrolling by
// wheel and keys, and a text interface for screen readers. Like an 8-bit
// text control, it takes in only what Windows-1251 holds: any other
// character entering it becomes "?".
class JournalTextArea : public QAbstractScrollArea, public JournalView
{
    Q_OBJECT

public:
    using Position = JournalStore::Position;

    explicit JournalTextArea(QWidget *parent = nullptr);
    ~JournalTextArea() override;

    // Appends are not undo steps and clear the undo history, so that history
    // cannot grow with autogeneration; the view follows the end only while the
    // caret sits there.
    void appendLine(const QString &line) override;
    // Line ends in the line count as in appendLine.
    void appendEncodedLine(const QByteArray &line) override;
    QString text() const override;
    // Throws AppError for a text too long for the area, leaving the old text.
    void setText(const QString &text) override;
    void openFile(const QString &path, Interaction &interaction, std::function<void()> opened) override;
    bool isEmpty() const override;
    QString selectedText() const override;
    QStringList displayedRows() const override;

    void clear() override;
    void selectAll() override;
    void copy() override;
    void copyOverOwnCopy() override;
    void reofferOwnCopy() override;
    void cut() override;
    void paste() override;

    QWidget *widget() override { return this; }

    // Replaces the whole text with one read elsewhere; the caret goes to the start.
    void replaceText(JournalStore &&text);
    const JournalStore &store() const { return *m_store; }

    // Offsets count a line end as one character.
    qsizetype cursorOffset() const;
    qsizetype anchorOffset() const;
    void setSelection(qsizetype anchor, qsizetype cursor);
    // Replaces the selection as the user's typing would.
    void insertTyped(const QString &text);
    void undo();
    void redo();

    // The character's box on screen (viewport coordinates), for assistive
    // technology; empty when it is not shown.
    QRect characterRect(qsizetype offset);
    qsizetype offsetAt(const QPoint &viewportPoint);
    void scrollToOffset(qsizetype offset);
    // The display row (start and end offsets) holding an offset.
    std::pair<qsizetype, qsizetype> rowRange(qsizetype offset);

    // The most characters the area holds; positions are ints for input
    // methods and assistive technology.
    static qsizetype capacity();

protected:
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;
    void wheelEvent(QWheelEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void changeEvent(QEvent *event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent *event) override;
    void inputMethodEvent(QInputMethodEvent *event) override;
    QVariant inputMethodQuery(Qt::InputMethodQuery query) const override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void contextMenuEvent(QContextMenuEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dragMoveEvent(QDragMoveEvent *event) override;
    void dragLeaveEvent(QDragLeaveEvent *event) override;
    void dropEvent(QDropEvent *event) override;
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void timerEvent(QTimerEvent *event) override;

private:
    enum class Move { Char, Word, Row, Page, RowEdge, TextEdge };

    // Selection, clipboard and caret.
    bool hasSelection() const { return m_cursor != m_anchor; }
    Position selectionStart() const { return std::min(m_cursor, m_anchor); }
    Position selectionEnd() const { return std::max(m_cursor, m_anchor); }
    void setCursor(Position cursor, Position anchor);
    void moveCursor(Move move, bool forward, bool keepAnchor);
    Position moved(Position from, Move move, bool forward);
    Position wordEdge(Position from, bool forward);
    std::pair<Position, Position> wordAround(Position position);
    QMimeData *mimeDataFromSelection() const;
    void insertFromMimeData(const QMimeData *source);
    void offerSelectionToX11() const;
    void restartBlinking();
    bool keyEdits(QKeyEvent *event);
    bool keyMoves(QKeyEvent *event);

    // After appends, the rows on screen catch up once, when the event loop
    // next runs or anything needs them.
    void scheduleSettling(qsizetype changedLine, bool follow);
    void settle();

    // Editing. Bytes have '\n' between lines.
    void replace(Position from, Position to, const QByteArray &bytes, TypingHistory::Kind kind);
    void applyHistory(const TypingHistory::Step &step, bool undoing);
    void forgetFrom(qsizetype line);
    QByteArray fittedBytes(const QString &text) const;

    // Rows on screen.
    int visibleRows() const;
    // The top of a row in the viewport when it is on screen.
    std::optional<int> rowTop(const JournalLayout::Row &row);
    JournalLayout::Row rowAtY(int y);
    Position positionAt(const QPoint &viewportPoint);
    QRect caretRect(Position position);
    void moveTopTo(const JournalLayout::Row &top);
    void ensureVisible(Position position);
    void syncScrollBar();
    void catchUpScrollBar();
    void updateFrom(qsizetype line);
    void updateLines(qsizetype first, qsizetype last);
    void updateSelectionChange(Position oldCursor, Position oldAnchor);
    void relayout();
    void drawPiece(QPainter &painter, const QTextLayout &laidOut, qsizetype line, qsizetype piece,
                   const QPointF &origin, const QRectF &clip);
    void autoScroll();
    void notifyAccessibility(qsizetype position, const QString &removed, const QString &inserted);

    std::unique_ptr<JournalStore> m_store;
    std::unique_ptr<JournalLayout> m_layout;
    TypingHistory m_history;
    std::unique_ptr<TweetFileLoader> m_loader;

    Position m_cursor;
    Position m_anchor;
    // Where Up and Down aim, kept while they repeat.
    qreal m_targetX = -1;
    JournalLayout::Row m_top;
    bool m_settingScrollBar = false;
    bool m_scrollBarBehind = false;
    qsizetype m_unsettledFrom = -1;
    bool m_unsettledFollow = false;
    bool m_settlingPosted = false;

    QBasicTimer m_blinkTimer;
    // Kept: asking the platform theme for it cost more than the rest of moving
    // the caret, which autogeneration does twenty times a second.
    int m_cursorFlashTime = 0;
    bool m_caretShown = true;
    QBasicTimer m_autoScrollTimer;
    QBasicTimer m_tripleClickTimer;
    QPoint m_pressPoint;
    QPoint m_lastMousePoint;
    bool m_selecting = false;
    bool m_mayDrag = false;
    bool m_droppedInside = false;
    std::optional<Position> m_dropCaret;

    // The copy copyOverOwnCopy() made; Qt deletes it when another owner takes the clipboard.
    QPointer<JournalMimeData> m_ownCopy;

    QString m_preedit;
    int m_preeditCursor = 0;
};

#include "journal/JournalAccessible.h"

#include "journal/JournalTextArea.h"

#include <QTextBoundaryFinder>

#include <algorithm>

namespace {

// How far around an offset a word or sentence is looked for in a long line.
constexpr int reach = 4000;

QAccessibleInterface *journalFactory(const QString &, QObject *object)
{
    if (auto *area = qobject_cast<JournalTextArea *>(object))
        return new JournalAccessible(area);
    return nullptr;
}

} // namespace

JournalAccessible::JournalAccessible(JournalTextArea *area)
    : QAccessibleWidget(area, QAccessible::EditableText)
{
}

void JournalAccessible::registerFactory()
{
    static const bool registered = [] {
        QAccessible::installFactory(journalFactory);
        return true;
    }();
    Q_UNUSED(registered)
}

JournalTextArea *JournalAccessible::area() const
{
    return static_cast<JournalTextArea *>(widget());
}

void *JournalAccessible::interface_cast(QAccessible::InterfaceType type)
{
    if (type == QAccessible::TextInterface)
        return static_cast<QAccessibleTextInterface *>(this);
    if (type == QAccessible::EditableTextInterface)
        return static_cast<QAccessibleEditableTextInterface *>(this);
    return QAccessibleWidget::interface_cast(type);
}

QAccessible::State JournalAccessible::state() const
{
    QAccessible::State state = QAccessibleWidget::state();
    state.editable = true;
    state.multiLine = true;
    state.selectableText = true;
    return state;
}

QString JournalAccessible::text(QAccessible::Text type) const
{
    if (type == QAccessible::Value)
        return area()->text();
    return QAccessibleWidget::text(type);
}

void JournalAccessible::selection(int selectionIndex, int *startOffset, int *endOffset) const
{
    *startOffset = *endOffset = 0;
    if (selectionIndex != 0 || selectionCount() == 0)
        return;
    *startOffset = int(std::min(area()->cursorOffset(), area()->anchorOffset()));
    *endOffset = int(std::max(area()->cursorOffset(), area()->anchorOffset()));
}

int JournalAccessible::selectionCount() const
{
    return area()->cursorOffset() != area()->anchorOffset() ? 1 : 0;
}

void JournalAccessible::addSelection(int startOffset, int endOffset)
{
    setSelection(0, startOffset, endOffset);
}

void JournalAccessible::removeSelection(int selectionIndex)
{
    if (selectionIndex == 0)
        area()->setSelection(area()->cursorOffset(), area()->cursorOffset());
}

void JournalAccessible::setSelection(int selectionIndex, int startOffset, int endOffset)
{
    if (selectionIndex == 0)
        area()->setSelection(startOffset, endOffset);
}

int JournalAccessible::cursorPosition() const
{
    return int(area()->cursorOffset());
}

void JournalAccessible::setCursorPosition(int position)
{
    area()->setSelection(position, position);
}

QString JournalAccessible::text(int startOffset, int endOffset) const
{
    const JournalStore &store = area()->store();
    return store.text(store.positionAt(startOffset), store.positionAt(endOffset), u"\n");
}

int JournalAccessible::characterCount() const
{
    return int(area()->store().characterCount());
}

std::pair<int, int> JournalAccessible::unitAt(int offset, QAccessible::TextBoundaryType boundaryType) const
{
    const JournalStore &store = area()->store();
    const int count = characterCount();
    offset = std::clamp(offset, 0, count);
    const JournalStore::Position position = store.positionAt(offset);
    const int lineStart = offset - int(position.column);
    const int lineEnd = lineStart + int(store.lineLength(position.line));
    switch (boundaryType) {
    case QAccessible::NoBoundary:
        return {0, count};
    case QAccessible::CharBoundary:
        return {offset, std::min(offset + 1, count)};
    case QAccessible::LineBoundary: {
        const auto [start, end] = area()->rowRange(offset);
        return {int(start), int(end)};
    }
    case QAccessible::ParagraphBoundary:
        return {lineStart, std::min(lineEnd + 1, count)};
    case QAccessible::WordBoundary:
    case QAccessible::SentenceBoundary: {
        const int from = std::max(lineStart, offset - reach);
        const int to = std::min(lineEnd, offset + reach);
        const QString text = this->text(from, to);
        QTextBoundaryFinder finder(boundaryType == QAccessible::WordBoundary ? QTextBoundaryFinder::Word
                                                                              : QTextBoundaryFinder::Sentence,
                                   text);
        finder.setPosition(offset - from);
        int start = finder.isAtBoundary() ? offset - from : int(finder.toPreviousBoundary());
        finder.setPosition(offset - from);
        int end = int(finder.toNextBoundary());
        if (start < 0)
            start = 0;
        if (end < 0)
            end = int(text.size());
        return {from + start, from + end};
    }
    }
    return {offset, offset};
}

QString JournalAccessible::textAtOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                        int *endOffset) const
{
    std::tie(*startOffset, *endOffset) = unitAt(offset, boundaryType);
    return text(*startOffset, *endOffset);
}

QString JournalAccessible::textBeforeOffset(int offset, QAccessible::TextBoundaryType boundaryType,
                                            int *startOffset, int *endOffset) const
{
    const int start = unitAt(offset, boundaryType).first;
    if (start <= 0) {
        *startOffset = *endOffset = 0;
        return {};
    }
    std::tie(*startOffset, *endOffset) = unitAt(start - 1, boundaryType);
    return text(*startOffset, *endOffset);
}

QString JournalAccessible::textAfterOffset(int offset, QAccessible::TextBoundaryType boundaryType, int *startOffset,
                                           int *endOffset) const
{
    const int end = unitAt(offset, boundaryType).second;
    if (end >= characterCount()) {
        *startOffset = *endOffset = characterCount();
        return {};
    }
    std::tie(*startOffset, *endOffset) = unitAt(end, boundaryType);
    return text(*startOffset, *endOffset);
}

QRect JournalAccessible::characterRect(int offset) const
{
    const QRect box = area()->characterRect(offset);
    return box.isNull() ? QRect() : QRect(area()->viewport()->mapToGlobal(box.topLeft()), box.size());
}

int JournalAccessible::offsetAtPoint(const QPoint &point) const
{
    const QPoint local = area()->viewport()->mapFromGlobal(point);
    if (!area()->viewport()->rect().contains(local))
        return -1;
    return int(area()->offsetAt(local));
}

void JournalAccessible::scrollToSubstring(int startIndex, int endIndex)
{
    area()->scrollToOffset(endIndex);
    area()->scrollToOffset(startIndex);
}

QString JournalAccessible::attributes(int offset, int *startOffset, int *endOffset) const
{
    *startOffset = 0;
    *endOffset = characterCount();
    Q_UNUSED(offset)
    return {};
}

void JournalAccessible::deleteText(int startOffset, int endOffset)
{
    replaceText(startOffset, endOffset, {});
}

void JournalAccessible::insertText(int offset, const QString &text)
{
    replaceText(offset, offset, text);
}

void JournalAccessible::replaceText(int startOffset, int endOffset, const QString &text)
{
    area()->setSelection(startOffset, endOffset);
    area()->insertTyped(text);
}

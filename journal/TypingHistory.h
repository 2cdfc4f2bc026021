#pragma once

#include <QByteArray>

#include <vector>

// What the user did to a text area, for undo and redo. A step replaces text
// at an offset; its bytes hold the area's Windows-1251 text with '\n'
// between lines, and the caret and anchor as they were before it.
class TypingHistory
{
public:
    struct Step
    {
        qsizetype offset = 0;
        QByteArray removed;
        QByteArray inserted;
        qsizetype cursorBefore = 0;
        qsizetype anchorBefore = 0;
    };
    // Typing joins the typing just before it at the same place into one
    // step; a continued step is undone with the one before it (the two halves
    // of moving text by dragging it).
    enum class Kind { Typing, Edit, Continued };

    void record(Step step, Kind kind);
    // The caret moved: the next typing starts a step of its own.
    void breakTyping() { m_typing = false; }
    void clear();

    bool canUndo() const { return !m_done.empty(); }
    bool canRedo() const { return !m_undone.empty(); }
    // The steps to revert, last first, or to do again, first first.
    std::vector<Step> takeUndo();
    std::vector<Step> takeRedo();

private:
    std::vector<std::vector<Step>> m_done;
    std::vector<std::vector<Step>> m_undone;
    bool m_typing = false;
};

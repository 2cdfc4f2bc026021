#include "journal/TypingHistory.h"

#include <algorithm>

void TypingHistory::record(Step step, Kind kind)
{
    m_undone.clear();
    if (kind == Kind::Continued && !m_done.empty()) {
        m_done.back().push_back(std::move(step));
    } else if (kind == Kind::Typing && m_typing && step.removed.isEmpty() && m_done.back().size() == 1
               && m_done.back().front().offset + m_done.back().front().inserted.size() == step.offset) {
        m_done.back().front().inserted += step.inserted;
    } else {
        m_done.push_back({std::move(step)});
    }
    m_typing = kind == Kind::Typing;
}

void TypingHistory::clear()
{
    m_done.clear();
    m_undone.clear();
    m_typing = false;
}

std::vector<TypingHistory::Step> TypingHistory::takeUndo()
{
    m_typing = false;
    if (m_done.empty())
        return {};
    std::vector<Step> steps = m_done.back();
    m_undone.push_back(std::move(m_done.back()));
    m_done.pop_back();
    std::reverse(steps.begin(), steps.end());
    return steps;
}

std::vector<TypingHistory::Step> TypingHistory::takeRedo()
{
    m_typing = false;
    if (m_undone.empty())
        return {};
    std::vector<Step> steps = m_undone.back();
    m_done.push_back(std::move(m_undone.back()));
    m_undone.pop_back();
    return steps;
}

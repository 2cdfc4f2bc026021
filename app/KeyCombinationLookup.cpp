#include "app/KeyCombinationLookup.h"

#include <QAction>
#include <QMenu>

namespace KeyCombinationLookup {

QAction *find(const QList<QAction *> &menuActions, const QKeySequence &combination)
{
    if (combination.isEmpty())
        return nullptr;
    for (QAction *action : menuActions) {
        if (action->isSeparator())
            continue;
        if (QMenu *submenu = action->menu()) {
            if (QAction *found = find(submenu->actions(), combination))
                return found;
            continue;
        }
        if (action->shortcut() == combination)
            return action;
    }
    return nullptr;
}

QKeySequence combinationOf(int key, Qt::KeyboardModifiers modifiers)
{
    switch (key) {
    case Qt::Key_Control:
    case Qt::Key_Shift:
    case Qt::Key_Alt:
    case Qt::Key_Meta:
    case Qt::Key_AltGr:
    case Qt::Key_unknown:
        return {};
    default:
        break;
    }
    // The keypad flag would make Ctrl+keypad-digit differ from the menu's Ctrl+digit.
    modifiers &= Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier;
    return QKeySequence(QKeyCombination(modifiers, Qt::Key(key)));
}

} // namespace KeyCombinationLookup

#pragma once

#include <QKeySequence>
#include <QList>

class QAction;

// Finds the command a key combination belongs to the way the program's menus
// resolve it: menus left to right, items top to bottom, descending into a
// submenu at its place; the first item carrying the combination wins, whether
// it is enabled or not. Qt's own shortcut map treats duplicates as ambiguous
// and lets the focused widget go first, which is not what the menus promise.
namespace KeyCombinationLookup {

QAction *find(const QList<QAction *> &menuActions, const QKeySequence &combination);

// The combination a key press stands for, or an empty sequence for a bare
// modifier key.
QKeySequence combinationOf(int key, Qt::KeyboardModifiers modifiers);

} // namespace KeyCombinationLookup

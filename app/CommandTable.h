#pragma once

#include "app/MainWindow.h"

class Interaction;
class JournalView;
class QAction;
class QMenu;
class QMenuBar;

// The main window's command table: the three menus of its menu bar, then the
// options button's menu and the tray icon's menu, in display order, each item
// with its object name, caption, key combination and command.
namespace CommandTable {

struct Menus
{
    QMenu *options;
    QMenu *tray;
    QAction *startAutogeneration;
    QAction *stopAutogeneration;
};

Menus build(MainWindow &window, QMenuBar *bar, JournalView &journal, const MainWindow::Companions &companions,
            Interaction &interaction);

} // namespace CommandTable

#pragma once

#include <QKeySequence>
#include <QString>

#include <vector>

class MainWindow;

// One row of the main window's command table. A row with a command is an item
// of the menu named in its first column; a row without one opens a submenu
// that later rows name as their menu; a row without a name is a separator.
// "bar" is the menu bar, "context" the options button's menu and "PopupMenu1"
// the tray icon's menu. Names become the items' object names.
struct CommandRow
{
    const char *menu;
    const char *name;
    QString caption;
    QKeySequence key;
    void (MainWindow::*command)();
};

// Every menu of the main window, in display order: the three menus of the
// menu bar, then the options menu and the tray menu.
const std::vector<CommandRow> &commandTable();

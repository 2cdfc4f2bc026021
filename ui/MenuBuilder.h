#pragma once

#include <QKeySequence>
#include <QString>

#include <functional>

class Interaction;
class QAction;
class QMenu;
class QMenuBar;
class QWidget;

// Builds one menu of the program, a row at a time: an item's object name,
// caption, key combination and command. Commands run through the event guard.
// Key combinations are shown on the items; the program's key router resolves
// them by reading the menus, so Qt's own shortcut handling stays out.
class MenuBuilder
{
public:
    MenuBuilder(Interaction &interaction, QMenu *menu);
    MenuBuilder(Interaction &interaction, QMenuBar *bar);

    // An item whose command runs through the event guard.
    QAction *item(const char *name, const QString &caption, const QKeySequence &keys,
                  std::function<void()> command);
    // An item for the caller to connect, straight to a widget's slot.
    QAction *item(const char *name, const QString &caption, const QKeySequence &keys = {});
    // An item already made elsewhere, shared with another menu.
    void item(QAction *shared);
    void separator();
    // A submenu at this place, built by the builder returned.
    MenuBuilder submenu(const char *name, const QString &caption);

    QWidget *menu() const { return m_menu; }

private:
    Interaction &m_interaction;
    QWidget *m_menu;
};

#include "app/KeyCombinationRouter.h"

#include "app/KeyCombinationLookup.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>

KeyCombinationRouter::KeyCombinationRouter(QWidget *mainWindow, QMenuBar *mainMenu, QObject *parent)
    : QObject(parent)
    , m_mainWindow(mainWindow)
    , m_mainMenu(mainMenu)
{
}

void KeyCombinationRouter::addWindow(QWidget *window, QList<QWidget *> ownMenus)
{
    Window entry{window, {}};
    for (QWidget *menu : ownMenus)
        entry.menus.append(menu);
    m_windows.push_back(std::move(entry));
}

bool KeyCombinationRouter::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() != QEvent::KeyPress || !watched->isWidgetType())
        return false;
    const auto *keyEvent = static_cast<QKeyEvent *>(event);
    return route(static_cast<QWidget *>(watched), keyEvent->key(), keyEvent->modifiers());
}

namespace {

// Runs the first item carrying the combination; a disabled one swallows it.
bool claim(const QList<QAction *> &actions, const QKeySequence &combination)
{
    QAction *action = KeyCombinationLookup::find(actions, combination);
    if (!action)
        return false;
    if (action->isEnabled())
        action->trigger();
    return true;
}

} // namespace

bool KeyCombinationRouter::route(QWidget *target, int key, Qt::KeyboardModifiers modifiers)
{
    // Open pop-up menus and modal dialogs handle their own keys.
    if (QApplication::activePopupWidget() || !m_mainWindow || !m_mainMenu)
        return false;
    const QKeySequence combination = KeyCombinationLookup::combinationOf(key, modifiers);
    if (combination.isEmpty())
        return false;

    QWidget *window = target->window();
    if (window == m_mainWindow)
        return m_mainWindow->isEnabled() && claim(m_mainMenu->actions(), combination);

    for (const Window &entry : m_windows) {
        if (entry.window != window)
            continue;
        for (const QPointer<QWidget> &menu : entry.menus) {
            if (menu && claim(menu->actions(), combination))
                return true;
        }
        if (QApplication::activeModalWidget() || !m_mainWindow->isEnabled())
            return false;
        return claim(m_mainMenu->actions(), combination);
    }
    return false;
}

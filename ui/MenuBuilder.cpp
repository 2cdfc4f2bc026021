#include "ui/MenuBuilder.h"

#include "ui/EventGuard.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

MenuBuilder::MenuBuilder(Interaction &interaction, QMenu *menu)
    : m_interaction(interaction)
    , m_menu(menu)
{
}

MenuBuilder::MenuBuilder(Interaction &interaction, QMenuBar *bar)
    : m_interaction(interaction)
    , m_menu(bar)
{
}

QAction *MenuBuilder::item(const char *name, const QString &caption, const QKeySequence &keys,
                           std::function<void()> command)
{
    QAction *action = item(name, caption, keys);
    QObject::connect(action, &QAction::triggered, action, EventGuard::guarded(m_interaction, std::move(command)));
    return action;
}

QAction *MenuBuilder::item(const char *name, const QString &caption, const QKeySequence &keys)
{
    auto *action = new QAction(caption, m_menu);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcut(keys);
    action->setShortcutContext(Qt::WidgetShortcut);
    m_menu->addAction(action);
    return action;
}

void MenuBuilder::item(QAction *shared)
{
    m_menu->addAction(shared);
}

void MenuBuilder::separator()
{
    auto *line = new QAction(m_menu);
    line->setSeparator(true);
    m_menu->addAction(line);
}

MenuBuilder MenuBuilder::submenu(const char *name, const QString &caption)
{
    auto *created = new QMenu(caption, m_menu);
    created->setObjectName(QString::fromLatin1(name));
    created->menuAction()->setObjectName(QString::fromLatin1(name));
    m_menu->addAction(created->menuAction());
    return MenuBuilder(m_interaction, created);
}

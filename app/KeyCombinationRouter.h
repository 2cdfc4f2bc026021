#pragma once

#include <QObject>
#include <QPointer>

#include <vector>

class QMenuBar;
class QWidget;

// Sends key combinations to the menus before the focused control sees them.
// In the main window the main menu decides; in another non-modal window of
// the program its own menus go first and what they leave is offered to the
// main menu, unless a modal dialog has the main window disabled.
class KeyCombinationRouter : public QObject
{
    Q_OBJECT

public:
    explicit KeyCombinationRouter(QWidget *mainWindow, QMenuBar *mainMenu, QObject *parent = nullptr);

    // A non-modal window whose own menus claim combinations first.
    void addWindow(QWidget *window, QList<QWidget *> ownMenus);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Window
    {
        QPointer<QWidget> window;
        QList<QPointer<QWidget>> menus;
    };

    bool route(QWidget *target, int key, Qt::KeyboardModifiers modifiers);

    QPointer<QWidget> m_mainWindow;
    QPointer<QMenuBar> m_mainMenu;
    std::vector<Window> m_windows;
};

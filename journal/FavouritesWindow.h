#pragma once

#include "journal/FavouritesText.h"

#include <QList>
#include <QMainWindow>

class Interaction;
class LineNumberedEditor;
class OutsideLinks;
class QDialog;
class QMenu;

// The favourites window: the favourites text in a line-numbered editor, with
// its menus, tool bar, context menu and status bar. It lives for the whole
// run; closing it only hides it. Key combinations are resolved by the
// program's key router over keyCombinationMenus(), which offers what they
// leave to the main menu.
class FavouritesWindow : public QMainWindow
{
    Q_OBJECT

public:
    FavouritesWindow(FavouritesText &text, Interaction &interaction, OutsideLinks &links, QDialog &aboutBox,
                     QWidget *parent = nullptr);

    // What became of reading the favourites file at start: a missing file
    // brings the first-run message, one that cannot be read its error.
    void reportFileLoad(FavouritesText::LoadState state);

    // Shows the window, or brings it to the front.
    void showAndRaise();

    // Context menu first, then the menu bar; both are filled at the first
    // showing, before any key can reach them.
    QList<QWidget *> keyCombinationMenus() const;

    // The editor, menus and bars are made at the first showing: most runs
    // never open the window, and making them would slow every start.
    void setVisible(bool visible) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildContents();
    void buildMenus();
    void buildToolBar();

    void saveAs();
    void print();
    void selectAllAnd(void (LineNumberedEditor::*command)());
    void publish();

    FavouritesText &m_text;
    Interaction &m_interaction;
    OutsideLinks &m_links;
    QDialog &m_aboutBox;
    LineNumberedEditor *m_editor = nullptr;
    QMenu *m_popupMenu;
    bool m_placed = false;
};

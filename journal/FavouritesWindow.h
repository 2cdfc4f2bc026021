#pragma once

#include <QList>
#include <QMainWindow>
#include <QString>

#include <functional>

class FavouritesText;
class LineNumberedEditor;
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
    // What the main window lends: its save dialog (a path, or empty when the
    // user cancels), its About box, shown modally, and the opening of this
    // window's outside links, by item name.
    struct Services
    {
        std::function<QString(QWidget *parent)> chooseSavePath;
        std::function<void()> showAboutBox;
        std::function<void(const char *item)> openOutsideLink;
    };

    FavouritesWindow(FavouritesText &text, Services services, QWidget *parent = nullptr);

    // At start-up: reads the favourites file. A missing file brings the
    // first-run message, one that cannot be read its error.
    void loadFavouritesFile();
    // At shutdown: writes the favourites file, or, when it could not be read
    // at start, leaves it alone and says so. Throws the create error.
    void writeFavouritesFile();

    // Shows the window, or brings it to the front.
    void showAndRaise();

    // Context menu first, then the menu bar.
    QList<QWidget *> keyCombinationMenus() const;

    LineNumberedEditor *editor() const { return m_editor; }

    // The commands of the menus and the tool bar.
    void saveAs();
    void print();
    void closeWindow();
    void undo();
    void redo();
    void cut();
    void copy();
    void paste();
    void cutAll();
    void copyAll();
    void selectAll();
    void clearAll();
    void publish();
    void openOtherProducts();
    void showAbout();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void buildMenus();
    void buildToolBar();

    FavouritesText &m_text;
    Services m_services;
    LineNumberedEditor *m_editor;
    QMenu *m_popupMenu;
    bool m_placed = false;
};

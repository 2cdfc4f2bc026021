#pragma once

#include "compose/HeroHandle.h"
#include "compose/PhraseBook.h"

#include <QMainWindow>

class BrowserWindow;
class FavouritesWindow;
class HoverLinkLabel;
class ImageButton;
class Interaction;
class JournalView;
class KeyCombinationRouter;
class OutsideLinks;
class QDialog;
class QLabel;
class QMenu;
class QTimer;
class TrayIcon;
class YarnCore;

// The main window: title line, tweet journal, hero link, link rows, the
// compose and options buttons and the menus that reach every command (built by
// CommandTable). Closing it ends the program, after the core's close-time save.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The windows and the tray icon it works with, all made before it.
    struct Companions
    {
        OutsideLinks &links;
        TrayIcon &tray;
        QDialog &settingsDialog;
        QDialog &aboutBox;
        FavouritesWindow &favouritesWindow;
        BrowserWindow &browserWindow;
    };

    MainWindow(YarnCore &core, Interaction &interaction, const Companions &companions, QWidget *parent = nullptr);
    ~MainWindow() override;

    // One of the commands that add a typed phrase to a list.
    struct PhraseAddition
    {
        PhraseListId list;
        QString boxCaption;
        QString prompt;
        QString nothingAddedMessage;
    };

    // Commands, as the menus, buttons, links and the tray run them.
    void composeTweet();
    void startAutogeneration();
    void stopAutogeneration();

    void newJournal();
    void openJournal();
    void saveJournalAs();
    void printJournal();
    void copyAllTweets();
    void clearAll();

    void copyLastTweet();
    void showFavourites();
    void addPhrase(const PhraseAddition &addition);

    void restoreFromTray();
    void hideToTray();
    void minimizeToTray();

    void tellAFriend();
    void helpTheProject();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildWindow();
    void setTweetControlsEnabled(bool enabled);
    void showHeroLink(const QString &caption, const QString &hint);
    void setTitleLine(const QString &text);
    void setFileCaption(const QString &path);
    // The promotional commands: lines for the journal, between two empty
    // lines each side, and a new target for the hero link.
    void announce(const QStringList &lines, const HeroHandle &hero, const QString &heroCaption,
                  const QString &heroHint);

    YarnCore &m_core;
    Interaction &m_interaction;
    const Companions m_companions;

    QLabel *m_titleLine = nullptr;
    HoverLinkLabel *m_stopLink = nullptr;
    HoverLinkLabel *m_heroLink = nullptr;
    JournalView *m_journal = nullptr;
    HoverLinkLabel *m_copyLastLink = nullptr;
    HoverLinkLabel *m_copyAllLink = nullptr;
    HoverLinkLabel *m_favouriteLastLink = nullptr;
    HoverLinkLabel *m_favouriteSelectionLink = nullptr;
    ImageButton *m_composeButton = nullptr;
    ImageButton *m_optionsButton = nullptr;
    JournalView *m_lastTweetBuffer = nullptr;
    QTimer *m_autogenerationTimer = nullptr;
    QMenu *m_optionsMenu = nullptr;
    QAction *m_startAutogenerationItem = nullptr;
    QAction *m_stopAutogenerationItem = nullptr;
    KeyCombinationRouter *m_keyRouter = nullptr;
};

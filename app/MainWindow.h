#pragma once

#include "compose/PhraseBook.h"
#include "compose/RandomGenerator.h"
#include "compose/TweetComposer.h"
#include "journal/FavouritesText.h"
#include "journal/FavouritesWindow.h"

#include <QMainWindow>

#include <memory>

class BrowserWindow;
class HoverLinkLabel;
class ImageButton;
class KeyCombinationRouter;
class JournalView;
class Notices;
class OutsideLinks;
class QDialog;
class QLabel;
class QMenu;
class QTimer;
class SettingsRecord;
class TrayIcon;
struct PhraseAdditionCommand;

// The main window: title line, tweet journal, hero link, link rows, the
// compose and options buttons and the menus that reach every command. It owns
// the tray icon and the tray's menu.
class MainWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit MainWindow(QWidget *parent = nullptr);
    ~MainWindow() override;

    // The windows this one works with. They are created after it, so they are
    // handed over once they exist. Until then nothing is composed, notices are
    // not suppressed, minimising keeps the taskbar entry, no outside address
    // opens and the favourites are not written at close.
    struct Companions
    {
        const SettingsRecord &settings;
        QDialog &settingsDialog;
        QDialog &aboutBox;
        FavouritesWindow &favouritesWindow;
        BrowserWindow &browserWindow;
    };
    void attach(const Companions &companions);

    // What the favourites window borrows from this one: the tweet files' save
    // dialog, the About box and the outside links.
    FavouritesWindow::Services favouritesServices();

    PhraseBook &phrases() { return m_phrases; }
    RandomGenerator &random() { return m_random; }
    FavouritesText &favourites() { return m_favourites; }
    TrayIcon &tray() { return *m_tray; }

    // The hero link's target: an account handle, or a complete address.
    const QString &heroHandle() const { return m_heroHandle; }
    bool heroHandleIsAddress() const { return m_heroHandleIsAddress; }

    // The address the hero link opens.
    QString heroLinkAddress() const;

    // Commands, as the menus, buttons and links run them.
    void composeTweet();
    void startAutogeneration();
    void stopAutogeneration();

    void newJournal();
    void openJournal();
    void saveJournalAs();
    void printJournal();
    void cutJournal();
    void copyJournal();
    void pasteJournal();
    void copyAllTweets();
    void selectAllJournal();
    void clearAll();

    void copyLastTweet();
    void addLastTweetToFavourites();
    void addSelectionToFavourites();
    void showFavourites();

    void addTitle();
    void addAccount();
    void addPlainName();
    void addAction();
    void addPlace();

    void showOptions();
    void showOptionsMenu();
    void showAbout();
    void restoreFromTray();
    void minimizeToTray();
    void quit();

    void openHeroProfile();
    void publishToOwnAccount();
    void openCommunityGroup();
    void openMakerProducts();
    void openMakerSite();
    void openAuthorWidget();
    void openMakerWidget();
    void openAuthorBlog();
    void openAuthorFacebook();
    void writeToSupport();
    void tellAFriend();
    void helpTheProject();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildWindow();
    void buildMenus();
    void loadListsAndWelcome();
    void saveOnClose();
    void addPhrase(const PhraseAdditionCommand &command);
    void composeInto(CompositionMode mode);
    void setTweetControlsEnabled(bool enabled);
    void showHeroLink(const QString &caption, const QString &hint);
    void setTitleLine(const QString &text);
    void setFileCaption(const QString &path);
    void appendJournalLines(const QStringList &lines);
    // Runs the outside-link command of this window's item.
    void openOutsideLink(const char *item);
    QString chooseTweetFileToSave(QWidget *parent);
    bool noticesSuppressed() const;

    PhraseBook m_phrases;
    RandomGenerator m_random;
    TweetComposer m_composer{m_phrases, m_random};
    QString m_heroHandle;
    bool m_heroHandleIsAddress = false;
    FavouritesText m_favourites;

    const SettingsRecord *m_settings = nullptr;
    QDialog *m_settingsDialog = nullptr;
    QDialog *m_aboutBox = nullptr;
    FavouritesWindow *m_favouritesWindow = nullptr;
    std::unique_ptr<OutsideLinks> m_outsideLinks;

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
    QMenu *m_trayMenu = nullptr;
    QAction *m_startAutogenerationItem = nullptr;
    QAction *m_stopAutogenerationItem = nullptr;

    TrayIcon *m_tray = nullptr;
    std::unique_ptr<Notices> m_notices;
    KeyCombinationRouter *m_keyRouter = nullptr;
};

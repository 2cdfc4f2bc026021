#pragma once

#include "compose/PhraseBook.h"
#include "compose/RandomGenerator.h"
#include "compose/TweetComposer.h"
#include "journal/FavouritesText.h"

#include <QMainWindow>

#include <memory>

class HoverLinkLabel;
class ImageButton;
class KeyCombinationRouter;
class JournalView;
class QLabel;
class QMenu;
class QTimer;
struct PhraseAdditionCommand;

// The main window: title line, tweet journal, hero link, link rows, the
// compose and options buttons and the menus that reach every command.
class Notices;
class TrayIcon;

class TForm1 : public QMainWindow
{
    Q_OBJECT

public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    PhraseBook &phrases() { return m_phrases; }
    RandomGenerator &random() { return m_random; }

    FavouritesText &favourites() { return m_favourites; }
    TrayIcon &tray() { return *m_tray; }

    // The hero link's target: an account handle, or a complete address.
    const QString &heroHandle() const { return m_heroHandle; }
    bool heroHandleIsAddress() const { return m_heroHandleIsAddress; }

    // The address the hero link opens.
    QString heroLinkAddress() const;

    // Controls, named as the rest of the program knows them.
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Image3 = nullptr;
    QLabel *Image4 = nullptr;
    QLabel *Label1 = nullptr;
    HoverLinkLabel *Label5 = nullptr;
    HoverLinkLabel *twiname = nullptr;
    JournalView *Memo1 = nullptr;
    QLabel *Label3 = nullptr;
    HoverLinkLabel *XPHoverLabel1 = nullptr;
    QLabel *Label4 = nullptr;
    HoverLinkLabel *XPHoverLabel2 = nullptr;
    QLabel *Label6 = nullptr;
    QLabel *Label8 = nullptr;
    HoverLinkLabel *XPHoverLabel5 = nullptr;
    QLabel *Label9 = nullptr;
    HoverLinkLabel *XPHoverLabel6 = nullptr;
    QLabel *Label7 = nullptr;
    ImageButton *Button1 = nullptr;
    ImageButton *PngBitBtn1 = nullptr;
    JournalView *Memo2 = nullptr;
    QTimer *Timer1 = nullptr;
    QMenu *context = nullptr;
    QMenu *PopupMenu1 = nullptr;

    // Commands.
    void Button1Click();
    void N10Click();
    void N11Click();
    void N13Click();
    void N38Click();
    void N4Click();
    void N5Click();
    void N17Click();
    void N15Click();
    void N16Click();
    void N377Click();
    void N34Click();
    void clearallClick();
    void N43Click();
    void N27Click();
    void N28Click();
    void ghfghfClick();
    void yarnClick();
    void N2354Click();
    void N340Click();
    void twitterquenbyClick();
    void twimerovaleClick();
    void blogClick();
    void N19Click();
    void N20Click();
    void Facebook1Click();
    void N40Click();
    void N12Click();
    void N25Click();
    void twinameClick();
    void XPHoverLabel1Click();
    void XPHoverLabel2Click();
    void XPHoverLabel5Click();
    void XPHoverLabel6Click();
    void PngBitBtn1Click();
    void N415555Click();
    void N41000Click();
    void N528798798Click();
    void N51Click();
    void N525454Click();
    void TextTrayIcon1Click();

protected:
    void closeEvent(QCloseEvent *event) override;
    void changeEvent(QEvent *event) override;

private:
    void buildWindow();
    void buildMenus();
    void FormCreate();
    void FormClose();
    void addPhrase(const PhraseAdditionCommand &command);
    void composeInto(CompositionMode mode);
    void enableTweetControls();
    void setTweetControlsEnabled(bool enabled);
    void showHeroLink(const QString &caption, const QString &hint);
    void setTitleLine(const QString &text);
    void setFileCaption(const QString &path);
    void appendJournalLines(const QStringList &lines);
    void openInBrowser(const QString &address);
    bool noticesSuppressed() const;

    PhraseBook m_phrases;
    RandomGenerator m_random;
    TweetComposer m_composer{m_phrases, m_random};
    QString m_heroHandle;
    bool m_heroHandleIsAddress = false;
    FavouritesText m_favourites;
    TrayIcon *m_tray = nullptr;
    std::unique_ptr<Notices> m_notices;
    KeyCombinationRouter *m_keyRouter = nullptr;
    QAction *m_vkl = nullptr;
    QAction *m_vykl = nullptr;
};

// The single main window instance, reached by every other window.
extern TForm1 *Form1;

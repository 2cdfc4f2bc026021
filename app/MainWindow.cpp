#include "app/MainWindow.h"

#include "app/CommandTable.h"
#include "app/KeyCombinationRouter.h"
#include "base/OutsideAddresses.h"
#include "base/Windows1251.h"
#include "compose/PhraseAddition.h"
#include "journal/PlainJournalView.h"
#include "journal/SharedPrintDialog.h"
#include "journal/TextPrinter.h"
#include "journal/TweetFile.h"
#include "settings/SettingsFile.h"
#include "settings/SettingsRecord.h"
#include "shell/BrowserWindow.h"
#include "shell/Notices.h"
#include "shell/OutsideLinks.h"
#include "shell/TrayIcon.h"
#include "ui/EventGuard.h"
#include "ui/FileDialogs.h"
#include "ui/FontSetup.h"
#include "ui/HoverLinkLabel.h"
#include "ui/ImageButton.h"
#include "ui/InputBox.h"
#include "ui/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int clientWidth = 633;
constexpr int clientHeight = 463;
const QString windowCaption = QStringLiteral("Merovale Yarnspin");

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QLabel *picture(const char *name, const QString &resource, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setPixmap(QPixmap(resource));
    label->setGeometry(geometry);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLabel *plainLabel(const char *name, const QString &text, int left, int top, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(FontSetup::tahoma(11));
    setTextColour(label, QColor(0x00, 0x42, 0x84));
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace

MainWindow::MainWindow(QWidget *parent)
    : QMainWindow(parent)
{
    setObjectName(QStringLiteral("Form1"));
    buildWindow();
    buildMenus();
    // The window is exactly the fixed client area and the menu bar: it cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    move(screen()->availableGeometry().center() - rect().center());
    m_tray = new TrayIcon(this, m_trayMenu, this);
    m_tray->setObjectName(QStringLiteral("TextTrayIcon1"));
    m_notices = std::make_unique<Notices>(*m_tray);
    m_keyRouter = new KeyCombinationRouter(this, menuBar(), this);
    qApp->installEventFilter(m_keyRouter);
    EventGuard::run([this] { loadListsAndWelcome(); });
}

MainWindow::~MainWindow() = default;

void MainWindow::attach(const Companions &companions)
{
    m_settings = &companions.settings;
    m_settingsDialog = &companions.settingsDialog;
    m_aboutBox = &companions.aboutBox;
    m_favouritesWindow = &companions.favouritesWindow;
    m_keyRouter->addWindow(m_favouritesWindow, m_favouritesWindow->keyCombinationMenus());
    // The browser window has no menus of its own: its keys reach the main menu.
    m_keyRouter->addWindow(&companions.browserWindow, {});
    OutsideLinks::Host host{
        [this] { return OutsideLinks::HeroHandle{m_heroHandle, m_heroHandleIsAddress}; },
        [this] { return m_settings->ownAccount(); },
        [this] { showOptions(); },
        [this] { return noticesSuppressed(); },
        [this] { m_notices->products(); },
    };
    m_outsideLinks =
        std::make_unique<OutsideLinks>(std::move(host), OutsideLinks::standardOpeners(companions.browserWindow));
}

FavouritesWindow::Services MainWindow::favouritesServices()
{
    return {[this](QWidget *parent) { return chooseTweetFileToSave(parent); }, [this] { showAbout(); },
            [](const char *item) { OutsideLinks::openOnDesktop("Form5", item); }};
}

void MainWindow::buildWindow()
{
    setWindowTitle(windowCaption);
    // Single border: system menu, minimise and close only, never maximised.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    QFont defaultFont(QStringLiteral("MS Sans Serif"));
    defaultFont.setPixelSize(11);
    setFont(defaultFont);

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(clientWidth, clientHeight);
    client->setAutoFillBackground(true);
    QPalette background = client->palette();
    background.setColor(QPalette::Window, Qt::white);
    client->setPalette(background);
    setCentralWidget(client);

    picture("Image1", QStringLiteral(":/artwork/background.jpg"), QRect(0, 0, 961, 761), client);
    picture("Image2", QStringLiteral(":/artwork/header1.png"), QRect(402, 3, 489, 49), client);
    picture("Image3", QStringLiteral(":/artwork/header2.png"), QRect(400, 3, 489, 49), client);
    picture("Image4", QStringLiteral(":/artwork/header3.png"), QRect(400, 3, 489, 49), client);

    m_titleLine = new QLabel(client);
    m_titleLine->setObjectName(QStringLiteral("Label1"));
    m_titleLine->setFont(FontSetup::tahoma(15));
    setTextColour(m_titleLine, QColor(0x00, 0x42, 0x84));
    m_titleLine->move(14, 12);
    setTitleLine(QStringLiteral("Нажмите на кнопку \"Сочинить смешной твит!\""));

    m_stopLink = new HoverLinkLabel(QStringLiteral("Остановить автогенерацию"), client);
    m_stopLink->setObjectName(QStringLiteral("Label5"));
    QFont stopFont = FontSetup::tahoma(13, true);
    m_stopLink->setFont(stopFont);
    m_stopLink->setUnderline(HoverLinkLabel::Underline::Always);
    m_stopLink->setLinkColor(QColor(0x00, 0x66, 0xCC));
    m_stopLink->setToolTip(m_stopLink->text());
    m_stopLink->setGeometry(437, 9, 185, 16);
    m_stopLink->hide();
    connect(m_stopLink, &HoverLinkLabel::clicked, this, EventGuard::guarded(this, &MainWindow::stopAutogeneration));

    m_heroLink = new HoverLinkLabel(QString(), client);
    m_heroLink->setObjectName(QStringLiteral("twiname"));
    m_heroLink->setFont(FontSetup::tahoma(11));
    m_heroLink->setLinkColor(QColor(0x00, 0x80, 0xC0));
    m_heroLink->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_heroLink->setGeometry(511, 32, 112, 13);
    m_heroLink->setToolTip(QStringLiteral("Открыть твиттер-профиль героя последней сказки"));
    m_heroLink->hide();
    connect(m_heroLink, &HoverLinkLabel::clicked, this, EventGuard::guarded(this, &MainWindow::openHeroProfile));

    auto *journal = new PlainJournalView(client);
    journal->setObjectName(QStringLiteral("Memo1"));
    journal->setFont(FontSetup::tahoma(19));
    setTextColour(journal, QColor(0x00, 0x31, 0x62));
    QPalette white = journal->palette();
    white.setColor(QPalette::Base, Qt::white);
    journal->setPalette(white);
    journal->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    journal->setGeometry(8, 56, 617, 345);
    m_journal = journal;

    const QColor linkColour(0x00, 0x50, 0x9F);
    auto link = [&](const char *name, const QString &text, int left, int top, void (MainWindow::*handler)()) {
        auto *label = new HoverLinkLabel(text, client);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(FontSetup::tahoma(11));
        label->setLinkColor(linkColour);
        label->move(left, top);
        label->adjustSize();
        label->setEnabled(false);
        connect(label, &HoverLinkLabel::clicked, this, EventGuard::guarded(this, handler));
        return label;
    };
    // Each row reads left to right as one sentence.
    plainLabel("Label3", QStringLiteral("Скопировать"), 8, 416, client);
    m_copyLastLink = link("XPHoverLabel1", QStringLiteral("последний"), 76, 416, &MainWindow::copyLastTweet);
    plainLabel("Label4", QStringLiteral("/"), 137, 416, client);
    m_copyAllLink = link("XPHoverLabel2", QStringLiteral("все"), 140, 416, &MainWindow::copyAllTweets);
    plainLabel("Label6", QStringLiteral("твиты в буфер Windows"), 166, 416, client);
    plainLabel("Label8", QStringLiteral("Скопировать"), 8, 432, client);
    m_favouriteLastLink =
        link("XPHoverLabel5", QStringLiteral("последний"), 76, 432, &MainWindow::addLastTweetToFavourites);
    plainLabel("Label9", QStringLiteral("/"), 137, 432, client);
    m_favouriteSelectionLink =
        link("XPHoverLabel6", QStringLiteral("выделенный"), 140, 432, &MainWindow::addSelectionToFavourites);
    plainLabel("Label7", QStringLiteral("твит в избранное"), 214, 432, client);

    m_composeButton = new ImageButton(QPixmap(QStringLiteral(":/artwork/compose.png")),
                                      QStringLiteral("Сочинить смешной твит!"), client);
    m_composeButton->setObjectName(QStringLiteral("Button1"));
    m_composeButton->setGeometry(416, 416, 169, 33);
    m_composeButton->setToolTip(QStringLiteral("Сочинить смешной твит!"));
    connect(m_composeButton, &QAbstractButton::clicked, this, EventGuard::guarded(this, &MainWindow::composeTweet));

    m_optionsButton = new ImageButton(QPixmap(QStringLiteral(":/artwork/options.png")), QString(), client);
    m_optionsButton->setObjectName(QStringLiteral("PngBitBtn1"));
    m_optionsButton->setGeometry(590, 416, 35, 33);
    m_optionsButton->setToolTip(QStringLiteral("Дополнительные опции"));
    m_optionsButton->setEnabled(false);
    connect(m_optionsButton, &QAbstractButton::clicked, this, EventGuard::guarded(this, &MainWindow::showOptionsMenu));

    auto *lastTweet = new PlainJournalView(client);
    lastTweet->setObjectName(QStringLiteral("Memo2"));
    lastTweet->hide();
    m_lastTweetBuffer = lastTweet;

    m_autogenerationTimer = new QTimer(this);
    m_autogenerationTimer->setObjectName(QStringLiteral("Timer1"));
    m_autogenerationTimer->setInterval(50);
    connect(m_autogenerationTimer, &QTimer::timeout, this, EventGuard::guarded(this, &MainWindow::composeTweet));

    // The journal comes first in the focus order and has the focus at start.
    setTabOrder(m_journal->widget(), m_composeButton);
    m_journal->widget()->setFocus();
}

void MainWindow::buildMenus()
{
    m_optionsMenu = new QMenu(this);
    m_optionsMenu->setObjectName(QStringLiteral("context"));
    m_trayMenu = new QMenu(this);
    m_trayMenu->setObjectName(QStringLiteral("PopupMenu1"));
    QHash<QByteArray, QMenu *> menus{{"context", m_optionsMenu}, {"PopupMenu1", m_trayMenu}};

    // Shortcuts are shown on the items but resolved by KeyCombinationRouter, in
    // menu order, before the focused control sees the key.
    for (const CommandRow &row : commandTable()) {
        QMenu *menu = qstrcmp(row.menu, "bar") == 0 ? nullptr : menus.value(row.menu);
        if (!row.name) {
            menu->addSeparator();
        } else if (!row.command) {
            QMenu *submenu = menu ? menu->addMenu(row.caption) : menuBar()->addMenu(row.caption);
            submenu->setObjectName(QString::fromLatin1(row.name));
            submenu->menuAction()->setObjectName(QString::fromLatin1(row.name));
            menus.insert(row.name, submenu);
        } else {
            QAction *action = menu->addAction(row.caption);
            action->setObjectName(QString::fromLatin1(row.name));
            action->setShortcut(row.key);
            action->setShortcutContext(Qt::WidgetShortcut);
            connect(action, &QAction::triggered, this, EventGuard::guarded(this, row.command));
        }
    }

    m_startAutogenerationItem = findChild<QAction *>(QStringLiteral("vkl"));
    m_stopAutogenerationItem = findChild<QAction *>(QStringLiteral("vykl"));
    m_stopAutogenerationItem->setEnabled(false);
}

void MainWindow::loadListsAndWelcome()
{
    m_phrases.loadAll();
    // The welcome notice follows the suppression choice stored in the settings file.
    if (!SettingsFile::load(SettingsFile::path()).suppressNotices)
        m_notices->welcome();
}

void MainWindow::saveOnClose()
{
    m_phrases.saveAll();
    if (m_favouritesWindow && m_settings->autoSaveFavourites())
        m_favouritesWindow->writeFavouritesFile();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A file that cannot be written keeps the window open, so nothing is lost;
    // yet the user who cannot mend the folder must still be able to leave.
    if (!EventGuard::run([this] { saveOnClose(); })
        && !MessageBoxes::askYesNo(QStringLiteral("Сохранить не удалось. Выйти без сохранения?"))) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

void MainWindow::setTitleLine(const QString &text)
{
    m_titleLine->setText(text);
    m_titleLine->adjustSize();
}

void MainWindow::setTweetControlsEnabled(bool enabled)
{
    for (QWidget *control : std::initializer_list<QWidget *>{m_copyLastLink, m_copyAllLink, m_favouriteLastLink,
                                                             m_favouriteSelectionLink, m_optionsButton})
        control->setEnabled(enabled);
}

void MainWindow::showHeroLink(const QString &caption, const QString &hint)
{
    m_heroLink->setText(caption);
    m_heroLink->setToolTip(hint);
    m_heroLink->show();
}

void MainWindow::composeTweet()
{
    if (!m_settings)
        return;
    switch (m_settings->compositionMode()) {
    case SettingsRecord::CompositionMode::Account:
        composeInto(CompositionMode::Account);
        break;
    case SettingsRecord::CompositionMode::PlainName:
        composeInto(CompositionMode::PlainName);
        break;
    case SettingsRecord::CompositionMode::Neither:
        break;
    }
}

void MainWindow::composeInto(CompositionMode mode)
{
    setTweetControlsEnabled(true);
    if (mode == CompositionMode::PlainName)
        m_heroLink->hide();
    const ComposedTweet tweet = m_composer.compose(mode);
    setTitleLine(Windows1251::decode(tweet.title));
    const QString line = Windows1251::decode(tweet.line);
    m_journal->appendLine(line);
    if (mode == CompositionMode::Account) {
        m_heroHandle = Windows1251::decode(tweet.hero);
        m_heroHandleIsAddress = false;
        const QString caption = u'@' + m_heroHandle;
        showHeroLink(caption, QStringLiteral("Открыть твиттер героя этой сказки - ") + caption);
    }
    m_journal->appendLine(QString());
    m_journal->appendLine(QString());
    m_lastTweetBuffer->clear();
    m_lastTweetBuffer->appendLine(line);
    if (m_settings->autoCopy())
        copyLastTweet();
}

void MainWindow::newJournal()
{
    m_journal->clear();
    setWindowTitle(windowCaption + u'!');
    setTitleLine(QStringLiteral("Ну, новый так новый:) Начнем заново!"));
    setTweetControlsEnabled(false);
}

void MainWindow::setFileCaption(const QString &path)
{
    setWindowTitle(windowCaption + QStringLiteral(" [") + QFileInfo(path).fileName() + u']');
}

void MainWindow::openJournal()
{
    const QString path = FileDialogs::openFile(this, QStringLiteral("Открыть файл твитов"),
                                                {QStringLiteral("Файлы Yarnspin (*.yrn)")});
    if (path.isEmpty())
        return;
    m_journal->setText(TweetFile::read(path));
    m_journal->widget()->setFocus();
    setFileCaption(path);
}

QString MainWindow::chooseTweetFileToSave(QWidget *parent)
{
    return FileDialogs::saveFile(parent, QStringLiteral("Сохранить твиты в файл"),
                                 {QStringLiteral("Файл Yarnspin (*.yrn)"), QStringLiteral("Текстовый файл (*.txt)")},
                                 QStringLiteral("yrn"));
}

void MainWindow::saveJournalAs()
{
    const QString path = chooseTweetFileToSave(this);
    if (path.isEmpty())
        return;
    TweetFile::write(path, m_journal->text());
    m_journal->widget()->setFocus();
    setFileCaption(path);
}

void MainWindow::printJournal()
{
    SharedPrintDialog &dialog = SharedPrintDialog::instance();
    if (!dialog.ask(this))
        return;
    const QWidget *journal = m_journal->widget();
    TextPrinter::print(dialog.printer(), journal->font(), journal->palette().color(QPalette::Text),
                       m_journal->displayedRows());
}

void MainWindow::quit()
{
    close();
}

void MainWindow::cutJournal()
{
    m_journal->cut();
}

void MainWindow::copyJournal()
{
    m_journal->copy();
}

void MainWindow::pasteJournal()
{
    m_journal->paste();
}

void MainWindow::copyAllTweets()
{
    m_journal->selectAll();
    m_journal->copy();
}

void MainWindow::selectAllJournal()
{
    m_journal->selectAll();
}

void MainWindow::clearAll()
{
    m_journal->clear();
    setWindowTitle(windowCaption + u'!');
    setTitleLine(QStringLiteral("Ты все мои твиты стёр! Я что зря придумываю?"));
}

void MainWindow::copyLastTweet()
{
    m_lastTweetBuffer->selectAll();
    m_lastTweetBuffer->copy();
}

void MainWindow::addLastTweetToFavourites()
{
    m_favourites.appendLine(m_lastTweetBuffer->text());
}

void MainWindow::addSelectionToFavourites()
{
    m_favourites.appendLine(m_journal->selectedText());
}

void MainWindow::showOptionsMenu()
{
    const QPoint corner(m_optionsButton->x(), m_optionsButton->y() + 20);
    m_optionsMenu->popup(centralWidget()->mapToGlobal(corner));
}

void MainWindow::appendJournalLines(const QStringList &lines)
{
    for (const QString &line : lines)
        m_journal->appendLine(line);
}

void MainWindow::helpTheProject()
{
    appendJournalLines({
        QString(),
        QString(),
        QStringLiteral("Помогайте нам!"),
        QString(),
        QStringLiteral("Вам кажется, что в твитах мало смешных событий? Не хватает ярких и запоминающихся персонажей?"),
        QStringLiteral("Тогда примите участие в программе! Присылайте нам собственные фразы и аккаунты персонажей - "
                       "будем делать Ярнспин вместе!"),
        QStringLiteral("Мой твиттер: @Quenby."),
        QStringLiteral("Мой e-mail: ") + OutsideAddresses::authorEmail() + u'.',
        QString(),
        QString(),
    });
    m_heroHandle = QStringLiteral("quenby");
    m_heroHandleIsAddress = false;
    showHeroLink(QStringLiteral("@quenby"), QStringLiteral("Открыть твиттер автора программы - @quenby"));
}

void MainWindow::tellAFriend()
{
    appendJournalLines({
        QString(),
        QString(),
        QStringLiteral("Merovale Yarnspin"),
        QString(),
        QStringLiteral("Merovale Yarnspin - программа, оптимизировання специально для Твиттера, создает короткие смешные "
                       "сказки (тут они называются твитами), с использованием реальных имен, персонажей и "
                       "твиттер-аккаунтов. Подшути над своими фолловерами и ты! :)"),
        QStringLiteral("Прямая ссылка на загрузку самой свежей версии программы: ") + OutsideAddresses::downloadAddress(),
        QString(),
        QString(),
    });
    m_heroHandle = OutsideAddresses::downloadAddress();
    m_heroHandleIsAddress = true;
    showHeroLink(QStringLiteral("Скачать"), QStringLiteral("Скачать свежую версию программы"));
}

QString MainWindow::heroLinkAddress() const
{
    return OutsideLinks::heroAddress({m_heroHandle, m_heroHandleIsAddress});
}

void MainWindow::openHeroProfile()
{
    openOutsideLink("twiname");
}

void MainWindow::publishToOwnAccount()
{
    openOutsideLink("N25");
}

void MainWindow::showOptions()
{
    m_settingsDialog->exec();
}

void MainWindow::addPhrase(const PhraseAdditionCommand &command)
{
    const std::optional<QString> typed = InputBox::ask(this, command.boxCaption, command.prompt);
    if (!typed || !addTypedPhrase(m_phrases.list(command.list), *typed))
        MessageBoxes::showMessage(command.nothingAddedMessage);
}

void MainWindow::addTitle() { addPhrase(phraseAdditionCommands()[0]); }
void MainWindow::addAccount() { addPhrase(phraseAdditionCommands()[1]); }
void MainWindow::addPlainName() { addPhrase(phraseAdditionCommands()[2]); }
void MainWindow::addAction() { addPhrase(phraseAdditionCommands()[3]); }
void MainWindow::addPlace() { addPhrase(phraseAdditionCommands()[4]); }

void MainWindow::startAutogeneration()
{
    if (!m_autogenerationTimer->isActive())
        m_autogenerationTimer->start();
    m_stopLink->show();
    m_composeButton->setEnabled(false);
    m_optionsButton->setEnabled(false);
    m_startAutogenerationItem->setEnabled(false);
    m_stopAutogenerationItem->setEnabled(true);
    if (!noticesSuppressed())
        m_notices->autogenerationStarted();
}

void MainWindow::stopAutogeneration()
{
    m_autogenerationTimer->stop();
    m_stopLink->hide();
    m_startAutogenerationItem->setEnabled(true);
    m_stopAutogenerationItem->setEnabled(false);
    m_composeButton->setEnabled(true);
    m_optionsButton->setEnabled(true);
}

bool MainWindow::noticesSuppressed() const
{
    return m_settings && m_settings->noticesSuppressed();
}

void MainWindow::restoreFromTray()
{
    m_tray->restoreFromTray();
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_settings
        && m_settings->minimizeToTrayFlag()) {
        // Hiding from inside the state change confuses some window managers.
        QTimer::singleShot(0, this, [this] { m_tray->hideToTray(); });
    }
}

void MainWindow::minimizeToTray()
{
    showMinimized();
    // Shown whatever the suppression setting says: it tells where the window went.
    m_notices->minimized();
}

void MainWindow::showFavourites()
{
    if (!noticesSuppressed())
        m_notices->favourites();
    if (m_favouritesWindow)
        m_favouritesWindow->showAndRaise();
}

void MainWindow::openOutsideLink(const char *item)
{
    if (m_outsideLinks)
        m_outsideLinks->run("Form1", item);
}

void MainWindow::openCommunityGroup()
{
    openOutsideLink("yarn");
}

void MainWindow::openMakerProducts()
{
    openOutsideLink("N2354");
}

void MainWindow::openMakerSite()
{
    openOutsideLink("N340");
}

void MainWindow::openAuthorWidget()
{
    openOutsideLink("twitterquenby");
}

void MainWindow::openMakerWidget()
{
    openOutsideLink("twimerovale");
}

void MainWindow::openAuthorBlog()
{
    openOutsideLink("blog");
}

void MainWindow::openAuthorFacebook()
{
    openOutsideLink("Facebook1");
}

void MainWindow::writeToSupport()
{
    openOutsideLink("N19");
}

void MainWindow::showAbout()
{
    m_aboutBox->exec();
}

#include "app/MainWindow.h"

#include "app/CommandTable.h"
#include "app/KeyCombinationRouter.h"
#include "core/YarnCore.h"
#include "journal/FavouritesWindow.h"
#include "journal/JournalTextArea.h"
#include "journal/TextPrinter.h"
#include "journal/TweetFile.h"
#include "shell/BrowserWindow.h"
#include "shell/Notices.h"
#include "shell/OutsideLinks.h"
#include "shell/TrayIcon.h"
#include "ui/EventGuard.h"
#include "ui/FontSetup.h"
#include "ui/HoverLinkLabel.h"
#include "ui/ImageButton.h"
#include "ui/Interaction.h"
#include "ui/LongTextLabel.h"
#include "ui/PartlySeenPicture.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileInfo>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>

namespace {

constexpr int clientWidth = 633;
constexpr int clientHeight = 463;
const QRect journalGeometry(8, 56, 617, 345);
const QString windowCaption = QStringLiteral("Merovale Yarnspin");

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

// Only what lies inside the fixed client area, and not under `covered`, is
// ever seen, and only that is decoded: the background is twice the window's
// area, and the journal hides most of what is left of it.
void picture(const char *name, const QString &resource, const QRect &geometry, QWidget *parent,
             const QRect &covered = QRect())
{
    const QRegion seen =
        QRegion(QRect(-geometry.topLeft(), parent->size()) & QRect(QPoint(), geometry.size()))
        - covered.translated(-geometry.topLeft());
    auto *shown = new PartlySeenPicture(resource, seen, parent);
    shown->setObjectName(QString::fromLatin1(name));
    shown->setGeometry(geometry);
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

MainWindow::MainWindow(YarnCore &core, Interaction &interaction, const Companions &companions, QWidget *parent)
    : QMainWindow(parent)
    , m_core(core)
    , m_interaction(interaction)
    , m_companions(companions)
{
    setObjectName(QStringLiteral("Form1"));
    buildWindow();
    const CommandTable::Menus menus =
        CommandTable::build(*this, menuBar(), *m_journal, m_companions, m_interaction);
    m_optionsMenu = menus.options;
    m_startAutogenerationItem = menus.startAutogeneration;
    m_stopAutogenerationItem = menus.stopAutogeneration;
    m_stopAutogenerationItem->setEnabled(false);
    companions.tray.setMenu(menus.tray);
    connect(&companions.tray, &TrayIcon::clicked, this,
            EventGuard::guarded(m_interaction, this, &MainWindow::restoreFromTray));

    // The window is exactly the fixed client area and the menu bar: it cannot be resized.
    layout()->setSizeConstraint(QLayout::SetFixedSize);
    adjustSize();
    move(screen()->availableGeometry().center() - rect().center());

    // Shortcuts are shown on the items but resolved by the router, in menu
    // order, before the focused control sees the key. The favourites window's
    // own menus go first there; the browser window has none.
    m_keyRouter = new KeyCombinationRouter(this, menuBar(), this);
    m_keyRouter->addWindow(&companions.favouritesWindow, companions.favouritesWindow.keyCombinationMenus());
    m_keyRouter->addWindow(&companions.browserWindow, {});
    qApp->installEventFilter(m_keyRouter);
}

MainWindow::~MainWindow() = default;

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

    // The journal is opaque, though its frame's corners are not quite.
    picture("Image1", QStringLiteral(":/app/background.jpg"), QRect(0, 0, 961, 761), client,
            journalGeometry.adjusted(2, 2, -2, -2));
    picture("Image2", QStringLiteral(":/app/header1.png"), QRect(402, 3, 489, 49), client);
    picture("Image3", QStringLiteral(":/app/header2.png"), QRect(400, 3, 489, 49), client);
    picture("Image4", QStringLiteral(":/app/header3.png"), QRect(400, 3, 489, 49), client);

    m_titleLine = new LongTextLabel(QString(), client);
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
    connect(m_stopLink, &HoverLinkLabel::clicked, this,
            EventGuard::guarded(m_interaction, this, &MainWindow::stopAutogeneration));

    m_heroLink = new HoverLinkLabel(QString(), client);
    m_heroLink->setObjectName(QStringLiteral("twiname"));
    m_heroLink->setFont(FontSetup::tahoma(11));
    m_heroLink->setLinkColor(QColor(0x00, 0x80, 0xC0));
    m_heroLink->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    m_heroLink->setGeometry(511, 32, 112, 13);
    m_heroLink->setToolTip(QStringLiteral("Открыть твиттер-профиль героя последней сказки"));
    m_heroLink->hide();
    connect(m_heroLink, &HoverLinkLabel::clicked, this, EventGuard::guarded(m_interaction, [this] {
        m_companions.links.open(OutsideLinks::Endpoint::HeroProfile);
    }));

    auto *journal = new JournalTextArea(client);
    journal->setObjectName(QStringLiteral("Memo1"));
    journal->setFont(FontSetup::tahoma(19));
    setTextColour(journal, QColor(0x00, 0x31, 0x62));
    QPalette white = journal->palette();
    white.setColor(QPalette::Base, Qt::white);
    journal->setPalette(white);
    journal->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    journal->setGeometry(journalGeometry);
    m_journal = journal;

    const QColor linkColour(0x00, 0x50, 0x9F);
    auto link = [&](const char *name, const QString &text, int left, int top, std::function<void()> command) {
        auto *label = new HoverLinkLabel(text, client);
        label->setObjectName(QString::fromLatin1(name));
        label->setFont(FontSetup::tahoma(11));
        label->setLinkColor(linkColour);
        label->move(left, top);
        label->adjustSize();
        label->setEnabled(false);
        connect(label, &HoverLinkLabel::clicked, this, EventGuard::guarded(m_interaction, std::move(command)));
        return label;
    };
    // Each row reads left to right as one sentence.
    plainLabel("Label3", QStringLiteral("Скопировать"), 8, 416, client);
    m_copyLastLink = link("XPHoverLabel1", QStringLiteral("последний"), 76, 416, [this] { copyLastTweet(); });
    plainLabel("Label4", QStringLiteral("/"), 137, 416, client);
    m_copyAllLink = link("XPHoverLabel2", QStringLiteral("все"), 140, 416, [this] { copyAllTweets(); });
    plainLabel("Label6", QStringLiteral("твиты в буфер Windows"), 166, 416, client);
    plainLabel("Label8", QStringLiteral("Скопировать"), 8, 432, client);
    m_favouriteLastLink = link("XPHoverLabel5", QStringLiteral("последний"), 76, 432,
                               [this] { m_core.favourites().appendLine(m_lastTweetBuffer->text()); });
    plainLabel("Label9", QStringLiteral("/"), 137, 432, client);
    m_favouriteSelectionLink = link("XPHoverLabel6", QStringLiteral("выделенный"), 140, 432,
                                    [this] { m_core.favourites().appendLine(m_journal->selectedText()); });
    plainLabel("Label7", QStringLiteral("твит в избранное"), 214, 432, client);

    m_composeButton = new ImageButton(QPixmap(QStringLiteral(":/app/compose.png")),
                                      QStringLiteral("Сочинить смешной твит!"), client);
    m_composeButton->setObjectName(QStringLiteral("Button1"));
    m_composeButton->setGeometry(416, 416, 169, 33);
    m_composeButton->setToolTip(QStringLiteral("Сочинить смешной твит!"));
    connect(m_composeButton, &QAbstractButton::clicked, this,
            EventGuard::guarded(m_interaction, this, &MainWindow::composeTweet));

    m_optionsButton = new ImageButton(QPixmap(QStringLiteral(":/app/options.png")), QString(), client);
    m_optionsButton->setObjectName(QStringLiteral("PngBitBtn1"));
    m_optionsButton->setGeometry(590, 416, 35, 33);
    m_optionsButton->setToolTip(QStringLiteral("Дополнительные опции"));
    m_optionsButton->setEnabled(false);
    // Its menu opens below the button's top, at its left edge.
    connect(m_optionsButton, &QAbstractButton::clicked, this, [this] {
        m_optionsMenu->popup(centralWidget()->mapToGlobal(m_optionsButton->pos() + QPoint(0, 20)));
    });

    auto *lastTweet = new JournalTextArea(client);
    lastTweet->setObjectName(QStringLiteral("Memo2"));
    lastTweet->hide();
    m_lastTweetBuffer = lastTweet;

    m_autogenerationTimer = new QTimer(this);
    m_autogenerationTimer->setObjectName(QStringLiteral("Timer1"));
    m_autogenerationTimer->setInterval(50);
    connect(m_autogenerationTimer, &QTimer::timeout, this,
            EventGuard::guarded(m_interaction, this, &MainWindow::composeTweet));

    // The journal comes first in the focus order and has the focus at start.
    setTabOrder(m_journal->widget(), m_composeButton);
    m_journal->widget()->setFocus();
}

void MainWindow::closeEvent(QCloseEvent *event)
{
    // A file that cannot be written keeps the window open, so nothing is lost;
    // yet the user who cannot mend the folder must still be able to leave.
    bool favouritesLeftAlone = false;
    const bool saved = EventGuard::run(m_interaction, [&] {
        favouritesLeftAlone = m_core.saveForClose() == YarnCore::CloseSave::FavouritesLeftAlone;
        if (favouritesLeftAlone)
            m_interaction.showMessage(QStringLiteral("Избранное не сохранено: его файл не удалось прочитать при "
                                                     "запуске программы, поэтому он оставлен без изменений."));
    });
    if (saved && !favouritesLeftAlone) {
        event->accept();
        QCoreApplication::quit();
        return;
    }
    if (!m_interaction.askYesNo(QStringLiteral("Сохранить не удалось. Выйти без сохранения?"))) {
        event->ignore();
        // From their own window the favourites can still be saved elsewhere.
        if (favouritesLeftAlone)
            m_companions.favouritesWindow.showAndRaise();
        return;
    }
    // What was not saved stays in the recovery copy, offered at the next start.
    m_core.writeRecoveryCopy();
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
    if (m_heroLink->isHidden())
        m_heroLink->show();
}

void MainWindow::composeTweet()
{
    const std::optional<YarnCore::Tweet> tweet = m_core.composeTweet();
    if (!tweet)
        return;
    setTweetControlsEnabled(true);
    setTitleLine(tweet->title);
    m_journal->appendEncodedLine(tweet->line);
    if (tweet->mode == CompositionMode::Account) {
        // A hero of megabytes is copied only as far as the link (right-aligned)
        // and its hint (left-aligned) could show it.
        const QString &hero = tweet->hero;
        const qsizetype most = LongTextLabel::mostShown;
        const QString caption = hero.size() < most ? u'@' + hero : hero.right(most);
        showHeroLink(caption, QStringLiteral("Открыть твиттер героя этой сказки - @") + hero.left(most));
    } else {
        m_heroLink->hide();
    }
    m_journal->appendLine(QString());
    m_journal->appendLine(QString());
    m_lastTweetBuffer->clear();
    m_lastTweetBuffer->appendEncodedLine(tweet->line);
    if (!m_core.settings().autoCopy())
        return;
    if (m_autogenerationTimer->isActive()) {
        m_lastTweetBuffer->selectAll();
        m_lastTweetBuffer->copyOverOwnCopy();
    } else {
        copyLastTweet();
    }
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
    const QString path = m_interaction.chooseFileToOpen(this, QStringLiteral("Открыть файл твитов"),
                                                         {QStringLiteral("Файлы Yarnspin (*.yrn)")});
    if (path.isEmpty())
        return;
    m_journal->openFile(path, m_interaction, [this, path] {
        m_journal->widget()->setFocus();
        setFileCaption(path);
    });
}

void MainWindow::saveJournalAs()
{
    const QString path = TweetFile::chooseSavePath(m_interaction, this);
    if (path.isEmpty())
        return;
    TweetFile::write(path, m_journal->text());
    m_journal->widget()->setFocus();
    setFileCaption(path);
}

void MainWindow::printJournal()
{
    QPrinter *printer = m_interaction.choosePrinter(this);
    if (!printer)
        return;
    const QWidget *journal = m_journal->widget();
    TextPrinter::print(*printer, journal->font(), journal->palette().color(QPalette::Text),
                       m_journal->displayedRows());
}

void MainWindow::copyAllTweets()
{
    m_journal->selectAll();
    m_journal->copy();
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

void MainWindow::announce(const QStringList &lines, const HeroHandle &hero, const QString &heroCaption,
                          const QString &heroHint)
{
    for (const QString &line : QStringList{QString(), QString()} + lines + QStringList{QString(), QString()})
        m_journal->appendLine(line);
    m_core.setHeroHandle(hero);
    showHeroLink(heroCaption, heroHint);
}

void MainWindow::helpTheProject()
{
    announce({QStringLiteral("Помогайте нам!"), QString(),
              QStringLiteral("Вам кажется, что в твитах мало смешных событий? Не хватает ярких и запоминающихся "
                             "персонажей?"),
              QStringLiteral("Тогда примите участие в программе! Присылайте нам собственные фразы и аккаунты "
                             "персонажей - будем делать Ярнспин вместе!"),
              QStringLiteral("Мой твиттер: @Quenby."),
              QStringLiteral("Мой e-mail: ") + m_core.addresses().authorEmail + u'.'},
             {QStringLiteral("quenby"), false}, QStringLiteral("@quenby"),
             QStringLiteral("Открыть твиттер автора программы - @quenby"));
}

void MainWindow::tellAFriend()
{
    const QString download = m_core.addresses().downloadAddress;
    announce({QStringLiteral("Merovale Yarnspin"), QString(),
              QStringLiteral("Merovale Yarnspin - программа, оптимизировання специально для Твиттера, создает "
                             "короткие смешные сказки (тут они называются твитами), с использованием реальных имен, "
                             "персонажей и твиттер-аккаунтов. Подшути над своими фолловерами и ты! :)"),
              QStringLiteral("Прямая ссылка на загрузку самой свежей версии программы: ") + download},
             {download, true}, QStringLiteral("Скачать"), QStringLiteral("Скачать свежую версию программы"));
}

void MainWindow::addPhrase(const PhraseAddition &addition)
{
    const std::optional<QString> typed = m_interaction.askText(this, addition.boxCaption, addition.prompt);
    if (!typed || !m_core.addPhrase(addition.list, *typed))
        m_interaction.showMessage(addition.nothingAddedMessage);
}

void MainWindow::startAutogeneration()
{
    if (!m_autogenerationTimer->isActive())
        m_autogenerationTimer->start();
    m_stopLink->show();
    m_composeButton->setEnabled(false);
    m_optionsButton->setEnabled(false);
    m_startAutogenerationItem->setEnabled(false);
    m_stopAutogenerationItem->setEnabled(true);
    if (!m_core.settings().noticesSuppressed())
        Notices(m_interaction).autogenerationStarted();
}

void MainWindow::stopAutogeneration()
{
    m_autogenerationTimer->stop();
    // Clipboard managers see the last tweet of the run.
    if (m_core.settings().autoCopy())
        m_lastTweetBuffer->reofferOwnCopy();
    m_stopLink->hide();
    m_startAutogenerationItem->setEnabled(true);
    m_stopAutogenerationItem->setEnabled(false);
    m_composeButton->setEnabled(true);
    m_optionsButton->setEnabled(true);
}

void MainWindow::restoreFromTray()
{
    m_companions.tray.restoreWindow(*this);
}

void MainWindow::hideToTray()
{
    m_companions.tray.hideWindow(*this);
}

void MainWindow::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    // Without a tray there would be no icon to bring the window back: it stays on the taskbar.
    if (event->type() == QEvent::WindowStateChange && isMinimized() && m_core.settings().minimizeToTrayFlag()
        && TrayIcon::isHostPresent()) {
        // Hiding from inside the state change confuses some window managers.
        QTimer::singleShot(0, this, [this] { hideToTray(); });
    }
}

void MainWindow::minimizeToTray()
{
    showMinimized();
    // Shown whatever the suppression setting says: it tells where the window
    // went, and so only when a tray shows the icon it points at.
    if (TrayIcon::isHostPresent())
        Notices(m_interaction).minimized();
}

void MainWindow::showFavourites()
{
    if (!m_core.settings().noticesSuppressed())
        Notices(m_interaction).favourites();
    m_companions.favouritesWindow.showAndRaise();
}

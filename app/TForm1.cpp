#include "app/TForm1.h"

#include "app/KeyCombinationRouter.h"
#include "base/OutsideAddresses.h"
#include "base/Windows1251.h"
#include "compose/PhraseAddition.h"
#include "journal/PlainJournalView.h"
#include "journal/SharedPrintDialog.h"
#include "journal/TextPrinter.h"
#include "journal/TweetFile.h"
#include "settings/SettingsFile.h"
#include "settings/TForm6.h"
#include "shell/Notices.h"
#include "shell/TForm2.h"
#include "shell/TrayIcon.h"
#include "ui/EventGuard.h"
#include "ui/FileDialogs.h"
#include "ui/HoverLinkLabel.h"
#include "ui/ImageButton.h"
#include "ui/InputBox.h"
#include "ui/MessageBoxes.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDesktopServices>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QRadioButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

TForm1 *Form1 = nullptr;

namespace {

constexpr int clientWidth = 633;
constexpr int clientHeight = 463;
const QString windowCaption = QStringLiteral("Merovale Yarnspin");

QFont tahoma(int pixelSize, bool bold = false)
{
    QFont font(QStringLiteral("Tahoma"));
    font.setPixelSize(pixelSize);
    font.setBold(bold);
    return font;
}

void setTextColour(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::WindowText, colour);
    palette.setColor(QPalette::Text, colour);
    widget->setPalette(palette);
}

QLabel *picture(const QString &resource, const QRect &geometry, QWidget *parent)
{
    auto *label = new QLabel(parent);
    label->setPixmap(QPixmap(resource));
    label->setGeometry(geometry);
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QLabel *plainLabel(const QString &text, int left, int top, QWidget *parent)
{
    auto *label = new QLabel(text, parent);
    label->setFont(tahoma(11));
    setTextColour(label, QColor(0x00, 0x42, 0x84));
    label->move(left, top);
    label->adjustSize();
    return label;
}

} // namespace

TForm1::TForm1(QWidget *parent)
    : QMainWindow(parent)
{
    Form1 = this;
    buildWindow();
    buildMenus();
    adjustSize();
    move(screen()->availableGeometry().center() - rect().center());
    m_tray = new TrayIcon(this, PopupMenu1, this);
    m_notices = std::make_unique<Notices>(*m_tray);
    m_keyRouter = new KeyCombinationRouter(this, menuBar(), this);
    qApp->installEventFilter(m_keyRouter);
    EventGuard::run([this] { FormCreate(); });
}

TForm1::~TForm1()
{
    if (Form1 == this)
        Form1 = nullptr;
}

void TForm1::buildWindow()
{
    setWindowTitle(windowCaption);
    setWindowFlags(Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint
                   | Qt::WindowCloseButtonHint);
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

    Image1 = picture(QStringLiteral(":/artwork/background.jpg"), QRect(0, 0, 961, 761), client);
    Image2 = picture(QStringLiteral(":/artwork/header1.png"), QRect(402, 3, 489, 49), client);
    Image3 = picture(QStringLiteral(":/artwork/header2.png"), QRect(400, 3, 489, 49), client);
    Image4 = picture(QStringLiteral(":/artwork/header3.png"), QRect(400, 3, 489, 49), client);

    Label1 = new QLabel(client);
    Label1->setFont(tahoma(15));
    setTextColour(Label1, QColor(0x00, 0x42, 0x84));
    Label1->move(14, 12);
    setTitleLine(QStringLiteral("Нажмите на кнопку \"Сочинить смешной твит!\""));

    Label5 = new HoverLinkLabel(QStringLiteral("Остановить автогенерацию"), client);
    QFont stopFont = tahoma(13, true);
    Label5->setFont(stopFont);
    Label5->setUnderline(HoverLinkLabel::Underline::Always);
    Label5->setLinkColor(QColor(0x00, 0x66, 0xCC));
    Label5->setToolTip(Label5->text());
    Label5->setGeometry(437, 9, 185, 16);
    Label5->hide();
    connect(Label5, &HoverLinkLabel::clicked, this, EventGuard::guarded(this, &TForm1::N28Click));

    twiname = new HoverLinkLabel(QString(), client);
    twiname->setFont(tahoma(11));
    twiname->setLinkColor(QColor(0x00, 0x80, 0xC0));
    twiname->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    twiname->setGeometry(511, 32, 112, 13);
    twiname->setToolTip(QStringLiteral("Открыть твиттер-профиль героя последней сказки"));
    twiname->hide();
    connect(twiname, &HoverLinkLabel::clicked, this, EventGuard::guarded(this, &TForm1::twinameClick));

    auto *journal = new PlainJournalView(client);
    journal->setObjectName(QStringLiteral("Memo1"));
    journal->setFont(tahoma(19));
    setTextColour(journal, QColor(0x00, 0x31, 0x62));
    QPalette white = journal->palette();
    white.setColor(QPalette::Base, Qt::white);
    journal->setPalette(white);
    journal->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    journal->setGeometry(8, 56, 617, 345);
    Memo1 = journal;

    const QColor linkColour(0x00, 0x50, 0x9F);
    auto link = [&](const QString &text, int left, int top, void (TForm1::*handler)()) {
        auto *label = new HoverLinkLabel(text, client);
        label->setFont(tahoma(11));
        label->setLinkColor(linkColour);
        label->move(left, top);
        label->adjustSize();
        label->setEnabled(false);
        connect(label, &HoverLinkLabel::clicked, this, EventGuard::guarded(this, handler));
        return label;
    };
    Label3 = plainLabel(QStringLiteral("Скопировать"), 8, 416, client);
    XPHoverLabel1 = link(QStringLiteral("последний"), 76, 416, &TForm1::XPHoverLabel1Click);
    Label4 = plainLabel(QStringLiteral("/"), 137, 416, client);
    XPHoverLabel2 = link(QStringLiteral("все"), 140, 416, &TForm1::XPHoverLabel2Click);
    Label6 = plainLabel(QStringLiteral("твиты в буфер Windows"), 166, 416, client);
    Label8 = plainLabel(QStringLiteral("Скопировать"), 8, 432, client);
    XPHoverLabel5 = link(QStringLiteral("последний"), 76, 432, &TForm1::XPHoverLabel5Click);
    Label9 = plainLabel(QStringLiteral("/"), 137, 432, client);
    XPHoverLabel6 = link(QStringLiteral("выделенный"), 140, 432, &TForm1::XPHoverLabel6Click);
    Label7 = plainLabel(QStringLiteral("твит в избранное"), 214, 432, client);

    Button1 = new ImageButton(QPixmap(QStringLiteral(":/artwork/compose.png")), QStringLiteral("Сочинить смешной твит!"),
                              client);
    Button1->setObjectName(QStringLiteral("Button1"));
    Button1->setGeometry(416, 416, 169, 33);
    Button1->setToolTip(QStringLiteral("Сочинить смешной твит!"));
    connect(Button1, &QAbstractButton::clicked, this, EventGuard::guarded(this, &TForm1::Button1Click));

    PngBitBtn1 = new ImageButton(QPixmap(QStringLiteral(":/artwork/options.png")), QString(), client);
    PngBitBtn1->setObjectName(QStringLiteral("PngBitBtn1"));
    PngBitBtn1->setGeometry(590, 416, 35, 33);
    PngBitBtn1->setToolTip(QStringLiteral("Дополнительные опции"));
    PngBitBtn1->setEnabled(false);
    connect(PngBitBtn1, &QAbstractButton::clicked, this, EventGuard::guarded(this, &TForm1::PngBitBtn1Click));

    auto *lastTweet = new PlainJournalView(client);
    lastTweet->setObjectName(QStringLiteral("Memo2"));
    lastTweet->hide();
    Memo2 = lastTweet;

    Timer1 = new QTimer(this);
    Timer1->setInterval(50);
    connect(Timer1, &QTimer::timeout, this, EventGuard::guarded(this, &TForm1::Button1Click));

    // The journal comes first in the focus order and has the focus at start.
    setTabOrder(Memo1->widget(), Button1);
    Memo1->widget()->setFocus();
}

void TForm1::buildMenus()
{
    // Each item keeps its object name so tests and other windows can reach it.
    // Shortcuts are shown on the items but resolved by KeyCombinationRouter, in
    // menu order, before the focused control sees the key.
    auto item = [this](QMenu *menu, const char *name, const QString &caption, const QKeySequence &key,
                       void (TForm1::*handler)()) {
        auto *action = menu->addAction(caption);
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, EventGuard::guarded(this, handler));
        return action;
    };

    QMenu *file = menuBar()->addMenu(QStringLiteral("Файл"));
    item(file, "N10", QStringLiteral("Создать новый..."), QKeySequence(Qt::CTRL | Qt::Key_N), &TForm1::N10Click);
    file->addSeparator();
    item(file, "N11", QStringLiteral("Открыть..."), QKeySequence(Qt::CTRL | Qt::Key_O), &TForm1::N11Click);
    item(file, "N13", QStringLiteral("Сохранить как..."), QKeySequence(Qt::CTRL | Qt::ALT | Qt::Key_S), &TForm1::N13Click);
    file->addSeparator();
    item(file, "N38", QStringLiteral("Печать текста..."), QKeySequence(Qt::CTRL | Qt::Key_P), &TForm1::N38Click);
    file->addSeparator();
    item(file, "N4", QStringLiteral("Свернуть в трей"), QKeySequence(Qt::CTRL | Qt::Key_M), &TForm1::N4Click);
    // Quitting keeps the platform's usual keys: Ctrl+X belongs to "Вырезать",
    // so cutting never closes the program and loses the journal.
    item(file, "N5", QStringLiteral("Выйти"), QKeySequence(Qt::CTRL | Qt::Key_Q), &TForm1::N5Click);

    QMenu *tweet = menuBar()->addMenu(QStringLiteral("Твит"));
    item(tweet, "N2", QStringLiteral("Сочинить смешной твит!"), QKeySequence(Qt::Key_F2), &TForm1::Button1Click);
    tweet->addSeparator();
    item(tweet, "N17", QStringLiteral("Вырезать"), QKeySequence(Qt::CTRL | Qt::Key_X), &TForm1::N17Click);
    item(tweet, "N15", QStringLiteral("Копировать"), QKeySequence(Qt::CTRL | Qt::Key_C), &TForm1::N15Click);
    item(tweet, "N16", QStringLiteral("Вставить"), QKeySequence(Qt::CTRL | Qt::Key_V), &TForm1::N16Click);
    tweet->addSeparator();
    item(tweet, "N377", QStringLiteral("Копировать всё"), {}, &TForm1::N377Click);
    item(tweet, "N34", QStringLiteral("Выделить всё"), QKeySequence(Qt::CTRL | Qt::Key_A), &TForm1::N34Click);
    tweet->addSeparator();
    item(tweet, "clearall", QStringLiteral("Очистить всё"), {}, &TForm1::clearallClick);

    QMenu *service = menuBar()->addMenu(QStringLiteral("Сервис"));
    QMenu *additions = service->addMenu(QStringLiteral("Добавить в базу твитов"));
    item(additions, "N415555", phraseAdditionCommands()[0].menuCaption, {}, &TForm1::N415555Click);
    item(additions, "N41000", phraseAdditionCommands()[1].menuCaption, {}, &TForm1::N41000Click);
    item(additions, "N528798798", phraseAdditionCommands()[2].menuCaption, {}, &TForm1::N528798798Click);
    item(additions, "N51", phraseAdditionCommands()[3].menuCaption, {}, &TForm1::N51Click);
    item(additions, "N525454", phraseAdditionCommands()[4].menuCaption, {}, &TForm1::N525454Click);
    service->addSeparator();
    item(service, "N43", QStringLiteral("Избранное"), QKeySequence(Qt::Key_F7), &TForm1::N43Click);
    service->addSeparator();
    QMenu *autogeneration = service->addMenu(QStringLiteral("Автогенерация твитов"));
    m_vkl = item(autogeneration, "vkl", QStringLiteral("Включить автогенерацию"), QKeySequence(Qt::Key_F3),
                 &TForm1::N27Click);
    m_vykl = item(autogeneration, "vykl", QStringLiteral("Выключить автогенерацию"), QKeySequence(Qt::Key_F4),
                  &TForm1::N28Click);
    m_vykl->setEnabled(false);
    item(service, "ghfghf", QStringLiteral("Опции..."), QKeySequence(Qt::Key_F5), &TForm1::ghfghfClick);

    QMenu *help = menuBar()->addMenu(QStringLiteral("Справка"));
    item(help, "yarn", QStringLiteral("Лучшие твиты в официальной группе программы во \"ВКонтакте\""),
         QKeySequence(Qt::Key_F1), &TForm1::yarnClick);
    item(help, "N2354", QStringLiteral("Другие продукты Меровейл на ") + OutsideAddresses::makerSiteName(), {},
         &TForm1::N2354Click);
    help->addSeparator();
    QMenu *internet = help->addMenu(QStringLiteral("Интернет"));
    item(internet, "N340", QStringLiteral("Веб-сайт компании Merovale"), {}, &TForm1::N340Click);
    internet->addSeparator();
    item(internet, "twitterquenby", QStringLiteral("Твиттер-виджет Квенби"), {}, &TForm1::twitterquenbyClick);
    item(internet, "twimerovale", QStringLiteral("Твиттер-виджет Меровейл"), {}, &TForm1::twimerovaleClick);
    internet->addSeparator();
    item(internet, "blog", QStringLiteral("Блог Квенби"), {}, &TForm1::blogClick);
    internet->addSeparator();
    item(internet, "N19", QStringLiteral("Письмо в службу поддержки"), {}, &TForm1::N19Click);
    item(internet, "N20", QStringLiteral("Рассказать другу"), {}, &TForm1::N20Click);
    item(help, "Facebook1", QStringLiteral("Добавляйтесь в друзья на Facebook!"), {}, &TForm1::Facebook1Click);
    help->addSeparator();
    item(help, "N40", QStringLiteral("Помогите нашему проекту!.."), {}, &TForm1::N40Click);
    item(help, "N12", QStringLiteral("О программе..."), QKeySequence(Qt::CTRL | Qt::Key_F1), &TForm1::N12Click);

    context = new QMenu(this);
    context->setObjectName(QStringLiteral("context"));
    item(context, "N25", QStringLiteral("Опубликовать в своем твиттере"), {}, &TForm1::N25Click);
    item(context, "N50", QStringLiteral("Открыть твиттер героя текущего твита"), {}, &TForm1::twinameClick);
    context->addSeparator();
    item(context, "N48", QStringLiteral("Скопировать все твиты"), {}, &TForm1::N377Click);
    item(context, "N49", QStringLiteral("Сохранить в виде файла..."), {}, &TForm1::N13Click);
    context->addSeparator();
    item(context, "N52", QStringLiteral("Очистить всё"), {}, &TForm1::clearallClick);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    item(PopupMenu1, "N30", QStringLiteral("Показать окно"), {}, &TForm1::TextTrayIcon1Click);
    PopupMenu1->addSeparator();
    QMenu *trayAutogeneration = PopupMenu1->addMenu(QStringLiteral("Автогенерация твитов"));
    trayAutogeneration->menuAction()->setObjectName(QStringLiteral("N7"));
    item(trayAutogeneration, "N27", QStringLiteral("Включена"), {}, &TForm1::N27Click);
    item(trayAutogeneration, "N28", QStringLiteral("Выключена"), {}, &TForm1::N28Click);
    PopupMenu1->addSeparator();
    item(PopupMenu1, "N32", QStringLiteral("О программе..."), {}, &TForm1::N12Click);
    item(PopupMenu1, "N33", QStringLiteral("Выход"), {}, &TForm1::N5Click);
}

void TForm1::FormCreate()
{
    m_phrases.loadAll();
    // The welcome notice follows the suppression choice stored in the settings file.
    if (!SettingsFile::load(SettingsFile::path()).suppressNotices)
        m_notices->welcome();
}

void TForm1::FormClose()
{
    m_phrases.saveAll();
    if (Form6 && Form6->CheckBox2->isChecked())
        m_favourites.save(FavouritesText::filePath());
}

void TForm1::closeEvent(QCloseEvent *event)
{
    // A file that cannot be written keeps the window open, so nothing is lost.
    if (!EventGuard::run([this] { FormClose(); })) {
        event->ignore();
        return;
    }
    event->accept();
    QCoreApplication::quit();
}

void TForm1::setTitleLine(const QString &text)
{
    Label1->setText(text);
    Label1->adjustSize();
}

void TForm1::setTweetControlsEnabled(bool enabled)
{
    for (QWidget *control : {static_cast<QWidget *>(XPHoverLabel1), static_cast<QWidget *>(XPHoverLabel2),
                             static_cast<QWidget *>(XPHoverLabel5), static_cast<QWidget *>(XPHoverLabel6),
                             static_cast<QWidget *>(PngBitBtn1)})
        control->setEnabled(enabled);
}

void TForm1::showHeroLink(const QString &caption, const QString &hint)
{
    twiname->setText(caption);
    twiname->setToolTip(hint);
    twiname->show();
}

void TForm1::Button1Click()
{
    if (!Form6)
        return;
    // The two choices are tested one after the other; with neither on, nothing happens.
    if (Form6->twitter->isChecked())
        composeInto(CompositionMode::Account);
    if (Form6->justname->isChecked())
        composeInto(CompositionMode::PlainName);
}

void TForm1::composeInto(CompositionMode mode)
{
    setTweetControlsEnabled(true);
    if (mode == CompositionMode::PlainName)
        twiname->hide();
    const ComposedTweet tweet = m_composer.compose(mode);
    setTitleLine(Windows1251::decode(tweet.title));
    const QString line = Windows1251::decode(tweet.line);
    Memo1->appendLine(line);
    if (mode == CompositionMode::Account) {
        m_heroHandle = Windows1251::decode(tweet.hero);
        m_heroHandleIsAddress = false;
        const QString caption = u'@' + m_heroHandle;
        showHeroLink(caption, QStringLiteral("Открыть твиттер героя этой сказки - ") + caption);
    }
    Memo1->appendLine(QString());
    Memo1->appendLine(QString());
    Memo2->clear();
    Memo2->appendLine(line);
    if (Form6->CheckBox1->isChecked())
        XPHoverLabel1Click();
}

void TForm1::N10Click()
{
    Memo1->clear();
    setWindowTitle(windowCaption + u'!');
    setTitleLine(QStringLiteral("Ну, новый так новый:) Начнем заново!"));
    setTweetControlsEnabled(false);
}

void TForm1::setFileCaption(const QString &path)
{
    setWindowTitle(windowCaption + QStringLiteral(" [") + QFileInfo(path).fileName() + u']');
}

void TForm1::N11Click()
{
    const QString path = FileDialogs::openFile(this, QStringLiteral("Открыть файл твитов"),
                                                {QStringLiteral("Файлы Yarnspin (*.yrn)")});
    if (path.isEmpty())
        return;
    Memo1->setText(TweetFile::read(path));
    Memo1->widget()->setFocus();
    setFileCaption(path);
}

void TForm1::N13Click()
{
    const QString path = FileDialogs::saveFile(
        this, QStringLiteral("Сохранить твиты в файл"),
        {QStringLiteral("Файл Yarnspin (*.yrn)"), QStringLiteral("Текстовый файл (*.txt)")}, QStringLiteral("yrn"));
    if (path.isEmpty())
        return;
    TweetFile::write(path, Memo1->text());
    Memo1->widget()->setFocus();
    setFileCaption(path);
}

void TForm1::N38Click()
{
    SharedPrintDialog &dialog = SharedPrintDialog::instance();
    if (!dialog.ask(this))
        return;
    const QWidget *journal = Memo1->widget();
    TextPrinter::print(dialog.printer(), journal->font(), journal->palette().color(QPalette::Text),
                       Memo1->displayedRows());
}

void TForm1::N5Click()
{
    close();
}

void TForm1::N17Click()
{
    Memo1->cut();
}

void TForm1::N15Click()
{
    Memo1->copy();
}

void TForm1::N16Click()
{
    Memo1->paste();
}

void TForm1::N377Click()
{
    Memo1->selectAll();
    Memo1->copy();
}

void TForm1::N34Click()
{
    Memo1->selectAll();
}

void TForm1::clearallClick()
{
    Memo1->clear();
    setWindowTitle(windowCaption + u'!');
    setTitleLine(QStringLiteral("Ты все мои твиты стёр! Я что зря придумываю?"));
}

void TForm1::XPHoverLabel1Click()
{
    Memo2->selectAll();
    Memo2->copy();
}

void TForm1::XPHoverLabel2Click()
{
    N377Click();
}

void TForm1::XPHoverLabel5Click()
{
    m_favourites.appendLine(Memo2->text());
}

void TForm1::XPHoverLabel6Click()
{
    m_favourites.appendLine(Memo1->selectedText());
}

void TForm1::PngBitBtn1Click()
{
    const QPoint corner(PngBitBtn1->x(), PngBitBtn1->y() + 20);
    context->popup(centralWidget()->mapToGlobal(corner));
}

void TForm1::appendJournalLines(const QStringList &lines)
{
    for (const QString &line : lines)
        Memo1->appendLine(line);
}

void TForm1::N40Click()
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

void TForm1::N20Click()
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

QString TForm1::heroLinkAddress() const
{
    return m_heroHandleIsAddress ? m_heroHandle : OutsideAddresses::profilePrefix() + m_heroHandle;
}

void TForm1::twinameClick()
{
    openInBrowser(heroLinkAddress());
}

void TForm1::N25Click()
{
    const QString account = Form6->Edit1->text();
    if (account.isEmpty()) {
        MessageBoxes::showMessage(
            QStringLiteral("А куда твитить-то? Укажите адрес своего твиттер-аккаунта в настройках программы."));
        ghfghfClick();
        return;
    }
    openInBrowser(OutsideAddresses::profilePrefix() + account);
}

void TForm1::ghfghfClick()
{
    Form6->exec();
}

void TForm1::addPhrase(const PhraseAdditionCommand &command)
{
    const std::optional<QString> typed = InputBox::ask(this, command.boxCaption, command.prompt);
    if (!typed || !addTypedPhrase(m_phrases.list(command.list), *typed))
        MessageBoxes::showMessage(command.nothingAddedMessage);
}

void TForm1::N415555Click() { addPhrase(phraseAdditionCommands()[0]); }
void TForm1::N41000Click() { addPhrase(phraseAdditionCommands()[1]); }
void TForm1::N528798798Click() { addPhrase(phraseAdditionCommands()[2]); }
void TForm1::N51Click() { addPhrase(phraseAdditionCommands()[3]); }
void TForm1::N525454Click() { addPhrase(phraseAdditionCommands()[4]); }

void TForm1::N27Click()
{
    if (!Timer1->isActive())
        Timer1->start();
    Label5->show();
    Button1->setEnabled(false);
    PngBitBtn1->setEnabled(false);
    m_vkl->setEnabled(false);
    m_vykl->setEnabled(true);
    if (!noticesSuppressed())
        m_notices->autogenerationStarted();
}

void TForm1::N28Click()
{
    Timer1->stop();
    Label5->hide();
    m_vkl->setEnabled(true);
    m_vykl->setEnabled(false);
    Button1->setEnabled(true);
    PngBitBtn1->setEnabled(true);
}

bool TForm1::noticesSuppressed() const
{
    return Form6 && Form6->CheckBox3->isChecked();
}

void TForm1::TextTrayIcon1Click()
{
    m_tray->restoreFromTray();
}

void TForm1::changeEvent(QEvent *event)
{
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized() && Form6 && Form6->minimizeToTrayFlag()) {
        // Hiding from inside the state change confuses some window managers.
        QTimer::singleShot(0, this, [this] { m_tray->hideToTray(); });
    }
}

void TForm1::N4Click()
{
    showMinimized();
    // Shown whatever the suppression setting says: it tells where the window went.
    m_notices->minimized();
}

void TForm1::N43Click()
{
    if (!noticesSuppressed())
        m_notices->favourites();
}

void TForm1::openInBrowser(const QString &address)
{
    QDesktopServices::openUrl(QUrl(address));
}

void TForm1::yarnClick()
{
    openInBrowser(OutsideAddresses::communityGroup());
}

void TForm1::N2354Click()
{
    openInBrowser(OutsideAddresses::makerProductsPage());
}

void TForm1::N340Click()
{
    if (!noticesSuppressed())
        m_notices->products();
    openInBrowser(OutsideAddresses::makerHomePage());
}

void TForm1::twitterquenbyClick()
{
    openInBrowser(OutsideAddresses::authorWidgetPage());
}

void TForm1::twimerovaleClick()
{
    openInBrowser(OutsideAddresses::makerWidgetPage());
}

void TForm1::blogClick()
{
    openInBrowser(OutsideAddresses::authorBlog());
}

void TForm1::Facebook1Click()
{
    openInBrowser(OutsideAddresses::authorFacebook());
}

void TForm1::N19Click()
{
    // Only the blanks are escaped; the letters stay as they are.
    QDesktopServices::openUrl(QUrl(QStringLiteral("mailto:") + OutsideAddresses::supportEmail()
                                   + QStringLiteral("?subject=Вопрос%20технической%20поддержки&body=У%20меня%20возник"
                                                    "%20следующий%20вопрос:")));
}

void TForm1::N12Click()
{
    Form2->exec();
}

#include "app/MainWindow.h"
#include "app/Program.h"
#include "base/Windows1251.h"
#include "journal/JournalTextArea.h"
#include "settings/SettingsDialog.h"
#include "shell/OutsideLinks.h"
#include "shell/TrayIcon.h"
#include "ui/DesktopInteraction.h"
#include "ui/HoverLinkLabel.h"
#include "ui/ImageButton.h"
#include "tests/support/Controls.h"
#include "tests/support/HostileText.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/ProgramFixture.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QDialog>
#include <QLayout>
#include <QWindow>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QSet>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString tweet = QStringLiteral("Как-то раз задумал @kotofeich погулять на болоте.");

QStringList captions(const QList<QAction *> &actions)
{
    QStringList result;
    for (QAction *action : actions) {
        QString caption = action->isSeparator() ? QStringLiteral("-") : action->text();
        if (!action->shortcut().isEmpty())
            caption += u'\t' + action->shortcut().toString();
        if (QMenu *submenu = action->menu())
            caption += u'{' + captions(submenu->actions()).join(u'|') + u'}';
        result.append(caption);
    }
    return result;
}

} // namespace

// Drives the real main window, started the way the program starts, in a
// scratch program folder (tests/support/ProgramFixture.h).
class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsAsLaidOut();
    void menusFollowTheCommandTable();
    void composingFillsJournalBufferAndHeroLink();
    void entriesShowAsWritten_data();
    void entriesShowAsWritten();
    void plainNamesHideTheHeroLinkAndKeepTheHandle();
    void neitherModeComposesNothing();
    void autoCopyFollowsTheSetting();
    void keyCombinationsGoThroughTheMainMenu();
    void newAndClearAll();
    void openAndSaveRoundTrip();
    void printsTheJournalToPdf();
    void promotionalCommandsRetargetTheHeroLink();
    void additionsAppendWhatWasTyped();
    void autogenerationSwitchesTheControls();
    void optionsButtonWaitsForATweetOrTheStop_data();
    void optionsButtonWaitsForATweetOrTheStop();
    void optionsMenuOpensBelowTheButtonTop();
    void linksAddToTheFavourites();
    void closeWritesListsAndKeepsWindowOnFailure();
    void unwritableListsNeverTrapTheUser();
    void boxesClosedWhileHiddenLeaveTheProgramRunning();
    void frameIsFixed();
    void missingListFileStillOpensTheWindow();
    void everyControlKeepsItsObjectName();
    void readsTheSettingsLive();

private:
    void start(const QString &folder = QString()) { m_fixture->start(folder); }
    MainWindow &window() { return m_fixture->window(); }
    YarnCore &core() { return m_fixture->core(); }
    Program &program() { return *m_fixture->program; }
    RecordedInteraction &interaction() { return m_fixture->interaction; }
    QList<RecordedInteraction::Shown> &shown() { return m_fixture->interaction.shown; }
    // The main window's controls and menu items, by object name.
    template <typename T = QWidget>
    T *find(const char *name) { return control<T>(&window(), name); }
    QAction *command(const char *name) { return find<QAction>(name); }
    void compose() { QTest::keyClick(find<JournalTextArea>("Memo1")->widget(), Qt::Key_F2); }
    void closeWithUnwritableLists(const QString &folder);

    std::unique_ptr<ProgramFixture> m_fixture;
};

void MainWindowTest::init()
{
    m_fixture = std::make_unique<ProgramFixture>();
}

void MainWindowTest::cleanup()
{
    m_fixture.reset();
}

void MainWindowTest::startsAsLaidOut()
{
    start();
    QCOMPARE(window().windowTitle(), QStringLiteral("Merovale Yarnspin"));
    QCOMPARE(window().centralWidget()->size(), QSize(633, 463));
    const QPoint offCentre = window().geometry().center() - window().screen()->availableGeometry().center();
    // A pixel or two of rounding either way.
    QVERIFY2(offCentre.manhattanLength() <= 4, "the window starts at the centre of the screen");
    QCOMPARE(find<QLabel>("Label1")->text(), QStringLiteral("Нажмите на кнопку \"Сочинить смешной твит!\""));
    QCOMPARE(find<JournalTextArea>("Memo1")->widget()->geometry(), QRect(8, 56, 617, 345));
    QVERIFY(find<JournalTextArea>("Memo1")->widget()->hasFocus());
    QVERIFY(!find<HoverLinkLabel>("twiname")->isVisible());
    QVERIFY(!find<HoverLinkLabel>("Label5")->isVisible());
    for (const char *name : {"XPHoverLabel1", "XPHoverLabel2", "XPHoverLabel5", "XPHoverLabel6", "PngBitBtn1"})
        QVERIFY2(!find(name)->isEnabled(), name);
    QVERIFY(find<ImageButton>("Button1")->isEnabled());
    QVERIFY(!command("vykl")->isEnabled());
    QCOMPARE(interaction().noticeTitles(), QStringList{QStringLiteral("Merovale Yarnspin приветствует вас")});
    // First start: no favourites file yet.
    QCOMPARE(shown().size(), 1);
    QVERIFY(shown().first().text.startsWith(QStringLiteral("Это первый запуск программы")));
}

void MainWindowTest::menusFollowTheCommandTable()
{
    start();
    const QStringList menus = captions(window().menuBar()->actions());
    QCOMPARE(menus.size(), 4);
    QCOMPARE(menus[0],
             QStringLiteral("Файл{Создать новый...\tCtrl+N|-|Открыть...\tCtrl+O|Сохранить как...\tCtrl+Alt+S|-|"
                            "Печать текста...\tCtrl+P|-|Свернуть в трей\tCtrl+M|Выйти\tCtrl+Q}"));
    QCOMPARE(menus[1], QStringLiteral("Твит{Сочинить смешной твит!\tF2|-|Вырезать\tCtrl+X|Копировать\tCtrl+C|"
                                      "Вставить\tCtrl+V|-|Копировать всё|Выделить всё\tCtrl+A|-|Очистить всё}"));
    QCOMPARE(menus[2],
             QStringLiteral("Сервис{Добавить в базу твитов{Название твита|Новое имя героя (аккаунт)|"
                            "Новое имя героя (простое)|Новое действие|Новое место}|-|Избранное\tF7|-|"
                            "Автогенерация твитов{Включить автогенерацию\tF3|Выключить автогенерацию\tF4}|Опции...\tF5}"));
    QVERIFY(menus[3].startsWith(QStringLiteral("Справка{Лучшие твиты в официальной группе программы во "
                                               "\"ВКонтакте\"\tF1|Другие продукты Меровейл на ")));
    QVERIFY(menus[3].endsWith(QStringLiteral("|-|Помогите нашему проекту!..|О программе...\tCtrl+F1}")));
    QCOMPARE(captions(find<QMenu>("context")->actions()),
             (QStringList{QStringLiteral("Опубликовать в своем твиттере"),
                          QStringLiteral("Открыть твиттер героя текущего твита"), QStringLiteral("-"),
                          QStringLiteral("Скопировать все твиты"), QStringLiteral("Сохранить в виде файла..."),
                          QStringLiteral("-"), QStringLiteral("Очистить всё")}));
    QCOMPARE(captions(find<QMenu>("PopupMenu1")->actions()),
             (QStringList{QStringLiteral("Показать окно"), QStringLiteral("-"),
                          QStringLiteral("Автогенерация твитов{Включена|Выключена}"), QStringLiteral("-"),
                          QStringLiteral("О программе..."), QStringLiteral("Выход")}));
}

void MainWindowTest::composingFillsJournalBufferAndHeroLink()
{
    start();
    compose();
    compose();
    const QString lines = tweet + QStringLiteral("\r\n\r\n\r\n");
    QCOMPARE(find<JournalTextArea>("Memo1")->text(), lines + lines);
    QCOMPARE(find<JournalTextArea>("Memo2")->text(), tweet + QStringLiteral("\r\n"));
    QCOMPARE(find<QLabel>("Label1")->text(), QStringLiteral("Грустная сказка"));
    QVERIFY(find<HoverLinkLabel>("twiname")->isVisible());
    QCOMPARE(find<HoverLinkLabel>("twiname")->text(), QStringLiteral("@kotofeich"));
    QCOMPARE(find<HoverLinkLabel>("twiname")->toolTip(),
             QStringLiteral("Открыть твиттер героя этой сказки - @kotofeich"));
    QCOMPARE(program().links().heroAddress(), QStringLiteral("https://twitter.com/kotofeich"));
    for (const char *name : {"XPHoverLabel1", "XPHoverLabel6", "PngBitBtn1"})
        QVERIFY2(find(name)->isEnabled(), name);
}

void MainWindowTest::entriesShowAsWritten_data()
{
    HostileText::addRows();
}

// A title or an account from a shared list file is shown as its characters,
// never as markup, and never makes the window read a file it names.
void MainWindowTest::entriesShowAsWritten()
{
    QFETCH(QString, text);
    const HostileText::FifoWatch fifo(m_fixture->folder.path(QStringLiteral("fifo")));
    const QString entry = fifo.in(text);
    m_fixture->folder.writeList(QStringLiteral("thenames.txt"), Windows1251::encodeOrThrow(entry) + "\r\n");
    m_fixture->folder.writeList(QStringLiteral("names.txt"), Windows1251::encodeOrThrow(entry) + "\r\n");
    start();
    compose();
    QVERIFY2(!fifo.opened(), "composing read the file an entry names");
    const QString title = HostileText::shownAsWritten(*find<QLabel>("Label1"), entry);
    QVERIFY2(title.isEmpty(), qPrintable(title));
    const QString hero = HostileText::shownAsWritten(*find<QLabel>("twiname"), u'@' + entry);
    QVERIFY2(hero.isEmpty(), qPrintable(hero));
}

void MainWindowTest::plainNamesHideTheHeroLinkAndKeepTheHandle()
{
    start();
    compose();
    program().settingsDialog().show();
    control<QRadioButton>(&program().settingsDialog(), "justname")->setChecked(true);
    compose();
    QVERIFY(!find<HoverLinkLabel>("twiname")->isVisible());
    QCOMPARE(core().heroHandle().text, QStringLiteral("kotofeich"));
    QCOMPARE(find<JournalTextArea>("Memo2")->text(),
             QStringLiteral("Как-то раз задумал Воробей погулять на болоте.\r\n"));
}

void MainWindowTest::neitherModeComposesNothing()
{
    m_fixture->folder.writeSettings("[option]\r\ntwiname=0\r\njustname=0\r\n");
    start();
    compose();
    find<ImageButton>("Button1")->click();
    QVERIFY(find<JournalTextArea>("Memo1")->text().isEmpty());
    QVERIFY(!find<HoverLinkLabel>("XPHoverLabel1")->isEnabled());
    QVERIFY(!find<ImageButton>("PngBitBtn1")->isEnabled());
}

void MainWindowTest::autoCopyFollowsTheSetting()
{
    start();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    program().settingsDialog().show();
    control<QCheckBox>(&program().settingsDialog(), "CheckBox1")->setChecked(false);
    compose();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    control<QCheckBox>(&program().settingsDialog(), "CheckBox1")->setChecked(true);
    compose();
    QCOMPARE(QGuiApplication::clipboard()->text(), tweet + QStringLiteral("\r\n"));
}

void MainWindowTest::keyCombinationsGoThroughTheMainMenu()
{
    start();
    // F4 is carried by a disabled item at start: it swallows the key and does nothing.
    QTest::keyClick(find<JournalTextArea>("Memo1")->widget(), Qt::Key_F4);
    QVERIFY(!find<QTimer>("Timer1")->isActive());

    // F2 composes whichever control has the focus.
    find<ImageButton>("Button1")->setFocus();
    QTest::keyClick(find<ImageButton>("Button1"), Qt::Key_F2);
    QCOMPARE(find<JournalTextArea>("Memo2")->text(), tweet + QStringLiteral("\r\n"));

    // Ctrl+A, Ctrl+C and Ctrl+V act on the journal from any control.
    QTest::keyClick(find<ImageButton>("Button1"), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(find<JournalTextArea>("Memo1")->selectedText(), find<JournalTextArea>("Memo1")->text());
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(find<ImageButton>("Button1"), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), find<JournalTextArea>("Memo1")->text());
    QGuiApplication::clipboard()->setText(QStringLiteral("вставка"));
    QTest::keyClick(find<ImageButton>("Button1"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(find<JournalTextArea>("Memo1")->text(), QStringLiteral("вставка"));

    // Ctrl+X cuts the selection and leaves the program running: the clipboard
    // holds other text first, so a deletion without a copy would show.
    QGuiApplication::clipboard()->setText(QStringLiteral("прежнее"));
    QTest::keyClick(find<JournalTextArea>("Memo1")->widget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(find<JournalTextArea>("Memo1")->widget(), Qt::Key_X, Qt::ControlModifier);
    QVERIFY(window().isVisible());
    QVERIFY(find<JournalTextArea>("Memo1")->text().isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("вставка"));

    // Ctrl+Q quits, writing the lists first.
    QFile::remove(m_fixture->folder.path(QStringLiteral("Lists/names.txt")));
    QTest::keyClick(find<JournalTextArea>("Memo1")->widget(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!window().isVisible());
    QCOMPARE(m_fixture->folder.read(QStringLiteral("Lists/names.txt")), QByteArray("kotofeich\r\n"));
}

void MainWindowTest::newAndClearAll()
{
    start();
    compose();
    command("clearall")->trigger();
    QVERIFY(find<JournalTextArea>("Memo1")->text().isEmpty());
    QCOMPARE(window().windowTitle(), QStringLiteral("Merovale Yarnspin!"));
    QCOMPARE(find<QLabel>("Label1")->text(), QStringLiteral("Ты все мои твиты стёр! Я что зря придумываю?"));
    QVERIFY(find<HoverLinkLabel>("XPHoverLabel1")->isEnabled());
    // "последний" still copies the last tweet from the buffer.
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(find<HoverLinkLabel>("XPHoverLabel1"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), tweet + QStringLiteral("\r\n"));

    QTest::keyClick(find<JournalTextArea>("Memo1")->widget(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(find<QLabel>("Label1")->text(), QStringLiteral("Ну, новый так новый:) Начнем заново!"));
    QVERIFY(!find<HoverLinkLabel>("XPHoverLabel1")->isEnabled());
    QVERIFY(!find<ImageButton>("PngBitBtn1")->isEnabled());
    QCOMPARE(find<JournalTextArea>("Memo2")->text(), tweet + QStringLiteral("\r\n"));
    // A disabled link ignores the click.
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(find<HoverLinkLabel>("XPHoverLabel1"), Qt::LeftButton);
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
}

void MainWindowTest::openAndSaveRoundTrip()
{
    start();
    const QString opened = m_fixture->folder.path(QStringLiteral("мои.yrn"));
    {
        QFile file(opened);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("one\ntwo\n\xcf\xf0\xe8\xe2\xe5\xf2");
    }
    interaction().fileAnswer = [&](const QString &) { return opened; };
    QTest::keyClick(find<JournalTextArea>("Memo1")->widget(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(find<JournalTextArea>("Memo1")->text(), QStringLiteral("one\r\ntwo\r\nПривет"));
    QCOMPARE(window().windowTitle(), QStringLiteral("Merovale Yarnspin [мои.yrn]"));
    QVERIFY(!find<HoverLinkLabel>("XPHoverLabel1")->isEnabled());

    // Composing after a text without a final line end starts a new line.
    compose();
    const QString saved = m_fixture->folder.path(QStringLiteral("saved.yrn"));
    interaction().fileAnswer = [&](const QString &) { return saved; };
    command("N13")->trigger();
    QCOMPARE(m_fixture->folder.read(QStringLiteral("saved.yrn")),
             Windows1251::encodeOrThrow(QStringLiteral("one\r\ntwo\r\nПривет\r\n") + tweet + QStringLiteral("\r\n\r\n")));
    QCOMPARE(window().windowTitle(), QStringLiteral("Merovale Yarnspin [saved.yrn]"));

    // An empty journal saves an empty file; a cancelled dialog changes nothing.
    command("N10")->trigger();
    command("N13")->trigger();
    QCOMPARE(QFileInfo(saved).size(), 0);
    interaction().fileAnswer = [](const QString &) { return QString(); };
    command("N11")->trigger();
    QCOMPARE(window().windowTitle(), QStringLiteral("Merovale Yarnspin [saved.yrn]"));
}

void MainWindowTest::printsTheJournalToPdf()
{
    start();
    compose();
    const QString pdf = m_fixture->folder.path(QStringLiteral("journal.pdf"));
    QPrinter &printer = interaction().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    interaction().printAnswer = true;
    QTest::keyClick(find<JournalTextArea>("Memo1")->widget(), Qt::Key_P, Qt::ControlModifier);
    QProcess text;
    text.start(QStringLiteral("pdftotext"), {pdf, QStringLiteral("-")});
    QVERIFY(text.waitForFinished());
    QVERIFY2(QString::fromUtf8(text.readAllStandardOutput()).simplified().contains(tweet),
             "the tweet is printed");
}

void MainWindowTest::promotionalCommandsRetargetTheHeroLink()
{
    start();
    command("N40")->trigger();
    command("N40")->trigger();
    QCOMPARE(find<JournalTextArea>("Memo1")->text().count(QStringLiteral("Помогайте нам!")), 2);
    QCOMPARE(find<HoverLinkLabel>("twiname")->text(), QStringLiteral("@quenby"));
    QCOMPARE(program().links().heroAddress(), QStringLiteral("https://twitter.com/quenby"));
    QCOMPARE(find<HoverLinkLabel>("twiname")->toolTip(), QStringLiteral("Открыть твиттер автора программы - @quenby"));

    command("N20")->trigger();
    QCOMPARE(find<HoverLinkLabel>("twiname")->text(), QStringLiteral("Скачать"));
    QVERIFY(core().heroHandle().isAddress);
    QVERIFY(find<JournalTextArea>("Memo1")->text().contains(
        QStringLiteral("Прямая ссылка на загрузку самой свежей версии программы: ") + program().links().heroAddress()));
    QCOMPARE(find<QLabel>("Label1")->text(), QStringLiteral("Нажмите на кнопку \"Сочинить смешной твит!\""));
    compose();
    QCOMPARE(find<HoverLinkLabel>("twiname")->text(), QStringLiteral("@kotofeich"));
    QCOMPARE(program().links().heroAddress(), QStringLiteral("https://twitter.com/kotofeich"));
}

void MainWindowTest::additionsAppendWhatWasTyped()
{
    start();
    shown().clear();
    QStringList asked;
    std::optional<QString> answer = QStringLiteral("  ");
    interaction().textAnswer = ([&](const QString &caption, const QString &prompt) {
        asked << caption + u'|' + prompt;
        return answer;
    });
    command("N415555")->trigger();
    QCOMPARE(asked.last(), QStringLiteral("Новое название для твита|Например, Твитёнок-мамонтёнок"));
    QCOMPARE(core().phrases().list(PhraseListId::Titles).count(), 2);
    QVERIFY(shown().isEmpty());

    answer = QString();
    command("N51")->trigger();
    answer = std::nullopt;
    command("N525454")->trigger();
    QCOMPARE(shown().size(), 2);
    QCOMPARE(shown()[0].text, QStringLiteral("Новое действие не было добавлено в программу."));
    QCOMPARE(shown()[1].text, QStringLiteral("Новое место не было добавлено в программу."));

    // The new title is written at close as the file's last line.
    window().close();
    QVERIFY(m_fixture->folder.read(QStringLiteral("Lists/thenames.txt")).endsWith("\r\n  \r\n"));
}

void MainWindowTest::autogenerationSwitchesTheControls()
{
    start();
    interaction().notices.clear();
    QTest::keyClick(find<JournalTextArea>("Memo1")->widget(), Qt::Key_F3);
    QVERIFY(find<QTimer>("Timer1")->isActive());
    QCOMPARE(find<QTimer>("Timer1")->interval(), 50);
    QVERIFY(find<HoverLinkLabel>("Label5")->isVisible());
    QVERIFY(!find<ImageButton>("Button1")->isEnabled());
    QVERIFY(!find<ImageButton>("PngBitBtn1")->isEnabled());
    QVERIFY(!command("vkl")->isEnabled());
    QCOMPARE(interaction().noticeTitles(), QStringList{QStringLiteral("Merovale Yarnspin начал генерировать твиты сам")});
    // The first timed tweet enables the options button again; the compose button stays off.
    QTRY_VERIFY(find<ImageButton>("PngBitBtn1")->isEnabled());
    QVERIFY(!find<ImageButton>("Button1")->isEnabled());
    QTest::mouseClick(find<HoverLinkLabel>("Label5"), Qt::LeftButton);
    QVERIFY(!find<QTimer>("Timer1")->isActive());
    QVERIFY(!find<HoverLinkLabel>("Label5")->isVisible());
    QVERIFY(find<ImageButton>("Button1")->isEnabled());
    QCOMPARE(interaction().notices.size(), 1);
}

void MainWindowTest::optionsButtonWaitsForATweetOrTheStop_data()
{
    QTest::addColumn<QByteArray>("settings");
    QTest::addColumn<int>("ticks");
    QTest::newRow("stopped before the first tick") << QByteArray() << 0;
    QTest::newRow("neither mode: ticks compose nothing") << QByteArray("[option]\r\ntwiname=0\r\njustname=0\r\n") << 4;
}

void MainWindowTest::optionsButtonWaitsForATweetOrTheStop()
{
    QFETCH(QByteArray, settings);
    QFETCH(int, ticks);
    m_fixture->folder.writeSettings(settings);
    start();
    command("vkl")->trigger();
    QTest::qWait(ticks * 50 + 20 * (ticks > 0));
    QVERIFY(!find<ImageButton>("PngBitBtn1")->isEnabled());
    command("vykl")->trigger();
    QVERIFY(find<ImageButton>("PngBitBtn1")->isEnabled());
    QVERIFY(find<ImageButton>("Button1")->isEnabled());
}

void MainWindowTest::optionsMenuOpensBelowTheButtonTop()
{
    start();
    compose();
    // Far enough left that the menu fits on the small offscreen screen unmoved.
    window().move(-250, 0);
    QTest::mouseClick(find<ImageButton>("PngBitBtn1"), Qt::LeftButton);
    QTRY_VERIFY(find<QMenu>("context")->isVisible());
    QCOMPARE(find<QMenu>("context")->pos(), window().centralWidget()->mapToGlobal(QPoint(590, 436)));
    find<QMenu>("context")->close();
}

void MainWindowTest::linksAddToTheFavourites()
{
    start();
    compose();
    QTest::mouseClick(find<HoverLinkLabel>("XPHoverLabel5"), Qt::LeftButton);
    QTest::mouseClick(find<HoverLinkLabel>("XPHoverLabel6"), Qt::LeftButton);
    QCOMPARE(core().favourites().lines(), (QStringList{tweet + QStringLiteral("\r\n"), QString()}));
}

void MainWindowTest::closeWritesListsAndKeepsWindowOnFailure()
{
    start();
    QDir(m_fixture->folder.path(QStringLiteral("Lists"))).removeRecursively();
    shown().clear();
    window().close();
    QVERIFY(window().isVisible());
    QCOMPARE(shown().size(), 2);
    QVERIFY2(shown().first().text.startsWith(QStringLiteral("Cannot create file \"")),
             qPrintable(shown().first().text));
    QCOMPARE(shown()[1].kind, RecordedInteraction::Shown::Kind::Question);
    // Once the folder is back, closing again writes every list and the favourites.
    QDir(m_fixture->folder.path(QString())).mkpath(QStringLiteral("Lists"));
    window().close();
    QVERIFY(!window().isVisible());
    QCOMPARE(m_fixture->folder.read(QStringLiteral("Lists/names.txt")), QByteArray("kotofeich\r\n"));
    QVERIFY(QFile::exists(m_fixture->folder.path(QStringLiteral("Lists/favourite.txt"))));
}

void MainWindowTest::unwritableListsNeverTrapTheUser()
{
    const QString handedOver = OrdinaryUser::handedOverPath();
    if (!handedOver.isEmpty()) {
        closeWithUnwritableLists(handedOver);
        return;
    }
    // The titles can be written, the accounts cannot; the places have no final
    // line end, so a rewrite of them would show.
    const QString folder = m_fixture->folder.path(QString());
    m_fixture->folder.writeList(QStringLiteral("places.txt"), "\xed\xe0 \xe1\xee\xeb\xee\xf2\xe5.");
    const auto everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther
                          | QFileDevice::WriteOther;
    QVERIFY(OrdinaryUser::openToEveryone(folder));
    QVERIFY(OrdinaryUser::openToEveryone(m_fixture->folder.path(QStringLiteral("Lists"))));
    QVERIFY(QFile::setPermissions(m_fixture->folder.path(QStringLiteral("Lists/thenames.txt")), everyone));
    QVERIFY(QFile::setPermissions(m_fixture->folder.path(QStringLiteral("Lists/names.txt")),
                                  QFileDevice::ReadOwner | QFileDevice::ReadOther));
    const QString failure = OrdinaryUser::verify("unwritableListsNeverTrapTheUser", folder, folder,
                                                 [&] { closeWithUnwritableLists(folder); });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void MainWindowTest::closeWithUnwritableLists(const QString &folder)
{
    start(folder);
    interaction().textAnswer = ([](const QString &, const QString &) { return QStringLiteral("новое"); });
    command("N415555")->trigger();
    shown().clear();

    // No keeps the window open for a retry, as often as the user likes.
    for (int attempt = 0; attempt < 2; ++attempt) {
        window().close();
        QVERIFY(window().isVisible());
    }
    QCOMPARE(shown().size(), 4);
    QCOMPARE(shown()[0].kind, RecordedInteraction::Shown::Kind::Error);
    QVERIFY2(shown()[0].text.startsWith(QStringLiteral("Cannot create file \"")),
             qPrintable(shown()[0].text));
    QVERIFY2(shown()[0].text.contains(QStringLiteral("names.txt")), qPrintable(shown()[0].text));
    QCOMPARE(shown()[1].kind, RecordedInteraction::Shown::Kind::Question);
    QCOMPARE(shown()[1].caption, QStringLiteral("Merovale Yarn"));
    QCOMPARE(shown()[1].text, QStringLiteral("Сохранить не удалось. Выйти без сохранения?"));

    // Yes ends without writing more; what was written before the failure stays.
    interaction().questionAnswer = true;
    window().close();
    QVERIFY(!window().isVisible());
    QCOMPARE(shown().size(), 6);
    const QDir lists(folder + QStringLiteral("/Lists"));
    QFile titles(lists.filePath(QStringLiteral("thenames.txt")));
    QVERIFY(titles.open(QIODevice::ReadOnly));
    QVERIFY(titles.readAll().endsWith("\r\n\xed\xee\xe2\xee\xe5\r\n"));
    QFile places(lists.filePath(QStringLiteral("places.txt")));
    QVERIFY(places.open(QIODevice::ReadOnly));
    QCOMPARE(places.readAll(), QByteArray("\xed\xe0 \xe1\xee\xeb\xee\xf2\xe5."));
    QVERIFY(!lists.exists(QStringLiteral("favourite.txt")));
}

void MainWindowTest::boxesClosedWhileHiddenLeaveTheProgramRunning()
{
    // Real boxes, closed by their title bar's button as a user would; with a
    // favourites file, so that no first-run message stops the start.
    m_fixture->folder.writeList(QStringLiteral("favourite.txt"), QByteArray());
    m_fixture->startWithTheDesktop();
    QFile::remove(m_fixture->folder.path(QStringLiteral("Lists/names.txt")));
    const auto closeTheBoxSoon = [] { ModalWindows::whenModalShown([](QWidget *box) { box->close(); }); };
    QStringList steps;
    QTimer::singleShot(0, &window(), [&] {
        window().hideToTray();
        closeTheBoxSoon();
        command("N32")->trigger();
        steps << QStringLiteral("About box closed");
        closeTheBoxSoon();
        DesktopInteraction({}).showMessage(QStringLiteral("Сообщение"));
        steps << QStringLiteral("message closed");
        QTimer::singleShot(300, &window(), [&] {
            steps << (window().isVisible() ? QStringLiteral("shown") : QStringLiteral("still hidden"));
            command("N33")->trigger();
        });
    });
    QTimer watchdog;
    watchdog.setSingleShot(true);
    connect(&watchdog, &QTimer::timeout, [] { QCoreApplication::exit(2); });
    watchdog.start(20000);
    QCOMPARE(QApplication::exec(), 0);
    QCOMPARE(steps, (QStringList{QStringLiteral("About box closed"), QStringLiteral("message closed"),
                                 QStringLiteral("still hidden")}));
    QCOMPARE(m_fixture->folder.read(QStringLiteral("Lists/names.txt")), QByteArray("kotofeich\r\n"));
}

void MainWindowTest::frameIsFixed()
{
    start();
    const QSize fixed = window().size();
    QCOMPARE(window().minimumSize(), fixed);
    QCOMPARE(window().maximumSize(), fixed);
    // The window manager reads the limits from the native window.
    QCOMPARE(window().windowHandle()->minimumSize(), fixed);
    QCOMPARE(window().windowHandle()->maximumSize(), fixed);
    window().resize(fixed + QSize(200, 100));
    QCOMPARE(window().size(), fixed);
    QCOMPARE(window().centralWidget()->size(), QSize(633, 463));

    const Qt::WindowFlags flags = window().windowFlags();
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    // Customised hints: the platform adds no maximise button of its own.
    for (Qt::WindowType hint : {Qt::CustomizeWindowHint, Qt::WindowTitleHint, Qt::WindowSystemMenuHint,
                                Qt::WindowMinimizeButtonHint, Qt::WindowCloseButtonHint})
        QVERIFY(flags & hint);
}

void MainWindowTest::missingListFileStillOpensTheWindow()
{
    QFile::remove(m_fixture->folder.path(QStringLiteral("Lists/names.txt")));
    start();
    QVERIFY(interaction().notices.isEmpty());
    QCOMPARE(shown().size(), 2);
    QCOMPARE(shown().first().kind, RecordedInteraction::Shown::Kind::Error);
    QVERIFY(shown().first().text.startsWith(QStringLiteral("Cannot open file \"")));
    QVERIFY(shown().first().text.contains(QStringLiteral("names.txt")));
    QCOMPARE(core().phrases().list(PhraseListId::Titles).count(), 1);
    QCOMPARE(core().phrases().list(PhraseListId::Places).count(), 0);
    // The settings dialog is still created, and read the settings file.
    QCOMPARE(core().settings().compositionMode(), CompositionMode::Account);
    compose();
    QCOMPARE(find<JournalTextArea>("Memo2")->text(), QStringLiteral("Как-то раз задумал @  \r\n"));
}

void MainWindowTest::everyControlKeepsItsObjectName()
{
    start();
    QList<QAction *> items;
    std::function<void(const QList<QAction *> &)> collect = [&](const QList<QAction *> &actions) {
        for (QAction *action : actions) {
            if (action->isSeparator())
                continue;
            items.append(action);
            if (action->menu())
                collect(action->menu()->actions());
        }
    };
    collect(window().menuBar()->actions());
    collect(find<QMenu>("context")->actions());
    collect(find<QMenu>("PopupMenu1")->actions());
    QSet<QString> itemNames;
    for (QAction *item : items) {
        const QString name = item->objectName();
        // A name used twice would let findChild and grep land on the wrong item.
        QVERIFY2(!name.isEmpty(), qPrintable(item->text()));
        QVERIFY2(!itemNames.contains(name), qPrintable(name));
        itemNames.insert(name);
        QCOMPARE(window().findChildren<QAction *>(name).size(), 1);
    }
    for (const char *name : {"Image1", "Image2", "Image3", "Image4", "Label1", "Label3", "Label4", "Label5", "Label6",
                             "Label7", "Label8", "Label9", "twiname", "Memo1", "Memo2", "XPHoverLabel1",
                             "XPHoverLabel2", "XPHoverLabel5", "XPHoverLabel6", "Button1", "PngBitBtn1", "Timer1",
                             "context", "PopupMenu1"})
        QVERIFY2(window().findChild<QObject *>(QString::fromLatin1(name)), name);
    QCOMPARE(program().trayIcon().objectName(), QStringLiteral("TextTrayIcon1"));
    QCOMPARE(window().objectName(), QStringLiteral("Form1"));
    QCOMPARE(program().settingsDialog().objectName(), QStringLiteral("Form6"));
    QStringList aboutLinks;
    for (QWidget *topLevel : QApplication::topLevelWidgets()) {
        if (topLevel->objectName() == QStringLiteral("Form2")) {
            topLevel->show(); // its contents are made at the first showing
            for (QObject *link : topLevel->findChildren<HoverLinkLabel *>())
                aboutLinks << link->objectName();
        }
    }
    QCOMPARE(aboutLinks, (QStringList{QStringLiteral("XPHoverLabel3"), QStringLiteral("XPHoverLabel6")}));
}

void MainWindowTest::readsTheSettingsLive()
{
    start();
    interaction().notices.clear();
    Settings &settings = core().settings();
    SettingsValues values = settings.values();

    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    values.accountMode = false;
    values.plainNameMode = true;
    values.autoCopy = false;
    settings.setValues(values);
    window().composeTweet();
    QCOMPARE(find<JournalTextArea>("Memo2")->text(), QStringLiteral("Как-то раз задумал Воробей погулять на болоте.\r\n"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    values.plainNameMode = false;
    settings.setValues(values);
    window().composeTweet();
    QCOMPARE(find<JournalTextArea>("Memo1")->text().count(QStringLiteral("Воробей")), 1);

    values.suppressNotices = true;
    settings.setValues(values);
    window().startAutogeneration();
    window().stopAutogeneration();
    QVERIFY(interaction().notices.isEmpty());
    values.suppressNotices = false;
    settings.setValues(values);
    window().startAutogeneration();
    window().stopAutogeneration();
    QCOMPARE(interaction().notices.size(), 1);

    // Without a tray, as here, minimising keeps the window on the taskbar
    // whatever the flag says, and "Свернуть в трей" gives no notice pointing
    // at an icon nobody sees (with a tray: TrayOnDesktopTest).
    values.minimizeToTray = true;
    settings.setValues(values);
    settings.takeMinimizeToTrayFlag();
    interaction().notices.clear();
    command("N4")->trigger();
    QTest::qWait(20);
    QVERIFY(window().isVisible());
    QVERIFY(window().isMinimized());
    QVERIFY(interaction().notices.isEmpty());
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

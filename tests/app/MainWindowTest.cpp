#include "app/CommandTable.h"
#include "app/MainWindow.h"
#include "app/Program.h"
#include "base/Windows1251.h"
#include "journal/PlainJournalView.h"
#include "journal/SharedPrintDialog.h"
#include "settings/SettingsDialog.h"
#include "settings/SettingsRecord.h"
#include "shell/BrowserWindow.h"
#include "shell/TrayIcon.h"
#include "ui/FileDialogs.h"
#include "ui/HoverLinkLabel.h"
#include "ui/ImageButton.h"
#include "ui/InputBox.h"
#include "tests/support/Controls.h"
#include "tests/support/ModalWindows.h"
#include "tests/support/OrdinaryUser.h"
#include "tests/support/ScratchProgramFolder.h"

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
// scratch program folder. Every composition uses the first entries of
// one-entry lists, so the tweets are known; the opening list is built in and
// the clock decides the opening, so tests fix the generator's clock.
class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void startsAsLaidOut();
    void menusFollowTheCommandTable();
    void composingFillsJournalBufferAndHeroLink();
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
    void optionsMenuOpensBelowTheButtonTop();
    void linksAddToTheFavourites();
    void closeWritesListsAndKeepsWindowOnFailure();
    void unwritableListsNeverTrapTheUser();
    void boxesClosedWhileHiddenLeaveTheProgramRunning();
    void frameIsFixed();
    void missingListFileStillOpensTheWindow();
    void everyControlKeepsItsObjectName();
    void readsTheSettingsThroughTheRecord();

private:
    void start();
    MainWindow &window() { return m_program->mainWindow(); }
    // The main window's controls and menu items, by object name.
    template <typename T = QWidget>
    T *find(const char *name) { return control<T>(&window(), name); }
    QAction *command(const char *name) { return find<QAction>(name); }
    void compose() { QTest::keyClick(find<PlainJournalView>("Memo1")->widget(), Qt::Key_F2); }
    void closeWithUnwritableLists(const QString &folder);

    std::unique_ptr<ScratchProgramFolder> m_folder;
    QStringList m_notices;
    std::unique_ptr<Program> m_program;
};

void MainWindowTest::init()
{
    m_folder = std::make_unique<ScratchProgramFolder>();
    m_notices.clear();
    TrayIcon::setNoticeInterceptorForTesting([this](const QString &title, const QString &) { m_notices << title; });
}

void MainWindowTest::cleanup()
{
    m_program.reset();
    m_folder.reset();
    InputBox::setAnswerForTesting({});
    FileDialogs::setNextResultForTesting({});
    SharedPrintDialog::setAnswerForTesting({});
    TrayIcon::setNoticeInterceptorForTesting({});
    MessageBoxes::setQuestionAnswerForTesting(false);
}

void MainWindowTest::start()
{
    m_program = std::make_unique<Program>();
    // The first opening ("Как-то раз задумал") is drawn whenever the clock reads 0.
    window().random() = RandomGenerator([] { return quint32(0); });
    window().show();
    window().activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(&window()));
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
    QCOMPARE(find<PlainJournalView>("Memo1")->widget()->geometry(), QRect(8, 56, 617, 345));
    QVERIFY(find<PlainJournalView>("Memo1")->widget()->hasFocus());
    QVERIFY(!find<HoverLinkLabel>("twiname")->isVisible());
    QVERIFY(!find<HoverLinkLabel>("Label5")->isVisible());
    for (const char *name : {"XPHoverLabel1", "XPHoverLabel2", "XPHoverLabel5", "XPHoverLabel6", "PngBitBtn1"})
        QVERIFY2(!find(name)->isEnabled(), name);
    QVERIFY(find<ImageButton>("Button1")->isEnabled());
    QVERIFY(!command("vykl")->isEnabled());
    QCOMPARE(m_notices, QStringList{QStringLiteral("Merovale Yarnspin приветствует вас")});
    // First start: no favourites file yet.
    QCOMPARE(m_folder->shown().size(), 1);
    QVERIFY(m_folder->shown().first().text.startsWith(QStringLiteral("Это первый запуск программы")));
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
    QCOMPARE(find<PlainJournalView>("Memo1")->text(), lines + lines);
    QCOMPARE(find<PlainJournalView>("Memo2")->text(), tweet + QStringLiteral("\r\n"));
    QCOMPARE(find<QLabel>("Label1")->text(), QStringLiteral("Грустная сказка"));
    QVERIFY(find<HoverLinkLabel>("twiname")->isVisible());
    QCOMPARE(find<HoverLinkLabel>("twiname")->text(), QStringLiteral("@kotofeich"));
    QCOMPARE(find<HoverLinkLabel>("twiname")->toolTip(),
             QStringLiteral("Открыть твиттер героя этой сказки - @kotofeich"));
    QCOMPARE(window().heroLinkAddress(), QStringLiteral("https://twitter.com/kotofeich"));
    for (const char *name : {"XPHoverLabel1", "XPHoverLabel6", "PngBitBtn1"})
        QVERIFY2(find(name)->isEnabled(), name);
}

void MainWindowTest::plainNamesHideTheHeroLinkAndKeepTheHandle()
{
    start();
    compose();
    control<QRadioButton>(&m_program->settingsDialog(), "justname")->setChecked(true);
    compose();
    QVERIFY(!find<HoverLinkLabel>("twiname")->isVisible());
    QCOMPARE(window().heroHandle(), QStringLiteral("kotofeich"));
    QCOMPARE(find<PlainJournalView>("Memo2")->text(),
             QStringLiteral("Как-то раз задумал Воробей погулять на болоте.\r\n"));
}

void MainWindowTest::neitherModeComposesNothing()
{
    m_folder->writeSettings("[option]\r\ntwiname=0\r\njustname=0\r\n");
    start();
    compose();
    find<ImageButton>("Button1")->click();
    QVERIFY(find<PlainJournalView>("Memo1")->text().isEmpty());
    QVERIFY(!find<HoverLinkLabel>("XPHoverLabel1")->isEnabled());
    QVERIFY(!find<ImageButton>("PngBitBtn1")->isEnabled());
}

void MainWindowTest::autoCopyFollowsTheSetting()
{
    start();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    control<QCheckBox>(&m_program->settingsDialog(), "CheckBox1")->setChecked(false);
    compose();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    control<QCheckBox>(&m_program->settingsDialog(), "CheckBox1")->setChecked(true);
    compose();
    QCOMPARE(QGuiApplication::clipboard()->text(), tweet + QStringLiteral("\r\n"));
}

void MainWindowTest::keyCombinationsGoThroughTheMainMenu()
{
    start();
    // F4 is carried by a disabled item at start: it swallows the key and does nothing.
    QTest::keyClick(find<PlainJournalView>("Memo1")->widget(), Qt::Key_F4);
    QVERIFY(!find<QTimer>("Timer1")->isActive());

    // F2 composes whichever control has the focus.
    find<ImageButton>("Button1")->setFocus();
    QTest::keyClick(find<ImageButton>("Button1"), Qt::Key_F2);
    QCOMPARE(find<PlainJournalView>("Memo2")->text(), tweet + QStringLiteral("\r\n"));

    // Ctrl+A, Ctrl+C and Ctrl+V act on the journal from any control.
    QTest::keyClick(find<ImageButton>("Button1"), Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(find<PlainJournalView>("Memo1")->selectedText(), find<PlainJournalView>("Memo1")->text());
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(find<ImageButton>("Button1"), Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), find<PlainJournalView>("Memo1")->text());
    QGuiApplication::clipboard()->setText(QStringLiteral("вставка"));
    QTest::keyClick(find<ImageButton>("Button1"), Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(find<PlainJournalView>("Memo1")->text(), QStringLiteral("вставка"));

    // Ctrl+X cuts the selection and leaves the program running: the clipboard
    // holds other text first, so a deletion without a copy would show.
    QGuiApplication::clipboard()->setText(QStringLiteral("прежнее"));
    QTest::keyClick(find<PlainJournalView>("Memo1")->widget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(find<PlainJournalView>("Memo1")->widget(), Qt::Key_X, Qt::ControlModifier);
    QVERIFY(window().isVisible());
    QVERIFY(find<PlainJournalView>("Memo1")->text().isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("вставка"));

    // Ctrl+Q quits, writing the lists first.
    QFile::remove(m_folder->path(QStringLiteral("Lists/names.txt")));
    QTest::keyClick(find<PlainJournalView>("Memo1")->widget(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!window().isVisible());
    QCOMPARE(m_folder->read(QStringLiteral("Lists/names.txt")), QByteArray("kotofeich\r\n"));
}

void MainWindowTest::newAndClearAll()
{
    start();
    compose();
    command("clearall")->trigger();
    QVERIFY(find<PlainJournalView>("Memo1")->text().isEmpty());
    QCOMPARE(window().windowTitle(), QStringLiteral("Merovale Yarnspin!"));
    QCOMPARE(find<QLabel>("Label1")->text(), QStringLiteral("Ты все мои твиты стёр! Я что зря придумываю?"));
    QVERIFY(find<HoverLinkLabel>("XPHoverLabel1")->isEnabled());
    // "последний" still copies the last tweet from the buffer.
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(find<HoverLinkLabel>("XPHoverLabel1"), Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), tweet + QStringLiteral("\r\n"));

    QTest::keyClick(find<PlainJournalView>("Memo1")->widget(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(find<QLabel>("Label1")->text(), QStringLiteral("Ну, новый так новый:) Начнем заново!"));
    QVERIFY(!find<HoverLinkLabel>("XPHoverLabel1")->isEnabled());
    QVERIFY(!find<ImageButton>("PngBitBtn1")->isEnabled());
    QCOMPARE(find<PlainJournalView>("Memo2")->text(), tweet + QStringLiteral("\r\n"));
    // A disabled link ignores the click.
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(find<HoverLinkLabel>("XPHoverLabel1"), Qt::LeftButton);
    QVERIFY(QGuiApplication::clipboard()->text().isEmpty());
}

void MainWindowTest::openAndSaveRoundTrip()
{
    start();
    const QString opened = m_folder->path(QStringLiteral("мои.yrn"));
    {
        QFile file(opened);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("one\ntwo\n\xcf\xf0\xe8\xe2\xe5\xf2");
    }
    FileDialogs::setNextResultForTesting([&](const QString &) { return opened; });
    QTest::keyClick(find<PlainJournalView>("Memo1")->widget(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(find<PlainJournalView>("Memo1")->text(), QStringLiteral("one\r\ntwo\r\nПривет"));
    QCOMPARE(window().windowTitle(), QStringLiteral("Merovale Yarnspin [мои.yrn]"));
    QVERIFY(!find<HoverLinkLabel>("XPHoverLabel1")->isEnabled());

    // Composing after a text without a final line end starts a new line.
    compose();
    const QString saved = m_folder->path(QStringLiteral("saved.yrn"));
    FileDialogs::setNextResultForTesting([&](const QString &) { return saved; });
    command("N13")->trigger();
    QCOMPARE(m_folder->read(QStringLiteral("saved.yrn")),
             Windows1251::encodeOrThrow(QStringLiteral("one\r\ntwo\r\nПривет\r\n") + tweet + QStringLiteral("\r\n\r\n")));
    QCOMPARE(window().windowTitle(), QStringLiteral("Merovale Yarnspin [saved.yrn]"));

    // An empty journal saves an empty file; a cancelled dialog changes nothing.
    command("N10")->trigger();
    command("N13")->trigger();
    QCOMPARE(QFileInfo(saved).size(), 0);
    FileDialogs::setNextResultForTesting([](const QString &) { return QString(); });
    command("N11")->trigger();
    QCOMPARE(window().windowTitle(), QStringLiteral("Merovale Yarnspin [saved.yrn]"));
}

void MainWindowTest::printsTheJournalToPdf()
{
    start();
    compose();
    const QString pdf = m_folder->path(QStringLiteral("journal.pdf"));
    QPrinter &printer = SharedPrintDialog::instance().printer();
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(pdf);
    SharedPrintDialog::setAnswerForTesting(true);
    QTest::keyClick(find<PlainJournalView>("Memo1")->widget(), Qt::Key_P, Qt::ControlModifier);
    SharedPrintDialog::setAnswerForTesting(std::nullopt);
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
    QCOMPARE(find<PlainJournalView>("Memo1")->text().count(QStringLiteral("Помогайте нам!")), 2);
    QCOMPARE(find<HoverLinkLabel>("twiname")->text(), QStringLiteral("@quenby"));
    QCOMPARE(window().heroLinkAddress(), QStringLiteral("https://twitter.com/quenby"));
    QCOMPARE(find<HoverLinkLabel>("twiname")->toolTip(), QStringLiteral("Открыть твиттер автора программы - @quenby"));

    command("N20")->trigger();
    QCOMPARE(find<HoverLinkLabel>("twiname")->text(), QStringLiteral("Скачать"));
    QVERIFY(window().heroHandleIsAddress());
    QVERIFY(find<PlainJournalView>("Memo1")->text().contains(
        QStringLiteral("Прямая ссылка на загрузку самой свежей версии программы: ") + window().heroLinkAddress()));
    QCOMPARE(find<QLabel>("Label1")->text(), QStringLiteral("Нажмите на кнопку \"Сочинить смешной твит!\""));
    compose();
    QCOMPARE(find<HoverLinkLabel>("twiname")->text(), QStringLiteral("@kotofeich"));
    QCOMPARE(window().heroLinkAddress(), QStringLiteral("https://twitter.com/kotofeich"));
}

void MainWindowTest::additionsAppendWhatWasTyped()
{
    start();
    m_folder->shown().clear();
    QStringList asked;
    std::optional<QString> answer = QStringLiteral("  ");
    InputBox::setAnswerForTesting([&](const QString &caption, const QString &prompt) {
        asked << caption + u'|' + prompt;
        return answer;
    });
    command("N415555")->trigger();
    QCOMPARE(asked.last(), QStringLiteral("Новое название для твита|Например, Твитёнок-мамонтёнок"));
    QCOMPARE(window().phrases().list(PhraseListId::Titles).count(), 2);
    QVERIFY(m_folder->shown().isEmpty());

    answer = QString();
    command("N51")->trigger();
    answer = std::nullopt;
    command("N525454")->trigger();
    QCOMPARE(m_folder->shown().size(), 2);
    QCOMPARE(m_folder->shown()[0].text, QStringLiteral("Новое действие не было добавлено в программу."));
    QCOMPARE(m_folder->shown()[1].text, QStringLiteral("Новое место не было добавлено в программу."));

    // The new title is written at close as the file's last line.
    window().close();
    QVERIFY(m_folder->read(QStringLiteral("Lists/thenames.txt")).endsWith("\r\n  \r\n"));
}

void MainWindowTest::autogenerationSwitchesTheControls()
{
    start();
    m_notices.clear();
    QTest::keyClick(find<PlainJournalView>("Memo1")->widget(), Qt::Key_F3);
    QVERIFY(find<QTimer>("Timer1")->isActive());
    QCOMPARE(find<QTimer>("Timer1")->interval(), 50);
    QVERIFY(find<HoverLinkLabel>("Label5")->isVisible());
    QVERIFY(!find<ImageButton>("Button1")->isEnabled());
    QVERIFY(!find<ImageButton>("PngBitBtn1")->isEnabled());
    QVERIFY(!command("vkl")->isEnabled());
    QCOMPARE(m_notices, QStringList{QStringLiteral("Merovale Yarnspin начал генерировать твиты сам")});
    // The first timed tweet enables the options button again; the compose button stays off.
    QTRY_VERIFY(find<ImageButton>("PngBitBtn1")->isEnabled());
    QVERIFY(!find<ImageButton>("Button1")->isEnabled());
    QTest::mouseClick(find<HoverLinkLabel>("Label5"), Qt::LeftButton);
    QVERIFY(!find<QTimer>("Timer1")->isActive());
    QVERIFY(!find<HoverLinkLabel>("Label5")->isVisible());
    QVERIFY(find<ImageButton>("Button1")->isEnabled());
    QCOMPARE(m_notices.size(), 1);
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
    QCOMPARE(window().favourites().lines(), (QStringList{tweet + QStringLiteral("\r\n"), QString()}));
}

void MainWindowTest::closeWritesListsAndKeepsWindowOnFailure()
{
    start();
    QDir(m_folder->path(QStringLiteral("Lists"))).removeRecursively();
    m_folder->shown().clear();
    window().close();
    QVERIFY(window().isVisible());
    QCOMPARE(m_folder->shown().size(), 2);
    QVERIFY2(m_folder->shown().first().text.startsWith(QStringLiteral("Cannot create file \"")),
             qPrintable(m_folder->shown().first().text));
    QCOMPARE(m_folder->shown()[1].kind, MessageBoxes::Kind::Question);
    // Once the folder is back, closing again writes every list and the favourites.
    QDir(m_folder->path(QString())).mkpath(QStringLiteral("Lists"));
    window().close();
    QVERIFY(!window().isVisible());
    QCOMPARE(m_folder->read(QStringLiteral("Lists/names.txt")), QByteArray("kotofeich\r\n"));
    QVERIFY(QFile::exists(m_folder->path(QStringLiteral("Lists/favourite.txt"))));
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
    const QString folder = m_folder->path(QString());
    m_folder->writeList(QStringLiteral("places.txt"), "\xed\xe0 \xe1\xee\xeb\xee\xf2\xe5.");
    const auto everyone = QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadOther
                          | QFileDevice::WriteOther;
    QVERIFY(OrdinaryUser::openToEveryone(folder));
    QVERIFY(OrdinaryUser::openToEveryone(m_folder->path(QStringLiteral("Lists"))));
    QVERIFY(QFile::setPermissions(m_folder->path(QStringLiteral("Lists/thenames.txt")), everyone));
    QVERIFY(QFile::setPermissions(m_folder->path(QStringLiteral("Lists/names.txt")),
                                  QFileDevice::ReadOwner | QFileDevice::ReadOther));
    const QString failure = OrdinaryUser::verify("unwritableListsNeverTrapTheUser", folder, folder,
                                                 [&] { closeWithUnwritableLists(folder); });
    QVERIFY2(failure.isEmpty(), qPrintable(failure));
}

void MainWindowTest::closeWithUnwritableLists(const QString &folder)
{
    ProgramFolder::overrideForTesting(folder);
    start();
    InputBox::setAnswerForTesting([](const QString &, const QString &) { return QStringLiteral("новое"); });
    command("N415555")->trigger();
    m_folder->shown().clear();

    // No keeps the window open for a retry, as often as the user likes.
    for (int attempt = 0; attempt < 2; ++attempt) {
        window().close();
        QVERIFY(window().isVisible());
    }
    QCOMPARE(m_folder->shown().size(), 4);
    QCOMPARE(m_folder->shown()[0].kind, MessageBoxes::Kind::Error);
    QVERIFY2(m_folder->shown()[0].text.startsWith(QStringLiteral("Cannot create file \"")),
             qPrintable(m_folder->shown()[0].text));
    QVERIFY2(m_folder->shown()[0].text.contains(QStringLiteral("names.txt")), qPrintable(m_folder->shown()[0].text));
    QCOMPARE(m_folder->shown()[1].kind, MessageBoxes::Kind::Question);
    QCOMPARE(m_folder->shown()[1].caption, QStringLiteral("Merovale Yarn"));
    QCOMPARE(m_folder->shown()[1].text, QStringLiteral("Сохранить не удалось. Выйти без сохранения?"));

    // Yes ends without writing more; what was written before the failure stays.
    MessageBoxes::setQuestionAnswerForTesting(true);
    window().close();
    QVERIFY(!window().isVisible());
    QCOMPARE(m_folder->shown().size(), 6);
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
    start();
    QFile::remove(m_folder->path(QStringLiteral("Lists/names.txt")));
    // Real boxes, closed by their title bar's button as a user would.
    MessageBoxes::setInterceptorForTesting({});
    const auto closeTheBoxSoon = [] { ModalWindows::whenModalShown([](QWidget *box) { box->close(); }); };
    QStringList steps;
    QTimer::singleShot(0, &window(), [&] {
        window().tray().hideToTray();
        closeTheBoxSoon();
        command("N32")->trigger();
        steps << QStringLiteral("About box closed");
        closeTheBoxSoon();
        MessageBoxes::showMessage(QStringLiteral("Сообщение"));
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
    QCOMPARE(m_folder->read(QStringLiteral("Lists/names.txt")), QByteArray("kotofeich\r\n"));
    QVERIFY(QFile::exists(m_folder->path(QStringLiteral("Lists/favourite.txt"))));
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
    QFile::remove(m_folder->path(QStringLiteral("Lists/names.txt")));
    start();
    QVERIFY(m_notices.isEmpty());
    QCOMPARE(m_folder->shown().size(), 2);
    QCOMPARE(m_folder->shown().first().kind, MessageBoxes::Kind::Error);
    QVERIFY(m_folder->shown().first().text.startsWith(QStringLiteral("Cannot open file \"")));
    QVERIFY(m_folder->shown().first().text.contains(QStringLiteral("names.txt")));
    QCOMPARE(window().phrases().list(PhraseListId::Titles).count(), 1);
    QCOMPARE(window().phrases().list(PhraseListId::Places).count(), 0);
    // The settings dialog is still created, and read the settings file.
    QCOMPARE(m_program->settingsDialog().compositionMode(), SettingsRecord::CompositionMode::Account);
    compose();
    QCOMPARE(find<PlainJournalView>("Memo2")->text(), QStringLiteral("Как-то раз задумал @  \r\n"));
}

void MainWindowTest::everyControlKeepsItsObjectName()
{
    start();
    QSet<QString> itemNames;
    for (const CommandRow &row : commandTable()) {
        if (!row.name)
            continue;
        const QString name = QString::fromLatin1(row.name);
        // A name used twice would let findChild and grep land on the wrong item.
        QVERIFY2(!itemNames.contains(name), row.name);
        itemNames.insert(name);
        QCOMPARE(window().findChildren<QAction *>(name).size(), 1);
    }
    for (const char *name : {"Image1", "Image2", "Image3", "Image4", "Label1", "Label3", "Label4", "Label5", "Label6",
                             "Label7", "Label8", "Label9", "twiname", "Memo1", "Memo2", "XPHoverLabel1",
                             "XPHoverLabel2", "XPHoverLabel5", "XPHoverLabel6", "Button1", "PngBitBtn1", "Timer1",
                             "context", "PopupMenu1", "TextTrayIcon1"})
        QVERIFY2(window().findChild<QObject *>(QString::fromLatin1(name)), name);
    QCOMPARE(window().objectName(), QStringLiteral("Form1"));
    QCOMPARE(m_program->settingsDialog().objectName(), QStringLiteral("Form6"));
    QStringList aboutLinks;
    for (QWidget *topLevel : QApplication::topLevelWidgets()) {
        if (topLevel->objectName() == QStringLiteral("Form2")) {
            for (QObject *link : topLevel->findChildren<HoverLinkLabel *>())
                aboutLinks << link->objectName();
        }
    }
    QCOMPARE(aboutLinks, (QStringList{QStringLiteral("XPHoverLabel3"), QStringLiteral("XPHoverLabel6")}));
}

namespace {

// Settings a test sets directly, without a dialog or a file.
struct FixedSettings : SettingsRecord
{
    CompositionMode mode = CompositionMode::Account;
    bool suppressed = false;
    bool copy = false;
    bool minimizeToTray = false;

    CompositionMode compositionMode() const override { return mode; }
    QString ownAccount() const override { return {}; }
    bool noticesSuppressed() const override { return suppressed; }
    bool autoCopy() const override { return copy; }
    bool autoSaveFavourites() const override { return false; }
    bool minimizeToTrayFlag() const override { return minimizeToTray; }
};

} // namespace

void MainWindowTest::readsTheSettingsThroughTheRecord()
{
    MainWindow window;
    m_notices.clear();
    // Not yet attached: nothing is composed.
    window.composeTweet();
    QVERIFY(control<PlainJournalView>(&window, "Memo1")->text().isEmpty());

    FixedSettings settings;
    QDialog settingsDialog;
    QDialog aboutBox;
    FavouritesWindow favouritesWindow(window.favourites(), window.favouritesServices());
    BrowserWindow browserWindow;
    window.attach({settings, settingsDialog, aboutBox, favouritesWindow, browserWindow});
    window.random() = RandomGenerator([] { return quint32(0); });
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));

    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    settings.mode = SettingsRecord::CompositionMode::PlainName;
    window.composeTweet();
    QCOMPARE(control<PlainJournalView>(&window, "Memo2")->text(),
             QStringLiteral("Как-то раз задумал Воробей погулять на болоте.\r\n"));
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    settings.mode = SettingsRecord::CompositionMode::Neither;
    window.composeTweet();
    QCOMPARE(control<PlainJournalView>(&window, "Memo1")->text().count(QStringLiteral("Воробей")), 1);

    settings.suppressed = true;
    window.startAutogeneration();
    window.stopAutogeneration();
    QVERIFY(m_notices.isEmpty());
    settings.suppressed = false;
    window.startAutogeneration();
    window.stopAutogeneration();
    QCOMPARE(m_notices.size(), 1);

    // Minimising hides to the tray only while the record's flag says so.
    window.showMinimized();
    QTest::qWait(20);
    QVERIFY(window.isVisible());
    window.showNormal();
    settings.minimizeToTray = true;
    window.showMinimized();
    QTRY_VERIFY(!window.isVisible());
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

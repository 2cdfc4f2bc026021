#include "ScratchProgramFolder.h"

#include "app/Program.h"
#include "app/TForm1.h"
#include "base/Windows1251.h"
#include "journal/PlainJournalView.h"
#include "journal/SharedPrintDialog.h"
#include "settings/TForm6.h"
#include "shell/TrayIcon.h"
#include "ui/FileDialogs.h"
#include "ui/HoverLinkLabel.h"
#include "ui/ImageButton.h"
#include "ui/InputBox.h"

#include <QAction>
#include <QCheckBox>
#include <QClipboard>
#include <QGuiApplication>
#include <QMenu>
#include <QMenuBar>
#include <QPrinter>
#include <QProcess>
#include <QRadioButton>
#include <QScreen>
#include <QTest>
#include <QTimer>

#include <memory>

namespace {

const QString tweet = QStringLiteral("Как-то раз задумал @kotofeich погулять на болоте.");

QAction *command(const char *name)
{
    return Form1->findChild<QAction *>(QString::fromLatin1(name));
}

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
    void missingListFileStillOpensTheWindow();

private:
    void start();
    void compose() { QTest::keyClick(Form1->Memo1->widget(), Qt::Key_F2); }

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
}

void MainWindowTest::start()
{
    m_program = std::make_unique<Program>();
    // The first opening ("Как-то раз задумал") is drawn whenever the clock reads 0.
    Form1->random() = RandomGenerator([] { return quint32(0); });
    Form1->show();
    Form1->activateWindow();
    QVERIFY(QTest::qWaitForWindowExposed(Form1));
}

void MainWindowTest::startsAsLaidOut()
{
    start();
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Merovale Yarnspin"));
    QCOMPARE(Form1->centralWidget()->size(), QSize(633, 463));
    const QPoint offCentre = Form1->geometry().center() - Form1->screen()->availableGeometry().center();
    // A pixel or two of rounding either way.
    QVERIFY2(offCentre.manhattanLength() <= 4, "the window starts at the centre of the screen");
    QCOMPARE(Form1->Label1->text(), QStringLiteral("Нажмите на кнопку \"Сочинить смешной твит!\""));
    QCOMPARE(Form1->Memo1->widget()->geometry(), QRect(8, 56, 617, 345));
    QVERIFY(Form1->Memo1->widget()->hasFocus());
    QVERIFY(!Form1->twiname->isVisible());
    QVERIFY(!Form1->Label5->isVisible());
    for (QWidget *control : {static_cast<QWidget *>(Form1->XPHoverLabel1), static_cast<QWidget *>(Form1->XPHoverLabel2),
                             static_cast<QWidget *>(Form1->XPHoverLabel5), static_cast<QWidget *>(Form1->XPHoverLabel6),
                             static_cast<QWidget *>(Form1->PngBitBtn1)})
        QVERIFY(!control->isEnabled());
    QVERIFY(Form1->Button1->isEnabled());
    QVERIFY(!command("vykl")->isEnabled());
    QCOMPARE(m_notices, QStringList{QStringLiteral("Merovale Yarnspin приветствует вас")});
    // First start: no favourites file yet.
    QCOMPARE(m_folder->shown().size(), 1);
    QVERIFY(m_folder->shown().first().text.startsWith(QStringLiteral("Это первый запуск программы")));
}

void MainWindowTest::menusFollowTheCommandTable()
{
    start();
    const QStringList menus = captions(Form1->menuBar()->actions());
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
    QCOMPARE(captions(Form1->context->actions()),
             (QStringList{QStringLiteral("Опубликовать в своем твиттере"),
                          QStringLiteral("Открыть твиттер героя текущего твита"), QStringLiteral("-"),
                          QStringLiteral("Скопировать все твиты"), QStringLiteral("Сохранить в виде файла..."),
                          QStringLiteral("-"), QStringLiteral("Очистить всё")}));
    QCOMPARE(captions(Form1->PopupMenu1->actions()),
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
    QCOMPARE(Form1->Memo1->text(), lines + lines);
    QCOMPARE(Form1->Memo2->text(), tweet + QStringLiteral("\r\n"));
    QCOMPARE(Form1->Label1->text(), QStringLiteral("Грустная сказка"));
    QVERIFY(Form1->twiname->isVisible());
    QCOMPARE(Form1->twiname->text(), QStringLiteral("@kotofeich"));
    QCOMPARE(Form1->twiname->toolTip(), QStringLiteral("Открыть твиттер героя этой сказки - @kotofeich"));
    QCOMPARE(Form1->heroLinkAddress(), QStringLiteral("https://twitter.com/kotofeich"));
    QVERIFY(Form1->XPHoverLabel1->isEnabled() && Form1->XPHoverLabel6->isEnabled() && Form1->PngBitBtn1->isEnabled());
}

void MainWindowTest::plainNamesHideTheHeroLinkAndKeepTheHandle()
{
    start();
    compose();
    Form6->justname->setChecked(true);
    compose();
    QVERIFY(!Form1->twiname->isVisible());
    QCOMPARE(Form1->heroHandle(), QStringLiteral("kotofeich"));
    QCOMPARE(Form1->Memo2->text(), QStringLiteral("Как-то раз задумал Воробей погулять на болоте.\r\n"));
}

void MainWindowTest::neitherModeComposesNothing()
{
    m_folder->writeSettings("[option]\r\ntwiname=0\r\njustname=0\r\n");
    start();
    compose();
    Form1->Button1->click();
    QVERIFY(Form1->Memo1->text().isEmpty());
    QVERIFY(!Form1->XPHoverLabel1->isEnabled());
    QVERIFY(!Form1->PngBitBtn1->isEnabled());
}

void MainWindowTest::autoCopyFollowsTheSetting()
{
    start();
    QGuiApplication::clipboard()->setText(QStringLiteral("before"));
    Form6->CheckBox1->setChecked(false);
    compose();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
    Form6->CheckBox1->setChecked(true);
    compose();
    QCOMPARE(QGuiApplication::clipboard()->text(), tweet + QStringLiteral("\r\n"));
}

void MainWindowTest::keyCombinationsGoThroughTheMainMenu()
{
    start();
    // F4 is carried by a disabled item at start: it swallows the key and does nothing.
    QTest::keyClick(Form1->Memo1->widget(), Qt::Key_F4);
    QVERIFY(!Form1->Timer1->isActive());

    // F2 composes whichever control has the focus.
    Form1->Button1->setFocus();
    QTest::keyClick(Form1->Button1, Qt::Key_F2);
    QCOMPARE(Form1->Memo2->text(), tweet + QStringLiteral("\r\n"));

    // Ctrl+A, Ctrl+C and Ctrl+V act on the journal from any control.
    QTest::keyClick(Form1->Button1, Qt::Key_A, Qt::ControlModifier);
    QCOMPARE(Form1->Memo1->selectedText(), Form1->Memo1->text());
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(Form1->Button1, Qt::Key_C, Qt::ControlModifier);
    QCOMPARE(QGuiApplication::clipboard()->text(), Form1->Memo1->text());
    QGuiApplication::clipboard()->setText(QStringLiteral("вставка"));
    QTest::keyClick(Form1->Button1, Qt::Key_V, Qt::ControlModifier);
    QCOMPARE(Form1->Memo1->text(), QStringLiteral("вставка"));

    // Ctrl+X cuts the selection and leaves the program running.
    QTest::keyClick(Form1->Memo1->widget(), Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(Form1->Memo1->widget(), Qt::Key_X, Qt::ControlModifier);
    QVERIFY(Form1->isVisible());
    QVERIFY(Form1->Memo1->text().isEmpty());
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("вставка"));

    // Ctrl+Q quits, writing the lists first.
    QFile::remove(m_folder->path(QStringLiteral("Lists/names.txt")));
    QTest::keyClick(Form1->Memo1->widget(), Qt::Key_Q, Qt::ControlModifier);
    QTRY_VERIFY(!Form1->isVisible());
    QCOMPARE(m_folder->read(QStringLiteral("Lists/names.txt")), QByteArray("kotofeich\r\n"));
}

void MainWindowTest::newAndClearAll()
{
    start();
    compose();
    command("clearall")->trigger();
    QVERIFY(Form1->Memo1->text().isEmpty());
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Merovale Yarnspin!"));
    QCOMPARE(Form1->Label1->text(), QStringLiteral("Ты все мои твиты стёр! Я что зря придумываю?"));
    QVERIFY(Form1->XPHoverLabel1->isEnabled());
    // "последний" still copies the last tweet from the buffer.
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(Form1->XPHoverLabel1, Qt::LeftButton);
    QCOMPARE(QGuiApplication::clipboard()->text(), tweet + QStringLiteral("\r\n"));

    QTest::keyClick(Form1->Memo1->widget(), Qt::Key_N, Qt::ControlModifier);
    QCOMPARE(Form1->Label1->text(), QStringLiteral("Ну, новый так новый:) Начнем заново!"));
    QVERIFY(!Form1->XPHoverLabel1->isEnabled());
    QVERIFY(!Form1->PngBitBtn1->isEnabled());
    QCOMPARE(Form1->Memo2->text(), tweet + QStringLiteral("\r\n"));
    // A disabled link ignores the click.
    QGuiApplication::clipboard()->clear();
    QTest::mouseClick(Form1->XPHoverLabel1, Qt::LeftButton);
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
    QTest::keyClick(Form1->Memo1->widget(), Qt::Key_O, Qt::ControlModifier);
    QCOMPARE(Form1->Memo1->text(), QStringLiteral("one\r\ntwo\r\nПривет"));
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Merovale Yarnspin [мои.yrn]"));
    QVERIFY(!Form1->XPHoverLabel1->isEnabled());

    // Composing after a text without a final line end starts a new line.
    compose();
    const QString saved = m_folder->path(QStringLiteral("saved.yrn"));
    FileDialogs::setNextResultForTesting([&](const QString &) { return saved; });
    command("N13")->trigger();
    QCOMPARE(m_folder->read(QStringLiteral("saved.yrn")),
             Windows1251::encodeOrThrow(QStringLiteral("one\r\ntwo\r\nПривет\r\n") + tweet + QStringLiteral("\r\n\r\n")));
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Merovale Yarnspin [saved.yrn]"));

    // An empty journal saves an empty file; a cancelled dialog changes nothing.
    command("N10")->trigger();
    command("N13")->trigger();
    QCOMPARE(QFileInfo(saved).size(), 0);
    FileDialogs::setNextResultForTesting([](const QString &) { return QString(); });
    command("N11")->trigger();
    QCOMPARE(Form1->windowTitle(), QStringLiteral("Merovale Yarnspin [saved.yrn]"));
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
    QTest::keyClick(Form1->Memo1->widget(), Qt::Key_P, Qt::ControlModifier);
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
    QCOMPARE(Form1->Memo1->text().count(QStringLiteral("Помогайте нам!")), 2);
    QCOMPARE(Form1->twiname->text(), QStringLiteral("@quenby"));
    QCOMPARE(Form1->heroLinkAddress(), QStringLiteral("https://twitter.com/quenby"));
    QCOMPARE(Form1->twiname->toolTip(), QStringLiteral("Открыть твиттер автора программы - @quenby"));

    command("N20")->trigger();
    QCOMPARE(Form1->twiname->text(), QStringLiteral("Скачать"));
    QVERIFY(Form1->heroHandleIsAddress());
    QVERIFY(Form1->Memo1->text().contains(QStringLiteral("Прямая ссылка на загрузку самой свежей версии программы: ")
                                          + Form1->heroLinkAddress()));
    QCOMPARE(Form1->Label1->text(), QStringLiteral("Нажмите на кнопку \"Сочинить смешной твит!\""));
    compose();
    QCOMPARE(Form1->twiname->text(), QStringLiteral("@kotofeich"));
    QCOMPARE(Form1->heroLinkAddress(), QStringLiteral("https://twitter.com/kotofeich"));
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
    QCOMPARE(Form1->phrases().list(PhraseListId::Titles).count(), 2);
    QVERIFY(m_folder->shown().isEmpty());

    answer = QString();
    command("N51")->trigger();
    answer = std::nullopt;
    command("N525454")->trigger();
    QCOMPARE(m_folder->shown().size(), 2);
    QCOMPARE(m_folder->shown()[0].text, QStringLiteral("Новое действие не было добавлено в программу."));
    QCOMPARE(m_folder->shown()[1].text, QStringLiteral("Новое место не было добавлено в программу."));

    // The new title is written at close as the file's last line.
    Form1->close();
    QVERIFY(m_folder->read(QStringLiteral("Lists/thenames.txt")).endsWith("\r\n  \r\n"));
}

void MainWindowTest::autogenerationSwitchesTheControls()
{
    start();
    m_notices.clear();
    QTest::keyClick(Form1->Memo1->widget(), Qt::Key_F3);
    QVERIFY(Form1->Timer1->isActive());
    QCOMPARE(Form1->Timer1->interval(), 50);
    QVERIFY(Form1->Label5->isVisible());
    QVERIFY(!Form1->Button1->isEnabled());
    QVERIFY(!Form1->PngBitBtn1->isEnabled());
    QVERIFY(!command("vkl")->isEnabled());
    QCOMPARE(m_notices, QStringList{QStringLiteral("Merovale Yarnspin начал генерировать твиты сам")});
    // The first timed tweet enables the options button again; the compose button stays off.
    QTRY_VERIFY(Form1->PngBitBtn1->isEnabled());
    QVERIFY(!Form1->Button1->isEnabled());
    QTest::mouseClick(Form1->Label5, Qt::LeftButton);
    QVERIFY(!Form1->Timer1->isActive());
    QVERIFY(!Form1->Label5->isVisible());
    QVERIFY(Form1->Button1->isEnabled());
    QCOMPARE(m_notices.size(), 1);
}

void MainWindowTest::optionsMenuOpensBelowTheButtonTop()
{
    start();
    compose();
    // Far enough left that the menu fits on the small offscreen screen unmoved.
    Form1->move(-250, 0);
    QTest::mouseClick(Form1->PngBitBtn1, Qt::LeftButton);
    QTRY_VERIFY(Form1->context->isVisible());
    QCOMPARE(Form1->context->pos(), Form1->centralWidget()->mapToGlobal(QPoint(590, 436)));
    Form1->context->close();
}

void MainWindowTest::linksAddToTheFavourites()
{
    start();
    compose();
    QTest::mouseClick(Form1->XPHoverLabel5, Qt::LeftButton);
    QTest::mouseClick(Form1->XPHoverLabel6, Qt::LeftButton);
    QCOMPARE(Form1->favourites().lines(), (QStringList{tweet + QStringLiteral("\r\n"), QString()}));
}

void MainWindowTest::closeWritesListsAndKeepsWindowOnFailure()
{
    start();
    QDir(m_folder->path(QStringLiteral("Lists"))).removeRecursively();
    m_folder->shown().clear();
    Form1->close();
    QVERIFY(Form1->isVisible());
    QCOMPARE(m_folder->shown().size(), 1);
    QVERIFY2(m_folder->shown().first().text.startsWith(QStringLiteral("Cannot create file \"")),
             qPrintable(m_folder->shown().first().text));
    // Once the folder is back, closing again writes every list and the favourites.
    QDir(m_folder->path(QString())).mkpath(QStringLiteral("Lists"));
    Form1->close();
    QVERIFY(!Form1->isVisible());
    QCOMPARE(m_folder->read(QStringLiteral("Lists/names.txt")), QByteArray("kotofeich\r\n"));
    QVERIFY(QFile::exists(m_folder->path(QStringLiteral("Lists/favourite.txt"))));
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
    QCOMPARE(Form1->phrases().list(PhraseListId::Titles).count(), 1);
    QCOMPARE(Form1->phrases().list(PhraseListId::Places).count(), 0);
    QVERIFY(Form6);
    compose();
    QCOMPARE(Form1->Memo2->text(), QStringLiteral("Как-то раз задумал @  \r\n"));
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"

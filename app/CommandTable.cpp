#include "app/CommandTable.h"

#include "journal/JournalView.h"
#include "shell/OutsideLinks.h"
#include "ui/MenuBuilder.h"

#include <QAction>
#include <QDialog>
#include <QMenu>
#include <QMenuBar>

namespace CommandTable {

namespace {

using Endpoint = OutsideLinks::Endpoint;

void buildFileMenu(MenuBuilder menu, MainWindow &w)
{
    menu.item("N10", QStringLiteral("Создать новый..."), Qt::CTRL | Qt::Key_N, [&w] { w.newJournal(); });
    menu.separator();
    menu.item("N11", QStringLiteral("Открыть..."), Qt::CTRL | Qt::Key_O, [&w] { w.openJournal(); });
    menu.item("N13", QStringLiteral("Сохранить как..."), Qt::CTRL | Qt::ALT | Qt::Key_S, [&w] { w.saveJournalAs(); });
    menu.separator();
    menu.item("N38", QStringLiteral("Печать текста..."), Qt::CTRL | Qt::Key_P, [&w] { w.printJournal(); });
    menu.separator();
    menu.item("N4", QStringLiteral("Свернуть в трей"), Qt::CTRL | Qt::Key_M, [&w] { w.minimizeToTray(); });
    // Quitting keeps the platform's usual keys: Ctrl+X belongs to "Вырезать",
    // so cutting never closes the program and loses the journal.
    menu.item("N5", QStringLiteral("Выйти"), Qt::CTRL | Qt::Key_Q, [&w] { w.close(); });
}

void buildTweetMenu(MenuBuilder menu, MainWindow &w, JournalView &journal)
{
    menu.item("N2", QStringLiteral("Сочинить смешной твит!"), Qt::Key_F2, [&w] { w.composeTweet(); });
    menu.separator();
    menu.item("N17", QStringLiteral("Вырезать"), Qt::CTRL | Qt::Key_X, [&journal] { journal.cut(); });
    menu.item("N15", QStringLiteral("Копировать"), Qt::CTRL | Qt::Key_C, [&journal] { journal.copy(); });
    menu.item("N16", QStringLiteral("Вставить"), Qt::CTRL | Qt::Key_V, [&journal] { journal.paste(); });
    menu.separator();
    menu.item("N377", QStringLiteral("Копировать всё"), {}, [&w] { w.copyAllTweets(); });
    menu.item("N34", QStringLiteral("Выделить всё"), Qt::CTRL | Qt::Key_A, [&journal] { journal.selectAll(); });
    menu.separator();
    menu.item("clearall", QStringLiteral("Очистить всё"), {}, [&w] { w.clearAll(); });
}

void buildAdditionsMenu(MenuBuilder menu, MainWindow &w)
{
    const auto addition = [&](const char *name, const QString &caption, const MainWindow::PhraseAddition &what) {
        menu.item(name, caption, {}, [&w, what] { w.addPhrase(what); });
    };
    addition("N415555", QStringLiteral("Название твита"),
             {PhraseListId::Titles, QStringLiteral("Новое название для твита"),
              QStringLiteral("Например, Твитёнок-мамонтёнок"),
              QStringLiteral("Новое название для твита не было добавлено в программу.")});
    addition("N41000", QStringLiteral("Новое имя героя (аккаунт)"),
             {PhraseListId::Accounts, QStringLiteral("Новое аккаунт героя"), QStringLiteral("Например, kotofeich"),
              QStringLiteral("Новое имя для героя не было добавлено в программу.")});
    addition("N528798798", QStringLiteral("Новое имя героя (простое)"),
             {PhraseListId::PlainNames, QStringLiteral("Новое имя героя"), QStringLiteral("Например, Иван Царевич"),
              QStringLiteral("Новое имя для героя не было добавлено в программу.")});
    addition("N51", QStringLiteral("Новое действие"),
             {PhraseListId::Actions, QStringLiteral("Новое действие"),
              QStringLiteral("Например, постирать кошку Котофеича"),
              QStringLiteral("Новое действие не было добавлено в программу.")});
    addition("N525454", QStringLiteral("Новое место"),
             {PhraseListId::Places, QStringLiteral("Новое место"), QStringLiteral("Например, у Бабы-Яги на автопати."),
              QStringLiteral("Новое место не было добавлено в программу.")});
}

void buildHelpMenu(MenuBuilder menu, MainWindow &w, const MainWindow::Companions &c)
{
    OutsideLinks &links = c.links;
    const auto link = [&](const char *name, const QString &caption, const QKeySequence &keys, Endpoint endpoint) {
        menu.item(name, caption, keys, [&links, endpoint] { links.open(endpoint); });
    };
    link("yarn", QStringLiteral("Лучшие твиты в официальной группе программы во \"ВКонтакте\""), Qt::Key_F1,
         Endpoint::CommunityGroup);
    link("N2354", QStringLiteral("Другие продукты Меровейл на ") + links.addresses().makerSiteName, {},
         Endpoint::MakerProducts);
    menu.separator();
    MenuBuilder internet = menu.submenu("internetMenu", QStringLiteral("Интернет"));
    internet.item("N340", QStringLiteral("Веб-сайт компании Merovale"), {},
                  [&links] { links.open(Endpoint::MakerSite); });
    internet.separator();
    internet.item("twitterquenby", QStringLiteral("Твиттер-виджет Квенби"), {},
                  [&links] { links.open(Endpoint::AuthorWidget); });
    internet.item("twimerovale", QStringLiteral("Твиттер-виджет Меровейл"), {},
                  [&links] { links.open(Endpoint::MakerWidget); });
    internet.separator();
    internet.item("blog", QStringLiteral("Блог Квенби"), {}, [&links] { links.open(Endpoint::AuthorBlog); });
    internet.separator();
    internet.item("N19", QStringLiteral("Письмо в службу поддержки"), {},
                  [&links] { links.open(Endpoint::SupportMail); });
    internet.item("N20", QStringLiteral("Рассказать другу"), {}, [&w] { w.tellAFriend(); });
    link("Facebook1", QStringLiteral("Добавляйтесь в друзья на Facebook!"), {}, Endpoint::AuthorFacebook);
    menu.separator();
    menu.item("N40", QStringLiteral("Помогите нашему проекту!.."), {}, [&w] { w.helpTheProject(); });
    menu.item("N12", QStringLiteral("О программе..."), Qt::CTRL | Qt::Key_F1, [&c] { c.aboutBox.exec(); });
}

} // namespace

Menus build(MainWindow &window, QMenuBar *bar, JournalView &journal, const MainWindow::Companions &companions,
            Interaction &interaction)
{
    MainWindow &w = window;
    const MainWindow::Companions &c = companions;
    Menus menus{};
    MenuBuilder menuBar(interaction, bar);

    buildFileMenu(menuBar.submenu("fileMenu", QStringLiteral("Файл")), w);
    buildTweetMenu(menuBar.submenu("tweetMenu", QStringLiteral("Твит")), w, journal);

    MenuBuilder service = menuBar.submenu("serviceMenu", QStringLiteral("Сервис"));
    buildAdditionsMenu(service.submenu("additionsMenu", QStringLiteral("Добавить в базу твитов")), w);
    service.separator();
    service.item("N43", QStringLiteral("Избранное"), Qt::Key_F7, [&w] { w.showFavourites(); });
    service.separator();
    MenuBuilder autogeneration = service.submenu("autogenerationMenu", QStringLiteral("Автогенерация твитов"));
    menus.startAutogeneration = autogeneration.item("vkl", QStringLiteral("Включить автогенерацию"), Qt::Key_F3,
                                                    [&w] { w.startAutogeneration(); });
    menus.stopAutogeneration = autogeneration.item("vykl", QStringLiteral("Выключить автогенерацию"), Qt::Key_F4,
                                                   [&w] { w.stopAutogeneration(); });
    service.item("ghfghf", QStringLiteral("Опции..."), Qt::Key_F5, [&c] { c.settingsDialog.exec(); });

    buildHelpMenu(menuBar.submenu("helpMenu", QStringLiteral("Справка")), w, c);

    menus.options = new QMenu(&window);
    menus.options->setObjectName(QStringLiteral("context"));
    MenuBuilder options(interaction, menus.options);
    OutsideLinks &links = c.links;
    options.item("N25", QStringLiteral("Опубликовать в своем твиттере"), {},
                 [&links] { links.open(Endpoint::OwnProfile); });
    options.item("N50", QStringLiteral("Открыть твиттер героя текущего твита"), {},
                 [&links] { links.open(Endpoint::HeroProfile); });
    options.separator();
    options.item("N48", QStringLiteral("Скопировать все твиты"), {}, [&w] { w.copyAllTweets(); });
    options.item("N49", QStringLiteral("Сохранить в виде файла..."), {}, [&w] { w.saveJournalAs(); });
    options.separator();
    options.item("N52", QStringLiteral("Очистить всё"), {}, [&w] { w.clearAll(); });

    menus.tray = new QMenu(&window);
    menus.tray->setObjectName(QStringLiteral("PopupMenu1"));
    MenuBuilder tray(interaction, menus.tray);
    tray.item("N30", QStringLiteral("Показать окно"), {}, [&w] { w.restoreFromTray(); });
    tray.separator();
    MenuBuilder trayAutogeneration = tray.submenu("N7", QStringLiteral("Автогенерация твитов"));
    trayAutogeneration.item("N27", QStringLiteral("Включена"), {}, [&w] { w.startAutogeneration(); });
    trayAutogeneration.item("N28", QStringLiteral("Выключена"), {}, [&w] { w.stopAutogeneration(); });
    tray.separator();
    tray.item("N32", QStringLiteral("О программе..."), {}, [&c] { c.aboutBox.exec(); });
    tray.item("N33", QStringLiteral("Выход"), {}, [&w] { w.close(); });
    return menus;
}

} // namespace CommandTable

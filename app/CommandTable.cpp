#include "app/CommandTable.h"

#include "app/MainWindow.h"
#include "base/OutsideAddresses.h"
#include "compose/PhraseAddition.h"

namespace {

QKeySequence keys(QKeyCombination combination)
{
    return QKeySequence(combination);
}

} // namespace

const std::vector<CommandRow> &commandTable()
{
    using W = MainWindow;
    const auto &additions = phraseAdditionCommands();
    static const std::vector<CommandRow> table{
        {"bar", "fileMenu", QStringLiteral("Файл"), {}, nullptr},
        {"fileMenu", "N10", QStringLiteral("Создать новый..."), keys(Qt::CTRL | Qt::Key_N), &W::newJournal},
        {"fileMenu", nullptr, {}, {}, nullptr},
        {"fileMenu", "N11", QStringLiteral("Открыть..."), keys(Qt::CTRL | Qt::Key_O), &W::openJournal},
        {"fileMenu", "N13", QStringLiteral("Сохранить как..."), keys(Qt::CTRL | Qt::ALT | Qt::Key_S),
         &W::saveJournalAs},
        {"fileMenu", nullptr, {}, {}, nullptr},
        {"fileMenu", "N38", QStringLiteral("Печать текста..."), keys(Qt::CTRL | Qt::Key_P), &W::printJournal},
        {"fileMenu", nullptr, {}, {}, nullptr},
        {"fileMenu", "N4", QStringLiteral("Свернуть в трей"), keys(Qt::CTRL | Qt::Key_M), &W::minimizeToTray},
        // Quitting keeps the platform's usual keys: Ctrl+X belongs to "Вырезать",
        // so cutting never closes the program and loses the journal.
        {"fileMenu", "N5", QStringLiteral("Выйти"), keys(Qt::CTRL | Qt::Key_Q), &W::quit},

        {"bar", "tweetMenu", QStringLiteral("Твит"), {}, nullptr},
        {"tweetMenu", "N2", QStringLiteral("Сочинить смешной твит!"), keys(Qt::Key_F2), &W::composeTweet},
        {"tweetMenu", nullptr, {}, {}, nullptr},
        {"tweetMenu", "N17", QStringLiteral("Вырезать"), keys(Qt::CTRL | Qt::Key_X), &W::cutJournal},
        {"tweetMenu", "N15", QStringLiteral("Копировать"), keys(Qt::CTRL | Qt::Key_C), &W::copyJournal},
        {"tweetMenu", "N16", QStringLiteral("Вставить"), keys(Qt::CTRL | Qt::Key_V), &W::pasteJournal},
        {"tweetMenu", nullptr, {}, {}, nullptr},
        {"tweetMenu", "N377", QStringLiteral("Копировать всё"), {}, &W::copyAllTweets},
        {"tweetMenu", "N34", QStringLiteral("Выделить всё"), keys(Qt::CTRL | Qt::Key_A), &W::selectAllJournal},
        {"tweetMenu", nullptr, {}, {}, nullptr},
        {"tweetMenu", "clearall", QStringLiteral("Очистить всё"), {}, &W::clearAll},

        {"bar", "serviceMenu", QStringLiteral("Сервис"), {}, nullptr},
        {"serviceMenu", "additionsMenu", QStringLiteral("Добавить в базу твитов"), {}, nullptr},
        {"additionsMenu", "N415555", additions[0].menuCaption, {}, &W::addTitle},
        {"additionsMenu", "N41000", additions[1].menuCaption, {}, &W::addAccount},
        {"additionsMenu", "N528798798", additions[2].menuCaption, {}, &W::addPlainName},
        {"additionsMenu", "N51", additions[3].menuCaption, {}, &W::addAction},
        {"additionsMenu", "N525454", additions[4].menuCaption, {}, &W::addPlace},
        {"serviceMenu", nullptr, {}, {}, nullptr},
        {"serviceMenu", "N43", QStringLiteral("Избранное"), keys(Qt::Key_F7), &W::showFavourites},
        {"serviceMenu", nullptr, {}, {}, nullptr},
        {"serviceMenu", "autogenerationMenu", QStringLiteral("Автогенерация твитов"), {}, nullptr},
        {"autogenerationMenu", "vkl", QStringLiteral("Включить автогенерацию"), keys(Qt::Key_F3),
         &W::startAutogeneration},
        {"autogenerationMenu", "vykl", QStringLiteral("Выключить автогенерацию"), keys(Qt::Key_F4),
         &W::stopAutogeneration},
        {"serviceMenu", "ghfghf", QStringLiteral("Опции..."), keys(Qt::Key_F5), &W::showOptions},

        {"bar", "helpMenu", QStringLiteral("Справка"), {}, nullptr},
        {"helpMenu", "yarn", QStringLiteral("Лучшие твиты в официальной группе программы во \"ВКонтакте\""),
         keys(Qt::Key_F1), &W::openCommunityGroup},
        {"helpMenu", "N2354", QStringLiteral("Другие продукты Меровейл на ") + OutsideAddresses::makerSiteName(), {},
         &W::openMakerProducts},
        {"helpMenu", nullptr, {}, {}, nullptr},
        {"helpMenu", "internetMenu", QStringLiteral("Интернет"), {}, nullptr},
        {"internetMenu", "N340", QStringLiteral("Веб-сайт компании Merovale"), {}, &W::openMakerSite},
        {"internetMenu", nullptr, {}, {}, nullptr},
        {"internetMenu", "twitterquenby", QStringLiteral("Твиттер-виджет Квенби"), {}, &W::openAuthorWidget},
        {"internetMenu", "twimerovale", QStringLiteral("Твиттер-виджет Меровейл"), {}, &W::openMakerWidget},
        {"internetMenu", nullptr, {}, {}, nullptr},
        {"internetMenu", "blog", QStringLiteral("Блог Квенби"), {}, &W::openAuthorBlog},
        {"internetMenu", nullptr, {}, {}, nullptr},
        {"internetMenu", "N19", QStringLiteral("Письмо в службу поддержки"), {}, &W::writeToSupport},
        {"internetMenu", "N20", QStringLiteral("Рассказать другу"), {}, &W::tellAFriend},
        {"helpMenu", "Facebook1", QStringLiteral("Добавляйтесь в друзья на Facebook!"), {}, &W::openAuthorFacebook},
        {"helpMenu", nullptr, {}, {}, nullptr},
        {"helpMenu", "N40", QStringLiteral("Помогите нашему проекту!.."), {}, &W::helpTheProject},
        {"helpMenu", "N12", QStringLiteral("О программе..."), keys(Qt::CTRL | Qt::Key_F1), &W::showAbout},

        {"context", "N25", QStringLiteral("Опубликовать в своем твиттере"), {}, &W::publishToOwnAccount},
        {"context", "N50", QStringLiteral("Открыть твиттер героя текущего твита"), {}, &W::openHeroProfile},
        {"context", nullptr, {}, {}, nullptr},
        {"context", "N48", QStringLiteral("Скопировать все твиты"), {}, &W::copyAllTweets},
        {"context", "N49", QStringLiteral("Сохранить в виде файла..."), {}, &W::saveJournalAs},
        {"context", nullptr, {}, {}, nullptr},
        {"context", "N52", QStringLiteral("Очистить всё"), {}, &W::clearAll},

        {"PopupMenu1", "N30", QStringLiteral("Показать окно"), {}, &W::restoreFromTray},
        {"PopupMenu1", nullptr, {}, {}, nullptr},
        {"PopupMenu1", "N7", QStringLiteral("Автогенерация твитов"), {}, nullptr},
        {"N7", "N27", QStringLiteral("Включена"), {}, &W::startAutogeneration},
        {"N7", "N28", QStringLiteral("Выключена"), {}, &W::stopAutogeneration},
        {"PopupMenu1", nullptr, {}, {}, nullptr},
        {"PopupMenu1", "N32", QStringLiteral("О программе..."), {}, &W::showAbout},
        {"PopupMenu1", "N33", QStringLiteral("Выход"), {}, &W::quit},
    };
    return table;
}

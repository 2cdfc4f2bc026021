#include "compose/PhraseAddition.h"

#include "base/Windows1251.h"

const std::array<PhraseAdditionCommand, 5> &phraseAdditionCommands()
{
    static const std::array<PhraseAdditionCommand, 5> commands{{
        {QStringLiteral("Название твита"), QStringLiteral("Новое название для твита"),
         QStringLiteral("Например, Твитёнок-мамонтёнок"), PhraseListId::Titles,
         QStringLiteral("Новое название для твита не было добавлено в программу.")},
        {QStringLiteral("Новое имя героя (аккаунт)"), QStringLiteral("Новое аккаунт героя"),
         QStringLiteral("Например, kotofeich"), PhraseListId::Accounts,
         QStringLiteral("Новое имя для героя не было добавлено в программу.")},
        {QStringLiteral("Новое имя героя (простое)"), QStringLiteral("Новое имя героя"),
         QStringLiteral("Например, Иван Царевич"), PhraseListId::PlainNames,
         QStringLiteral("Новое имя для героя не было добавлено в программу.")},
        {QStringLiteral("Новое действие"), QStringLiteral("Новое действие"),
         QStringLiteral("Например, постирать кошку Котофеича"), PhraseListId::Actions,
         QStringLiteral("Новое действие не было добавлено в программу.")},
        {QStringLiteral("Новое место"), QStringLiteral("Новое место"),
         QStringLiteral("Например, у Бабы-Яги на автопати."), PhraseListId::Places,
         QStringLiteral("Новое место не было добавлено в программу.")},
    }};
    return commands;
}

bool addTypedPhrase(PhraseList &list, const QString &typed)
{
    if (typed.isEmpty())
        return false;
    list.append(Windows1251::encodeOrThrow(typed));
    return true;
}

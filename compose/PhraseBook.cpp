#include "compose/PhraseBook.h"

#include "base/Windows1251.h"

#include <QFileInfo>

namespace {

constexpr PhraseListId loadOrder[] = {PhraseListId::Titles, PhraseListId::Accounts, PhraseListId::PlainNames,
                                      PhraseListId::Actions, PhraseListId::Places};
constexpr std::array<PhraseListId, 5> saveOrder{PhraseListId::Titles, PhraseListId::Accounts, PhraseListId::Actions,
                                                PhraseListId::Places, PhraseListId::PlainNames};

QByteArrayList builtInOpenings()
{
    static const char16_t *const openings[] = {
        u"Как-то раз задумал",
        u"Однажды затаил надежду",
        u"Наметился как-то",
        u"И такое бывает: надоумился",
        u"Надумался как-то",
        u"История: подумал как-то раз",
        u"Одной прекрасной летней ночью замыслил",
        u"Одной сумасшедней летней ночью задумал",
        u"Одной ужасной осенней ночью помыслил",
        u"Вроде бы задумал однажды",
        u"Однажды случилось у",
        u"Было дело: замыслил",
        u"Было дело: подумал однажды",
        u"Было дело: наметился как-то раз",
        u"Было делишко: решился-таки",
        u"Было делишечко: придумал",
    };
    QByteArrayList entries;
    for (const char16_t *opening : openings)
        entries.append(Windows1251::encodeOrThrow(QString::fromUtf16(opening)));
    return entries;
}

} // namespace

PhraseBook::PhraseBook()
{
    list(PhraseListId::Openings) = PhraseList(builtInOpenings());
}

QString PhraseBook::filePath(const ProgramFolder &folder, PhraseListId id)
{
    switch (id) {
    case PhraseListId::Titles:
        return folder.path(QStringLiteral("/Lists/thenames.txt"));
    case PhraseListId::Accounts:
        return folder.path(QStringLiteral("/Lists/names.txt"));
    case PhraseListId::PlainNames:
        return folder.path(QStringLiteral("/Lists/justnames.txt"));
    case PhraseListId::Actions:
        return folder.path(QStringLiteral("/Lists/actions.txt"));
    case PhraseListId::Places:
        return folder.path(QStringLiteral("/Lists/places.txt"));
    case PhraseListId::Openings:
        break;
    }
    return {};
}

void PhraseBook::loadAll(const ProgramFolder &folder)
{
    for (PhraseListId id : loadOrder) {
        list(id).clear();
        m_read[index(id)] = false;
    }
    for (PhraseListId id : loadOrder) {
        list(id).load(filePath(folder, id));
        m_read[index(id)] = true;
    }
}

const std::array<PhraseListId, 5> &PhraseBook::listsInSaveOrder()
{
    return saveOrder;
}

bool PhraseBook::keepsItsFile(const ProgramFolder &folder, PhraseListId id) const
{
    return !m_read[index(id)] && QFileInfo::exists(filePath(folder, id));
}

void PhraseBook::saveAll(const ProgramFolder &folder) const
{
    for (PhraseListId id : saveOrder) {
        if (!keepsItsFile(folder, id))
            list(id).save(filePath(folder, id));
    }
}

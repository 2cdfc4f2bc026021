#pragma once

#include "base/ProgramFolder.h"
#include "compose/PhraseList.h"

#include <array>

enum class PhraseListId { Titles, Openings, Accounts, PlainNames, Actions, Places };

// The six phrase lists a tweet is made from. Five live in files under the
// program folder's Lists/; the openings are built in and never loaded or saved.
class PhraseBook
{
public:
    PhraseBook();

    PhraseList &list(PhraseListId id) { return m_lists[index(id)]; }
    const PhraseList &list(PhraseListId id) const { return m_lists[index(id)]; }

    // The file a list lives in; empty for the openings.
    static QString filePath(const ProgramFolder &folder, PhraseListId id);

    // Empties the five file lists, then loads them in order. Stops with the
    // open error at the first file that fails: the lists after it stay empty.
    void loadAll(const ProgramFolder &folder);

    // Saves the five file lists in the save order. Stops with the create error
    // at the first file that fails. A list whose existing file was never read
    // this run is not written over: its file is still the whole truth.
    void saveAll(const ProgramFolder &folder) const;

    // The five file lists in the order they are saved.
    static const std::array<PhraseListId, 5> &listsInSaveOrder();
    // Whether saving leaves the list's file alone: it exists but was never read.
    bool keepsItsFile(const ProgramFolder &folder, PhraseListId id) const;

private:
    static constexpr std::size_t index(PhraseListId id) { return static_cast<std::size_t>(id); }

    std::array<PhraseList, 6> m_lists;
    std::array<bool, 6> m_read{};
};

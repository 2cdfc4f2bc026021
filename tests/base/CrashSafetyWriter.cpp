// Saves the five phrase lists of a program folder as the program's close does
// (PhraseBook::saveAll over FileIO), after making each a few megabytes longer.
// It prints "ready" just before the save, so that a test can kill it part-way.
#include "base/AppError.h"
#include "base/ProgramFolder.h"
#include "compose/PhraseBook.h"

#include <QByteArray>
#include <QString>

#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fputs("usage: crash_safety_writer <program folder>\n", stderr);
        return 2;
    }
    const ProgramFolder folder(QString::fromLocal8Bit(argv[1]));
    PhraseBook book;
    try {
        book.loadAll(folder);
        for (const PhraseListId id : {PhraseListId::Titles, PhraseListId::Accounts, PhraseListId::PlainNames,
                                      PhraseListId::Actions, PhraseListId::Places}) {
            for (int i = 0; i < 150000; ++i) // "новая фраза <i>": about 3 MB a list
                book.list(id).append("\xed\xee\xe2\xe0\xff \xf4\xf0\xe0\xe7\xe0 " + QByteArray::number(i));
        }
        std::puts("ready");
        std::fflush(stdout);
        book.saveAll(folder);
    } catch (const AppError &error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
    return 0;
}

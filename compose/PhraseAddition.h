#pragma once

#include "compose/PhraseBook.h"

#include <QString>

#include <array>

// One of the commands that add a typed phrase to a list.
struct PhraseAdditionCommand
{
    QString menuCaption;
    QString boxCaption;
    QString prompt;
    PhraseListId list;
    QString nothingAddedMessage;
};

// The five addition commands, in menu order.
const std::array<PhraseAdditionCommand, 5> &phraseAdditionCommands();

// Appends the typed text as it stands; returns false for an empty text, which
// adds nothing. Text the lists' code page cannot hold throws AppError.
bool addTypedPhrase(PhraseList &list, const QString &typed);

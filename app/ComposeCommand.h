#pragma once

#include "app/CommandLine.h"

#include <cstdio>

class ProgramFolder;

// yarnspin --compose: tweets from the program folder's lists, by the same
// composer and generator as the main window, printed one a line. It
// opens no window, needs no display and leaves the single-copy guard alone,
// so it may run beside an open window.
class ComposeCommand
{
public:
    explicit ComposeCommand(CommandLine::Composition composition);

    // Prints the tweets to out and what went wrong to errors; returns the
    // exit status: 1 when a list cannot be read or no mode is chosen.
    int run(const ProgramFolder &folder, std::FILE *out, std::FILE *errors) const;

private:
    CommandLine::Composition m_composition;
};

#pragma once

#include <QString>

// Every file the program reads or writes lives beside its executable.
namespace ProgramFolder {

// The executable's folder, ending with a separator.
QString directory();

// The folder followed by a suffix such as "/Lists/names.txt", with the
// doubled separator folded.
QString path(const QString &suffix);

// Tests point the program at a scratch folder; empty restores the real one.
void overrideForTesting(const QString &directory);

} // namespace ProgramFolder

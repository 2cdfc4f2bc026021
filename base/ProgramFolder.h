#pragma once

#include <QString>

// The folder every file the program reads or writes lives in: the
// executable's own, or the user's own one that DataFolder chose at start-up.
namespace ProgramFolder {

// That folder, ending with a separator; the executable's until start-up names another.
QString directory();

// The folder followed by a suffix such as "/Lists/names.txt", with the
// doubled separator folded.
QString path(const QString &suffix);

// Start-up names the folder DataFolder chose.
void use(const QString &folder);

// Tests point the program at a scratch folder; empty restores the real one.
void overrideForTesting(const QString &directory);

} // namespace ProgramFolder

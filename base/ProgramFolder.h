#pragma once

#include <QString>

// The folder every file the program reads and writes lives in: the phrase
// lists and the favourites in Lists/, the settings in "Config files/". It is
// the executable's own or the user's own one, as DataFolder chooses at start.
class ProgramFolder
{
public:
    // The directory is kept with a trailing separator.
    explicit ProgramFolder(const QString &directory);

    // Ends with a separator.
    const QString &directory() const { return m_directory; }

    // The folder followed by a suffix such as "/Lists/names.txt", with the
    // doubled separator folded.
    QString path(const QString &suffix) const;

    // A short name for the folder, the same for every path that leads to it,
    // for the things kept elsewhere on its behalf.
    QString key() const;

private:
    QString m_directory;
};

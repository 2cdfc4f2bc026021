#pragma once

#include <QByteArray>
#include <QString>

// The folder every file the program reads and writes lives in: the phrase
// lists and the favourites in Lists/, the settings in "Config files/". It is
// the executable's own or the user's own one, as DataFolder chooses at start.
class ProgramFolder
{
public:
    // The directory is kept with a trailing separator.
    explicit ProgramFolder(const QString &directory);

    // The executable's folder as text, from the bytes the system names it by
    // (platform::executableFolder()). Throws AppError, naming the folder as
    // best it can, when they are not text: no file in it could be named, and
    // the program must not work anywhere else instead.
    static QString executableDirectory(const QByteArray &native);

    // Ends with a separator.
    const QString &directory() const { return m_directory; }

    // The folder followed by a suffix such as "/Lists/names.txt", as messages
    // name the file: ".../bin//Lists/names.txt". The doubled separator is
    // kept; the file system reads it as one.
    QString path(const QString &suffix) const;

    // A short name for the folder, the same for every path that leads to it,
    // for the things kept elsewhere on its behalf.
    QString key() const;

private:
    QString m_directory;
};

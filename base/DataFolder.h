#pragma once

#include <QString>

// The folder the phrase lists, the favourites and the settings live in, with
// the same layout wherever it is: Lists/ and "Config files/".
//
// A copy that is not installed (the build's bin/, a copied program folder)
// keeps them beside its executable, as long as the user can write there.
// An installed copy never writes beside its executable, whoever runs it:
// `cmake --install` and the package put a marker file there (markerName()),
// and each user then gets a folder of their own under the user data home
// ($XDG_DATA_HOME/yarnspin/, by default ~/.local/share/yarnspin/). A copy
// that is not installed but cannot write its own folder uses that one too.
class DataFolder
{
public:
    // programFolder: the executable's folder; userDataHome: where users' own
    // program data lives (platform::userDataHome()).
    DataFolder(const QString &programFolder, const QString &userDataHome);

    // The marker the install puts beside the executable (data/desktop/CMakeLists.txt).
    static QString markerName();

    bool installed() const { return m_installed; }
    bool perUser() const { return m_perUser; }

    // The folder chosen, ending with a separator.
    QString path() const;

    // Makes the per-user folder ready when it is the one chosen; leaves
    // everything alone otherwise. Creates it with Lists/ and "Config files/"
    // on first use. An installed copy's first start carries over what an
    // earlier install into the user's own prefix kept beside the executable:
    // its favourites and settings (its lists come with the next step). Then
    // every list the folder lacks, or holds empty, is copied from the program
    // folder's Lists/ (the shipped ones); a list with content is never
    // replaced, so a later version's lists leave the user's alone.
    // Throws AppError when a file cannot be read or written.
    void prepare() const;

private:
    void create() const;
    void seedLists() const;

    QString m_programFolder;
    QString m_perUserFolder;
    bool m_installed = false;
    bool m_perUser = false;
};

#pragma once

#include "compose/TweetComposer.h"

#include <QString>
#include <QStringList>

#include <optional>

// The program's own options, read before any application object exists, so
// that --help, --version and --compose answer on a terminal without a display.
class CommandLine
{
public:
    enum class Encoding { Utf8, Windows1251 };

    // --compose N and what goes with it.
    struct Composition
    {
        quint64 count = 0;
        // --seed: the generator starts there and is never re-seeded.
        std::optional<quint32> seed;
        // --mode; otherwise the settings file's.
        std::optional<CompositionMode> mode;
        // --title: each tweet's tale title before it, tab-separated.
        bool withTitles = false;
        Encoding encoding = Encoding::Utf8;
    };

    // The arguments after the program's name.
    explicit CommandLine(const QStringList &arguments);

    // No arguments but Qt's own: the program starts its windows.
    bool startsProgram() const { return m_startsProgram; }
    // Tweets to print instead of starting the windows.
    const std::optional<Composition> &composition() const { return m_composition; }
    // The window system named with -platform, if one was.
    const QString &platformName() const { return m_platformName; }

    // For a command line that neither starts the program nor composes:
    // prints what goes to the terminal and returns the exit status.
    int answer() const;

    // Says on the terminal that the program needs a graphical desktop; returns
    // the exit status.
    static int noDisplay();

private:
    void read(const QStringList &arguments);
    void refuse(const QString &reason);
    static QString versionText();
    static QString usage();

    bool m_startsProgram = false;
    std::optional<Composition> m_composition;
    QString m_platformName;
    QString m_standardOutput;
    QString m_standardError;
    int m_exitStatus = 0;
};

#pragma once

#include <QString>
#include <QStringList>

// The program's own options, read before any application object exists, so
// that --help and --version answer on a terminal without a display.
class CommandLine
{
public:
    // The arguments after the program's name.
    explicit CommandLine(const QStringList &arguments);

    // No arguments but Qt's own: the program starts its windows.
    bool startsProgram() const { return m_startsProgram; }
    // The window system named with -platform, if one was.
    const QString &platformName() const { return m_platformName; }

    // For a command line that does not start the program: prints what goes to
    // the terminal and returns the exit status.
    int answer() const;

    // Says on the terminal that the program needs a graphical desktop; returns
    // the exit status.
    static int noDisplay();

private:
    static QString versionText();
    static QString usage();

    bool m_startsProgram = false;
    QString m_platformName;
    QString m_standardOutput;
    QString m_standardError;
    int m_exitStatus = 0;
};

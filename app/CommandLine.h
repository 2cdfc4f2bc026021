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

    // No arguments: the program starts its windows.
    bool startsProgram() const { return m_startsProgram; }

    // For a command line that does not start the program: what goes to the
    // terminal and the exit status.
    QString standardOutput() const { return m_standardOutput; }
    QString standardError() const { return m_standardError; }
    int exitStatus() const { return m_exitStatus; }

    // Prints the answer and returns the exit status.
    int answer() const;

    static QString versionText();
    static QString usage();

private:
    bool m_startsProgram = false;
    QString m_standardOutput;
    QString m_standardError;
    int m_exitStatus = 0;
};

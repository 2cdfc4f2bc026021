#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The open and save dialogs of the program. Name filters are given as
// "Description (*.ext)"; an empty result means the user cancelled.
class FileDialogs
{
public:
    FileDialogs() = delete;

    static QString openFile(QWidget *parent, const QString &title, const QStringList &nameFilters);

    // Adds the default suffix to a name typed without one and asks before
    // replacing an existing file.
    static QString saveFile(QWidget *parent, const QString &title, const QStringList &nameFilters,
                            const QString &defaultSuffix, const QString &initialPath = QString());

private:
    static QString choose(QWidget *parent, const QString &title, const QStringList &nameFilters,
                          bool saving, const QString &defaultSuffix, const QString &startPath);
};

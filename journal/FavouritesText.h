#pragma once

#include "ui/LineDocument.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

// The favourites text and its file. The lines live in a LineDocument that the
// favourites window's editor shows and edits, so the text has one home.
//
// The file's rules: CR LF, CR or LF ends a line; a final line end leaves an
// empty last line; the line-end style met while reading (only CR, only LF,
// else CR LF; CR LF before any read) is used to write every line end but the
// last, and bytes inside a line, its own CR LF included, are written as they
// are. A file with uniform line ends is written back byte for byte.
class FavouritesText
{
public:
    enum class LineEnd { CrLf, Cr, Lf };
    // What became of reading the favourites file at start.
    enum class LoadState { NotRead, Loaded, Absent, Unreadable };

    FavouritesText() = default;
    FavouritesText(const FavouritesText &) = delete;
    FavouritesText &operator=(const FavouritesText &) = delete;

    LineDocument &document() { return m_document; }
    QStringList lines() const { return m_document.lines(); }
    LineEnd lineEnd() const { return m_lineEnd; }

    // Appending is one undo step of the editor; the window is not shown.
    void appendLine(const QString &line);

    // Throws the open error and leaves the text and its style as they were.
    void load(const QString &path);
    // Throws the create error; the old file survives a failed write.
    void save(const QString &path) const;

    // Reads the favourites file without throwing. A file that is missing is
    // Absent (the first start); one that exists but cannot be read is
    // Unreadable, with its error kept in loadError().
    LoadState loadFavouritesFile(const QString &path);
    const QString &loadError() const { return m_loadError; }
    // Writes the favourites file unless it could not be read at start, when
    // writing would replace the user's favourites with this run's: then it
    // returns false and leaves the file alone. Throws the create error.
    bool writeFavouritesFile(const QString &path) const;

    void read(const QByteArray &bytes);
    QByteArray serialize() const;

private:
    LineDocument m_document;
    LineEnd m_lineEnd = LineEnd::CrLf;
    LoadState m_loadState = LoadState::NotRead;
    QString m_loadError;
};

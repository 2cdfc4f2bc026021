#pragma once

#include <QString>
#include <QStringList>

// The favourites text: a list of lines that may themselves hold CR LF, with
// the line-end style of the file it was read from, so that a file read and
// written back without edits stays byte for byte the same.
class FavouritesText
{
public:
    enum class LineEnd { CrLf, Cr, Lf };

    static QString filePath();

    const QStringList &lines() const { return m_lines; }
    LineEnd lineEnd() const { return m_lineEnd; }

    void appendLine(const QString &line);
    void setLines(const QStringList &lines);

    // Throws the open error and leaves the text as it was.
    void load(const QString &path);
    // Throws the create error; the old file survives a failed write.
    void save(const QString &path) const;

    static FavouritesText parse(const QByteArray &bytes);
    QByteArray serialize() const;

private:
    QStringList m_lines;
    LineEnd m_lineEnd = LineEnd::CrLf;
};

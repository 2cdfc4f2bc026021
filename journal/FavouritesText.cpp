#include "journal/FavouritesText.h"

#include "base/AppError.h"
#include "base/FileIO.h"
#include "base/Windows1251.h"

#include <QFileInfo>

void FavouritesText::appendLine(const QString &line)
{
    m_document.appendLine(line);
}

void FavouritesText::read(const QByteArray &bytes)
{
    const QString text = Windows1251::decode(bytes);
    QString rows;
    rows.reserve(text.size());
    bool sawCr = false;
    bool sawLf = false;
    bool sawCrLf = false;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        if (c == QLatin1Char('\r')) {
            if (i + 1 < text.size() && text[i + 1] == QLatin1Char('\n')) {
                sawCrLf = true;
                ++i;
            } else {
                sawCr = true;
            }
            rows += QLatin1Char('\n');
        } else {
            sawLf = sawLf || c == QLatin1Char('\n');
            rows += c;
        }
    }
    // Split once at the end: the document takes its rows from one plain text.
    m_document.setLines(text.isEmpty() ? QStringList() : rows.split(QLatin1Char('\n')));
    if (sawCr && !sawLf && !sawCrLf)
        m_lineEnd = LineEnd::Cr;
    else if (sawLf && !sawCr && !sawCrLf)
        m_lineEnd = LineEnd::Lf;
    else
        m_lineEnd = LineEnd::CrLf;
}

QByteArray FavouritesText::serialize() const
{
    const QString lineEnd = m_lineEnd == LineEnd::Cr   ? QStringLiteral("\r")
                            : m_lineEnd == LineEnd::Lf ? QStringLiteral("\n")
                                                       : QStringLiteral("\r\n");
    return Windows1251::encodeOrThrow(lines().join(lineEnd));
}

void FavouritesText::load(const QString &path)
{
    read(FileIO::readWholeFile(path));
}

void FavouritesText::save(const QString &path) const
{
    FileIO::writeWholeFile(path, serialize());
}

namespace {

// Absent only when the file's folder can be searched and holds no such name
// (or is itself missing): an unsearchable folder may hide the user's file. A
// link is absent when what it points to is: the first save creates that.
bool isAbsent(const QString &path, int linksFollowed = 0)
{
    const QFileInfo file(path);
    if (file.exists())
        return false;
    if (file.isSymLink())
        return linksFollowed < 32 && isAbsent(file.symLinkTarget(), linksFollowed + 1);
    const QFileInfo folder(file.absolutePath());
    return !folder.exists() || folder.isExecutable();
}

} // namespace

FavouritesText::LoadState FavouritesText::loadFavouritesFile(const QString &path)
{
    m_loadError.clear();
    try {
        load(path);
        m_loadState = LoadState::Loaded;
    } catch (const AppError &error) {
        m_loadState = isAbsent(path) ? LoadState::Absent : LoadState::Unreadable;
        if (m_loadState == LoadState::Unreadable)
            m_loadError = error.message();
    }
    return m_loadState;
}

bool FavouritesText::writeFavouritesFile(const QString &path) const
{
    if (m_loadState == LoadState::Unreadable)
        return false;
    save(path);
    return true;
}

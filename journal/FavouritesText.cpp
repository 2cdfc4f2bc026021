#include "journal/FavouritesText.h"

#include "base/FileIO.h"
#include "base/ProgramFolder.h"
#include "base/Windows1251.h"

QString FavouritesText::filePath()
{
    return ProgramFolder::path(QStringLiteral("/Lists/favourite.txt"));
}

void FavouritesText::appendLine(const QString &line)
{
    m_lines.append(line);
}

void FavouritesText::setLines(const QStringList &lines)
{
    m_lines = lines;
}

FavouritesText FavouritesText::parse(const QByteArray &bytes)
{
    FavouritesText text;
    bool sawCr = false;
    bool sawLf = false;
    bool sawCrLf = false;
    qsizetype start = 0;
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size; ++i) {
        const char c = bytes[i];
        if (c != '\r' && c != '\n')
            continue;
        text.m_lines.append(Windows1251::decode(QByteArrayView(bytes).sliced(start, i - start)));
        if (c == '\r' && i + 1 < size && bytes[i + 1] == '\n') {
            sawCrLf = true;
            ++i;
        } else if (c == '\r') {
            sawCr = true;
        } else {
            sawLf = true;
        }
        start = i + 1;
    }
    // A final line end leaves an empty last line, as the editor shows it.
    if (size > 0)
        text.m_lines.append(Windows1251::decode(QByteArrayView(bytes).sliced(start)));
    if (sawCr && !sawLf && !sawCrLf)
        text.m_lineEnd = LineEnd::Cr;
    else if (sawLf && !sawCr && !sawCrLf)
        text.m_lineEnd = LineEnd::Lf;
    return text;
}

QByteArray FavouritesText::serialize() const
{
    const QByteArray lineEnd = m_lineEnd == LineEnd::Cr ? QByteArray("\r")
                               : m_lineEnd == LineEnd::Lf ? QByteArray("\n")
                                                           : QByteArray("\r\n");
    QByteArray bytes;
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        if (i > 0)
            bytes += lineEnd;
        bytes += Windows1251::encodeOrThrow(m_lines[i]);
    }
    return bytes;
}

void FavouritesText::load(const QString &path)
{
    *this = parse(FileIO::readWholeFile(path));
}

void FavouritesText::save(const QString &path) const
{
    FileIO::writeWholeFile(path, serialize());
}

#include "compose/PhraseList.h"

#include "base/FileIO.h"

#include <cstring>

namespace {

constexpr char lineEnd[] = "\r\n";
constexpr qsizetype lineEndSize = 2;

// The first CR or LF from position on, or end. Two memchr scans beat a byte
// loop several times over on the long files a list can grow to.
const char *nextLineBreak(const char *position, const char *end)
{
    const void *const lf = std::memchr(position, '\n', size_t(end - position));
    const char *const lineEndAt = lf ? static_cast<const char *>(lf) : end;
    const void *const cr = std::memchr(position, '\r', size_t(lineEndAt - position));
    return cr ? static_cast<const char *>(cr) : lineEndAt;
}

} // namespace

PhraseList::PhraseList(const QByteArrayList &entries)
{
    for (const QByteArray &entry : entries)
        append(entry);
}

PhraseList PhraseList::fromFileBytes(const QByteArray &bytes)
{
    const char *const begin = bytes.constData();
    const void *const nul = std::memchr(begin, '\0', size_t(bytes.size()));
    const char *const end = nul ? static_cast<const char *>(nul) : begin + bytes.size();

    PhraseList list;
    // A CR LF file comes back the same size; other breaks grow it a little.
    list.m_fileBytes.reserve((end - begin) + lineEndSize);
    const char *position = begin;
    while (position < end) {
        const char *const breakAt = nextLineBreak(position, end);
        list.m_starts.push_back(list.m_fileBytes.size());
        list.m_fileBytes.append(position, breakAt - position).append(lineEnd, lineEndSize);
        position = breakAt;
        if (position < end && *position == '\r')
            ++position;
        if (position < end && *position == '\n')
            ++position;
    }
    return list;
}

QByteArray PhraseList::entry(qsizetype index) const
{
    const qsizetype start = m_starts[size_t(index)];
    const qsizetype next = size_t(index) + 1 < m_starts.size() ? m_starts[size_t(index) + 1] : m_fileBytes.size();
    return m_fileBytes.mid(start, next - start - lineEndSize);
}

QByteArrayList PhraseList::entries() const
{
    QByteArrayList all;
    all.reserve(count());
    for (qsizetype index = 0; index < count(); ++index)
        all.append(entry(index));
    return all;
}

void PhraseList::clear()
{
    m_fileBytes.clear();
    m_starts.clear();
    m_selected = -1;
}

void PhraseList::append(const QByteArray &entry)
{
    m_starts.push_back(m_fileBytes.size());
    m_fileBytes.append(entry).append(lineEnd, lineEndSize);
}

void PhraseList::select(qsizetype index)
{
    if (index == m_selected)
        return;
    m_selected = index >= 0 && index < count() ? index : -1;
}

QByteArray PhraseList::currentPhrase() const
{
    return m_selected < 0 ? QByteArray() : entry(m_selected);
}

void PhraseList::load(const QString &path)
{
    *this = fromFileBytes(FileIO::readWholeFile(path));
}

void PhraseList::save(const QString &path) const
{
    FileIO::writeWholeFile(path, m_fileBytes);
}

#include "journal/JournalStore.h"

#include "base/Windows1251.h"

#include <algorithm>
#include <limits>

namespace {

// A chunk is closed once it holds this much; edits rebuild only the chunks
// they touch, so typing costs a copy of a few tens of kilobytes at most.
constexpr qsizetype chunkBytes = 32 * 1024;
constexpr qsizetype chunkLines = 2048;
// Chunks left this small by an edit are merged into the rebuild of their neighbour.
constexpr qsizetype smallChunkBytes = chunkBytes / 4;
constexpr qsizetype smallChunkLines = chunkLines / 4;

bool isFull(qsizetype bytes, qsizetype lines)
{
    return bytes >= chunkBytes || lines >= chunkLines;
}

} // namespace

qsizetype JournalStore::Chunk::lineEnd(qsizetype i) const
{
    return i + 1 < lineCount() ? qsizetype(starts[size_t(i + 1)]) : bytes.size();
}

JournalStore::JournalStore()
{
    clear();
}

void JournalStore::clear()
{
    m_chunks.clear();
    m_chunks.emplace_back();
    addLine(m_chunks.back(), {}, 0);
    m_before.assign(1, Before{});
    m_beforeValid = 1;
    m_rowsMemo = {};
}

qsizetype JournalStore::estimatedRows(qsizetype length) const
{
    return length == 0 ? 1 : (length + m_charactersPerRow - 1) / m_charactersPerRow;
}

qsizetype JournalStore::rowsIn(const Chunk &chunk, qsizetype i) const
{
    const quint32 known = chunk.rows[size_t(i)];
    return known ? qsizetype(known) : estimatedRows(chunk.lineEnd(i) - chunk.starts[size_t(i)]);
}

void JournalStore::addLine(Chunk &chunk, QByteArrayView bytes, quint32 rows)
{
    chunk.starts.push_back(quint32(chunk.bytes.size()));
    chunk.bytes.append(bytes);
    chunk.rows.push_back(rows);
    chunk.rowSum += rows ? qsizetype(rows) : estimatedRows(bytes.size());
}

const JournalStore::Before &JournalStore::before(qsizetype chunk) const
{
    for (; m_beforeValid <= chunk; ++m_beforeValid) {
        const Chunk &previous = m_chunks[size_t(m_beforeValid - 1)];
        const Before &sums = m_before[size_t(m_beforeValid - 1)];
        m_before[size_t(m_beforeValid)] = {sums.lines + previous.lineCount(),
                                           sums.characters + previous.bytes.size() + previous.lineCount(),
                                           sums.rows + previous.rowSum};
    }
    return m_before[size_t(chunk)];
}

void JournalStore::changedFrom(qsizetype chunk)
{
    m_before.resize(m_chunks.size());
    m_beforeValid = std::min(m_beforeValid, chunk + 1);
}

std::pair<qsizetype, qsizetype> JournalStore::locate(qsizetype line) const
{
    const qsizetype last = qsizetype(m_chunks.size()) - 1;
    before(last);
    const auto found = std::upper_bound(m_before.begin(), m_before.end(), line,
                                        [](qsizetype value, const Before &sums) { return value < sums.lines; });
    const qsizetype chunk = std::clamp<qsizetype>(found - m_before.begin() - 1, 0, last);
    const qsizetype index = std::clamp<qsizetype>(line - m_before[size_t(chunk)].lines, 0,
                                                  m_chunks[size_t(chunk)].lineCount() - 1);
    return {chunk, index};
}

qsizetype JournalStore::lineCount() const
{
    const qsizetype last = qsizetype(m_chunks.size()) - 1;
    return before(last).lines + m_chunks.back().lineCount();
}

qsizetype JournalStore::lineLength(qsizetype line) const
{
    return lineBytes(line).size();
}

QByteArrayView JournalStore::lineBytes(qsizetype line) const
{
    const auto [chunk, i] = locate(line);
    const Chunk &holder = m_chunks[size_t(chunk)];
    const qsizetype start = holder.starts[size_t(i)];
    return QByteArrayView(holder.bytes.constData() + start, holder.lineEnd(i) - start);
}

QString JournalStore::lineText(qsizetype line) const
{
    return Windows1251::decode(lineBytes(line));
}

JournalStore::Position JournalStore::end() const
{
    const qsizetype last = lineCount() - 1;
    return {last, lineLength(last)};
}

bool JournalStore::isEmpty() const
{
    return m_chunks.size() == 1 && m_chunks.front().lineCount() == 1 && m_chunks.front().bytes.isEmpty();
}

QString JournalStore::text(Position from, Position to, QStringView lineEnd) const
{
    if (!(from < to))
        return {};
    QString result;
    result.reserve(offsetOf(to) - offsetOf(from) + (lineEnd.size() - 1) * (to.line - from.line));
    auto [chunk, i] = locate(from.line);
    for (qsizetype line = from.line;; ++chunk, i = 0) {
        // One conversion for each chunk's share; the lines are cut from it.
        const Chunk &holder = m_chunks[size_t(chunk)];
        const qsizetype lastIndex = std::min(holder.lineCount() - 1, i + (to.line - line));
        const qsizetype first = holder.starts[size_t(i)] + (line == from.line ? from.column : 0);
        const qsizetype last = lastIndex == i + (to.line - line) ? holder.starts[size_t(lastIndex)] + to.column
                                                                 : holder.bytes.size();
        const QString decoded = Windows1251::decode(QByteArrayView(holder.bytes).sliced(first, last - first));
        qsizetype cut = 0;
        for (qsizetype j = i + 1; j <= lastIndex; ++j) {
            const qsizetype boundary = holder.starts[size_t(j)] - first;
            result.append(QStringView(decoded).sliced(cut, boundary - cut));
            result.append(lineEnd);
            cut = boundary;
        }
        result.append(QStringView(decoded).sliced(cut));
        line += lastIndex - i;
        if (line == to.line)
            return result;
        result.append(lineEnd);
        ++line;
    }
}

QByteArray JournalStore::bytes(Position from, Position to) const
{
    QByteArray result;
    if (!(from < to))
        return result;
    result.reserve(offsetOf(to) - offsetOf(from));
    for (qsizetype line = from.line; line <= to.line; ++line) {
        const QByteArrayView bytes = lineBytes(line);
        const qsizetype first = line == from.line ? from.column : 0;
        result += bytes.sliced(first, (line == to.line ? to.column : bytes.size()) - first);
        if (line != to.line)
            result += '\n';
    }
    return result;
}

QByteArrayList JournalStore::pieces(Position from, Position to) const
{
    QByteArrayList result;
    if (!(from < to))
        return result;
    // Runs of short lines are copied together; a line that is its chunk's
    // whole text is handed out as it is.
    QByteArray run;
    for (qsizetype line = from.line; line <= to.line; ++line) {
        const auto [chunk, i] = locate(line);
        const Chunk &holder = m_chunks[size_t(chunk)];
        const QByteArrayView bytes = lineBytes(line);
        const qsizetype first = line == from.line ? from.column : 0;
        const qsizetype last = line == to.line ? to.column : bytes.size();
        if (holder.lineCount() == 1 && first == 0 && last == bytes.size() && bytes.size() >= chunkBytes) {
            if (!run.isEmpty())
                result.append(std::exchange(run, {}));
            result.append(holder.bytes);
        } else {
            run += bytes.sliced(first, last - first);
        }
        if (line != to.line)
            run += '\n';
    }
    if (!run.isEmpty())
        result.append(run);
    return result;
}

qsizetype JournalStore::characterCount() const
{
    const qsizetype last = qsizetype(m_chunks.size()) - 1;
    return before(last).characters + m_chunks.back().bytes.size() + m_chunks.back().lineCount() - 1;
}

qsizetype JournalStore::offsetOf(Position position) const
{
    const auto [chunk, i] = locate(position.line);
    return before(chunk).characters + m_chunks[size_t(chunk)].starts[size_t(i)] + i + position.column;
}

JournalStore::Position JournalStore::positionAt(qsizetype offset) const
{
    const qsizetype last = qsizetype(m_chunks.size()) - 1;
    before(last);
    offset = std::clamp<qsizetype>(offset, 0, characterCount());
    const auto found = std::upper_bound(m_before.begin(), m_before.end(), offset,
                                        [](qsizetype value, const Before &sums) { return value < sums.characters; });
    const qsizetype chunk = std::max<qsizetype>(found - m_before.begin() - 1, 0);
    const Chunk &holder = m_chunks[size_t(chunk)];
    const qsizetype within = offset - m_before[size_t(chunk)].characters;
    // Line i starts at starts[i] + i within the chunk: its bytes and one end per line before it.
    qsizetype low = 0;
    qsizetype high = holder.lineCount() - 1;
    while (low < high) {
        const qsizetype middle = (low + high + 1) / 2;
        if (qsizetype(holder.starts[size_t(middle)]) + middle <= within)
            low = middle;
        else
            high = middle - 1;
    }
    const qsizetype line = m_before[size_t(chunk)].lines + low;
    return {line, std::min(within - holder.starts[size_t(low)] - low, holder.lineEnd(low) - holder.starts[size_t(low)])};
}

void JournalStore::appendBytes(QByteArrayView bytes)
{
    qsizetype lineStart = 0;
    qsizetype lineEnd = bytes.indexOf('\n');
    // The first piece lengthens the last line.
    {
        Chunk &last = m_chunks.back();
        const qsizetype i = last.lineCount() - 1;
        const QByteArrayView piece = bytes.sliced(0, lineEnd < 0 ? bytes.size() : lineEnd);
        if (!piece.isEmpty() || last.rows[size_t(i)]) {
            last.rowSum -= rowsIn(last, i);
            last.bytes.append(piece);
            last.rows[size_t(i)] = 0;
            last.rowSum += rowsIn(last, i);
        }
    }
    while (lineEnd >= 0) {
        lineStart = lineEnd + 1;
        lineEnd = bytes.indexOf('\n', lineStart);
        if (isFull(m_chunks.back().bytes.size(), m_chunks.back().lineCount()))
            sealLastChunk();
        addLine(m_chunks.back(), bytes.sliced(lineStart, (lineEnd < 0 ? bytes.size() : lineEnd) - lineStart), 0);
    }
    changedFrom(qsizetype(m_chunks.size()) - 1);
}

void JournalStore::appendToLastLine(const QByteArray &bytes)
{
    Chunk &last = m_chunks.back();
    const qsizetype i = last.lineCount() - 1;
    if (bytes.size() < chunkBytes || last.lineEnd(i) != last.starts[size_t(i)] || bytes.contains('\n')) {
        appendBytes(bytes);
        return;
    }
    // The empty last line moves to a chunk of its own, which takes the bytes.
    m_rowsMemo = {};
    last.starts.pop_back();
    last.rowSum -= rowsIn(last, i);
    last.rows.pop_back();
    if (last.lineCount() > 0)
        sealLastChunk();
    Chunk &own = m_chunks.back();
    own.bytes = bytes;
    own.starts.assign(1, 0);
    own.rows.assign(1, 0);
    own.rowSum = rowsIn(own, 0);
    changedFrom(qsizetype(m_chunks.size()) - 1);
}

void JournalStore::sealLastChunk()
{
    Chunk &sealed = m_chunks.back();
    // A line taken over whole is left as it is: squeezing would copy it.
    if (sealed.bytes.capacity() - sealed.bytes.size() > chunkBytes / 2)
        sealed.bytes.squeeze();
    sealed.starts.shrink_to_fit();
    sealed.rows.shrink_to_fit();
    m_chunks.emplace_back();
    // Room for a full chunk at once: appending then never copies it.
    m_chunks.back().bytes.reserve(chunkBytes + 1024);
    m_chunks.back().starts.reserve(chunkLines);
    m_chunks.back().rows.reserve(chunkLines);
    changedFrom(qsizetype(m_chunks.size()) - 2);
}

JournalStore::Position JournalStore::replace(Position from, Position to, QByteArrayView inserted)
{
    if (to < from)
        std::swap(from, to);
    const qsizetype newlines = inserted.count('\n');
    const Position insertedEnd{from.line + newlines,
                               newlines == 0 ? from.column + inserted.size()
                                             : inserted.size() - inserted.lastIndexOf('\n') - 1};
    if (from == end()) {
        appendBytes(inserted);
        return insertedEnd;
    }

    const auto [fromChunk, fromIndex] = locate(from.line);
    const auto [toChunk, toIndex] = locate(to.line);
    const auto small = [this](qsizetype chunk) {
        const Chunk &neighbour = m_chunks[size_t(chunk)];
        return neighbour.bytes.size() < smallChunkBytes && neighbour.lineCount() < smallChunkLines;
    };
    const qsizetype firstChunk = fromChunk > 0 && small(fromChunk - 1) ? fromChunk - 1 : fromChunk;
    const qsizetype lastChunk = toChunk + 1 < qsizetype(m_chunks.size()) && small(toChunk + 1) ? toChunk + 1 : toChunk;

    QByteArray joined = lineBytes(from.line).first(from.column).toByteArray();
    joined += inserted;
    joined += lineBytes(to.line).sliced(to.column);
    std::vector<Line> lines;
    const auto keep = [&](qsizetype chunk, qsizetype i) {
        const Chunk &holder = m_chunks[size_t(chunk)];
        const qsizetype start = holder.starts[size_t(i)];
        lines.push_back({QByteArrayView(holder.bytes.constData() + start, holder.lineEnd(i) - start),
                         holder.rows[size_t(i)]});
    };
    for (qsizetype chunk = firstChunk; chunk <= fromChunk; ++chunk) {
        for (qsizetype i = 0; i < (chunk == fromChunk ? fromIndex : m_chunks[size_t(chunk)].lineCount()); ++i)
            keep(chunk, i);
    }
    for (qsizetype start = 0;;) {
        const qsizetype newline = joined.indexOf('\n', start);
        lines.push_back({QByteArrayView(joined).sliced(start, (newline < 0 ? joined.size() : newline) - start), 0});
        if (newline < 0)
            break;
        start = newline + 1;
    }
    for (qsizetype chunk = toChunk; chunk <= lastChunk; ++chunk) {
        for (qsizetype i = chunk == toChunk ? toIndex + 1 : 0; i < m_chunks[size_t(chunk)].lineCount(); ++i)
            keep(chunk, i);
    }
    rebuild(firstChunk, lastChunk, lines);
    return insertedEnd;
}

void JournalStore::rebuild(qsizetype firstChunk, qsizetype lastChunk, const std::vector<Line> &lines)
{
    std::vector<Chunk> built(1);
    for (const Line &line : lines) {
        if (built.back().lineCount() > 0 && isFull(built.back().bytes.size(), built.back().lineCount()))
            built.emplace_back();
        addLine(built.back(), line.bytes, line.rows);
    }
    m_rowsMemo = {};
    // The lines point into the chunks being replaced: those go only now.
    m_chunks.erase(m_chunks.begin() + firstChunk, m_chunks.begin() + lastChunk + 1);
    m_chunks.insert(m_chunks.begin() + firstChunk, std::make_move_iterator(built.begin()),
                    std::make_move_iterator(built.end()));
    changedFrom(firstChunk);
}

void JournalStore::setCharactersPerRow(qsizetype count)
{
    m_charactersPerRow = std::max<qsizetype>(count, 1);
    m_rowsMemo = {};
    for (Chunk &chunk : m_chunks) {
        std::fill(chunk.rows.begin(), chunk.rows.end(), 0);
        chunk.rowSum = 0;
        for (qsizetype i = 0; i < chunk.lineCount(); ++i)
            chunk.rowSum += rowsIn(chunk, i);
    }
    m_beforeValid = 1;
}

void JournalStore::setRows(qsizetype line, qsizetype rows)
{
    const auto [chunk, i] = locate(line);
    Chunk &holder = m_chunks[size_t(chunk)];
    const qsizetype old = rowsIn(holder, i);
    holder.rows[size_t(i)] = quint32(std::clamp<qsizetype>(rows, 1, std::numeric_limits<quint32>::max()));
    const qsizetype change = rowsIn(holder, i) - old;
    holder.rowSum += change;
    if (m_rowsMemo.chunk == chunk && i < m_rowsMemo.index)
        m_rowsMemo.rows += change;
    changedFrom(chunk);
}

qsizetype JournalStore::rows(qsizetype line) const
{
    const auto [chunk, i] = locate(line);
    return rowsIn(m_chunks[size_t(chunk)], i);
}

bool JournalStore::rowsKnown(qsizetype line) const
{
    const auto [chunk, i] = locate(line);
    return m_chunks[size_t(chunk)].rows[size_t(i)] != 0;
}

qsizetype JournalStore::rowsBefore(qsizetype line) const
{
    const auto [chunk, i] = locate(line);
    const Chunk &holder = m_chunks[size_t(chunk)];
    if (m_rowsMemo.chunk != chunk)
        m_rowsMemo = {chunk, 0, 0};
    for (; m_rowsMemo.index < i; ++m_rowsMemo.index)
        m_rowsMemo.rows += rowsIn(holder, m_rowsMemo.index);
    for (; m_rowsMemo.index > i; --m_rowsMemo.index)
        m_rowsMemo.rows -= rowsIn(holder, m_rowsMemo.index - 1);
    return before(chunk).rows + m_rowsMemo.rows;
}

qsizetype JournalStore::totalRows() const
{
    const qsizetype last = qsizetype(m_chunks.size()) - 1;
    return before(last).rows + m_chunks.back().rowSum;
}

std::pair<qsizetype, qsizetype> JournalStore::lineAtRow(qsizetype row) const
{
    const qsizetype last = qsizetype(m_chunks.size()) - 1;
    before(last);
    row = std::max<qsizetype>(row, 0);
    const auto found = std::upper_bound(m_before.begin(), m_before.end(), row,
                                        [](qsizetype value, const Before &sums) { return value < sums.rows; });
    const qsizetype chunk = std::max<qsizetype>(found - m_before.begin() - 1, 0);
    const Chunk &holder = m_chunks[size_t(chunk)];
    qsizetype first = m_before[size_t(chunk)].rows;
    for (qsizetype i = 0; i < holder.lineCount(); ++i) {
        const qsizetype rows = rowsIn(holder, i);
        if (row < first + rows || (chunk == last && i == holder.lineCount() - 1))
            return {m_before[size_t(chunk)].lines + i, std::min(row - first, rows - 1)};
        first += rows;
    }
    return {m_before[size_t(chunk)].lines + holder.lineCount() - 1, 0};
}

#include "journal/JournalLayout.h"

#include "base/Windows1251.h"
#include "journal/JournalStore.h"

#include <QFontMetricsF>
#include <QTextOption>
#include <QtMath>

#include <algorithm>

namespace {

// Laying out a couple of thousand characters takes a few milliseconds; a
// screenful of a long line needs one or two such pieces.
constexpr qsizetype pieceLength = 2048;
// How far past a piece's nominal end a blank is looked for.
constexpr qsizetype blankLookahead = 64;
constexpr qsizetype cachedLayouts = 512;
// Without a width (a hidden area never shown) nothing wraps.
constexpr qreal unboundedWidth = 1e6;

// Where piece k (k >= 1) of a long line starts: after the first blank at or
// past its nominal start, or right there when no blank is near.
qsizetype boundary(QByteArrayView line, qsizetype k)
{
    const qsizetype nominal = k * pieceLength;
    const qsizetype limit = std::min(nominal + blankLookahead, line.size());
    for (qsizetype i = nominal; i < limit; ++i) {
        if (line[i] == ' ' || line[i] == '\t')
            return i + 1;
    }
    return nominal;
}

} // namespace

JournalLayout::JournalLayout(JournalStore &store)
    : m_store(store)
{
    setFont(m_font);
}

JournalLayout::~JournalLayout() = default;

void JournalLayout::setFont(const QFont &font)
{
    m_font = font;
    const QFontMetricsF metrics(font);
    m_rowHeight = std::max(1, qCeil(metrics.lineSpacing()));
    m_averageCharacterWidth = metrics.averageCharWidth();
    forgetAll();
}

void JournalLayout::setWidth(qreal width)
{
    m_width = width;
    forgetAll();
}

qsizetype JournalLayout::pieceCount(qsizetype line) const
{
    const QByteArrayView bytes = m_store.lineBytes(line);
    if (bytes.size() <= pieceLength)
        return 1;
    const qsizetype boundaries = (bytes.size() - 1) / pieceLength;
    // Only the last boundary can fall on the line's end, after a final blank.
    return boundary(bytes, boundaries) < bytes.size() ? boundaries + 1 : boundaries;
}

qsizetype JournalLayout::pieceStart(qsizetype line, qsizetype piece) const
{
    return piece == 0 ? 0 : boundary(m_store.lineBytes(line), piece);
}

qsizetype JournalLayout::pieceEnd(qsizetype line, qsizetype piece) const
{
    return piece + 1 < pieceCount(line) ? pieceStart(line, piece + 1) : m_store.lineLength(line);
}

qsizetype JournalLayout::pieceAt(qsizetype line, qsizetype column) const
{
    const qsizetype count = pieceCount(line);
    if (count == 1)
        return 0;
    const qsizetype piece = std::min(column / pieceLength, count - 1);
    return piece > 0 && column < pieceStart(line, piece) ? piece - 1 : piece;
}

void JournalLayout::layOut(QTextLayout &layout, const QString &text) const
{
    layout.setText(text);
    layout.setFont(m_font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.setCacheEnabled(true);
    layout.beginLayout();
    for (qreal top = 0;; top += m_rowHeight) {
        QTextLine row = layout.createLine();
        if (!row.isValid())
            break;
        row.setLeadingIncluded(true);
        row.setLineWidth(m_width > 0 ? m_width : unboundedWidth);
        row.setPosition(QPointF(0, top));
    }
    layout.endLayout();
}

const QTextLayout &JournalLayout::layout(qsizetype line, qsizetype piece)
{
    const Key key{line, piece};
    auto found = m_cache.find(key);
    if (found == m_cache.end()) {
        if (m_cache.size() >= cachedLayouts) {
            // Drop the older half.
            std::vector<quint64> uses;
            for (const auto &entry : m_cache)
                uses.push_back(entry.second.used);
            std::nth_element(uses.begin(), uses.begin() + uses.size() / 2, uses.end());
            const quint64 median = uses[uses.size() / 2];
            for (auto entry = m_cache.begin(); entry != m_cache.end();)
                entry = entry->second.used < median ? m_cache.erase(entry) : std::next(entry);
        }
        const qsizetype start = pieceStart(line, piece);
        auto built = std::make_unique<QTextLayout>();
        if (line == m_preeditLine && pieceAt(line, m_preeditColumn) == piece)
            built->setPreeditArea(int(m_preeditColumn - start), m_preedit);
        layOut(*built, Windows1251::decode(m_store.lineBytes(line).sliced(start, pieceEnd(line, piece) - start)));
        found = m_cache.emplace(key, Cached{std::move(built), 0}).first;
        recordRows(line, piece, found->second.layout->lineCount());
    }
    found->second.used = ++m_uses;
    return *found->second.layout;
}

qsizetype JournalLayout::rows(qsizetype line, qsizetype piece)
{
    return std::max(1, layout(line, piece).lineCount());
}

std::vector<quint32> *JournalLayout::pieceRows(qsizetype line)
{
    auto found = m_pieceRows.find(line);
    if (found != m_pieceRows.end())
        return &*found;
    const qsizetype count = pieceCount(line);
    if (count == 1)
        return nullptr;
    // From now on the line counts as the sum of its pieces.
    found = m_pieceRows.insert(line, std::vector<quint32>(size_t(count), 0));
    qsizetype total = 0;
    for (qsizetype piece = 0; piece < count; ++piece)
        total += m_store.estimatedRows(pieceEnd(line, piece) - pieceStart(line, piece));
    m_store.setRows(line, total);
    return &*found;
}

qsizetype JournalLayout::knownRows(qsizetype line, qsizetype piece)
{
    const std::vector<quint32> *pieces = pieceRows(line);
    if (!pieces)
        return m_store.rows(line);
    const quint32 known = pieces->at(size_t(piece));
    return known ? qsizetype(known) : m_store.estimatedRows(pieceEnd(line, piece) - pieceStart(line, piece));
}

void JournalLayout::recordRows(qsizetype line, qsizetype piece, qsizetype rows)
{
    std::vector<quint32> *pieces = pieceRows(line);
    if (!pieces) {
        m_store.setRows(line, rows);
        return;
    }
    (*pieces)[size_t(piece)] = quint32(std::max<qsizetype>(rows, 1));
    qsizetype total = 0;
    for (qsizetype p = 0; p < qsizetype(pieces->size()); ++p)
        total += knownRows(line, p);
    m_store.setRows(line, total);
}

qsizetype JournalLayout::toLayout(qsizetype line, qsizetype piece, qsizetype column) const
{
    const qsizetype position = column - pieceStart(line, piece);
    const bool afterPreedit = line == m_preeditLine && column > m_preeditColumn && pieceAt(line, m_preeditColumn) == piece;
    return afterPreedit ? position + m_preedit.size() : position;
}

JournalLayout::Row JournalLayout::rowAt(qsizetype line, qsizetype column)
{
    const qsizetype piece = pieceAt(line, column);
    const QTextLayout &laidOut = layout(line, piece);
    const QTextLine row = laidOut.lineForTextPosition(int(toLayout(line, piece, column)));
    return {line, piece, row.isValid() ? row.lineNumber() : laidOut.lineCount() - 1};
}

bool JournalLayout::next(Row &row)
{
    if (row.row + 1 < rows(row.line, row.piece)) {
        ++row.row;
    } else if (row.piece + 1 < pieceCount(row.line)) {
        row = {row.line, row.piece + 1, 0};
    } else if (row.line + 1 < m_store.lineCount()) {
        row = {row.line + 1, 0, 0};
    } else {
        return false;
    }
    return true;
}

bool JournalLayout::previous(Row &row)
{
    if (row.row > 0) {
        --row.row;
    } else if (row.piece > 0) {
        row = {row.line, row.piece - 1, rows(row.line, row.piece - 1) - 1};
    } else if (row.line > 0) {
        const qsizetype piece = pieceCount(row.line - 1) - 1;
        row = {row.line - 1, piece, rows(row.line - 1, piece) - 1};
    } else {
        return false;
    }
    return true;
}

JournalLayout::Row JournalLayout::lastRow()
{
    const qsizetype line = m_store.lineCount() - 1;
    const qsizetype piece = pieceCount(line) - 1;
    return {line, piece, rows(line, piece) - 1};
}

qsizetype JournalLayout::rowNumber(const Row &row)
{
    qsizetype number = row.row;
    for (qsizetype piece = 0; piece < row.piece; ++piece)
        number += knownRows(row.line, piece);
    return number + m_store.rowsBefore(row.line);
}

JournalLayout::Row JournalLayout::rowOfNumber(qsizetype number)
{
    auto [line, rowInLine] = m_store.lineAtRow(number);
    const qsizetype count = pieceCount(line);
    qsizetype first = 0;
    for (qsizetype piece = 0; piece < count; ++piece) {
        const qsizetype known = knownRows(line, piece);
        if (rowInLine < first + known || piece == count - 1)
            return {line, piece, std::clamp<qsizetype>(rowInLine - first, 0, rows(line, piece) - 1)};
        first += known;
    }
    return {line, 0, 0};
}

QStringList JournalLayout::rowTexts(qsizetype line)
{
    QStringList texts;
    const qsizetype count = pieceCount(line);
    for (qsizetype piece = 0; piece < count; ++piece) {
        const qsizetype start = pieceStart(line, piece);
        QTextLayout laidOut;
        layOut(laidOut, Windows1251::decode(m_store.lineBytes(line).sliced(start, pieceEnd(line, piece) - start)));
        const QString text = laidOut.text();
        for (int i = 0; i < laidOut.lineCount(); ++i)
            texts.append(text.mid(laidOut.lineAt(i).textStart(), laidOut.lineAt(i).textLength()));
        recordRows(line, piece, laidOut.lineCount());
    }
    return texts;
}

void JournalLayout::setPreedit(qsizetype line, qsizetype column, const QString &text)
{
    if (text.isEmpty() && m_preeditLine < 0)
        return;
    const qsizetype previousLine = m_preeditLine;
    m_preeditLine = text.isEmpty() ? -1 : line;
    m_preeditColumn = column;
    m_preedit = text;
    forgetLine(previousLine);
    forgetLine(line);
}

void JournalLayout::forgetLine(qsizetype line)
{
    if (line < 0)
        return;
    m_cache.erase(m_cache.lower_bound({line, 0}), m_cache.lower_bound({line + 1, 0}));
    m_pieceRows.remove(line);
}

void JournalLayout::forgetFrom(qsizetype line)
{
    m_cache.erase(m_cache.lower_bound({line, 0}), m_cache.end());
    if (!m_pieceRows.isEmpty())
        m_pieceRows.removeIf([line](const auto &entry) { return entry.key() >= line; });
}

void JournalLayout::forgetAll()
{
    m_cache.clear();
    m_pieceRows.clear();
    m_store.setCharactersPerRow(m_width > 0 && m_averageCharacterWidth > 0 ? qsizetype(m_width / m_averageCharacterWidth)
                                                                           : 1000000);
}

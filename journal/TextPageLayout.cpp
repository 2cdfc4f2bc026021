#include "journal/TextPageLayout.h"

#include <QTextBoundaryFinder>

#include <algorithm>
#include <vector>

namespace {

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n' || c == QChar::LineSeparator || c == QChar::ParagraphSeparator;
}

// The rows of one line as the lines between its own line ends.
QStringList splitAtLineEnds(const QString &line)
{
    QStringList parts;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        if (!isLineEnd(line[i]))
            continue;
        parts.append(line.mid(start, i - start));
        if (line[i] == u'\r' && i + 1 < line.size() && line[i + 1] == u'\n')
            ++i;
        start = i + 1;
    }
    parts.append(line.mid(start));
    return parts;
}

// Positions where a run may be broken without splitting a character.
std::vector<qsizetype> characterBoundaries(const QString &run)
{
    std::vector<qsizetype> boundaries;
    QTextBoundaryFinder finder(QTextBoundaryFinder::Grapheme, run);
    for (qsizetype position = finder.toNextBoundary(); position > 0; position = finder.toNextBoundary())
        boundaries.push_back(position);
    return boundaries;
}

class PageWriter
{
public:
    PageWriter(int pageWidth, int pageHeight, const TextPageLayout::Metrics &metrics)
        : m_pageWidth(pageWidth)
        , m_pageHeight(pageHeight)
        , m_metrics(metrics)
        , m_tabStep(std::max(1, 8 * metrics.averageCharWidth))
    {
    }

    void writeLine(const QString &line)
    {
        const QStringList runs = line.split(u'\t');
        for (qsizetype i = 0; i < runs.size(); ++i) {
            if (i > 0) {
                m_x = (m_x / m_tabStep + 1) * m_tabStep;
                m_rowHasText = true;
            }
            writeRun(runs[i]);
        }
        if (m_rowHasText)
            endRowOfText();
        else
            endEmptyRow();
    }

    QList<TextPageLayout::Page> finish()
    {
        while (m_pages.size() > 1 && m_pages.last().isEmpty())
            m_pages.removeLast();
        return m_pages;
    }

private:
    void writeRun(QString run)
    {
        while (!run.isEmpty()) {
            qsizetype length = fittingLength(run, m_pageWidth - m_x);
            if (length == 0 && m_x > 0) {
                endRowOfText();
                continue;
            }
            // Not even one character fits on an empty row: it goes there
            // anyway, or the line would never end.
            if (length == 0)
                length = characterBoundaries(run).front();
            const QString piece = run.left(length);
            m_pages.last().append({m_x, m_y, piece});
            m_x += m_metrics.width(piece);
            m_rowHasText = true;
            run.remove(0, length);
            if (!run.isEmpty())
                endRowOfText();
        }
    }

    // The longest prefix, ending between characters, no wider than room.
    qsizetype fittingLength(const QString &run, int room) const
    {
        if (m_metrics.width(run) <= room)
            return run.size();
        const std::vector<qsizetype> boundaries = characterBoundaries(run);
        // Invariant: prefixes up to boundaries[low - 1] fit, from boundaries[high] on they do not.
        size_t low = 0;
        size_t high = boundaries.size() - 1;
        while (low < high) {
            const size_t middle = (low + high) / 2;
            if (m_metrics.width(run.left(boundaries[middle])) <= room)
                low = middle + 1;
            else
                high = middle;
        }
        return low == 0 ? 0 : boundaries[low - 1];
    }

    void endRowOfText()
    {
        const int rowHeight = m_metrics.textHeight + 2;
        m_y += rowHeight;
        if (m_pageHeight - m_y < 2 * rowHeight)
            startPage();
        m_x = 0;
        m_rowHasText = false;
    }

    void endEmptyRow()
    {
        m_y += m_metrics.characterHeight;
        if (m_y > m_pageHeight)
            startPage();
        m_x = 0;
    }

    void startPage()
    {
        m_pages.append(TextPageLayout::Page());
        m_y = 0;
    }

    const int m_pageWidth;
    const int m_pageHeight;
    const TextPageLayout::Metrics &m_metrics;
    const int m_tabStep;
    QList<TextPageLayout::Page> m_pages{TextPageLayout::Page()};
    int m_x = 0;
    int m_y = 0;
    bool m_rowHasText = false;
};

} // namespace

QList<TextPageLayout::Page> TextPageLayout::layOut(const QStringList &lines, int pageWidth, int pageHeight,
                                                   const Metrics &metrics)
{
    PageWriter writer(pageWidth, pageHeight, metrics);
    for (const QString &line : lines) {
        for (const QString &row : splitAtLineEnds(line))
            writer.writeLine(row);
    }
    return writer.finish();
}

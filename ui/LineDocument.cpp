#include "ui/LineDocument.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// How a row is joined to the row above inside one line, kept in the row's
// block format so that undo and redo bring it back with the row. Rows
// without one (0, the default) start a line of their own. A row the user
// splits keeps its join in its first part; rows merged into the one above
// take that one's, since the row break between them is gone.
constexpr int joinProperty = QTextFormat::UserProperty;
enum Join { None = 0, CrLf = 1, Cr = 2, Lf = 3 };

QString joinText(int join)
{
    switch (join) {
    case CrLf:
        return QStringLiteral("\r\n");
    case Cr:
        return QStringLiteral("\r");
    case Lf:
        return QStringLiteral("\n");
    default:
        return QString();
    }
}

QTextBlockFormat joinFormat(Join join)
{
    QTextBlockFormat format;
    if (join != None)
        format.setProperty(joinProperty, int(join));
    return format;
}

} // namespace

LineDocument::LineDocument(QObject *parent)
    : QTextDocument(parent)
{
    connect(this, &QTextDocument::contentsChanged, this, [this] { m_noLines = isEmpty(); });
}

LineDocument::~LineDocument()
{
    emit discarded();
}

void LineDocument::prepareForEditor(const QFont &font)
{
    // The font first: with the layout in place, a new font lays out every
    // line again.
    setDefaultFont(font);
    if (!m_hasEditorLayout) {
        setDocumentLayout(new QPlainTextDocumentLayout(this));
        m_hasEditorLayout = true;
    }
}

QStringList LineDocument::lines() const
{
    QStringList result;
    if (m_noLines)
        return result;
    QString line = begin().text();
    for (QTextBlock block = begin().next(); block.isValid(); block = block.next()) {
        const QString join = joinText(block.blockFormat().intProperty(joinProperty));
        if (join.isEmpty()) {
            result.append(line);
            line.clear();
        }
        line += join + block.text();
    }
    result.append(line);
    return result;
}

void LineDocument::setLines(const QStringList &lines)
{
    setPlainText(lines.join(QLatin1Char('\n')));
    clearUndoRedoStacks();
    m_noLines = lines.isEmpty();
}

void LineDocument::appendLine(const QString &line)
{
    QTextCursor cursor(this);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    // A line of its own, whatever joined the last row to the one above.
    if (!m_noLines)
        cursor.insertBlock(joinFormat(None));
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        cursor.insertText(line.mid(start, i - start));
        Join join = c == QLatin1Char('\r') ? Cr : Lf;
        if (c == QLatin1Char('\r') && i + 1 < line.size() && line[i + 1] == QLatin1Char('\n')) {
            join = CrLf;
            ++i;
        }
        cursor.insertBlock(joinFormat(join));
        start = i + 1;
    }
    cursor.insertText(line.mid(start));
    cursor.endEditBlock();
    m_noLines = false;
}

#include "ui/LineDocument.h"

#include <QPlainTextDocumentLayout>
#include <QTextBlock>
#include <QTextCursor>

namespace {

// A row's user state: how it joins the next row inside one line. Rows
// without one (-1, Qt's default) end their line.
enum Join { CrLf = 1, Cr = 2, Lf = 3 };

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

} // namespace

LineDocument::LineDocument(QObject *parent)
    : QTextDocument(parent)
{
    setDocumentLayout(new QPlainTextDocumentLayout(this));
    connect(this, &QTextDocument::contentsChange, this, &LineDocument::forgetJoins);
}

LineDocument::~LineDocument()
{
    emit discarded();
}

QStringList LineDocument::lines() const
{
    QStringList result;
    if (m_noLines)
        return result;
    QString line;
    for (QTextBlock block = begin(); block.isValid(); block = block.next()) {
        line += block.text();
        const QString join = joinText(block.userState());
        if (!join.isEmpty() && block.next().isValid()) {
            line += join;
            continue;
        }
        result.append(line);
        line.clear();
    }
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
    QStringList rows;
    QList<int> joins;
    qsizetype start = 0;
    for (qsizetype i = 0; i < line.size(); ++i) {
        const QChar c = line[i];
        if (c != QLatin1Char('\r') && c != QLatin1Char('\n'))
            continue;
        rows.append(line.mid(start, i - start));
        if (c == QLatin1Char('\r') && i + 1 < line.size() && line[i + 1] == QLatin1Char('\n')) {
            joins.append(CrLf);
            ++i;
        } else {
            joins.append(c == QLatin1Char('\r') ? Cr : Lf);
        }
        start = i + 1;
    }
    rows.append(line.mid(start));

    QTextCursor cursor(this);
    cursor.movePosition(QTextCursor::End);
    cursor.beginEditBlock();
    if (!m_noLines)
        cursor.insertBlock();
    const int firstRow = cursor.blockNumber();
    cursor.insertText(rows.join(QLatin1Char('\n')));
    cursor.endEditBlock();
    m_noLines = false;
    // After the edit: the change signal would otherwise forget them at once.
    for (qsizetype i = 0; i < joins.size(); ++i)
        findBlockByNumber(firstRow + int(i)).setUserState(joins[i]);
}

void LineDocument::forgetJoins(int position, int /*charsRemoved*/, int charsAdded)
{
    // An edited row ends its line with an ordinary line end from then on.
    const QTextBlock last = findBlock(position + charsAdded);
    for (QTextBlock block = findBlock(position); block.isValid(); block = block.next()) {
        block.setUserState(-1);
        if (block == last)
            break;
    }
    m_noLines = isEmpty();
}

#include "settings/IniDocument.h"

namespace {

const QByteArray crLf = QByteArrayLiteral("\r\n");

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

QByteArrayView trimmedBlanks(QByteArrayView text)
{
    while (!text.isEmpty() && isBlank(text.front()))
        text = text.sliced(1);
    while (!text.isEmpty() && isBlank(text.back()))
        text.chop(1);
    return text;
}

bool sameName(QByteArrayView a, QByteArrayView b)
{
    return trimmedBlanks(a).compare(trimmedBlanks(b), Qt::CaseInsensitive) == 0;
}

bool isQuote(char c)
{
    return c == '"' || c == '\'';
}

bool isEnclosedInQuotes(QByteArrayView text)
{
    return text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
}

// The name of a section header line "[name]", or nullopt for any other line.
std::optional<QByteArrayView> sectionName(QByteArrayView line)
{
    line = trimmedBlanks(line);
    if (!line.startsWith('['))
        return std::nullopt;
    line = line.sliced(1);
    const qsizetype close = line.indexOf(']');
    return close < 0 ? line : line.first(close);
}

bool isComment(QByteArrayView line)
{
    line = trimmedBlanks(line);
    return line.startsWith(';') || line.startsWith('#');
}

// The part of a key line before its first '=', or nullopt for any other line.
std::optional<QByteArrayView> keyName(QByteArrayView line)
{
    if (sectionName(line) || isComment(line))
        return std::nullopt;
    const qsizetype equals = line.indexOf('=');
    if (equals < 0)
        return std::nullopt;
    return line.first(equals);
}

} // namespace

IniDocument::IniDocument(const QByteArray &bytes)
{
    qsizetype start = 0;
    while (start < bytes.size()) {
        qsizetype end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        qsizetype next = end;
        if (next < bytes.size()) {
            ++next;
            if (bytes[end] == '\r' && next < bytes.size() && bytes[next] == '\n')
                ++next;
        }
        m_lines.append({bytes.sliced(start, end - start), bytes.sliced(end, next - end)});
        start = next;
    }
}

std::optional<QByteArray> IniDocument::rawValue(QByteArrayView section, QByteArrayView key) const
{
    const qsizetype header = findSection(section);
    if (header < 0)
        return std::nullopt;
    const qsizetype index = findKey(header, key).key;
    if (index < 0)
        return std::nullopt;
    const QByteArray &text = m_lines[index].text;
    return text.sliced(text.indexOf('=') + 1);
}

std::optional<QByteArray> IniDocument::value(QByteArrayView section, QByteArrayView key) const
{
    const std::optional<QByteArray> raw = rawValue(section, key);
    if (!raw)
        return std::nullopt;
    QByteArrayView found = trimmedBlanks(*raw);
    if (isEnclosedInQuotes(found))
        found = found.sliced(1, found.size() - 2);
    return found.toByteArray();
}

void IniDocument::setValue(QByteArrayView section, QByteArrayView key, const QByteArray &value)
{
    Q_ASSERT(!value.contains('\r') && !value.contains('\n'));

    qsizetype header = findSection(section);
    if (header < 0) {
        header = m_lines.size();
        insertLine(header, '[' + section.toByteArray() + ']');
    }

    const KeyLines lines = findKey(header, key);
    if (lines.key >= 0) {
        QByteArray &text = m_lines[lines.key].text;
        text = text.first(text.indexOf('=') + 1) + value;
        return;
    }
    insertLine(lines.lastKey + 1, key.toByteArray() + '=' + value);
}

QByteArray IniDocument::toBytes() const
{
    QByteArray bytes;
    for (const Line &line : m_lines)
        bytes += line.text + line.end;
    return bytes;
}

qsizetype IniDocument::findSection(QByteArrayView section) const
{
    for (qsizetype i = 0; i < m_lines.size(); ++i) {
        const std::optional<QByteArrayView> name = sectionName(m_lines[i].text);
        if (name && sameName(*name, section))
            return i;
    }
    return -1;
}

IniDocument::KeyLines IniDocument::findKey(qsizetype header, QByteArrayView key) const
{
    KeyLines lines{-1, header};
    for (qsizetype i = header + 1; i < m_lines.size() && !sectionName(m_lines[i].text); ++i) {
        const std::optional<QByteArrayView> name = keyName(m_lines[i].text);
        if (!name)
            continue;
        if (sameName(*name, key))
            return {i, i};
        lines.lastKey = i;
    }
    return lines;
}

void IniDocument::insertLine(qsizetype at, const QByteArray &text)
{
    // A line inserted after an unterminated last line must not run into it.
    if (at > 0 && m_lines[at - 1].end.isEmpty())
        m_lines[at - 1].end = crLf;
    m_lines.insert(at, {text, crLf});
}

#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QList>

#include <optional>

// A profile (INI) file edited in place over its raw 8-bit bytes. Every line
// keeps its exact bytes and its own line end, so a file the user edited by
// hand comes back unchanged except for the values the program sets.
// Section and key names match without regard to ASCII letter case, after the
// blanks around them are trimmed, as the system's profile functions match them.
class IniDocument
{
public:
    IniDocument() = default;
    explicit IniDocument(const QByteArray &bytes);

    // The text after the first '=' of the key's first line in the section's
    // first occurrence, exactly as stored.
    std::optional<QByteArray> rawValue(QByteArrayView section, QByteArrayView key) const;
    // The same with blanks trimmed and one pair of enclosing quotes removed,
    // the tolerant reading of the system's profile functions.
    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;

    // Everything after the '=' of an existing key's line becomes the value,
    // unchanged; the key keeps its line and its spelling. A missing key goes
    // after the section's last key line; a missing section goes to the end of
    // the file. New lines end with CR LF. The value must not hold a line break.
    // One pass over the file: a section of many lines stays quick.
    void setValue(QByteArrayView section, QByteArrayView key, const QByteArray &value);

    QByteArray toBytes() const;

private:
    struct Line
    {
        QByteArray text; // without its line end
        QByteArray end;  // "\r\n", "\n", "\r" or empty for an unterminated last line
    };

    struct KeyLines
    {
        qsizetype key;     // the key's line, or -1
        qsizetype lastKey; // the section's last key line, or its header; valid when key is -1
    };

    // Index of the section's header line, or -1.
    qsizetype findSection(QByteArrayView section) const;
    KeyLines findKey(qsizetype header, QByteArrayView key) const;
    void insertLine(qsizetype at, const QByteArray &text);

    QList<Line> m_lines;
};

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
    // first occurrence, blanks trimmed and one pair of enclosing quotes removed.
    std::optional<QByteArray> value(QByteArrayView section, QByteArrayView key) const;

    // An existing key keeps its line and its spelling and takes the new value;
    // a missing key goes after the section's last key line; a missing section
    // goes to the end of the file. New lines end with CR LF. The value must not
    // hold a line break.
    void setValue(QByteArrayView section, QByteArrayView key, const QByteArray &value);

    QByteArray toBytes() const;

private:
    struct Line
    {
        QByteArray text; // without its line end
        QByteArray end;  // "\r\n", "\n", "\r" or empty for an unterminated last line
    };

    // Index of the section's header line, or -1.
    qsizetype findSection(QByteArrayView section) const;
    // One past the section's last line: the next header or the end of the file.
    qsizetype sectionEnd(qsizetype header) const;
    // Index of the key's line inside the section, or -1.
    qsizetype findKey(qsizetype header, QByteArrayView key) const;
    void insertLine(qsizetype at, const QByteArray &text);

    QList<Line> m_lines;
};

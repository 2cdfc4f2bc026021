#pragma once

#include <QByteArray>
#include <QByteArrayList>
#include <QString>

#include <vector>

// An ordered list of 8-bit phrases with the phrase the last pick selected.
// Entries stay bytes from file to file; only display and typing convert them.
//
// The entries are held as the file writes them, each followed by CR LF, in
// one buffer with their start offsets: a list of a million phrases loads with
// a handful of allocations and saves without building anything.
class PhraseList
{
public:
    PhraseList() = default;
    explicit PhraseList(const QByteArrayList &entries);

    // The file format: the text ends at the first NUL; CR LF, a lone CR and a
    // lone LF each end one entry; a final line break adds no entry; bytes are
    // kept as they are.
    static PhraseList fromFileBytes(const QByteArray &bytes);
    // Every entry followed by CR LF, the last one too.
    const QByteArray &fileBytes() const { return m_fileBytes; }

    qsizetype count() const { return qsizetype(m_starts.size()); }
    QByteArray entry(qsizetype index) const;
    QByteArrayList entries() const;

    // Removes every entry and the selection.
    void clear();
    void append(const QByteArray &entry);

    // Selecting the selected index again changes nothing; an index past the
    // last entry leaves nothing selected.
    void select(qsizetype index);
    // The selected entry, or empty when nothing is selected.
    QByteArray currentPhrase() const;

    // Replaces the entries with the file's; on failure throws the open error
    // and keeps the list as it was.
    void load(const QString &path);
    // Throws the create error; the old file survives a failed write.
    void save(const QString &path) const;

private:
    QByteArray m_fileBytes;
    std::vector<qsizetype> m_starts;
    qsizetype m_selected = -1;
};

#pragma once

#include <QByteArrayList>
#include <QMimeData>

// Text copied or dragged from a journal text area: kept as the area's own
// bytes (a long line shared with the area) and made into the CR LF text only
// when something asks for it, so copying a line of megabytes costs nothing
// until it is pasted.
class JournalMimeData : public QMimeData
{
public:
    // Windows-1251 bytes with '\n' between lines, in pieces.
    explicit JournalMimeData(QByteArrayList pieces);

    // Replaces the text, in place: what asks for it next gets the new one.
    void setPieces(QByteArrayList pieces);
    // A new object with the same text, for a new offer to the clipboard.
    JournalMimeData *copied() const;

    QStringList formats() const override;
    bool hasFormat(const QString &mimeType) const override;

protected:
    QVariant retrieveData(const QString &mimeType, QMetaType type) const override;

private:
    // Given up once converted.
    mutable QByteArrayList m_pieces;
    mutable QString m_text;
    mutable bool m_converted = false;
};

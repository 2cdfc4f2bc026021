#include "journal/JournalMimeData.h"

#include "base/Windows1251.h"

namespace {

const QString plainText = QStringLiteral("text/plain");

} // namespace

JournalMimeData::JournalMimeData(QByteArrayList pieces)
    : m_pieces(std::move(pieces))
{
}

void JournalMimeData::setPieces(QByteArrayList pieces)
{
    m_pieces = std::move(pieces);
    m_text.clear();
    m_converted = false;
}

JournalMimeData *JournalMimeData::copied() const
{
    auto *copy = new JournalMimeData(m_pieces);
    copy->m_text = m_text;
    copy->m_converted = m_converted;
    return copy;
}

QStringList JournalMimeData::formats() const
{
    return {plainText};
}

bool JournalMimeData::hasFormat(const QString &mimeType) const
{
    return mimeType == plainText;
}

QVariant JournalMimeData::retrieveData(const QString &mimeType, QMetaType type) const
{
    if (mimeType != plainText)
        return QMimeData::retrieveData(mimeType, type);
    if (!m_converted) {
        for (const QByteArray &piece : std::as_const(m_pieces))
            m_text += Windows1251::decode(piece);
        m_text.replace(u'\n', QStringLiteral("\r\n"));
        m_pieces.clear();
        m_converted = true;
    }
    return m_text;
}

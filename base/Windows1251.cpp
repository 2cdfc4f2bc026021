#include "base/Windows1251.h"

#include "base/AppError.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QList>

namespace Windows1251 {

namespace {
constexpr const char *codecName = "windows-1251";
}

void ensureAvailable()
{
    QStringDecoder decoder(codecName);
    QStringEncoder encoder(codecName);
    if (!decoder.isValid() || !encoder.isValid())
        throw AppError(QStringLiteral("The Windows-1251 text converter is not available on this system"));
}

QString decode(QByteArrayView bytes)
{
    QStringDecoder decoder(codecName);
    return decoder.decode(bytes);
}

std::optional<QByteArray> encode(const QString &text)
{
    // The encoder keeps a final high surrogate back for a low one that
    // never comes, instead of reporting it: the text is complete, so refuse it.
    if (!text.isEmpty() && text.back().isHighSurrogate())
        return std::nullopt;
    QStringEncoder encoder(codecName);
    QByteArray bytes = encoder.encode(text);
    if (encoder.hasError())
        return std::nullopt;
    return bytes;
}

QByteArray encodeOrThrow(const QString &text)
{
    if (std::optional<QByteArray> bytes = encode(text))
        return *std::move(bytes);
    for (const uint codePoint : text.toUcs4()) {
        const QString character = QString::fromUcs4(reinterpret_cast<const char32_t *>(&codePoint), 1);
        if (!encode(character))
            throw AppError(QStringLiteral("Символ «%1» нельзя сохранить в кодировке Windows-1251").arg(character));
    }
    throw AppError(QStringLiteral("Текст нельзя сохранить в кодировке Windows-1251"));
}

} // namespace Windows1251

#include "base/Windows1251.h"

#include "base/AppError.h"

#include <QStringDecoder>
#include <QStringEncoder>
#include <QList>

#include <algorithm>
#include <array>
#include <bitset>

namespace Windows1251 {

namespace {

constexpr const char *codecName = "windows-1251";

// A single-byte code page converts character by character, so the converter's
// answer for each of the 256 bytes serves every later conversion: a journal
// converts on every tweet and every line it shows, too often to open a
// converter each time.
struct Table
{
    std::array<char16_t, 256> characters{};
    std::array<char, 65536> bytes{};
    std::bitset<65536> representable;
};

const Table &table()
{
    static const Table built = [] {
        Table result;
        QByteArray all(256, '\0');
        for (int byte = 0; byte < 256; ++byte)
            all[byte] = char(byte);
        const QString decoded = QStringDecoder(codecName).decode(all);
        result.bytes.fill('?');
        for (int byte = 0; byte < 256 && byte < decoded.size(); ++byte) {
            const QChar character = decoded.at(byte);
            result.characters[size_t(byte)] = character.unicode();
            QStringEncoder encoder(codecName);
            const QByteArray back = encoder.encode(QString(character));
            if (!encoder.hasError() && back.size() == 1 && back.at(0) == char(byte)) {
                result.representable.set(character.unicode());
                result.bytes[character.unicode()] = char(byte);
            }
        }
        return result;
    }();
    return built;
}

// Each character of the text as the code page takes it: itself, or "?".
template <typename Put>
void forEachFitted(QStringView text, const Table &codes, Put put)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text.at(i);
        if (character.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            ++i;
            put(u'?');
        } else {
            put(codes.representable.test(character.unicode()) ? character.unicode() : u'?');
        }
    }
}

} // namespace

void ensureAvailable()
{
    QStringDecoder decoder(codecName);
    QStringEncoder encoder(codecName);
    if (!decoder.isValid() || !encoder.isValid())
        throw AppError(QStringLiteral("The Windows-1251 text converter is not available on this system"));
}

QString decode(QByteArrayView bytes)
{
    const Table &codes = table();
    QString text(bytes.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(text.data());
    for (const char byte : bytes)
        *out++ = codes.characters[uchar(byte)];
    return text;
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
    const Table &codes = table();
    // Lines as the files end them: CR LF, CR or LF.
    int line = 1;
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar character = text.at(i);
        const bool crBeforeLf = i + 1 < text.size() && text.at(i + 1) == u'\n';
        if (character == u'\n' || (character == u'\r' && !crBeforeLf))
            ++line;
        if (codes.representable.test(character.unicode()))
            continue;
        // Named by its code: it may be invisible, or missing from the message's font.
        const bool pair = character.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const char32_t code = pair ? QChar::surrogateToUcs4(character, text.at(i + 1)) : character.unicode();
        throw AppError(QStringLiteral("Символ U+%1 в строке %2 нельзя сохранить в кодировке Windows-1251")
                           .arg(QString::number(uint(code), 16).toUpper().rightJustified(4, u'0'))
                           .arg(line));
    }
    throw AppError(QStringLiteral("Текст нельзя сохранить в кодировке Windows-1251"));
}

QString fitted(const QString &text)
{
    const Table &codes = table();
    const auto fits = [&codes](QChar character) { return codes.representable.test(character.unicode()); };
    if (std::all_of(text.begin(), text.end(), fits))
        return text;
    QString result(text.size(), Qt::Uninitialized);
    char16_t *out = reinterpret_cast<char16_t *>(result.data());
    forEachFitted(text, codes, [&out](char16_t character) { *out++ = character; });
    result.truncate(out - reinterpret_cast<char16_t *>(result.data()));
    return result;
}

QByteArray encodeFitted(QStringView text)
{
    const Table &codes = table();
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char *out = bytes.data();
    forEachFitted(text, codes, [&out, &codes](char16_t character) { *out++ = codes.bytes[character]; });
    bytes.truncate(out - bytes.data());
    return bytes;
}

} // namespace Windows1251

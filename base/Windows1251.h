#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

// The program's files are 8-bit Windows-1251 text. Conversion to and from
// Qt's Unicode happens only here, at the edges: for display and for typed text.
namespace Windows1251 {

// Fails loudly (throws AppError) when the platform's converter cannot handle
// the code page, so a broken installation is noticed at start, not mid-save.
void ensureAvailable();

QString decode(QByteArrayView bytes);

// nullopt when the text holds a character the code page cannot represent.
std::optional<QByteArray> encode(const QString &text);

// Like encode, but throws AppError naming the first character the code page
// lacks by its code (U+200B) and its line (CR LF, CR or LF end one).
QByteArray encodeOrThrow(const QString &text);

// The text as an 8-bit control takes it in: each character the code page
// cannot represent becomes "?", one for each character (a surrogate pair is
// one character).
QString fitted(const QString &text);

// encode for text already fitted: anything else still becomes "?".
QByteArray encodeFitted(QStringView text);

} // namespace Windows1251

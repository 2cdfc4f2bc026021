#include "settings/SettingsFile.h"

#include "base/AppError.h"
#include "base/FileIO.h"
#include "base/Windows1251.h"
#include "settings/IniDocument.h"

#include <QDir>
#include <QFileInfo>

#include <limits>

namespace {

constexpr QByteArrayView section = "option";
// The profile functions read a value into a 2,048-byte buffer.
constexpr qsizetype longestText = 2047;

int hexDigit(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The integer forms the platform's string-to-integer accepts: an optional
// sign, then decimal digits or "$", "0x", "0X" and hexadecimal digits. A
// hexadecimal value fills all 32 bits; a decimal one must fit a signed int.
std::optional<qint64> profileInteger(QByteArrayView text)
{
    const bool negative = text.startsWith('-');
    if (negative || text.startsWith('+'))
        text = text.sliced(1);
    int base = 10;
    if (text.startsWith('$')) {
        base = 16;
        text = text.sliced(1);
    } else if (text.startsWith("0x") || text.startsWith("0X")) {
        base = 16;
        text = text.sliced(2);
    }
    if (text.isEmpty())
        return std::nullopt;
    const qint64 limit = base == 16 ? qint64(std::numeric_limits<quint32>::max())
                                    : qint64(std::numeric_limits<qint32>::max()) + (negative ? 1 : 0);
    qint64 number = 0;
    for (const char c : text) {
        const int digit = hexDigit(c);
        if (digit < 0 || digit >= base)
            return std::nullopt;
        number = number * base + digit;
        if (number > limit)
            return std::nullopt;
    }
    return negative ? -number : number;
}

bool readSwitch(const IniDocument &document, QByteArrayView key, bool fallback)
{
    const std::optional<QByteArray> text = document.value(section, key);
    if (!text)
        return fallback;
    const std::optional<qint64> number = profileInteger(*text);
    return number ? *number != 0 : fallback;
}

QByteArray switchText(bool on)
{
    return on ? QByteArrayLiteral("1") : QByteArrayLiteral("0");
}

AppError unableToWrite(const QString &path)
{
    return AppError(QStringLiteral("Unable to write to %1").arg(QDir::toNativeSeparators(path)));
}

} // namespace

SettingsValues SettingsFile::load(const QString &path)
{
    SettingsValues values;
    IniDocument document;
    try {
        document = IniDocument(FileIO::readWholeFile(path));
    } catch (const AppError &) {
        // As with the profile functions, a file that cannot be read gives the defaults.
        return values;
    }
    for (const SettingsValues::Key &key : SettingsValues::keysInReadingOrder()) {
        if (key.flag) {
            values.*key.flag = readSwitch(document, key.name, values.*key.flag);
        } else if (const std::optional<QByteArray> text = document.rawValue(section, key.name)) {
            values.*key.text = Windows1251::decode(text->first(std::min(text->size(), longestText)));
        }
    }
    // The two modes are radio buttons: turning "justname" on turns "twiname" off,
    // turning it off leaves "twiname" alone.
    if (values.plainNameMode)
        values.accountMode = false;
    return values;
}

void SettingsFile::save(const QString &path, const SettingsValues &values)
{
    const QByteArray address = Windows1251::encodeOrThrow(values.ownAccount);
    if (address.contains('\r') || address.contains('\n'))
        throw AppError(QStringLiteral("Адрес в твиттере не может содержать перевод строки"));

    IniDocument document;
    try {
        // Only a missing file starts empty: one that exists but cannot be read
        // must not be replaced by the seven keys alone.
        if (QFileInfo::exists(path))
            document = IniDocument(FileIO::readWholeFile(path));
        for (const SettingsValues::Key &key : SettingsValues::keys())
            document.setValue(section, key.name, key.flag ? switchText(values.*key.flag) : address);
        FileIO::writeWholeFile(path, document.toBytes());
    } catch (const AppError &) {
        throw unableToWrite(path);
    }
}

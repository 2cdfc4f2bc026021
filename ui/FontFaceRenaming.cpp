#include "ui/FontFaceRenaming.h"

#include <QtEndian>

#include <iterator>
#include <utility>

namespace {

constexpr int offsetTableSize = 12;
constexpr int tableRecordSize = 16;

quint16 read16(const QByteArray &data, int at)
{
    return qFromBigEndian<quint16>(data.constData() + at);
}

quint32 read32(const QByteArray &data, int at)
{
    return qFromBigEndian<quint32>(data.constData() + at);
}

void write32(QByteArray &data, int at, quint32 value)
{
    qToBigEndian(value, data.data() + at);
}

void append16(QByteArray &data, quint16 value)
{
    char bytes[2];
    qToBigEndian(value, bytes);
    data.append(bytes, 2);
}

// The naming table (format 0) with Windows Unicode records in US English:
// family (1), style (2), full name (4) and PostScript name (6).
QByteArray namingTable(const QString &family, const QString &style)
{
    const QString full = family + u' ' + style;
    QString postScript = family + u'-' + style;
    postScript.remove(u' ');
    const std::pair<quint16, QString> names[] = {{1, family}, {2, style}, {4, full}, {6, postScript}};
    const int count = int(std::size(names));

    QByteArray records;
    QByteArray strings;
    for (const auto &[nameId, text] : names) {
        const int offset = int(strings.size());
        for (const QChar character : text)
            append16(strings, character.unicode());
        for (quint16 field : {quint16(3), quint16(1), quint16(0x0409), nameId, quint16(strings.size() - offset),
                              quint16(offset)})
            append16(records, field);
    }
    QByteArray table;
    append16(table, 0);
    append16(table, quint16(count));
    append16(table, quint16(6 + records.size()));
    return table + records + strings;
}

quint32 checksum(const QByteArray &paddedTable)
{
    quint32 sum = 0;
    for (int at = 0; at + 4 <= paddedTable.size(); at += 4)
        sum += read32(paddedTable, at);
    return sum;
}

void padToFourBytes(QByteArray &data)
{
    while (data.size() % 4 != 0)
        data.append('\0');
}

// The offset of the table's record in the table directory, or -1.
int tableRecord(const QByteArray &fontData, const char *tag)
{
    if (fontData.size() < offsetTableSize)
        return -1;
    const quint32 version = read32(fontData, 0);
    if (version != 0x00010000 && version != 0x4F54544F) // TrueType or CFF ('OTTO'); not a collection
        return -1;
    const int end = offsetTableSize + read16(fontData, 4) * tableRecordSize;
    if (fontData.size() < end)
        return -1;
    for (int record = offsetTableSize; record < end; record += tableRecordSize) {
        if (fontData.mid(record, 4) == tag)
            return record;
    }
    return -1;
}

// Where the OS/2 table keeps the vendor, which font databases take as the foundry.
int vendorOffset(const QByteArray &fontData)
{
    constexpr int vendorInTable = 58;
    const int record = tableRecord(fontData, "OS/2");
    if (record < 0)
        return -1;
    const qint64 at = qint64(read32(fontData, record + 8)) + vendorInTable;
    return at + 4 <= fontData.size() ? int(at) : -1;
}

} // namespace

QByteArray FontFaceRenaming::vendor(const QByteArray &fontData)
{
    const int at = vendorOffset(fontData);
    return at < 0 ? QByteArray() : fontData.mid(at, 4);
}

QByteArray FontFaceRenaming::renamed(const QByteArray &fontData, const QString &family, const QString &style,
                                     const QByteArray &vendor)
{
    const int record = tableRecord(fontData, "name");
    const int vendorAt = vendorOffset(fontData);
    if (record < 0 || (vendor.size() == 4 && vendorAt < 0))
        return {};
    QByteArray table = namingTable(family, style);
    const int length = int(table.size());
    padToFourBytes(table);
    // One copy of the font: it is read at every start.
    QByteArray result;
    result.reserve(fontData.size() + 3 + table.size());
    result.append(fontData);
    if (vendor.size() == 4)
        result.replace(vendorAt, 4, vendor);
    // The old table stays where it is, unreferenced; the new one goes at the end.
    padToFourBytes(result);
    write32(result, record + 4, checksum(table));
    write32(result, record + 8, quint32(result.size()));
    write32(result, record + 12, quint32(length));
    return result.append(table);
}

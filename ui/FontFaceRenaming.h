#pragma once

#include <QByteArray>
#include <QString>

// Gives a TrueType or OpenType face another family and style name, so that a
// font database files it under that family.
class FontFaceRenaming
{
public:
    FontFaceRenaming() = delete;

    // The font data with a new naming table and, when four bytes are given,
    // the vendor of the face it joins (a database keeps one family per
    // foundry). Empty when the data is not a single sfnt face with the tables.
    static QByteArray renamed(const QByteArray &fontData, const QString &family, const QString &style,
                              const QByteArray &vendor);

    // The face's vendor (four bytes), or empty.
    static QByteArray vendor(const QByteArray &fontData);
};

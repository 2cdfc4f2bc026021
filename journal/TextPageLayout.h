#pragma once

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

// Lays lines out on pages the way a plain-text printer writes them: from the
// top-left corner of the printable area with no margin, a row of text
// advancing by its height plus two pixels, an empty row by the font's
// character height, long lines broken after the last character that fits and
// Tab moving on to the next multiple of eight average character widths.
// Measures come from outside, so the layout needs no printer or window.
class TextPageLayout
{
public:
    struct Metrics
    {
        int textHeight = 0;        // height of a row of text
        int characterHeight = 0;   // the font's character height
        int averageCharWidth = 0;
        std::function<int(const QString &)> width;
    };

    // One run of text without tabs or line ends; y is the top of its row.
    struct Piece
    {
        int x = 0;
        int y = 0;
        QString text;
    };
    using Page = QList<Piece>;

    // Each line is written followed by a line end; a CR LF, CR or LF inside a
    // line ends a row there too. pageWidth and pageHeight are the printable
    // area in device pixels. There is always at least one page, and a page
    // break that only empty rows would follow adds no blank sheet at the end.
    static QList<Page> layOut(const QStringList &lines, int pageWidth, int pageHeight, const Metrics &metrics);
};

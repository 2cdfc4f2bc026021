#include "journal/TextPrinter.h"

#include "base/AppError.h"
#include "journal/TextPageLayout.h"

#include <QColor>
#include <QFont>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

namespace TextPrinter {

namespace {

QString printerName(const QPrinter &printer)
{
    return printer.outputFileName().isEmpty() ? printer.printerName() : printer.outputFileName();
}

AppError printingFailed(const QPrinter &printer)
{
    return AppError(QStringLiteral("Печать на «%1» прервана из-за ошибки принтера.").arg(printerName(printer)));
}

AppError cannotStart(const QPrinter &printer)
{
    const QString name = printerName(printer);
    if (name.isEmpty())
        return AppError(QStringLiteral("Не удалось начать печать: принтер не выбран."));
    return AppError(QStringLiteral("Не удалось начать печать на «%1».").arg(name));
}

// Pixels of a screen font mean device pixels on the printer, which would
// print it tiny; points keep its size on paper.
QFont printerFont(const QFont &font)
{
    if (font.pixelSize() <= 0)
        return font;
    const QScreen *screen = QGuiApplication::primaryScreen();
    const qreal screenDpi = screen ? screen->logicalDotsPerInchY() : 96.0;
    QFont sized(font);
    sized.setPointSizeF(font.pixelSize() * 72.0 / screenDpi);
    return sized;
}

} // namespace

void print(QPrinter &printer, const QFont &font, const QColor &colour, const QStringList &lines)
{
    QPainter painter;
    if (!painter.begin(&printer))
        throw cannotStart(printer);
    painter.setFont(printerFont(font));
    painter.setPen(colour);

    const QFontMetrics fontMetrics = painter.fontMetrics();
    TextPageLayout::Metrics metrics;
    metrics.textHeight = fontMetrics.height();
    metrics.characterHeight = painter.fontInfo().pixelSize();
    metrics.averageCharWidth = fontMetrics.averageCharWidth();
    metrics.width = [&fontMetrics](const QString &text) { return fontMetrics.horizontalAdvance(text); };

    const QList<TextPageLayout::Page> pages = TextPageLayout::layOut(lines, printer.width(), printer.height(), metrics);
    for (qsizetype page = 0; page < pages.size(); ++page) {
        if (page > 0 && !printer.newPage()) {
            painter.end();
            throw printingFailed(printer);
        }
        for (const TextPageLayout::Piece &piece : pages[page])
            painter.drawText(QPoint(piece.x, piece.y + fontMetrics.ascent()), piece.text);
    }
    if (!painter.end() || printer.printerState() == QPrinter::Error)
        throw printingFailed(printer);
}

} // namespace TextPrinter

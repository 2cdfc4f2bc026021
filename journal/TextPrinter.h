#pragma once

#include <QStringList>

class QColor;
class QFont;
class QPrinter;

// Prints lines as a plain-text printer does, laid out by TextPageLayout: one
// print job, each line followed by a line end. The journal and the favourites
// both print through here.
namespace TextPrinter {

// A font sized in pixels is taken as sized for the screen and printed at the
// same physical size. A job is started and ended even for no lines. A printer
// that cannot start or fails mid-job throws AppError; pages sent before the
// failure may already be printing.
void print(QPrinter &printer, const QFont &font, const QColor &colour, const QStringList &lines);

} // namespace TextPrinter

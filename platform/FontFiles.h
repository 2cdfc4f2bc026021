#pragma once

#include <QString>

namespace platform {

// The outline Tahoma file with Cyrillic that this system carries outside the
// folders its font configuration scans; empty where there is none.
QString tahomaRegularFontFile();

// A bold face with truly heavier strokes and Tahoma's narrow widths, to serve
// as Tahoma's bold; empty where it is not installed.
QString heavyBoldFontFile();

} // namespace platform

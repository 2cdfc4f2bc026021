#pragma once

#include <QStringList>

namespace platform {

// Outline Tahoma files with Cyrillic that this system carries outside the
// folders its font configuration scans; empty where Tahoma is a system font.
QStringList tahomaFontFiles();

} // namespace platform

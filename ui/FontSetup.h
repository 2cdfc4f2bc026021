#pragma once

#include <QFont>

// Makes the program's font families render Cyrillic cleanly where they are not
// installed, by loading or substituting close relatives, and lays text out
// without OpenType shaping, which its text does not need.
class FontSetup
{
public:
    FontSetup() = delete;

    // Call once, after the application object exists and before any window.
    static void install();

    // Tahoma at a size in pixels, the face most of the program's text uses.
    static QFont tahoma(int pixelSize, bool bold = false);
};

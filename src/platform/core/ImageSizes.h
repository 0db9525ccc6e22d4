#pragma once

#include <QSize>

// The pixel sizes of the program's pictures in the small and the large
// layout. Layouts that place pictures need only these, not the pictures, so
// they stay free of the GUI libraries.
struct ImageSizes
{
    static constexpr int TaskIconSize(bool large) { return large ? 16 : 12; } // square
    static constexpr int DayMarkIconSize(bool large) { return large ? 11 : 7; } // square
    static constexpr int GlyphSize(bool large) { return large ? 16 : 12; } // G, square
    static constexpr QSize PriorityMarkSize(bool large) { return large ? QSize(9, 16) : QSize(7, 12); }
    static constexpr QSize NoteMarkSize(bool large) { return large ? QSize(10, 12) : QSize(7, 8); }
    static constexpr int PriorityImageSize(bool large) { return large ? 24 : 12; } // square
    static constexpr QSize SkinSize(bool large) { return large ? QSize(10, 40) : QSize(10, 20); }
    static constexpr QSize ToolbarImageSize(bool large) { return large ? QSize(32, 30) : QSize(16, 15); }
    static constexpr int NavImageSize(bool large) { return large ? 32 : 16; } // square
    static constexpr int TabImageSize(bool large) { return large ? 16 : 12; } // square
};

#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The program's own pictures: task icons, the glyph strips of the task lists,
// day marks, button skins, toolbar, navigation and tab images, and the icons
// of the program and of its data files. Every picture is drawn as SVG for the
// exact pixel size of the small or the large layout (callers pass
// ScreenClass::IsLarge()) and rendered once per size at device pixel ratio 1;
// later calls return the same cached pixmap. An index out of range gives a
// null pixmap, which draws nothing.
class Images
{
public:
    // Frames of the glyph strip (check box and expand box), G x G each.
    enum GlyphFrame { GlyphUnchecked = 0, GlyphChecked = 1, GlyphCollapsed = 2, GlyphExpanded = 3,
                      GlyphFrameCount = 4 };
    // Frames of the priority-mark strip; normal priority has no mark.
    enum PriorityMarkFrame { PriorityMarkHigh = 0, PriorityMarkLow = 1, PriorityMarkCount = 2 };
    // Icons of the day-mark strip.
    enum DayMarkIconIndex { DayMarkFlight = 0, DayMarkNote = 1, DayMarkIconCount = 2 };

    enum class ToolbarButton { Save, NewTask, MoveUp, MoveDown, DeleteTask };
    enum class NavButton { Today, Back, Forward };

    // Task icons 1 .. TaskIconCount() - 1; number 0 means "no icon" and gives
    // a null pixmap. TaskIconCount() includes that empty 0.
    static QPixmap TaskIcon(int number, bool large);
    static int TaskIconCount();
    static int TaskIconSize(bool large);                // 12 or 16, square

    static QPixmap DayMarkIcon(int index, bool large);
    static int DayMarkIconSize(bool large);             // 7 or 11, square

    static QPixmap Glyph(int frame, bool large);
    static int GlyphSize(bool large);                   // G: 12 or 16, square

    static QPixmap PriorityMark(int frame, bool large);
    static QSize PriorityMarkSize(bool large);          // 7 x 12 or 9 x 16

    static QPixmap NoteMark(bool large);
    static QSize NoteMarkSize(bool large);              // 7 x 8 or 10 x 12

    // The priority button's picture of a priority value: 1 high, 0 normal, -1 low.
    static QPixmap PriorityImage(int priority, bool large);
    static int PriorityImageSize(bool large);           // 12 or 24, square

    // Background of the owner-drawn buttons: left 3 px, a middle 4 px slice
    // that repeats, right 3 px; transparent outside the rounded frame.
    static QPixmap Skin(bool pressed, bool large);
    static QSize SkinSize(bool large);                  // 10 x 20 or 10 x 40

    static QPixmap ToolbarImage(ToolbarButton which, bool large);
    static QSize ToolbarImageSize(bool large);          // 16 x 15 or 32 x 30

    static QPixmap NavImage(NavButton which, bool large);
    static int NavImageSize(bool large);                // 16 or 32, square

    // View-mode tab images: 0 Month, 1 Week, 2 List, 3 No Date.
    static QPixmap TabImage(int mode, bool large);
    static int TabImageSize(bool large);                // 12 or 16, square

    // Window icon and the icon of ".vrx" files, in the usual icon sizes.
    static QIcon AppIcon();
    static QIcon DataFileIcon();
    // The scalable pictures behind them, for installing into an icon theme.
    static QString AppIconResource();
    static QString DataFileIconResource();
};

#pragma once

#include "platform/core/ImageSizes.h"

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
// null pixmap, which draws nothing. The sizes come from ImageSizes.
class Images : public ImageSizes
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

    static QPixmap DayMarkIcon(int index, bool large);

    static QPixmap Glyph(int frame, bool large);

    static QPixmap PriorityMark(int frame, bool large);

    static QPixmap NoteMark(bool large);

    // The priority button's picture of a priority value: 1 high, 0 normal, -1 low.
    static QPixmap PriorityImage(int priority, bool large);

    // Background of the owner-drawn buttons: left 3 px, a middle 4 px slice
    // that repeats, right 3 px; transparent outside the rounded frame.
    static QPixmap Skin(bool pressed, bool large);

    static QPixmap ToolbarImage(ToolbarButton which, bool large);

    static QPixmap NavImage(NavButton which, bool large);

    // View-mode tab images: 0 Month, 1 Week, 2 List, 3 No Date.
    static QPixmap TabImage(int mode, bool large);

    // Window icon and the icon of ".vrx" files, in the usual icon sizes.
    static QIcon AppIcon();
    static QIcon DataFileIcon();
    // The scalable pictures behind them, for installing into an icon theme.
    static QString AppIconResource();
    static QString DataFileIconResource();
};

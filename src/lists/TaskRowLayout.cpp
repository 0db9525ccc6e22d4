#include "lists/TaskRowLayout.h"

#include "platform/core/ImageSizes.h"

TaskRowLayout TaskRowLayout::Make(bool large, bool grouped, bool showIcon, bool showCheckBox, int w0, int w1, int w2)
{
    TaskRowLayout l;
    l.large = large;
    l.grouped = grouped;
    l.showIcon = showIcon;
    l.showCheckBox = showCheckBox;
    l.glyph = ImageSizes::GlyphSize(large);
    l.indent = grouped ? (large ? 12 : 6) : 0;
    l.markWidth = ImageSizes::PriorityMarkSize(large).width();
    l.iconSize = ImageSizes::TaskIconSize(large);
    l.noteWidth = ImageSizes::NoteMarkSize(large).width();
    l.noteHeight = ImageSizes::NoteMarkSize(large).height();
    l.w0 = w0;
    l.w1 = w1;
    l.w2 = w2;

    // Each part starts one pixel right of the separator before it; the mark
    // keeps its place whether or not the task has one.
    int x = l.indent;
    l.markX = x + 1;
    x += l.markWidth + 2;
    l.markSep = x;
    if (showIcon) {
        l.iconX = x + 1;
        x += l.iconSize + 2;
        l.iconSep = x;
    }
    if (showCheckBox) {
        l.checkX = x + 1;
        x += l.glyph + 1;
        l.checkSep = x;
    }
    l.titleLeft = x + 3;
    l.titleRight = w0 - 2;
    return l;
}

void TaskRowLayout::ZoneSpan(Zone zone, int& first, int& last) const
{
    const int afterMark = indent + markWidth + 2;
    const int checkStart = afterMark + (showIcon ? iconSize + 2 : 0);
    switch (zone) {
    case Zone::Priority:
        first = indent;
        last = afterMark;
        return;
    case Zone::Icon:
        first = afterMark;
        last = indent + markWidth + iconSize + 4;
        return;
    case Zone::CheckBox:
        first = checkStart;
        last = checkStart + glyph + 2;
        return;
    case Zone::Category:
        first = w0;
        last = w0 + w1;
        return;
    case Zone::Date:
        first = w0 + w1;
        last = w0 + w1 + w2 + 2;
        return;
    case Zone::ExpandBox:
        first = 0;
        last = glyph + 4;
        return;
    case Zone::None:
        break;
    }
    first = 0;
    last = -1;
}

TaskRowLayout::Zone TaskRowLayout::TaskZone(int x) const
{
    static constexpr Zone kOrder[] = {Zone::Priority, Zone::Icon, Zone::CheckBox, Zone::Category, Zone::Date};
    for (const Zone zone : kOrder) {
        if ((zone == Zone::Icon && !showIcon) || (zone == Zone::CheckBox && !showCheckBox))
            continue;
        int first = 0;
        int last = 0;
        ZoneSpan(zone, first, last);
        if (x >= first && x <= last)
            return zone;
    }
    return Zone::None;
}

TaskRowLayout::Zone TaskRowLayout::GroupZone(int x) const
{
    return x <= glyph + 4 ? Zone::ExpandBox : Zone::None;
}

QRect TaskRowLayout::FeedbackRect(Zone zone, const QRect& row) const
{
    int first = 0;
    int last = -1;
    ZoneSpan(zone, first, last);
    if (last < first)
        return QRect();
    return QRect(QPoint(first, row.top() + 2), QPoint(last, row.bottom() - 2));
}

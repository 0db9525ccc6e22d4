#pragma once

#include <QRect>

// Where the parts of a task-tree row lie across its width, computed once
// from the column widths, the picture sizes of the screen class and the
// settings; painting and hit testing both read it. x is in tree client
// coordinates.
//
// A task row: indent I (grouped trees only), priority mark (P wide) and a
// separator, the task's icon (C) and a separator when icons are shown, the
// check box (G) and a separator when check boxes are shown, then the title
// up to column 0's right edge, the category column and the date column.
struct TaskRowLayout
{
    // Hit zones of a row, tested in this order on a task row; a group row
    // has only its expand box.
    enum class Zone { None, Priority, Icon, CheckBox, Category, Date, ExpandBox };

    bool large = true;
    bool grouped = false;
    bool showIcon = true;
    bool showCheckBox = true;
    int glyph = 16;    // G: check box and expand box
    int indent = 0;    // I: 12 or 6 in a grouped tree, else 0
    int markWidth = 9; // P
    int iconSize = 16; // C
    int noteWidth = 10;
    int noteHeight = 12;
    int w0 = 0;        // column widths
    int w1 = 0;
    int w2 = 0;

    // Painting positions.
    int markX = 0;      // the priority mark's left edge
    int markSep = 0;    // separator after the mark
    int iconX = 0;
    int iconSep = 0;
    int checkX = 0;
    int checkSep = 0;
    int titleLeft = 0;  // the title's text starts here
    int titleRight = 0; // column 0 width - 2

    static TaskRowLayout Make(bool large, bool grouped, bool showIcon, bool showCheckBox, int w0, int w1, int w2);

    int ColumnsRight() const { return w0 + w1 + w2; }
    // The group row's fill ends here (date groups reach 2 pixels further).
    int GroupFillRight(bool dateGroup) const { return ColumnsRight() + (dateGroup ? 2 : 0); }
    // The group row's text starts here.
    int GroupTextLeft() const { return glyph + 6; }

    // The zone of a task row under x, None when x lies in none.
    Zone TaskZone(int x) const;
    // x lies in the indent of a task row of a grouped tree.
    bool InIndent(int x) const { return grouped && x < indent + 2; }
    // ExpandBox or None for a group row.
    Zone GroupZone(int x) const;
    // The x range [first, last] of a zone.
    void ZoneSpan(Zone zone, int& first, int& last) const;
    // The press-feedback outline of a zone in a row: its span, 2 pixels
    // inside the row's top and bottom.
    QRect FeedbackRect(Zone zone, const QRect& row) const;
};

#pragma once

#include "model/PackedDate.h"

#include <QRect>
#include <QSize>

#include <vector>

// Where everything of the calendar surface lies for one surface size, row
// height, week start and selected day: the weekday header, the week-number
// column, the day cells with their dates, the grid lines and the selection.
// Painting and hit testing both work from it, so a tap selects the day that
// was drawn under it.
//
// Rectangles follow the surface's pixel grid: a cell spans its left and top
// pixel up to, but not including, the left and top pixel of its neighbours.
// The header row is Hh = the date-number font height; the eight columns are
// C = W / 8 wide, the seven day columns flush right and the week-number
// column taking the rest, X0 = W - 7C - 1.
class CalendarLayout
{
public:
    // Day cells of the month grid before the 1st, in the month, after it.
    // The week row has only month cells: other months get no colouring there.
    enum class CellKind { PreviousMonth, ThisMonth, NextMonth };

    struct Cell
    {
        QRect rect;
        PackedDate date = kNoDate;
        CellKind kind = CellKind::ThisMonth;
        int row = 0;
        int column = 0;
    };

    // weekRow: the single week row, otherwise the six-week month grid.
    // selected is the view's selected day with its week-selection flag (0 =
    // none: the grid shows today's month or week and nothing is framed).
    CalendarLayout(bool weekRow, QSize size, int headerHeight, int rowHeight, int startWeekDay,
                   PackedDate selected, PackedDate today);

    // The number of previous-month days before the 1st plus one: the cell
    // number (1..42) of the 1st. At least one previous-month day always shows,
    // so a month starting on the week's first day begins in the second row.
    static int FirstDayCell(PackedDate firstOfMonth, int startWeekDay);

    bool IsWeekRow() const { return m_weekRow; }
    int Width() const { return m_width; }
    int HeaderHeight() const { return m_headerHeight; }
    int ColumnWidth() const { return m_columnWidth; }
    int WeekColumnWidth() const { return m_x0; }
    int RowHeight() const { return m_rowHeight; }
    int RowCount() const { return m_weekRow ? 1 : 6; }
    // The day whose month or week is shown: the selected day without flags,
    // or today when none is selected.
    PackedDate BaseDate() const { return m_base; }

    // Header: the day-name row over the day columns and its corner over the
    // week-number column; column j (0..6) names HeaderWeekday(j).
    QRect HeaderRect() const;
    QRect HeaderCorner() const;
    QRect HeaderColumn(int column) const;
    int HeaderWeekday(int column) const;
    // Saturday and Sunday, wherever the week start puts them.
    bool IsWeekendColumn(int column) const;

    // The grey week-number column from the header down to the surface bottom.
    QRect WeekColumn() const;
    // The week-number cell of a row, and where its "w%ld" label goes.
    QRect WeekCell(int row) const;
    QRect WeekLabelRect(int row) const;
    // The day whose week number labels the row: the row's last day in the
    // month grid, the selected day in the week row.
    PackedDate WeekLabelDate(int row) const;

    // 42 cells row by row, or the 7 cells of the week row.
    const std::vector<Cell>& Cells() const { return m_cells; }

    // One-pixel rectangles of the grid lines.
    std::vector<QRect> GridLines() const;

    // The rectangle the selection frame goes around: the selected day's cell,
    // or its row's week-number cell when the whole week is selected. Null
    // when no day is selected.
    QRect SelectionRect() const { return m_selection; }

    // The date a tap at a point selects, with the week-selection flag when
    // the week-number column was hit; 0 when the point selects nothing.
    PackedDate HitDate(QPoint point) const;

private:
    void BuildMonth(PackedDate selected);
    void BuildWeek(PackedDate selected);
    PackedDate HitMonth(QPoint point) const;
    PackedDate HitWeek(QPoint point) const;

    bool m_weekRow;
    int m_width;
    int m_height;
    int m_headerHeight;
    int m_rowHeight;
    int m_startWeekDay;
    int m_columnWidth;
    int m_x0;
    PackedDate m_base;
    int m_firstCell = 1;
    std::vector<Cell> m_cells;
    QRect m_selection;
};

#include "views/CalendarLayout.h"

#include <algorithm>

namespace {

constexpr int kDaysPerWeek = 7;
constexpr int kMonthRows = 6;

// A rectangle from its left/top pixel to the pixels just past its right and bottom.
QRect Ltrb(int left, int top, int right, int bottom)
{
    return QRect(left, top, right - left, bottom - top);
}

bool StartsSunday(int startWeekDay)
{
    return startWeekDay == kWeekStartsSunday;
}

// Day n (may be past either end) counted from the 1st of a month.
PackedDate DayOfMonthCounted(PackedDate firstOfMonth, int day)
{
    const int length = DaysInMonthOf(firstOfMonth);
    if (day < 1) {
        const PackedDate previous = PrevMonth(firstOfMonth);
        return MakeDate(YearOf(previous), MonthOf(previous), DaysInMonthOf(previous) + day);
    }
    if (day > length) {
        const PackedDate next = NextMonth(firstOfMonth);
        return MakeDate(YearOf(next), MonthOf(next), day - length);
    }
    return MakeDate(YearOf(firstOfMonth), MonthOf(firstOfMonth), day);
}

} // namespace

CalendarLayout::CalendarLayout(bool weekRow, QSize size, int headerHeight, int rowHeight, int startWeekDay,
                               PackedDate selected, PackedDate today)
    : m_weekRow(weekRow)
    , m_width(size.width())
    , m_height(size.height())
    , m_headerHeight(headerHeight)
    , m_rowHeight(std::max(1, rowHeight))
    , m_startWeekDay(startWeekDay)
    , m_columnWidth(std::max(0, size.width()) / 8)
    , m_x0(size.width() - kDaysPerWeek * m_columnWidth - 1)
    , m_base(StripFlags(selected) != kNoDate ? StripFlags(selected) : StripFlags(today))
{
    if (m_weekRow)
        BuildWeek(selected);
    else
        BuildMonth(selected);
}

int CalendarLayout::FirstDayCell(PackedDate firstOfMonth, int startWeekDay)
{
    const int w = DayOfWeek(firstOfMonth);
    if (StartsSunday(startWeekDay))
        return w == Sunday ? 8 : w;
    if (w == Monday)
        return 8;
    return w == Sunday ? 7 : w - 1;
}

void CalendarLayout::BuildMonth(PackedDate selected)
{
    const PackedDate first = FirstOfMonth(m_base);
    m_firstCell = FirstDayCell(first, m_startWeekDay);
    const bool hasSelection = StripFlags(selected) != kNoDate;
    const int length = DaysInMonthOf(first);
    m_cells.reserve(kMonthRows * kDaysPerWeek);
    for (int k = 1; k <= kMonthRows * kDaysPerWeek; ++k) {
        Cell cell;
        cell.row = (k - 1) / kDaysPerWeek;
        cell.column = (k - 1) % kDaysPerWeek;
        const int left = m_x0 + cell.column * m_columnWidth;
        const int top = m_headerHeight + cell.row * m_rowHeight;
        cell.rect = Ltrb(left, top, left + m_columnWidth, top + m_rowHeight);
        const int day = k - m_firstCell + 1;
        cell.kind = day < 1 ? CellKind::PreviousMonth : (day > length ? CellKind::NextMonth : CellKind::ThisMonth);
        cell.date = DayOfMonthCounted(first, day);
        if (hasSelection && cell.date == m_base)
            m_selection = HasWeekFlag(selected) ? WeekCell(cell.row) : cell.rect;
        m_cells.push_back(cell);
    }
}

void CalendarLayout::BuildWeek(PackedDate selected)
{
    const PackedDate first = WeekStart(m_base, m_startWeekDay);
    const bool hasSelection = StripFlags(selected) != kNoDate;
    m_cells.reserve(kDaysPerWeek);
    for (int c = 0; c < kDaysPerWeek; ++c) {
        Cell cell;
        cell.column = c;
        const int left = m_x0 + c * m_columnWidth;
        cell.rect = Ltrb(left, m_headerHeight, left + m_columnWidth, m_headerHeight + m_rowHeight);
        cell.date = c == 0 ? first : AddDays(first, c);
        if (hasSelection && cell.date == m_base)
            m_selection = HasWeekFlag(selected) ? WeekCell(0) : cell.rect;
        m_cells.push_back(cell);
    }
}

QRect CalendarLayout::HeaderRect() const
{
    return Ltrb(m_x0, 0, m_width, m_headerHeight);
}

QRect CalendarLayout::HeaderCorner() const
{
    return Ltrb(0, 0, m_x0, m_headerHeight);
}

QRect CalendarLayout::HeaderColumn(int column) const
{
    const int left = m_x0 + column * m_columnWidth;
    return Ltrb(left, 0, left + m_columnWidth, m_headerHeight);
}

int CalendarLayout::HeaderWeekday(int column) const
{
    // Weeks starting Monday put Sunday last.
    if (StartsSunday(m_startWeekDay))
        return Sunday + column;
    return column == kDaysPerWeek - 1 ? Sunday : Monday + column;
}

bool CalendarLayout::IsWeekendColumn(int column) const
{
    const int weekday = HeaderWeekday(column);
    return weekday == Saturday || weekday == Sunday;
}

QRect CalendarLayout::WeekColumn() const
{
    return Ltrb(0, m_headerHeight, m_x0, m_height);
}

QRect CalendarLayout::WeekCell(int row) const
{
    const int top = m_headerHeight + row * m_rowHeight;
    return Ltrb(0, top, m_x0, top + m_rowHeight);
}

QRect CalendarLayout::WeekLabelRect(int row) const
{
    // The label stays inside the week-number column, so a wide one never
    // runs into the first day.
    return WeekCell(row).adjusted(3, 0, 0, 0);
}

PackedDate CalendarLayout::WeekLabelDate(int row) const
{
    if (m_weekRow)
        return m_base;
    return m_cells[size_t(row * kDaysPerWeek + kDaysPerWeek - 1)].date;
}

std::vector<QRect> CalendarLayout::GridLines() const
{
    std::vector<QRect> lines;
    const int rows = RowCount();
    const int bottom = m_headerHeight + rows * m_rowHeight + 1;
    for (int i = 0; i <= rows; ++i) {
        const int y = m_headerHeight + i * m_rowHeight;
        lines.push_back(Ltrb(0, y, m_width - 1, y + 1));
    }
    if (!m_weekRow)
        lines.push_back(Ltrb(0, m_headerHeight, 1, bottom));
    for (int j = 0; j < kDaysPerWeek; ++j) {
        const int x = m_x0 + j * m_columnWidth;
        lines.push_back(Ltrb(x, m_headerHeight, x + 1, bottom));
    }
    return lines;
}

PackedDate CalendarLayout::HitDate(QPoint point) const
{
    // A button released after dragging off the surface selects nothing.
    if (point.y() < m_headerHeight || point.x() < 0 || point.x() >= m_width || point.y() >= m_height
        || m_columnWidth <= 0)
        return kNoDate;
    return m_weekRow ? HitWeek(point) : HitMonth(point);
}

PackedDate CalendarLayout::HitMonth(QPoint point) const
{
    // Below the bottom grid line nothing is drawn, so nothing is hit there.
    if (point.y() > m_headerHeight + kMonthRows * m_rowHeight)
        return kNoDate;
    bool weekColumn = false;
    int column = 0;
    if (point.x() >= m_x0)
        column = std::min((point.x() - m_x0) / m_columnWidth, kDaysPerWeek - 1);
    else
        weekColumn = true;
    // Taps on the lower edge of a row count for the row below it, except in
    // the last row, which has no row below it on the surface.
    const int row = std::min((point.y() - m_headerHeight + 2) / m_rowHeight, kMonthRows - 1);
    const int day = kDaysPerWeek * row - m_firstCell + column + 2;
    const PackedDate first = FirstOfMonth(m_base);
    // The week of a first row that reaches into the month is picked by its 1st.
    PackedDate date = weekColumn && day < 1 && day > -6 ? first : DayOfMonthCounted(first, day);
    SetWeekFlag(date, weekColumn);
    return date;
}

PackedDate CalendarLayout::HitWeek(QPoint point) const
{
    if (point.x() > m_x0) {
        // Columns are counted from the surface's left edge; the right-most
        // pixels past the eighth column still belong to the last day.
        const int column = std::min(point.x() / m_columnWidth - 1, kDaysPerWeek - 1);
        return m_cells[size_t(column)].date;
    }
    PackedDate monday = MondayOfWeek(m_base, m_startWeekDay);
    SetWeekFlag(monday, true);
    return monday;
}

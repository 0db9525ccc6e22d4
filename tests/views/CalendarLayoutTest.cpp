#include "views/CalendarLayout.h"

#include "support/TestTables.h"

#include <gtest/gtest.h>

namespace {

using testtables::PrintTo;
using Kind = CalendarLayout::CellKind;

// A 480-pixel surface: columns of C = 60, the week-number column X0 = 59
// wide, a 20-pixel header and 30-pixel rows.
constexpr int kWidth = 480;
constexpr int kHeader = 20;
constexpr int kRow = 30;
constexpr int kMonthHeight = kHeader + 6 * kRow + 1;
constexpr int kWeekHeight = kHeader + kRow + 1;
constexpr int kSunday = kWeekStartsSunday;
constexpr int kMonday = kWeekStartsMonday;

const PackedDate kToday = MakeDate(2009, 6, 10);

PackedDate D(int year, int month, int day)
{
    return MakeDate(year, month, day);
}

PackedDate Week(PackedDate date)
{
    SetWeekFlag(date, true);
    return date;
}

CalendarLayout Month(int start, PackedDate selected, QSize size = {kWidth, kMonthHeight})
{
    return CalendarLayout(false, size, kHeader, kRow, start, selected, kToday);
}

CalendarLayout WeekRow(int start, PackedDate selected, QSize size = {kWidth, kWeekHeight})
{
    return CalendarLayout(true, size, kHeader, kRow, start, selected, kToday);
}

// The middle of day cell (row, column).
QPoint Centre(int row, int column)
{
    return {59 + 60 * column + 30, kHeader + kRow * row + kRow / 2};
}

// A point in the week-number column of a row.
QPoint WeekCellOf(int row)
{
    return {30, kHeader + kRow * row + kRow / 2};
}

TEST(CalendarLayoutTest, FirstDayCellAlwaysLeavesPreviousMonthDaysBeforeTheFirst)
{
    struct Row
    {
        const char* name;
        PackedDate first;
        int sundayStart;
        int mondayStart;
    };
    const Row rows[] = {
        {"FirstOnSunday", D(2009, 3, 1), 8, 7},    {"FirstOnMonday", D(2009, 6, 1), 2, 8},
        {"FirstOnTuesday", D(2009, 9, 1), 3, 2},   {"FirstOnWednesday", D(2009, 4, 1), 4, 3},
        {"FirstOnThursday", D(2009, 1, 1), 5, 4},  {"FirstOnFriday", D(2009, 5, 1), 6, 5},
        {"FirstOnSaturday", D(2009, 8, 1), 7, 6},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(CalendarLayout::FirstDayCell(row.first, kSunday), row.sundayStart);
        EXPECT_EQ(CalendarLayout::FirstDayCell(row.first, kMonday), row.mondayStart);
    }
}

TEST(CalendarLayoutTest, MonthGridHoldsSixWeeksAroundTheMonth)
{
    // June 2009 begins on a Monday: with weeks starting Monday a whole row of May comes first.
    const CalendarLayout layout = Month(kMonday, D(2009, 6, 17));
    const auto& cells = layout.Cells();
    ASSERT_EQ(cells.size(), 42u);
    EXPECT_EQ(layout.ColumnWidth(), 60);
    EXPECT_EQ(layout.WeekColumnWidth(), 59);
    EXPECT_EQ(cells[0].date, D(2009, 5, 25));
    EXPECT_EQ(cells[0].kind, Kind::PreviousMonth);
    EXPECT_EQ(cells[6].date, D(2009, 5, 31));
    EXPECT_EQ(cells[7].date, D(2009, 6, 1));
    EXPECT_EQ(cells[7].kind, Kind::ThisMonth);
    EXPECT_EQ(cells[36].date, D(2009, 6, 30));
    EXPECT_EQ(cells[36].kind, Kind::ThisMonth);
    EXPECT_EQ(cells[37].date, D(2009, 7, 1));
    EXPECT_EQ(cells[37].kind, Kind::NextMonth);
    EXPECT_EQ(cells[41].date, D(2009, 7, 5));
    EXPECT_EQ(cells[8].rect, QRect(119, 50, 60, 30));
    EXPECT_EQ(cells[8].row, 1);
    EXPECT_EQ(cells[8].column, 1);
    // Each row is labelled with the week of its last day.
    EXPECT_EQ(layout.WeekLabelDate(0), D(2009, 5, 31));
    EXPECT_EQ(layout.WeekLabelDate(5), D(2009, 7, 5));
    EXPECT_EQ(layout.WeekLabelRect(1), QRect(3, 50, 56, 30));
}

TEST(CalendarLayoutTest, NoSelectionShowsTodaysMonthWithoutFrame)
{
    const CalendarLayout layout = Month(kSunday, kNoDate);
    EXPECT_EQ(layout.BaseDate(), kToday);
    EXPECT_EQ(layout.Cells()[0].date, D(2009, 5, 31));
    EXPECT_TRUE(layout.SelectionRect().isNull());
    EXPECT_TRUE(WeekRow(kSunday, kNoDate).SelectionRect().isNull());
}

TEST(CalendarLayoutTest, SelectionFramesTheDayOrItsWeekCell)
{
    // 17 June 2009 is a Wednesday in the third row when weeks start Sunday.
    EXPECT_EQ(Month(kSunday, D(2009, 6, 17)).SelectionRect(), QRect(59 + 3 * 60, 80, 60, 30));
    EXPECT_EQ(Month(kSunday, Week(D(2009, 6, 17))).SelectionRect(), QRect(0, 80, 59, 30));
    EXPECT_EQ(WeekRow(kSunday, D(2009, 6, 17)).SelectionRect(), QRect(59 + 3 * 60, 20, 60, 30));
    EXPECT_EQ(WeekRow(kSunday, Week(D(2009, 6, 17))).SelectionRect(), QRect(0, 20, 59, 30));
}

TEST(CalendarLayoutTest, WeekRowShowsTheWeekOfTheSelectedDay)
{
    const CalendarLayout sunday = WeekRow(kSunday, D(2009, 6, 14));
    ASSERT_EQ(sunday.Cells().size(), 7u);
    EXPECT_EQ(sunday.Cells()[0].date, D(2009, 6, 14));
    EXPECT_EQ(sunday.Cells()[6].date, D(2009, 6, 20));
    const CalendarLayout monday = WeekRow(kMonday, D(2009, 6, 14));
    EXPECT_EQ(monday.Cells()[0].date, D(2009, 6, 8));
    EXPECT_EQ(monday.Cells()[6].date, D(2009, 6, 14));
    EXPECT_EQ(monday.Cells()[0].rect, QRect(59, 20, 60, 30));
    // The week row is labelled with the selected day's week, not its last day's.
    EXPECT_EQ(monday.WeekLabelDate(0), D(2009, 6, 14));
}

TEST(CalendarLayoutTest, HeaderNamesFollowTheWeekStart)
{
    const CalendarLayout sunday = Month(kSunday, D(2009, 6, 1));
    const CalendarLayout monday = Month(kMonday, D(2009, 6, 1));
    const int sundayOrder[] = {Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday};
    const int mondayOrder[] = {Monday, Tuesday, Wednesday, Thursday, Friday, Saturday, Sunday};
    for (int column = 0; column < 7; ++column) {
        EXPECT_EQ(sunday.HeaderWeekday(column), sundayOrder[column]) << column;
        EXPECT_EQ(monday.HeaderWeekday(column), mondayOrder[column]) << column;
        EXPECT_EQ(sunday.IsWeekendColumn(column), column == 0 || column == 6) << column;
        EXPECT_EQ(monday.IsWeekendColumn(column), column == 5 || column == 6) << column;
    }
    EXPECT_EQ(sunday.HeaderRect(), QRect(59, 0, 421, 20));
    EXPECT_EQ(sunday.HeaderCorner(), QRect(0, 0, 59, 20));
    EXPECT_EQ(sunday.HeaderColumn(2), QRect(179, 0, 60, 20));
}

TEST(CalendarLayoutTest, GridLinesRunAlongRowTopsAndColumnLefts)
{
    const std::vector<QRect> month = Month(kSunday, D(2009, 6, 1)).GridLines();
    ASSERT_EQ(month.size(), 15u);
    EXPECT_EQ(month[0], QRect(0, 20, 479, 1));
    EXPECT_EQ(month[6], QRect(0, 200, 479, 1));
    EXPECT_EQ(month[7], QRect(0, 20, 1, 181));
    EXPECT_EQ(month[8], QRect(59, 20, 1, 181));
    EXPECT_EQ(month[14], QRect(419, 20, 1, 181));
    const std::vector<QRect> week = WeekRow(kSunday, D(2009, 6, 1)).GridLines();
    ASSERT_EQ(week.size(), 9u);
    EXPECT_EQ(week[1], QRect(0, 50, 479, 1));
    EXPECT_EQ(week[2], QRect(59, 20, 1, 31));
}

struct HitRow
{
    const char* name;
    bool weekRow;
    int start;
    PackedDate selected;
    QSize size;
    QPoint point;
    PackedDate expected;
};

class CalendarLayoutHitTest : public testing::TestWithParam<HitRow>
{
};

TEST_P(CalendarLayoutHitTest, PointSelectsTheDrawnDay)
{
    const HitRow& row = GetParam();
    const CalendarLayout layout(row.weekRow, row.size, kHeader, kRow, row.start, row.selected, kToday);
    EXPECT_EQ(layout.HitDate(row.point), row.expected);
}

const QSize kMonthSize{kWidth, kMonthHeight};
const QSize kWeekSize{kWidth, kWeekHeight};
const PackedDate kJune17 = MakeDate(2009, 6, 17);
const PackedDate kMarch15 = MakeDate(2009, 3, 15);

// June 2009 starts on a Monday (Sunday start: K = 2; Monday start: K = 8);
// March 2009 on a Sunday (Sunday start: K = 8; Monday start: K = 7).
const HitRow kMonthHits[] = {
    {"HeaderHitsNothing", false, kSunday, kJune17, kMonthSize, {200, 5}, kNoDate},
    {"SundayStartPreviousMonthCell", false, kSunday, kJune17, kMonthSize, Centre(0, 0), D(2009, 5, 31)},
    {"SundayStartFirstOfMonth", false, kSunday, kJune17, kMonthSize, Centre(0, 1), D(2009, 6, 1)},
    {"SundayStartNextMonthCell", false, kSunday, kJune17, kMonthSize, Centre(5, 6), D(2009, 7, 11)},
    {"SundayStartWeekCellOfMixedFirstRowPicksTheFirst", false, kSunday, kJune17, kMonthSize, WeekCellOf(0),
     Week(D(2009, 6, 1))},
    {"SundayStartWeekCellOfLaterRow", false, kSunday, kJune17, kMonthSize, WeekCellOf(2), Week(D(2009, 6, 14))},
    {"SundayStartWeekCellOfNextMonthRow", false, kSunday, kJune17, kMonthSize, WeekCellOf(5), Week(D(2009, 7, 5))},
    {"SundayStartWholePreviousMonthRowCell", false, kSunday, kMarch15, kMonthSize, Centre(0, 6), D(2009, 2, 28)},
    {"SundayStartWeekCellOfWholePreviousMonthRow", false, kSunday, kMarch15, kMonthSize, WeekCellOf(0),
     Week(D(2009, 2, 22))},
    {"MondayStartWholePreviousMonthRowCell", false, kMonday, kJune17, kMonthSize, Centre(0, 0), D(2009, 5, 25)},
    {"MondayStartFirstOfMonthInSecondRow", false, kMonday, kJune17, kMonthSize, Centre(1, 0), D(2009, 6, 1)},
    {"MondayStartWeekCellOfWholePreviousMonthRow", false, kMonday, kJune17, kMonthSize, WeekCellOf(0),
     Week(D(2009, 5, 25))},
    {"MondayStartFirstOnSundayIsLastColumn", false, kMonday, kMarch15, kMonthSize, Centre(0, 6), D(2009, 3, 1)},
    {"MondayStartDayBeforeSundayFirst", false, kMonday, kMarch15, kMonthSize, Centre(0, 5), D(2009, 2, 28)},
    {"MondayStartWeekCellOfMixedFirstRowPicksTheFirst", false, kMonday, kMarch15, kMonthSize, WeekCellOf(0),
     Week(D(2009, 3, 1))},
    {"NoSelectionCountsFromToday", false, kSunday, kNoDate, kMonthSize, Centre(1, 3), D(2009, 6, 10)},
    {"SelectedWeekFlagIsNotCarriedToADay", false, kSunday, Week(kJune17), kMonthSize, Centre(2, 3), kJune17},
    {"LastPixelsOfRowCountForRowBelow", false, kSunday, kJune17, kMonthSize, {239, kHeader + kRow - 2},
     D(2009, 6, 10)},
    {"RowAboveItsLowerEdge", false, kSunday, kJune17, kMonthSize, {239, kHeader + kRow - 3}, D(2009, 6, 3)},
    {"BottomGridLineBelongsToLastRow", false, kSunday, kJune17, kMonthSize, {239, kHeader + 6 * kRow},
     D(2009, 7, 8)},
    {"BelowTheGridHitsNothing", false, kSunday, kJune17, {kWidth, 260}, {239, kHeader + 6 * kRow + 1}, kNoDate},
    {"OutsideTheSurfaceHitsNothing", false, kSunday, kJune17, kMonthSize, {239, kMonthHeight}, kNoDate},
    {"LeftOfTheSurfaceHitsNothing", false, kSunday, kJune17, kMonthSize, {-1, 60}, kNoDate},
    {"RightEdgeIsLastColumn", false, kSunday, kJune17, kMonthSize, {479, 60}, D(2009, 6, 13)},
    {"PastRightEdgeHitsNothing", false, kSunday, kJune17, kMonthSize, {480, 60}, kNoDate},
    {"FirstDayColumnStartsAtX0", false, kSunday, kJune17, kMonthSize, {59, 60}, D(2009, 6, 7)},
    {"WeekColumnEndsBeforeX0", false, kSunday, kJune17, kMonthSize, {58, 60}, Week(D(2009, 6, 7))},
};

INSTANTIATE_TEST_SUITE_P(Month, CalendarLayoutHitTest, testing::ValuesIn(kMonthHits), testtables::RowName<HitRow>);

const PackedDate kJune10 = MakeDate(2009, 6, 10);
const PackedDate kJune14 = MakeDate(2009, 6, 14);

const HitRow kWeekHits[] = {
    {"HeaderHitsNothing", true, kSunday, kJune10, kWeekSize, {200, 5}, kNoDate},
    {"SundayStartFirstDay", true, kSunday, kJune10, kWeekSize, {60, 35}, D(2009, 6, 7)},
    {"SundayStartLastDay", true, kSunday, kJune10, kWeekSize, {479, 35}, D(2009, 6, 13)},
    // Columns count from the surface's left edge: x = 119 is drawn in the second day.
    {"ColumnsCountFromTheLeftEdge", true, kSunday, kJune10, kWeekSize, {119, 35}, D(2009, 6, 7)},
    {"SundayStartWeekCellPicksMonday", true, kSunday, kJune10, kWeekSize, {59, 35}, Week(D(2009, 6, 8))},
    {"SundayStartWeekCellOfSundayPicksNextDay", true, kSunday, kJune14, kWeekSize, {10, 35}, Week(D(2009, 6, 15))},
    {"MondayStartWeekCellOfSundayPicksSixDaysEarlier", true, kMonday, kJune14, kWeekSize, {10, 35},
     Week(D(2009, 6, 8))},
    {"MondayStartFirstDay", true, kMonday, kJune14, kWeekSize, {70, 35}, D(2009, 6, 8)},
    {"MondayStartLastDayIsSunday", true, kMonday, kJune14, kWeekSize, {470, 35}, D(2009, 6, 14)},
    {"BelowTheRowStillHitsItsColumn", true, kSunday, kJune10, {kWidth, 80}, {70, 70}, D(2009, 6, 7)},
    {"NoSelectionCountsFromToday", true, kSunday, kNoDate, kWeekSize, {70, 35}, D(2009, 6, 7)},
    // 487 pixels: C = 60, X0 = 66, so the left-edge columns run 6 pixels ahead of the drawn ones.
    {"WideRemainderColumnFromLeftEdge", true, kSunday, kJune10, {487, kWeekHeight}, {122, 35}, D(2009, 6, 8)},
    {"WideRemainderRightEdgeStaysInTheWeek", true, kSunday, kJune10, {487, kWeekHeight}, {486, 35},
     D(2009, 6, 13)},
    {"OutsideTheSurfaceHitsNothing", true, kSunday, kJune10, kWeekSize, {480, 35}, kNoDate},
};

INSTANTIATE_TEST_SUITE_P(Week, CalendarLayoutHitTest, testing::ValuesIn(kWeekHits), testtables::RowName<HitRow>);

} // namespace

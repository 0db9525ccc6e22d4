#include "lists/TaskRowLayout.h"

#include "support/TestTables.h"

#include <gtest/gtest.h>

namespace {

using Zone = TaskRowLayout::Zone;

struct ZoneCase
{
    std::string name;
    bool large;
    bool grouped;
    bool showIcon;
    bool showCheckBox;
    int x;
    Zone zone;
    bool indent = false;
};
using testtables::PrintTo;

// Columns 200, 100, 80. Large: mark 9, icon 16, glyph 16, indent 12;
// small: mark 7, icon 12, glyph 12, indent 6.
const ZoneCase kZoneCases[] = {
    // Large, grouped, icons and check boxes shown: priority 12..23, icon
    // 23..41, check box 41..59.
    {"IndentLeftOfTheMark", true, true, true, true, 11, Zone::None, true},
    {"IndentReachesIntoTheMark", true, true, true, true, 13, Zone::Priority, true},
    {"MarkRightOfTheIndent", true, true, true, true, 14, Zone::Priority},
    {"PriorityFirstPixel", true, true, true, true, 12, Zone::Priority, true},
    {"PriorityWinsTheSharedEdge", true, true, true, true, 23, Zone::Priority},
    {"IconAfterTheEdge", true, true, true, true, 24, Zone::Icon},
    {"IconWinsItsRightEdge", true, true, true, true, 41, Zone::Icon},
    {"CheckBox", true, true, true, true, 42, Zone::CheckBox},
    {"CheckBoxLastPixel", true, true, true, true, 59, Zone::CheckBox},
    {"Title", true, true, true, true, 60, Zone::None},
    {"TitleEnd", true, true, true, true, 199, Zone::None},
    {"CategoryFromColumnEdge", true, true, true, true, 200, Zone::Category},
    {"CategoryWinsTheDateEdge", true, true, true, true, 300, Zone::Category},
    {"Date", true, true, true, true, 301, Zone::Date},
    {"DateReachesTwoFurther", true, true, true, true, 382, Zone::Date},
    {"RightOfTheDate", true, true, true, true, 383, Zone::None},
    // Ungrouped rows start at 0 and have no indent.
    {"UngroupedPriority", true, false, true, true, 0, Zone::Priority},
    {"UngroupedCheckBox", true, false, true, true, 30, Zone::CheckBox},
    // Without icons the check box follows the mark.
    {"NoIconsCheckBox", true, false, false, true, 12, Zone::CheckBox},
    {"NoIconsCheckBoxEnd", true, false, false, true, 29, Zone::CheckBox},
    {"NoIconsNoCheckBox", true, false, false, false, 12, Zone::None},
    {"NoCheckBoxIconEnd", true, false, true, false, 29, Zone::Icon},
    {"NoCheckBoxTitle", true, false, true, false, 30, Zone::None},
    // Small: priority 6..15, icon 15..29, check box 29..43 when grouped.
    {"SmallIndent", false, true, true, true, 7, Zone::Priority, true},
    {"SmallIcon", false, true, true, true, 20, Zone::Icon},
    {"SmallCheckBox", false, true, true, true, 43, Zone::CheckBox},
    {"SmallTitle", false, true, true, true, 44, Zone::None},
};

} // namespace

class TaskRowZoneTest : public ::testing::TestWithParam<ZoneCase>
{
};

TEST_P(TaskRowZoneTest, ZoneUnderX)
{
    const ZoneCase& c = GetParam();
    const TaskRowLayout layout = TaskRowLayout::Make(c.large, c.grouped, c.showIcon, c.showCheckBox, 200, 100, 80);
    EXPECT_EQ(layout.TaskZone(c.x), c.zone);
    EXPECT_EQ(layout.InIndent(c.x), c.indent);
}

INSTANTIATE_TEST_SUITE_P(Rows, TaskRowZoneTest, ::testing::ValuesIn(kZoneCases), testtables::RowName<ZoneCase>);

TEST(TaskRowLayoutTest, PaintingPositionsFollowThePartsShown)
{
    const TaskRowLayout large = TaskRowLayout::Make(true, true, true, true, 200, 100, 80);
    EXPECT_EQ(large.markX, 13);
    EXPECT_EQ(large.markSep, 23);
    EXPECT_EQ(large.iconX, 24);
    EXPECT_EQ(large.iconSep, 41);
    EXPECT_EQ(large.checkX, 42);
    EXPECT_EQ(large.checkSep, 58);
    EXPECT_EQ(large.titleLeft, 61);
    EXPECT_EQ(large.titleRight, 198);

    const TaskRowLayout bare = TaskRowLayout::Make(false, false, false, false, 100, 0, 0);
    EXPECT_EQ(bare.markX, 1);
    EXPECT_EQ(bare.markSep, 9);
    EXPECT_EQ(bare.titleLeft, 12);
}

TEST(TaskRowLayoutTest, GroupRowsHaveTheirExpandBoxAndFeedbackStaysInsideTheRow)
{
    const TaskRowLayout layout = TaskRowLayout::Make(true, true, true, true, 200, 100, 80);
    EXPECT_EQ(layout.GroupZone(20), Zone::ExpandBox);
    EXPECT_EQ(layout.GroupZone(21), Zone::None);
    EXPECT_EQ(layout.GroupTextLeft(), 22);
    EXPECT_EQ(layout.GroupFillRight(true), 382);
    EXPECT_EQ(layout.GroupFillRight(false), 380);
    EXPECT_EQ(layout.FeedbackRect(Zone::CheckBox, QRect(0, 40, 400, 22)), QRect(QPoint(41, 42), QPoint(59, 59)));
    EXPECT_FALSE(layout.FeedbackRect(Zone::None, QRect(0, 40, 400, 22)).isValid());
}

#include "controls/CBtnDateRange.h"

#include "model/DateFormat.h"
#include "model/LanguageModule.h"
#include "storage/Settings.h"
#include "support/TestTables.h"
#include "controls/ControlTestSupport.h"

namespace {

using Range = CBtnDateRange::Range;

// Today is Thursday 5 March 2009.
struct RangeCase
{
    const char* name;
    int command;
    int startWeekDay;
    Range expected;
};
using testtables::PrintTo;

class CBtnDateRangeCommandTest : public ControlTest, public ::testing::WithParamInterface<RangeCase>
{
};

TEST_P(CBtnDateRangeCommandTest, RangeAroundToday)
{
    Range range{1, 1};
    ASSERT_TRUE(CBtnDateRange::RangeOfCommand(GetParam().command, GetParam().startWeekDay, range));
    EXPECT_EQ(range.start, GetParam().expected.start);
    EXPECT_EQ(range.end, GetParam().expected.end);
}

INSTANTIATE_TEST_SUITE_P(
    Commands, CBtnDateRangeCommandTest,
    ::testing::Values(
        RangeCase{"Yesterday", 210, 1, {MakeDate(2009, 3, 4), MakeDate(2009, 3, 4)}},
        RangeCase{"Today", 211, 1, {MakeDate(2009, 3, 5), MakeDate(2009, 3, 5)}},
        RangeCase{"Tomorrow", 212, 1, {MakeDate(2009, 3, 6), MakeDate(2009, 3, 6)}},
        RangeCase{"LastWeekFromSunday", 220, 1, {MakeDate(2009, 2, 22), MakeDate(2009, 2, 28)}},
        RangeCase{"ThisWeekFromSunday", 221, 1, {MakeDate(2009, 3, 1), MakeDate(2009, 3, 7)}},
        RangeCase{"NextWeekFromSunday", 222, 1, {MakeDate(2009, 3, 8), MakeDate(2009, 3, 14)}},
        RangeCase{"ThisWeekFromMonday", 221, 2, {MakeDate(2009, 3, 2), MakeDate(2009, 3, 8)}},
        RangeCase{"LastMonth", 230, 1, {MakeDate(2009, 2, 1), MakeDate(2009, 2, 28)}},
        RangeCase{"ThisMonth", 231, 1, {MakeDate(2009, 3, 1), MakeDate(2009, 3, 31)}},
        RangeCase{"NextMonth", 232, 1, {MakeDate(2009, 4, 1), MakeDate(2009, 4, 30)}},
        RangeCase{"NoRange", 202, 1, {0, 0}}),
    testtables::RowName<RangeCase>);

class CBtnDateRangeTest : public ControlTest
{
protected:
    CBtnDateRangeTest() : button(WatchClicks(new CBtnDateRange(1044, settings, &owner)))
    {
        button->setGeometry(0, 0, 310, 40);
        log.Watch(button, &CBtnDateRange::RangeChanged, QStringLiteral("RangeChanged"));
    }
    void TearDown() override
    {
        CBtnDateRange::SetRangeDialog(nullptr);
        ControlTest::TearDown();
    }

    Settings settings{true};
    QWidget owner;
    CBtnDateRange* button;
};

TEST_F(CBtnDateRangeTest, ShowsBothEndsWithAStarForAnOpenEnd)
{
    button->SetRange(MakeDate(2009, 3, 1), 0);
    EXPECT_EQ(button->ShownText(), FormatDateShown(MakeDate(2009, 3, 1)) + QStringLiteral(" - *"));
    button->SetRange(0, 0);
    EXPECT_EQ(button->ShownText(), QStringLiteral("* - *"));
}

TEST_F(CBtnDateRangeTest, MenuInOrderWithTheMatchingItemChecked)
{
    button->SetRange(MakeDate(2009, 3, 1), MakeDate(2009, 3, 31));
    const MenuDesc menu = button->Menu();
    const int commands[] = {210, 211, 212, 0, 220, 221, 222, 0, 230, 231, 232, 0, 202, 201};
    const int texts[] = {132, 131, 133, 0, 262, 263, 264, 0, 265, 266, 267, 0, 268, 269};
    ASSERT_EQ(menu.size(), 14);
    for (int i = 0; i < 14; ++i) {
        EXPECT_EQ(menu[i].separator, commands[i] == 0) << i;
        EXPECT_EQ(menu[i].commandId, commands[i]) << i;
        if (texts[i]) {
            EXPECT_EQ(menu[i].label, GetText(texts[i])) << i;
        }
        EXPECT_EQ(menu[i].checked, commands[i] == 231) << i;
    }
    EXPECT_FALSE(menu.back().enabled); // no range dialog yet

    button->SetRange(0, 0);
    EXPECT_TRUE(button->Menu()[12].checked);
}

TEST_F(CBtnDateRangeTest, WeekItemsFollowTheWeekStart)
{
    settings.SetStartWeekDay(kWeekStartsMonday);
    button->SetRange(MakeDate(2009, 3, 2), MakeDate(2009, 3, 8));
    EXPECT_TRUE(button->Menu()[5].checked);
}

TEST_F(CBtnDateRangeTest, ChoiceBecomesTheRangeAndIsReported)
{
    ChooseFromMenu(CBtnDateRange::NextWeekCommand);
    Tap(button);
    EXPECT_EQ(button->Start(), MakeDate(2009, 3, 8));
    EXPECT_EQ(button->End(), MakeDate(2009, 3, 14));
    EXPECT_EQ(log.Take(), QStringLiteral("RangeChanged(%1,%2,1044) Clicked(1044)")
                              .arg(MakeDate(2009, 3, 8))
                              .arg(MakeDate(2009, 3, 14)));
}

TEST_F(CBtnDateRangeTest, CustomRangeComesFromTheDialogOnOk)
{
    button->SetRange(MakeDate(2009, 1, 1), 0);
    Range seen;
    bool ok = false;
    CBtnDateRange::SetRangeDialog([&](PackedDate& start, PackedDate& end, QWidget*) {
        seen = {start, end};
        start = MakeDate(2010, 5, 1);
        end = MakeDate(2010, 5, 9);
        return ok;
    });
    ChooseFromMenu(CBtnDateRange::CustomCommand);
    Tap(button);
    EXPECT_EQ(seen, (Range{MakeDate(2009, 1, 1), 0}));
    EXPECT_EQ(button->Start(), MakeDate(2009, 1, 1)); // cancelled
    EXPECT_EQ(log.Take(), QStringLiteral("Clicked(1044)"));

    ok = true;
    Tap(button);
    EXPECT_EQ(button->Start(), MakeDate(2010, 5, 1));
    EXPECT_EQ(button->End(), MakeDate(2010, 5, 9));
    EXPECT_EQ(log.Take(), QStringLiteral("RangeChanged(%1,%2,1044) Clicked(1044)")
                              .arg(MakeDate(2010, 5, 1))
                              .arg(MakeDate(2010, 5, 9)));
}

} // namespace

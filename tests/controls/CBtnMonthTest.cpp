#include "controls/CBtnMonth.h"

#include "controls/ControlTestSupport.h"

namespace {

class CBtnMonthTest : public ControlTest
{
protected:
    CBtnMonthTest() : button(new CBtnMonth(1068, &owner)) { button->setGeometry(0, 0, 95, 40); }
    MessageLog owner;
    CBtnMonth* button;
};

TEST_F(CBtnMonthTest, MenuListsTheTwelveMonthsWithTheCurrentOneMarked)
{
    EXPECT_EQ(button->Month(), 1);
    button->SetMonth(9);
    const MenuDesc menu = button->Menu();
    ASSERT_EQ(menu.size(), 12);
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(menu[month - 1].commandId, month);
        EXPECT_EQ(menu[month - 1].label, MonthName(month));
        EXPECT_EQ(menu[month - 1].radioChecked, month == 9);
    }
}

TEST_F(CBtnMonthTest, ChoiceBecomesTheValueAndIsPostedBeforeTheClick)
{
    ChooseFromMenu(2);
    Tap(button);
    EXPECT_EQ(menusShown, 1);
    EXPECT_EQ(button->Month(), 2);
    EXPECT_EQ(owner.Delivered(), (std::vector<MessageLog::Message>{{UM_MONTH_CHOSEN, 2, 1068}, {UM_COMMAND, 1068, 0}}));
}

TEST_F(CBtnMonthTest, DismissedMenuKeepsTheValueAndOnlyClicks)
{
    button->SetMonth(5);
    ChooseFromMenu(0);
    Tap(button);
    EXPECT_EQ(button->Month(), 5);
    EXPECT_EQ(owner.Delivered(), (std::vector<MessageLog::Message>{{UM_COMMAND, 1068, 0}}));
}

TEST_F(CBtnMonthTest, NoMenuWhenThePenLeavesTheButton)
{
    ChooseFromMenu(3);
    Pen(button, QEvent::MouseButtonPress, Centre(button));
    Pen(button, QEvent::MouseMove, QPoint(300, 5));
    Pen(button, QEvent::MouseButtonRelease, QPoint(300, 5));
    EXPECT_EQ(menusShown, 0);
    EXPECT_TRUE(owner.Delivered().empty());
}

} // namespace

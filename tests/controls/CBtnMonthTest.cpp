#include "controls/CBtnMonth.h"

#include "controls/ControlTestSupport.h"

namespace {

class CBtnMonthTest : public ControlTest
{
protected:
    CBtnMonthTest() : button(WatchClicks(new CBtnMonth(1068, &owner)))
    {
        button->setGeometry(0, 0, 95, 40);
        log.Watch(button, &CBtnMonth::MonthChosen, QStringLiteral("MonthChosen"));
    }
    QWidget owner;
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

TEST_F(CBtnMonthTest, ChoiceBecomesTheValueAndIsReportedBeforeTheClick)
{
    ChooseFromMenu(2);
    Tap(button);
    EXPECT_EQ(menusShown, 1);
    EXPECT_EQ(button->Month(), 2);
    EXPECT_EQ(log.Take(), QStringLiteral("MonthChosen(2,1068) Clicked(1068)"));
}

TEST_F(CBtnMonthTest, DismissedMenuKeepsTheValueAndOnlyClicks)
{
    button->SetMonth(5);
    ChooseFromMenu(0);
    Tap(button);
    EXPECT_EQ(button->Month(), 5);
    EXPECT_EQ(log.Take(), QStringLiteral("Clicked(1068)"));
}

TEST_F(CBtnMonthTest, NoMenuWhenThePenLeavesTheButton)
{
    ChooseFromMenu(3);
    Pen(button, QEvent::MouseButtonPress, Centre(button));
    Pen(button, QEvent::MouseMove, QPoint(300, 5));
    Pen(button, QEvent::MouseButtonRelease, QPoint(300, 5));
    EXPECT_EQ(menusShown, 0);
    EXPECT_EQ(log.Take(), QString());
}

} // namespace

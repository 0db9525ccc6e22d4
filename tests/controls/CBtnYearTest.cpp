#include "controls/CBtnYear.h"

#include "model/LanguageModule.h"
#include "controls/ControlTestSupport.h"

namespace {

class CBtnYearTest : public ControlTest
{
protected:
    void TearDown() override
    {
        CBtnYear::SetYearDialog(nullptr);
        ControlTest::TearDown();
    }
    void WatchYear(CBtnYear* button)
    {
        WatchClicks(button);
        log.Watch(button, &CBtnYear::YearChosen, QStringLiteral("YearChosen"));
    }
    QWidget owner;
};

TEST_F(CBtnYearTest, StartsAtTheCurrentYearAndListsSevenYearsAroundIt)
{
    CBtnYear button(1069, &owner);
    EXPECT_EQ(button.Year(), 2009);
    const MenuDesc menu = button.Menu();
    ASSERT_EQ(menu.size(), 9);
    for (int i = 0; i < 7; ++i) {
        EXPECT_EQ(menu[i].label, QString::number(2006 + i));
        EXPECT_EQ(menu[i].radioChecked, i == 3) << i;
        EXPECT_NE(menu[i].commandId, 0);
        EXPECT_NE(menu[i].commandId, CBtnYear::kSelectYearCommand);
    }
    EXPECT_TRUE(menu[7].separator);
    EXPECT_EQ(menu[8].label, GetText(105));
    EXPECT_EQ(menu[8].commandId, CBtnYear::kSelectYearCommand);
}

TEST_F(CBtnYearTest, PickingAYearOfTheMenuReportsIt)
{
    CBtnYear button(1069, &owner);
    WatchYear(&button);
    button.setGeometry(0, 0, 95, 40);
    button.SetYear(2020);
    MenuRunner::SetScript([](const MenuDesc& items) { return items[5].commandId; }); // 2022
    Tap(&button);
    EXPECT_EQ(button.Year(), 2022);
    EXPECT_EQ(log.Take(), QStringLiteral("YearChosen(2022,1069) Clicked(1069)"));
}

TEST_F(CBtnYearTest, SelectYearOpensTheDialogOnTheValueAndTakesItsYearOnOk)
{
    CBtnYear button(1069, &owner);
    WatchYear(&button);
    button.setGeometry(0, 0, 95, 40);
    int dialogGot = 0;
    bool ok = true;
    CBtnYear::SetYearDialog([&](int& year, QWidget*) {
        dialogGot = year;
        year = 1987;
        return ok;
    });
    ChooseFromMenu(CBtnYear::kSelectYearCommand);
    Tap(&button);
    EXPECT_EQ(dialogGot, 2009);
    EXPECT_EQ(button.Year(), 1987);
    EXPECT_EQ(log.Take(), QStringLiteral("YearChosen(1987,1069) Clicked(1069)"));

    ok = false;
    Tap(&button);
    EXPECT_EQ(button.Year(), 1987);
    EXPECT_EQ(log.Take(), QStringLiteral("Clicked(1069)"));
}

TEST_F(CBtnYearTest, SelectYearIsDisabledWithoutADialog)
{
    CBtnYear button(1069, &owner);
    EXPECT_FALSE(button.Menu().back().enabled);
    CBtnYear::SetYearDialog([](int&, QWidget*) { return false; });
    EXPECT_TRUE(button.Menu().back().enabled);
}

} // namespace

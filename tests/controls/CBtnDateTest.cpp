#include "controls/CBtnDate.h"

#include "model/DateFormat.h"
#include "model/LanguageModule.h"
#include "controls/ControlTestSupport.h"

namespace {

class CBtnDateTest : public ControlTest
{
protected:
    void TearDown() override
    {
        CBtnDate::SetDateDialog(nullptr);
        ControlTest::TearDown();
    }
    CBtnDate* Make(bool relative)
    {
        auto* button = WatchClicks(new CBtnDate(1020, relative, &owner));
        log.Watch(button, &CBtnDate::DateChosen, QStringLiteral("DateChosen"));
        button->setGeometry(0, 0, 250, 40);
        return button;
    }
    QWidget owner;
};

TEST_F(CBtnDateTest, ShowsTheDateWithOrWithoutTheRelativeWord)
{
    CBtnDate* plain = Make(false);
    CBtnDate* relative = Make(true);
    EXPECT_EQ(plain->ShownText(), QStringLiteral("--"));
    EXPECT_EQ(relative->ShownText(), QStringLiteral("--"));
    plain->SetDate(MakeDate(2009, 3, 6));
    relative->SetDate(MakeDate(2009, 3, 6));
    EXPECT_EQ(plain->ShownText(), FormatDateShown(MakeDate(2009, 3, 6)));
    EXPECT_EQ(relative->ShownText(), FormatDateRelative(MakeDate(2009, 3, 6), true));
    EXPECT_TRUE(relative->ShownText().contains(GetText(133)));
}

TEST_F(CBtnDateTest, MenuChecksTheQuickDateThatIsTheValue)
{
    CBtnDate* button = Make(false);
    // Thursday 5 March 2009: the coming Saturday is the 7th.
    button->SetDate(MakeDate(2009, 3, 7));
    const MenuDesc menu = button->Menu();
    const int commands[] = {103, 104, 105, 106, 107, 108, 0, 102, 0, 101};
    const int texts[] = {132, 131, 133, 258, 259, 260, 0, 104, 0, 261};
    ASSERT_EQ(menu.size(), 10);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(menu[i].commandId, commands[i]) << i;
        EXPECT_EQ(menu[i].separator, commands[i] == 0) << i;
        if (texts[i]) {
            EXPECT_EQ(menu[i].label, GetText(texts[i])) << i;
        }
        EXPECT_EQ(menu[i].checked, commands[i] == 106) << i;
    }
    button->SetDate(kNoDate);
    EXPECT_TRUE(button->Menu()[7].checked);
    EXPECT_FALSE(button->Menu()[0].checked);
}

TEST_F(CBtnDateTest, QuickDatesAroundToday)
{
    EXPECT_EQ(CBtnDate::DateOfCommand(103), MakeDate(2009, 3, 4));
    EXPECT_EQ(CBtnDate::DateOfCommand(104), MakeDate(2009, 3, 5));
    EXPECT_EQ(CBtnDate::DateOfCommand(105), MakeDate(2009, 3, 6));
    EXPECT_EQ(CBtnDate::DateOfCommand(106), MakeDate(2009, 3, 7));
    EXPECT_EQ(CBtnDate::DateOfCommand(107), MakeDate(2009, 3, 8));
    EXPECT_EQ(CBtnDate::DateOfCommand(108), MakeDate(2009, 3, 9));
}

TEST_F(CBtnDateTest, ChoiceBecomesTheValueAndIsReported)
{
    CBtnDate* button = Make(true);
    ChooseFromMenu(CBtnDate::TomorrowCommand);
    Tap(button);
    EXPECT_EQ(button->Date(), MakeDate(2009, 3, 6));
    EXPECT_EQ(log.Take(), QStringLiteral("DateChosen(%1,1020) Clicked(1020)").arg(MakeDate(2009, 3, 6)));

    ChooseFromMenu(CBtnDate::NoDateCommand);
    Tap(button);
    EXPECT_EQ(button->Date(), kNoDate);
    EXPECT_EQ(log.Take(), QStringLiteral("DateChosen(0,1020) Clicked(1020)"));
}

TEST_F(CBtnDateTest, SelectDateOpensTheDialogOnTheValue)
{
    CBtnDate* button = Make(false);
    button->SetDate(MakeDate(2009, 12, 24));
    EXPECT_FALSE(button->Menu().back().enabled);
    PackedDate seen = 0;
    bool ok = false;
    CBtnDate::SetDateDialog([&](PackedDate& date, QWidget*) {
        seen = date;
        date = MakeDate(2011, 1, 2);
        return ok;
    });
    ChooseFromMenu(CBtnDate::SelectDateCommand);
    Tap(button);
    EXPECT_EQ(seen, MakeDate(2009, 12, 24));
    EXPECT_EQ(button->Date(), MakeDate(2009, 12, 24));
    ok = true;
    Tap(button);
    EXPECT_EQ(button->Date(), MakeDate(2011, 1, 2));
}

} // namespace

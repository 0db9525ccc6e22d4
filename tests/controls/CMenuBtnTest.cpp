#include "controls/CMenuBtn.h"

#include "model/LanguageModule.h"
#include "controls/ControlTestSupport.h"

namespace {

class CMenuBtnTest : public ControlTest
{
protected:
    CMenuBtnTest() : button(new CMenuBtn(1040, &owner))
    {
        button->setGeometry(0, 0, 200, 40);
        button->SetEntries({QStringLiteral("/home/"), QStringLiteral("/home/ann/")});
    }
    QWidget owner;
    CMenuBtn* button;
};

TEST_F(CMenuBtnTest, MenuStartsWithTheRootThenTheEntriesWithTheValueMarked)
{
    button->SetValue(QStringLiteral("/home/ann/"));
    EXPECT_EQ(button->CurrentIndex(), 2);
    const MenuDesc menu = button->Menu();
    ASSERT_EQ(menu.size(), 3);
    EXPECT_EQ(menu[0].label, GetText(106));
    EXPECT_EQ(menu[0].commandId, 1);
    EXPECT_EQ(menu[1].label, QStringLiteral("/home/"));
    EXPECT_FALSE(menu[1].radioChecked);
    EXPECT_TRUE(menu[2].radioChecked);

    button->SetValue(QStringLiteral("/elsewhere/"));
    EXPECT_EQ(button->CurrentIndex(), -1);
    for (const MenuItemDesc& item : button->Menu())
        EXPECT_FALSE(item.radioChecked);
}

TEST_F(CMenuBtnTest, ChoiceReportsItsIndexAndBecomesTheValue)
{
    log.Watch(button, &CMenuBtn::EntryChosen, QStringLiteral("EntryChosen"));
    ChooseFromMenu(2);
    Tap(button);
    EXPECT_EQ(button->Value(), QStringLiteral("/home/"));
    EXPECT_EQ(log.Take(), QStringLiteral("EntryChosen(1,1040)"));

    ChooseFromMenu(1);
    Tap(button);
    EXPECT_EQ(button->Value(), GetText(106));
    EXPECT_EQ(log.Take(), QStringLiteral("EntryChosen(0,1040)"));
}

} // namespace

#include "controls/CPrioBtn.h"

#include "model/LanguageModule.h"
#include "controls/ControlTestSupport.h"

namespace {

class CPrioBtnTest : public ControlTest
{
protected:
    CPrioBtnTest() : button(WatchClicks(new CPrioBtn(1046, &owner))) { button->setGeometry(0, 0, 36, 40); }
    QWidget owner;
    CPrioBtn* button;
};

TEST_F(CPrioBtnTest, MenuHighNormalLowWithTheValueMarked)
{
    button->SetPriority(-1);
    const MenuDesc menu = button->Menu();
    ASSERT_EQ(menu.size(), 3);
    const int texts[] = {107, 108, 109};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(menu[i].label, GetText(texts[i]));
        EXPECT_EQ(menu[i].commandId, 3 - i);
        EXPECT_EQ(menu[i].radioChecked, i == 2);
    }
}

TEST_F(CPrioBtnTest, ChoiceSetsThePriorityAndReportsOnlyTheClick)
{
    const QImage normal = button->grab().toImage();
    ChooseFromMenu(3);
    Tap(button);
    EXPECT_EQ(button->Priority(), 1);
    EXPECT_NE(button->grab().toImage(), normal); // the high picture
    ChooseFromMenu(1);
    Tap(button);
    EXPECT_EQ(button->Priority(), -1);
    EXPECT_EQ(log.Take(), QStringLiteral("Clicked(1046) Clicked(1046)"));
}

TEST_F(CPrioBtnTest, OutOfRangeValuesAreTakenByTheirSign)
{
    button->SetPriority(7);
    EXPECT_EQ(button->Priority(), 1);
    button->SetPriority(-3);
    EXPECT_EQ(button->Priority(), -1);
}

} // namespace

#include "controls/CTabMode.h"

#include "model/LanguageModule.h"
#include "controls/ControlTestSupport.h"

#include <QTest>

namespace {

class CTabModeTest : public ControlTest
{
protected:
    CTabModeTest() : tabs(new CTabMode(1055, &owner))
    {
        tabs->Fill(QFont());
        tabs->setGeometry(0, 0, 480, 30);
        log.Watch(tabs, &CTabMode::ViewModeChosen, QStringLiteral("ViewModeChosen"));
    }
    QWidget owner;
    CTabMode* tabs;
};

TEST_F(CTabModeTest, FourTabsInViewModeOrderWithPictures)
{
    ASSERT_EQ(tabs->count(), 4);
    const int texts[] = {128, 129, 130, 104};
    for (int mode = 0; mode < 4; ++mode) {
        EXPECT_EQ(tabs->tabText(mode), GetText(texts[mode]));
        EXPECT_FALSE(tabs->tabIcon(mode).isNull());
    }
}

TEST_F(CTabModeTest, UserPickingATabReportsTheModeSettingItDoesNot)
{
    tabs->SetMode(2);
    EXPECT_EQ(tabs->Mode(), 2);
    EXPECT_EQ(log.Take(), QString());

    QTest::mouseClick(tabs, Qt::LeftButton, Qt::NoModifier, tabs->tabRect(1).center());
    EXPECT_EQ(tabs->Mode(), 1);
    EXPECT_EQ(log.Take(), QStringLiteral("ViewModeChosen(1)"));
}

TEST_F(CTabModeTest, RefillingForNewFontsKeepsTheModeAndPostsNothing)
{
    tabs->SetMode(3);
    QFont bigger;
    bigger.setPixelSize(20);
    tabs->Fill(bigger);
    EXPECT_EQ(tabs->count(), 4);
    EXPECT_EQ(tabs->Mode(), 3);
    EXPECT_EQ(tabs->font().pixelSize(), 20);
    EXPECT_EQ(log.Take(), QString());
}

} // namespace

#include "controls/CBtnIcon.h"
#include "controls/CIconPopup.h"

#include "platform/gui/Images.h"
#include "controls/ControlTestSupport.h"

#include <QTest>

namespace {

class CBtnIconTest : public ControlTest
{
protected:
    CBtnIconTest()
    {
        owner.resize(300, 300);
        button = new CBtnIcon(1033, &owner);
        log.Watch(button, &CBtnIcon::IconChanged, QStringLiteral("IconChanged"));
        button->setGeometry(10, 10, 36, 40);
        button->SetIcon(7);
        owner.show();
    }
    QWidget owner;
    CBtnIcon* button;
};

TEST_F(CBtnIconTest, GridHoldsEveryIconAndOpensOnTheButtonsIcon)
{
    Tap(button);
    log.Take();
    CIconPopup* popup = button->Popup();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->IsOpen());
    EXPECT_EQ(popup->HighlightIndex(), 7);
    EXPECT_EQ(popup->Layout().count, Images::TaskIconCount());
    const int cell = Images::TaskIconSize(ScreenClass::IsLarge()) + ScreenClass::Pick(5, 10);
    EXPECT_EQ(popup->Layout().cell, cell);
}

TEST_F(CBtnIconTest, KeysMoveAndEnterChoosesTheIcon)
{
    Tap(button);
    log.Take();
    CIconPopup* popup = button->Popup();
    QTest::keyClick(popup, Qt::Key_Down); // 7 + 5
    QTest::keyClick(popup, Qt::Key_Left);
    QTest::keyClick(popup, Qt::Key_Space);
    EXPECT_EQ(log.Take(), QStringLiteral("IconChanged(1033,11)"));
    EXPECT_EQ(button->Icon(), 11);
}

TEST_F(CBtnIconTest, DownOnTheLastRowStays)
{
    CIconPopup popup(&owner);
    const int last = Images::TaskIconCount() - 1;
    popup.SetHighlightIcon(last);
    QTest::keyClick(&popup, Qt::Key_Down);
    EXPECT_EQ(popup.HighlightIcon(), last);
    QTest::keyClick(&popup, Qt::Key_Up);
    EXPECT_EQ(popup.HighlightIcon(), last - CIconPopup::kColumns);
}

TEST_F(CBtnIconTest, CancelledGridKeepsTheIcon)
{
    Tap(button);
    log.Take();
    QTest::keyClick(button->Popup(), Qt::Key_Right);
    QTest::keyClick(button->Popup(), Qt::Key_Escape);
    EXPECT_EQ(log.Take(), QString());
    EXPECT_EQ(button->Icon(), 7);
}

} // namespace

#include "controls/COwnerButton.h"

#include "support/ScreenColors.h"
#include "platform/gui/Images.h"
#include "support/TestTables.h"
#include "controls/ControlTestSupport.h"

#include <QKeyEvent>
#include <QWindow>
#include <QTest>

#include <set>

namespace {

constexpr int kId = 1071;

class COwnerButtonTest : public ControlTest
{
protected:
    COwnerButtonTest() : button(new COwnerButton(kId, &owner))
    {
        button->SetText(QStringLiteral("OK"));
        button->setGeometry(0, 0, 60, Images::SkinSize(ScreenClass::IsLarge()).height());
        WatchClicks(button);
    }

    // The clicks reported since the last look.
    QString Commands() { return log.Take(); }

    QWidget owner;
    COwnerButton* button;
};

// One pen gesture: where the pen goes after it comes down in the middle.
struct PenCase
{
    const char* name;
    std::vector<QPoint> moves; // relative to the centre
    QPoint release;            // relative to the centre
    bool pressedBeforeRelease;
    bool clicks;
};
using testtables::PrintTo;

class COwnerButtonPenTest : public COwnerButtonTest, public ::testing::WithParamInterface<PenCase>
{
};

const QPoint kOut(200, 0);

TEST_P(COwnerButtonPenTest, FollowsThePenAndClicksOnlyWhenReleasedInsideWhilePressed)
{
    const PenCase& row = GetParam();
    const QPoint centre = Centre(button);
    Pen(button, QEvent::MouseButtonPress, centre);
    EXPECT_TRUE(button->Pressed());
    for (const QPoint& move : row.moves)
        Pen(button, QEvent::MouseMove, centre + move);
    EXPECT_EQ(button->Pressed(), row.pressedBeforeRelease);
    EXPECT_EQ(button->IsDrawnPressed(), row.pressedBeforeRelease);
    Pen(button, QEvent::MouseButtonRelease, centre + row.release);

    EXPECT_FALSE(button->Pressed());
    EXPECT_EQ(Commands(), row.clicks ? QStringLiteral("Clicked(1071)") : QString());
}

INSTANTIATE_TEST_SUITE_P(
    Gestures, COwnerButtonPenTest,
    ::testing::Values(PenCase{"ReleaseInside", {}, {}, true, true},
                      PenCase{"MoveInsideThenRelease", {QPoint(5, 2), QPoint(-5, 0)}, {}, true, true},
                      PenCase{"DragOutReleaseOutside", {kOut}, kOut, false, false},
                      PenCase{"DragOutAndBackReleaseInside", {kOut, QPoint(1, 1)}, {}, true, true},
                      PenCase{"DragOutReleaseBackInside", {kOut}, {}, false, false},
                      PenCase{"ReleaseOutsideWithoutMove", {}, kOut, true, false}),
    testtables::RowName<PenCase>);

TEST_F(COwnerButtonTest, ThePenStaysCapturedWhenItLeavesTheButtonInAShownWindow)
{
    owner.resize(200, 100);
    button->move(10, 10);
    owner.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&owner));
    QWindow* window = owner.windowHandle();
    const QPoint inside = button->mapTo(&owner, Centre(button));
    const QPoint outside(150, 80); // over the owner, off the button
    QTest::mousePress(window, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_TRUE(button->Pressed());
    QTest::mouseMove(window, outside);
    EXPECT_FALSE(button->Pressed());
    QTest::mouseMove(window, inside + QPoint(3, 1));
    EXPECT_TRUE(button->Pressed());
    QTest::mouseMove(window, outside);
    QTest::mouseRelease(window, Qt::LeftButton, Qt::NoModifier, outside);
    EXPECT_EQ(Commands(), QString());
    QTest::mouseClick(window, Qt::LeftButton, Qt::NoModifier, inside);
    EXPECT_EQ(Commands(), QStringLiteral("Clicked(1071)"));
}

TEST_F(COwnerButtonTest, TwoStateButtonFlipsCheckedOnEachClickAndStaysDrawnPressed)
{
    button->SetToggle(true);
    Tap(button);
    EXPECT_TRUE(button->Checked());
    EXPECT_TRUE(button->IsDrawnPressed());
    Tap(button);
    EXPECT_FALSE(button->Checked());
    EXPECT_EQ(Commands(), QStringLiteral("Clicked(1071) Clicked(1071)"));
}

TEST_F(COwnerButtonTest, PlainButtonNeverBecomesChecked)
{
    Tap(button);
    EXPECT_FALSE(button->Checked());
    button->SetChecked(true);
    EXPECT_TRUE(button->IsDrawnPressed());
}

TEST_F(COwnerButtonTest, SpaceIsAClickOtherKeysAreNot)
{
    QTest::keyClick(button, Qt::Key_Return);
    EXPECT_EQ(Commands(), QString());
    QTest::keyClick(button, Qt::Key_Space);
    EXPECT_EQ(Commands(), QStringLiteral("Clicked(1071)"));
    EXPECT_FALSE(button->Pressed());
}

TEST_F(COwnerButtonTest, AClickIsReportedOnlyOnceThePenUpIsOver)
{
    // Posted: the owner hears of it after the current event.
    Tap(button);
    EXPECT_TRUE(log.entries.isEmpty());
    EXPECT_EQ(Commands(), QStringLiteral("Clicked(1071)"));
}

class COwnerButtonLookTest : public ControlTest, public ::testing::WithParamInterface<bool>
{
};

// The colour at a point of what the button shows.
QColor PixelAt(QWidget* widget, QPoint at)
{
    return widget->grab().toImage().pixelColor(at);
}

TEST_P(COwnerButtonLookTest, SkinFillsAButtonOfItsHeightOtherHeightsAreWhite)
{
    const bool large = GetParam();
    ScreenClass::Force(large);
    const int skinHeight = Images::SkinSize(large).height();
    QWidget owner;
    COwnerButton skinned(1, &owner);
    skinned.setGeometry(0, 0, 57, skinHeight);
    COwnerButton other(2, &owner);
    other.setGeometry(0, 0, 57, skinHeight + 5);

    const QImage image = skinned.grab().toImage();
    const QImage expectedLeft = Images::Skin(false, large).toImage();
    // The left edge, a repeated slice and the right edge come from the skin.
    for (const QPoint& at : {QPoint(1, skinHeight / 2), QPoint(20, skinHeight / 2), QPoint(55, skinHeight / 2)}) {
        const QPoint inSkin(at.x() < 3 ? at.x() : at.x() >= 54 ? at.x() - 57 + 10 : 3 + (at.x() - 3) % 4, at.y());
        EXPECT_EQ(image.pixelColor(at).rgb(), expectedLeft.pixelColor(inSkin).rgb()) << at.x();
    }
    EXPECT_NE(image.pixelColor(1, skinHeight / 2), QColor(Qt::white));

    const QImage white = other.grab().toImage();
    for (const QPoint& at : {QPoint(0, 0), QPoint(1, skinHeight / 2), QPoint(56, skinHeight + 4)})
        EXPECT_EQ(white.pixelColor(at), QColor(Qt::white));
}

TEST_P(COwnerButtonLookTest, PressedAndCheckedShowThePressedSkin)
{
    ScreenClass::Force(GetParam());
    QWidget owner;
    COwnerButton button(1, &owner);
    button.setGeometry(0, 0, 40, Images::SkinSize(GetParam()).height());
    const QImage normal = button.grab().toImage();
    Pen(&button, QEvent::MouseButtonPress, Centre(&button));
    const QImage pressed = button.grab().toImage();
    EXPECT_NE(normal, pressed);
    Pen(&button, QEvent::MouseMove, QPoint(500, 0));
    button.clearFocus();
    EXPECT_EQ(button.grab().toImage(), normal);
    button.SetChecked(true);
    EXPECT_EQ(button.grab().toImage(), pressed);
}

TEST_P(COwnerButtonLookTest, FocusedButtonShowsTheFocusMark)
{
    ScreenClass::Force(GetParam());
    QWidget owner;
    owner.resize(100, 60);
    auto* button = new COwnerButton(1, &owner);
    button->setGeometry(0, 0, 40, Images::SkinSize(GetParam()).height());
    owner.show();
    owner.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&owner));
    const QColor mark = ScreenColor(COwnerButton::kFocusColor);
    button->clearFocus(); // the window gave it the focus on activation
    EXPECT_NE(PixelAt(button, QPoint(20, 2)), mark);
    button->setFocus();
    ASSERT_TRUE(button->hasFocus());
    const int bottom = button->height() - 3;
    for (const QPoint& at : {QPoint(20, 2), QPoint(20, bottom), QPoint(2, 10), QPoint(37, 10)})
        EXPECT_EQ(PixelAt(button, at), mark) << at.x() << "," << at.y();
}

TEST_P(COwnerButtonLookTest, TextIsBlackAndGreyWhenDisabled)
{
    ScreenClass::Force(GetParam());
    QWidget owner;
    COwnerButton button(1, &owner);
    button.SetText(QStringLiteral("MMMM"));
    button.setGeometry(0, 0, 80, 30); // white background
    auto colours = [&button] {
        std::set<QRgb> seen;
        const QImage image = button.grab().toImage();
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                seen.insert(image.pixel(x, y) & 0xFFFFFF);
        return seen;
    };
    EXPECT_TRUE(colours().count(0x000000));
    button.setEnabled(false);
    const auto disabled = colours();
    EXPECT_FALSE(disabled.count(0x000000));
    EXPECT_TRUE(disabled.count(0xA0A0A0));
}

INSTANTIATE_TEST_SUITE_P(ScreenClasses, COwnerButtonLookTest, ::testing::Values(false, true),
                         [](const auto& row) { return row.param ? "Large" : "Small"; });

} // namespace

#include "controls/CBtnColor.h"
#include "controls/CColorPopup.h"

#include "support/ScreenColors.h"
#include "support/TestTables.h"
#include "controls/ControlTestSupport.h"

#include <QTest>

namespace {

struct KeyCase
{
    const char* name;
    int start;
    Qt::Key key;
    int expected;
};
using testtables::PrintTo;

class CColorPopupKeyTest : public ControlTest, public ::testing::WithParamInterface<KeyCase>
{
};

TEST_P(CColorPopupKeyTest, ArrowsMoveTheHighlightWithinTheGrid)
{
    QWidget owner;
    CColorPopup popup(&owner);
    log.Watch(&popup, &CColorPopup::ColorChosen, QStringLiteral("ColorChosen"));
    popup.SetHighlightColor(CColorPopup::Palette()[size_t(GetParam().start)]);
    QTest::keyClick(&popup, GetParam().key);
    EXPECT_EQ(popup.HighlightIndex(), GetParam().expected);
    EXPECT_EQ(popup.HighlightColor(), CColorPopup::Palette()[size_t(GetParam().expected)]);
    EXPECT_EQ(log.Take(), QString());
}

INSTANTIATE_TEST_SUITE_P(Keys, CColorPopupKeyTest,
                         ::testing::Values(KeyCase{"RightMovesOn", 5, Qt::Key_Right, 6},
                                           KeyCase{"RightWrapsToTheNextRow", 7, Qt::Key_Right, 8},
                                           KeyCase{"RightOnTheLastSwatchStays", 47, Qt::Key_Right, 47},
                                           KeyCase{"LeftMovesBack", 9, Qt::Key_Left, 8},
                                           KeyCase{"LeftOnTheFirstSwatchStays", 0, Qt::Key_Left, 0},
                                           KeyCase{"DownMovesARow", 3, Qt::Key_Down, 11},
                                           KeyCase{"DownOnTheLastRowStays", 42, Qt::Key_Down, 42},
                                           KeyCase{"UpMovesARow", 11, Qt::Key_Up, 3},
                                           KeyCase{"UpOnTheFirstRowStays", 3, Qt::Key_Up, 3}),
                         testtables::RowName<KeyCase>);

TEST(CColorPopupPalette, SixRowsOfEightStartingAndEndingAsGiven)
{
    const auto& palette = CColorPopup::Palette();
    EXPECT_EQ(palette[0], 0x8080FFu);
    EXPECT_EQ(palette[7], 0xFF80FFu);
    EXPECT_EQ(palette[8], 0x0000FFu);
    EXPECT_EQ(palette[47], 0xFFFFFFu);
    EXPECT_EQ(CColorPopup::PaletteIndex(0x0080FF), 25);
    EXPECT_EQ(CColorPopup::PaletteIndex(0x123456), -1);
}

class CColorPopupTest : public ControlTest, public ::testing::WithParamInterface<bool>
{
};

TEST_P(CColorPopupTest, SwatchesFramedAndTheHighlightFramedBlack)
{
    ScreenClass::Force(GetParam());
    const int cell = GetParam() ? 32 : 18;
    QWidget owner;
    CColorPopup popup(&owner);
    popup.SetHighlightColor(0x0080FF); // index 25: row 3, column 1
    popup.resize(popup.sizeHint());
    EXPECT_EQ(popup.size(), QSize(8 * cell, 6 * cell));
    const QImage image = popup.grab().toImage();
    const QColor frame = ScreenColor(CColorPopup::kSwatchFrame);
    // Swatch 0 spans (2, 3) .. (cell - 3, cell - 5).
    EXPECT_EQ(image.pixelColor(1, 3), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(2, 3), frame);
    EXPECT_EQ(image.pixelColor(cell - 3, cell - 5), frame);
    EXPECT_EQ(image.pixelColor(cell - 2, cell - 5), QColor(Qt::white));
    EXPECT_EQ(image.pixelColor(cell / 2, cell / 2), ScreenColor(0x8080FF));
    // The highlighted swatch has a black frame one pixel outside.
    const QPoint origin(1 * cell, 3 * cell);
    EXPECT_EQ(image.pixelColor(origin + QPoint(1, 2)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(origin + QPoint(cell - 2, cell - 4)), QColor(Qt::black));
    EXPECT_EQ(image.pixelColor(origin + QPoint(2, 3)), frame);
    EXPECT_EQ(image.pixelColor(origin + QPoint(cell / 2, cell / 2)), ScreenColor(0x0080FF));
}

INSTANTIATE_TEST_SUITE_P(ScreenClasses, CColorPopupTest, ::testing::Values(false, true),
                         [](const auto& row) { return row.param ? "Large" : "Small"; });

class CBtnColorTest : public ControlTest
{
protected:
    CBtnColorTest()
    {
        owner.resize(300, 300);
        button = new CBtnColor(1031, &owner);
        log.Watch(button, &CBtnColor::ColorChanged, QStringLiteral("ColorChanged"));
        button->setGeometry(10, 10, 48, 40);
        button->SetColor(0x0080FF);
        owner.show();
    }

    // A click, and the pop-up it opens.
    CColorPopup* Open()
    {
        Tap(button);
        log.Take();
        return button->Popup();
    }

    QWidget owner;
    CBtnColor* button;
};

TEST_F(CBtnColorTest, ClickOpensTheGridUnderTheButtonOnItsColour)
{
    CColorPopup* popup = Open();
    ASSERT_NE(popup, nullptr);
    EXPECT_TRUE(popup->IsOpen());
    EXPECT_TRUE(popup->isVisible());
    EXPECT_EQ(popup->HighlightIndex(), 25);
    EXPECT_EQ(popup->pos().y(), button->mapToGlobal(QPoint(0, button->height())).y());
}

TEST_F(CBtnColorTest, EnterChoosesTheHighlightAndTheOwnerLearnsIt)
{
    CColorPopup* popup = Open();
    QTest::keyClick(popup, Qt::Key_Right);
    QTest::keyClick(popup, Qt::Key_Return);
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(log.Take(), QStringLiteral("ColorChanged(1031,%1)").arg(0x008000));
    EXPECT_EQ(button->Color(), 0x008000u);
}

TEST_F(CBtnColorTest, EscapeCancelsAndKeepsTheColour)
{
    CColorPopup* popup = Open();
    QTest::keyClick(popup, Qt::Key_Right);
    QTest::keyClick(popup, Qt::Key_Escape);
    EXPECT_FALSE(popup->isVisible());
    EXPECT_EQ(log.Take(), QString());
    EXPECT_EQ(button->Color(), 0x0080FFu);
    EXPECT_EQ(popup->HighlightIndex(), 26); // the highlight moved, the colour did not
}

TEST_F(CBtnColorTest, PenUpOnASwatchChoosesItElsewhereCancels)
{
    CColorPopup* popup = Open();
    const QPoint swatch9 = popup->SwatchRect(9).center();
    Pen(popup, QEvent::MouseButtonPress, popup->SwatchRect(0).center());
    Pen(popup, QEvent::MouseMove, swatch9);
    EXPECT_EQ(popup->HighlightIndex(), 9);
    Pen(popup, QEvent::MouseButtonRelease, swatch9);
    EXPECT_EQ(log.Take(), QStringLiteral("ColorChanged(1031,%1)").arg(0x00FFFF));

    popup = Open();
    Pen(popup, QEvent::MouseButtonPress, popup->SwatchRect(0).center());
    Pen(popup, QEvent::MouseButtonRelease, QPoint(-20, -20));
    EXPECT_FALSE(popup->IsOpen());
    EXPECT_EQ(log.Take(), QString());
    EXPECT_EQ(button->Color(), 0x00FFFFu);
}

TEST_F(CBtnColorTest, ClickWhileOpenClosesTheGrid)
{
    CColorPopup* popup = Open();
    Tap(button);
    EXPECT_FALSE(popup->IsOpen());
    QCoreApplication::sendPostedEvents();
    EXPECT_FALSE(popup->IsOpen());
}

} // namespace

namespace {

TEST(CColorPopupNotices, EnterSendsTheColourEscapeTheCancelNoticeToTheOwner)
{
    QWidget owner;
    owner.show();
    CColorPopup popup(&owner);
    SignalLog log;
    log.Watch(&popup, &CColorPopup::ColorChosen, QStringLiteral("ColorChosen"));
    log.Watch(&popup, &CWndPopup::Cancelled, QStringLiteral("Cancelled"));
    popup.SetHighlightColor(0xC0C0C0);
    popup.ShowAt(QPoint(10, 10));
    QTest::keyClick(&popup, Qt::Key_Enter);
    EXPECT_FALSE(popup.IsOpen());
    popup.ShowAt(QPoint(10, 10));
    QTest::keyClick(&popup, Qt::Key_Escape);
    EXPECT_FALSE(popup.isVisible());
    EXPECT_EQ(log.Take(), QStringLiteral("ColorChosen(%1) Cancelled()").arg(0xC0C0C0));
}

} // namespace

#include "controls/CWndPopup.h"

#include "support/TestTables.h"
#include "controls/ControlTestSupport.h"

namespace {

const QRect kDesktop(0, 0, 800, 600);
const QSize kPopup(256, 192);

struct PlaceCase
{
    const char* name;
    QRect anchor;
    QPoint below;
    QPoint above;
};
using testtables::PrintTo;

class CWndPopupPlaceTest : public ::testing::TestWithParam<PlaceCase>
{
};

TEST_P(CWndPopupPlaceTest, StaysWithinTheDesktop)
{
    const PlaceCase& row = GetParam();
    EXPECT_EQ(CWndPopup::PlaceBelow(row.anchor, kPopup, kDesktop), row.below);
    EXPECT_EQ(CWndPopup::PlaceAbove(row.anchor, kPopup, kDesktop), row.above);
}

INSTANTIATE_TEST_SUITE_P(Anchors, CWndPopupPlaceTest,
                         ::testing::Values(PlaceCase{"Roomy", {100, 300, 40, 40}, {100, 340}, {100, 108}},
                                           PlaceCase{"NearTheRightEdge", {700, 300, 40, 40}, {544, 340}, {544, 108}},
                                           PlaceCase{"NearTheTop", {10, 20, 40, 40}, {10, 60}, {10, 0}}),
                         testtables::RowName<PlaceCase>);

TEST(CWndPopupPlaceAt, MovedBackInside)
{
    EXPECT_EQ(CWndPopup::PlaceAt({700, 500}, kPopup, kDesktop), QPoint(544, 408));
    EXPECT_EQ(CWndPopup::PlaceAt({-5, -9}, kPopup, kDesktop), QPoint(0, 0));
    EXPECT_EQ(CWndPopup::PlaceAt({30, 40}, kPopup, kDesktop), QPoint(30, 40));
}

TEST(CWndPopupGrid, HitTestByCellInsideTheClientAreaOnly)
{
    const CWndPopup::Grid grid{32, 8, 48};
    EXPECT_EQ(grid.Size(), QSize(256, 192));
    EXPECT_EQ(grid.HitTest({0, 0}), 0);
    EXPECT_EQ(grid.HitTest({33, 65}), 17);
    EXPECT_EQ(grid.HitTest({255, 191}), 47);
    EXPECT_EQ(grid.HitTest({256, 10}), -1);
    EXPECT_EQ(grid.HitTest({-1, 10}), -1);
    const CWndPopup::Grid partial{10, 5, 7}; // the second row holds two cells
    EXPECT_EQ(partial.HitTest({25, 15}), -1);
    EXPECT_EQ(partial.HitTest({15, 15}), 6);
}

} // namespace

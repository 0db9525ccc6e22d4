#include "controls/CWndClr.h"

#include "support/ScreenColors.h"

#include <gtest/gtest.h>

namespace {

TEST(CWndClr, DrawnInItsOwnColoursOnWhiteByDefault)
{
    CWndClr window(1090);
    window.resize(120, 20);
    EXPECT_EQ(window.grab().toImage().pixelColor(1, 1), QColor(Qt::white));
    window.SetBkColor(0x00FF00);
    EXPECT_EQ(window.grab().toImage().pixelColor(1, 1), ScreenColor(0x00FF00));
}

} // namespace

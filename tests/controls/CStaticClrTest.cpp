#include "controls/CStaticClr.h"

#include "support/ScreenColors.h"

#include <gtest/gtest.h>

namespace {

TEST(CStaticClr, ReadOnlyTextInItsColourOnWhite)
{
    CStaticClr label(1091);
    label.resize(120, 20);
    label.SetText(QStringLiteral("Banner"));
    label.SetTextColor(0x0000FF);
    EXPECT_TRUE(label.isReadOnly());
    EXPECT_EQ(label.grab().toImage().pixelColor(118, 1), QColor(Qt::white));
    EXPECT_EQ(label.palette().color(QPalette::Text), ScreenColor(0x0000FF));
}

} // namespace

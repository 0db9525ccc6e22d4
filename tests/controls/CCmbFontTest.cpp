#include "controls/CCmbFont.h"

#include <gtest/gtest.h>

namespace {

TEST(CCmbFont, OneEntryPerFamilyAndExactMatchOrTheFirst)
{
    CCmbFont fonts(1010);
    ASSERT_GT(fonts.count(), 0);
    QStringList seen;
    for (int i = 0; i < fonts.count(); ++i) {
        EXPECT_FALSE(seen.contains(fonts.itemText(i)));
        seen.append(fonts.itemText(i));
    }
    const QString family = fonts.itemText(fonts.count() - 1);
    EXPECT_TRUE(fonts.SelectFace(family));
    EXPECT_EQ(fonts.Face(), family);
    EXPECT_FALSE(fonts.SelectFace(QStringLiteral("No Such Face 123")));
    EXPECT_EQ(fonts.currentIndex(), 0);
    EXPECT_FALSE(fonts.SelectFace(family.toUpper() + QStringLiteral("x")));
}

} // namespace

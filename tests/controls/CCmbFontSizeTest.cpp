#include "controls/CCmbFontSize.h"

#include "support/TestTables.h"
#include "controls/ControlTestSupport.h"

namespace {

struct SizeCase
{
    const char* name;
    bool large;
    int height;       // set
    int selected;     // the entry selected, -1 for none
    QString shown;    // the edit text
    int readBack;     // Height() afterwards
};
using testtables::PrintTo;

class CCmbFontSizeTest : public ControlTest, public ::testing::WithParamInterface<SizeCase>
{
};

TEST_P(CCmbFontSizeTest, HeightsHalvedOnALargeScreenAndDoubledBack)
{
    const SizeCase& row = GetParam();
    ScreenClass::Force(row.large);
    CCmbFontSize sizes(1011);
    sizes.SetHeight(row.height);
    EXPECT_EQ(sizes.currentIndex(), row.selected);
    EXPECT_EQ(sizes.currentText(), row.shown);
    EXPECT_EQ(sizes.Height(), row.readBack);
}

INSTANTIATE_TEST_SUITE_P(
    Heights, CCmbFontSizeTest,
    ::testing::Values(SizeCase{"SmallListed", false, 12, 4, QStringLiteral("12"), 12},
                      SizeCase{"LargeListed", true, 24, 4, QStringLiteral("12"), 24},
                      SizeCase{"LargeOddHeight", true, 29, 5, QStringLiteral("14"), 28},
                      SizeCase{"SmallUnlisted", false, 13, -1, QStringLiteral("13"), 13},
                      SizeCase{"LargeUnlisted", true, 26, -1, QStringLiteral("13"), 26},
                      SizeCase{"LargeBelowRange", true, 8, -1, QStringLiteral("4"), 12},
                      SizeCase{"SmallAboveRange", false, 40, -1, QStringLiteral("40"), 24}),
    testtables::RowName<SizeCase>);

TEST(CCmbFontSizeText, TypedTextReadsAsItsLeadingNumberClamped)
{
    ScreenClass::Force(true);
    CCmbFontSize sizes(1011);
    sizes.setEditText(QStringLiteral(" 15pt"));
    EXPECT_EQ(sizes.Height(), 30);
    sizes.setEditText(QStringLiteral("big"));
    EXPECT_EQ(sizes.Height(), 12);
    sizes.setEditText(QStringLiteral("99999999999999"));
    EXPECT_EQ(sizes.Height(), 48);
    ScreenClass::Reset();
    EXPECT_EQ(CCmbFontSize::LeadingNumber(QStringLiteral("-7x")), -7);
}

TEST(CCmbFontSizeList, NineSizes)
{
    CCmbFontSize sizes(1011);
    QStringList texts;
    for (int i = 0; i < sizes.count(); ++i)
        texts.append(sizes.itemText(i));
    EXPECT_EQ(texts.join(QLatin1Char(',')), QStringLiteral("8,9,10,11,12,14,16,18,20"));
}

} // namespace

#include "platform/gui/Images.h"

#include <QFile>
#include <QImage>
#include <gtest/gtest.h>

#include "support/TestTables.h"

#include <functional>
#include <vector>

namespace {

QImage Pixels(const QPixmap& pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

bool HasOpaquePixel(const QImage& image)
{
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (qAlpha(image.pixel(x, y)) == 255)
                return true;
    return false;
}

// Every picture of a set must differ from every other one in its pixels.
void ExpectAllDistinct(const std::vector<QPixmap>& pictures)
{
    for (size_t i = 0; i < pictures.size(); ++i)
        for (size_t j = i + 1; j < pictures.size(); ++j)
            EXPECT_NE(Pixels(pictures[i]), Pixels(pictures[j])) << "pictures " << i << " and " << j;
}

struct PictureCase
{
    const char* name;
    std::function<QPixmap(bool large)> get;
    QSize small;
    QSize large;
};

using testtables::PrintTo;

using NavButton = Images::NavButton;
using ToolbarButton = Images::ToolbarButton;

const PictureCase kPictures[] = {
    {"TaskIconFirst", [](bool l) { return Images::TaskIcon(1, l); }, {12, 12}, {16, 16}},
    {"TaskIconLast", [](bool l) { return Images::TaskIcon(Images::TaskIconCount() - 1, l); }, {12, 12}, {16, 16}},
    {"DayMarkFlight", [](bool l) { return Images::DayMarkIcon(Images::DayMarkFlight, l); }, {7, 7}, {11, 11}},
    {"DayMarkNote", [](bool l) { return Images::DayMarkIcon(Images::DayMarkNote, l); }, {7, 7}, {11, 11}},
    {"GlyphUnchecked", [](bool l) { return Images::Glyph(Images::GlyphUnchecked, l); }, {12, 12}, {16, 16}},
    {"GlyphChecked", [](bool l) { return Images::Glyph(Images::GlyphChecked, l); }, {12, 12}, {16, 16}},
    {"GlyphCollapsed", [](bool l) { return Images::Glyph(Images::GlyphCollapsed, l); }, {12, 12}, {16, 16}},
    {"GlyphExpanded", [](bool l) { return Images::Glyph(Images::GlyphExpanded, l); }, {12, 12}, {16, 16}},
    {"PriorityMarkHigh", [](bool l) { return Images::PriorityMark(Images::PriorityMarkHigh, l); }, {7, 12}, {9, 16}},
    {"PriorityMarkLow", [](bool l) { return Images::PriorityMark(Images::PriorityMarkLow, l); }, {7, 12}, {9, 16}},
    {"NoteMark", [](bool l) { return Images::NoteMark(l); }, {7, 8}, {10, 12}},
    {"PriorityImageHigh", [](bool l) { return Images::PriorityImage(1, l); }, {12, 12}, {24, 24}},
    {"PriorityImageNormal", [](bool l) { return Images::PriorityImage(0, l); }, {12, 12}, {24, 24}},
    {"PriorityImageLow", [](bool l) { return Images::PriorityImage(-1, l); }, {12, 12}, {24, 24}},
    {"SkinNormal", [](bool l) { return Images::Skin(false, l); }, {10, 20}, {10, 40}},
    {"SkinPressed", [](bool l) { return Images::Skin(true, l); }, {10, 20}, {10, 40}},
    {"ToolbarSave", [](bool l) { return Images::ToolbarImage(ToolbarButton::Save, l); }, {16, 15}, {32, 30}},
    {"ToolbarNewTask", [](bool l) { return Images::ToolbarImage(ToolbarButton::NewTask, l); }, {16, 15}, {32, 30}},
    {"ToolbarMoveUp", [](bool l) { return Images::ToolbarImage(ToolbarButton::MoveUp, l); }, {16, 15}, {32, 30}},
    {"ToolbarMoveDown", [](bool l) { return Images::ToolbarImage(ToolbarButton::MoveDown, l); }, {16, 15}, {32, 30}},
    {"ToolbarDeleteTask", [](bool l) { return Images::ToolbarImage(ToolbarButton::DeleteTask, l); }, {16, 15}, {32, 30}},
    {"NavToday", [](bool l) { return Images::NavImage(NavButton::Today, l); }, {16, 16}, {32, 32}},
    {"NavBack", [](bool l) { return Images::NavImage(NavButton::Back, l); }, {16, 16}, {32, 32}},
    {"NavForward", [](bool l) { return Images::NavImage(NavButton::Forward, l); }, {16, 16}, {32, 32}},
    {"TabMonth", [](bool l) { return Images::TabImage(0, l); }, {12, 12}, {16, 16}},
    {"TabWeek", [](bool l) { return Images::TabImage(1, l); }, {12, 12}, {16, 16}},
    {"TabList", [](bool l) { return Images::TabImage(2, l); }, {12, 12}, {16, 16}},
    {"TabNoDate", [](bool l) { return Images::TabImage(3, l); }, {12, 12}, {16, 16}},
};

class ImagesPictureTest : public ::testing::TestWithParam<PictureCase>
{
};

TEST_P(ImagesPictureTest, DrawsAtTheExactSizeOfEachLayout)
{
    const PictureCase& row = GetParam();
    for (const bool large : {false, true}) {
        SCOPED_TRACE(large ? "large" : "small");
        const QPixmap pixmap = row.get(large);
        ASSERT_FALSE(pixmap.isNull());
        EXPECT_EQ(pixmap.size(), large ? row.large : row.small);
        EXPECT_EQ(pixmap.devicePixelRatio(), 1.0);
        EXPECT_TRUE(HasOpaquePixel(Pixels(pixmap))) << "nothing drawn";
    }
}

TEST_P(ImagesPictureTest, CacheHandsOutTheSamePixmapPerLayout)
{
    const PictureCase& row = GetParam();
    EXPECT_EQ(row.get(false).cacheKey(), row.get(false).cacheKey());
    EXPECT_EQ(row.get(true).cacheKey(), row.get(true).cacheKey());
    EXPECT_NE(row.get(false).cacheKey(), row.get(true).cacheKey());
}

INSTANTIATE_TEST_SUITE_P(All, ImagesPictureTest, ::testing::ValuesIn(kPictures),
                         testtables::RowName<PictureCase>);

TEST(ImagesTest, SizeAccessorsMatchThePictures)
{
    for (const bool large : {false, true}) {
        SCOPED_TRACE(large ? "large" : "small");
        EXPECT_EQ(Images::TaskIcon(3, large).size(), QSize(Images::TaskIconSize(large), Images::TaskIconSize(large)));
        EXPECT_EQ(Images::DayMarkIcon(0, large).width(), Images::DayMarkIconSize(large));
        EXPECT_EQ(Images::Glyph(0, large).width(), Images::GlyphSize(large));
        EXPECT_EQ(Images::PriorityMark(0, large).size(), Images::PriorityMarkSize(large));
        EXPECT_EQ(Images::NoteMark(large).size(), Images::NoteMarkSize(large));
        EXPECT_EQ(Images::PriorityImage(1, large).width(), Images::PriorityImageSize(large));
        EXPECT_EQ(Images::Skin(false, large).size(), Images::SkinSize(large));
        EXPECT_EQ(Images::ToolbarImage(ToolbarButton::Save, large).size(), Images::ToolbarImageSize(large));
        EXPECT_EQ(Images::NavImage(NavButton::Back, large).width(), Images::NavImageSize(large));
        EXPECT_EQ(Images::TabImage(0, large).width(), Images::TabImageSize(large));
    }
    // The glyph size G is the one the task rows are laid out with.
    EXPECT_EQ(Images::GlyphSize(false), 12);
    EXPECT_EQ(Images::GlyphSize(true), 16);
}

TEST(ImagesTest, TaskIconZeroAndOutOfRangeAreEmpty)
{
    EXPECT_GE(Images::TaskIconCount(), 21);
    for (const bool large : {false, true}) {
        EXPECT_TRUE(Images::TaskIcon(0, large).isNull());
        EXPECT_TRUE(Images::TaskIcon(-1, large).isNull());
        EXPECT_TRUE(Images::TaskIcon(Images::TaskIconCount(), large).isNull());
        for (int number = 1; number < Images::TaskIconCount(); ++number)
            EXPECT_FALSE(Images::TaskIcon(number, large).isNull()) << "icon " << number;
    }
}

TEST(ImagesTest, FramesOutOfRangeAreEmpty)
{
    for (const bool large : {false, true}) {
        EXPECT_TRUE(Images::Glyph(-1, large).isNull());
        EXPECT_TRUE(Images::Glyph(Images::GlyphFrameCount, large).isNull());
        EXPECT_TRUE(Images::PriorityMark(Images::PriorityMarkCount, large).isNull());
        EXPECT_TRUE(Images::DayMarkIcon(Images::DayMarkIconCount, large).isNull());
        EXPECT_TRUE(Images::PriorityImage(2, large).isNull());
        EXPECT_TRUE(Images::PriorityImage(-2, large).isNull());
        EXPECT_TRUE(Images::TabImage(4, large).isNull());
        EXPECT_TRUE(Images::TabImage(-1, large).isNull());
    }
}

TEST(ImagesTest, EveryPictureOfASetIsDistinct)
{
    for (const bool large : {false, true}) {
        SCOPED_TRACE(large ? "large" : "small");
        std::vector<QPixmap> tasks;
        for (int number = 1; number < Images::TaskIconCount(); ++number)
            tasks.push_back(Images::TaskIcon(number, large));
        ExpectAllDistinct(tasks);
        ExpectAllDistinct({Images::Glyph(0, large), Images::Glyph(1, large), Images::Glyph(2, large),
                           Images::Glyph(3, large)});
        ExpectAllDistinct({Images::PriorityMark(0, large), Images::PriorityMark(1, large)});
        ExpectAllDistinct({Images::DayMarkIcon(0, large), Images::DayMarkIcon(1, large)});
        ExpectAllDistinct({Images::PriorityImage(1, large), Images::PriorityImage(0, large),
                           Images::PriorityImage(-1, large)});
        ExpectAllDistinct({Images::Skin(false, large), Images::Skin(true, large)});
        ExpectAllDistinct({Images::ToolbarImage(ToolbarButton::Save, large),
                           Images::ToolbarImage(ToolbarButton::NewTask, large),
                           Images::ToolbarImage(ToolbarButton::MoveUp, large),
                           Images::ToolbarImage(ToolbarButton::MoveDown, large),
                           Images::ToolbarImage(ToolbarButton::DeleteTask, large)});
        ExpectAllDistinct({Images::NavImage(NavButton::Today, large), Images::NavImage(NavButton::Back, large),
                           Images::NavImage(NavButton::Forward, large)});
        ExpectAllDistinct({Images::TabImage(0, large), Images::TabImage(1, large), Images::TabImage(2, large),
                           Images::TabImage(3, large)});
    }
}

// Buttons stretch the skin by repeating its middle 4-pixel slice, so every
// column of that slice must be alike, and the rounded corners must stay clear.
TEST(ImagesTest, SkinMiddleSliceRepeatsSeamlesslyAndCornersAreClear)
{
    for (const bool pressed : {false, true}) {
        for (const bool large : {false, true}) {
            SCOPED_TRACE(testing::Message() << (pressed ? "pressed " : "normal ") << (large ? "large" : "small"));
            const QImage skin = Pixels(Images::Skin(pressed, large));
            for (int x = 4; x < 7; ++x)
                for (int y = 0; y < skin.height(); ++y)
                    ASSERT_EQ(skin.pixel(x, y), skin.pixel(3, y)) << "x " << x << " y " << y;
            EXPECT_EQ(qAlpha(skin.pixel(0, 0)), 0);
            EXPECT_EQ(qAlpha(skin.pixel(skin.width() - 1, skin.height() - 1)), 0);
            EXPECT_EQ(qAlpha(skin.pixel(5, skin.height() / 2)), 255);
        }
    }
}

TEST(ImagesTest, ProgramAndDataFileIconsComeInDesktopSizes)
{
    const QIcon app = Images::AppIcon();
    const QIcon data = Images::DataFileIcon();
    for (const int side : {16, 32, 48, 256}) {
        SCOPED_TRACE(side);
        EXPECT_TRUE(app.availableSizes().contains(QSize(side, side)));
        EXPECT_TRUE(data.availableSizes().contains(QSize(side, side)));
        EXPECT_NE(Pixels(app.pixmap(side, side)), Pixels(data.pixmap(side, side)));
    }
    // The scalable drawings behind them can be copied into an icon theme.
    EXPECT_TRUE(QFile::exists(Images::AppIconResource()));
    EXPECT_TRUE(QFile::exists(Images::DataFileIconResource()));
    EXPECT_NE(Images::AppIconResource(), Images::DataFileIconResource());
}

} // namespace

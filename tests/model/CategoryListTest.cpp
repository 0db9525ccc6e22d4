#include "model/CategoryList.h"
#include "model/LanguageModule.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

CategoryRecord Named(const char* name, quint32 icon = 0, quint32 color = 0)
{
    return CategoryRecord(QString::fromUtf8(name), icon, 0, color);
}

std::vector<qint32> Order(const CategoryList& list)
{
    return list.Order();
}

} // namespace

TEST(CategoryListTest, FreshRecordIsNamedAfterTheDefaultCategory)
{
    const CategoryRecord record;
    ASSERT_FALSE(GetText(TextId::DefaultCategoryName).isEmpty());
    EXPECT_EQ(record.Name, GetText(TextId::DefaultCategoryName));
    EXPECT_EQ(record.Icon, 0u);
    EXPECT_EQ(record.Reserved, 0u);
    EXPECT_EQ(record.Color, 0u);
}

TEST(CategoryListTest, DefaultsAreThreeNamedCategoriesInOrder)
{
    CategoryList list;
    list.AddDefaults();
    ASSERT_EQ(list.Count(), 3);
    EXPECT_EQ(Order(list), (std::vector<qint32>{0, 1, 2}));
    const quint32 icons[] = {0, 1, 2};
    const quint32 colors[] = {0x000000, 0x8080FF, 0xFF8080};
    for (int index = 0; index < 3; ++index) {
        const CategoryRecord* record = list.Get(index);
        ASSERT_NE(record, nullptr);
        EXPECT_EQ(record->Name, GetText(TextNumber(TextId::DefaultCategoryName) + index));
        EXPECT_EQ(record->Icon, icons[index]);
        EXPECT_EQ(record->Reserved, 0u);
        EXPECT_EQ(record->Color, colors[index]);
    }
}

TEST(CategoryListTest, FindByNameIsExactAndCaseSensitive)
{
    CategoryList list;
    list.AddDefaults();
    const int work = list.Add(Named("Garden"));
    EXPECT_EQ(work, 3);
    EXPECT_EQ(list.FindByName(QStringLiteral("Garden")), 3);
    EXPECT_EQ(list.FindByName(QStringLiteral("garden")), -1);
    EXPECT_EQ(list.FindByName(QStringLiteral("Garden ")), -1);
    EXPECT_EQ(list.FindByName(QString()), -1);
    EXPECT_EQ(list.FindByName(GetText(TextId::AllCategories)), -1);
    EXPECT_TRUE(list.NameTaken(QStringLiteral("Garden")));
    EXPECT_FALSE(list.NameTaken(QStringLiteral("garden")));
    EXPECT_TRUE(list.NameTaken(GetText(TextId::AllCategories)));
}

TEST(CategoryListTest, AddRefusesEmptyTakenAndAllCategoriesNames)
{
    CategoryList list;
    list.AddDefaults();
    EXPECT_EQ(list.Add(CategoryRecord(QString(), 1, 0, 0)), -1);
    EXPECT_EQ(list.Add(CategoryRecord(GetText(TextId::WorkCategoryName), 4, 0, 0)), -1);
    EXPECT_EQ(list.Add(CategoryRecord(GetText(TextId::AllCategories), 0, 0, 0)), -1);
    EXPECT_EQ(list.Count(), 3);
    EXPECT_EQ(list.TableSize(), 3);
}

TEST(CategoryListTest, DeletingCategoryOneOfTheDefaultsKeepsItsSlot)
{
    CategoryList list;
    list.AddDefaults();
    EXPECT_EQ(list.Delete(1), 1);

    EXPECT_EQ(list.Count(), 2);
    EXPECT_EQ(list.Get(1), nullptr);
    EXPECT_EQ(list.TableSize(), 3);
    EXPECT_TRUE(list.Slot(1).Name.isEmpty());
    EXPECT_EQ(Order(list), (std::vector<qint32>{0, 2}));
    EXPECT_EQ(list.PositionOf(2), 1);
    EXPECT_EQ(list.Add(Named("Travel")), 3);
    // The freed name can be taken again, by a new slot.
    EXPECT_EQ(list.Add(CategoryRecord(GetText(TextId::WorkCategoryName), 1, 0, 0)), 4);
}

TEST(CategoryListTest, DeletedOutsideAndDefaultSlotsRefuseChanges)
{
    CategoryList list;
    list.AddDefaults();
    list.Delete(1);
    EXPECT_EQ(list.Delete(1), -1);
    EXPECT_FALSE(list.Modify(1, Named("Back")));
    EXPECT_EQ(list.Delete(0), -1);
    EXPECT_NE(list.Get(0), nullptr);
    EXPECT_EQ(list.Delete(7), -1);
    EXPECT_EQ(list.Delete(-1), -1);
    EXPECT_EQ(list.Get(3), nullptr);
    EXPECT_EQ(list.Get(-1), nullptr);
}

TEST(CategoryListTest, ModifyReplacesAllFieldsButKeepsNamesUnique)
{
    CategoryList list;
    list.AddDefaults();
    EXPECT_TRUE(list.Modify(2, CategoryRecord(QStringLiteral("Office"), 9, 5, 0x123456)));
    EXPECT_TRUE(list.Get(2)->Equals(CategoryRecord(QStringLiteral("Office"), 9, 5, 0x123456)));
    // Unchanged, and recolouring under its own name, are fine.
    EXPECT_TRUE(list.Modify(2, CategoryRecord(QStringLiteral("Office"), 9, 5, 0x123456)));
    EXPECT_TRUE(list.Modify(0, CategoryRecord(GetText(TextId::DefaultCategoryName), 0, 0, 0x0000FF)));
    EXPECT_EQ(list.Get(0)->Color, 0x0000FFu);

    EXPECT_FALSE(list.Modify(2, CategoryRecord(GetText(TextId::WorkCategoryName), 9, 5, 0)));
    EXPECT_FALSE(list.Modify(2, CategoryRecord(GetText(TextId::AllCategories), 9, 5, 0)));
    EXPECT_FALSE(list.Modify(0, CategoryRecord(QString(), 0, 0, 0)));
    EXPECT_EQ(list.Get(2)->Name, QStringLiteral("Office"));
    EXPECT_EQ(list.Count(), 3);
}

TEST(CategoryListTest, PositionQueriesOutOfRangeGiveZero)
{
    CategoryList list;
    list.AddDefaults();
    EXPECT_EQ(list.IndexAt(-1), 0);
    EXPECT_EQ(list.IndexAt(3), 0);
    EXPECT_EQ(list.IndexAt(2), 2);
    EXPECT_EQ(list.PositionOf(9), 0);
}

struct MoveRow
{
    const char* name;
    bool up;
    int index;
    bool moves;
    std::vector<qint32> order;
};

class CategoryListMoveTest : public ::testing::TestWithParam<MoveRow>
{
};

TEST_P(CategoryListMoveTest, MovesWithinPositionsOneAndUp)
{
    // Order 0, 1, 2, 3 with category 4 deleted.
    CategoryList list;
    list.AddDefaults();
    list.Add(Named("Travel"));
    list.Add(Named("Gone"));
    list.Delete(4);

    const MoveRow& row = GetParam();
    EXPECT_EQ(row.up ? list.MoveUp(row.index) : list.MoveDown(row.index), row.moves);
    EXPECT_EQ(Order(list), row.order);
}

INSTANTIATE_TEST_SUITE_P(
    Limits, CategoryListMoveTest,
    ::testing::Values(MoveRow{"UpDefault", true, 0, false, {0, 1, 2, 3}},
                      MoveRow{"UpPositionOne", true, 1, false, {0, 1, 2, 3}},
                      MoveRow{"UpPositionTwo", true, 2, true, {0, 2, 1, 3}},
                      MoveRow{"UpLast", true, 3, true, {0, 1, 3, 2}},
                      MoveRow{"UpDeleted", true, 4, false, {0, 1, 2, 3}},
                      MoveRow{"UpOutside", true, 9, false, {0, 1, 2, 3}},
                      MoveRow{"DownDefault", false, 0, false, {0, 1, 2, 3}},
                      MoveRow{"DownPositionOne", false, 1, true, {0, 2, 1, 3}},
                      MoveRow{"DownLast", false, 3, false, {0, 1, 2, 3}},
                      MoveRow{"DownDeleted", false, 4, false, {0, 1, 2, 3}}),
    [](const ::testing::TestParamInfo<MoveRow>& row) { return std::string(row.param.name); });

TEST(CategoryListTest, ClearEmptiesTableAndOrder)
{
    CategoryList list;
    list.AddDefaults();
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_EQ(list.TableSize(), 0);
    EXPECT_EQ(list.Get(0), nullptr);
    EXPECT_EQ(list.Add(Named("First")), 0);
}

#include "controls/CBtnCate.h"

#include "model/CalendarStore.h"
#include "model/LanguageModule.h"
#include "controls/ControlTestSupport.h"

namespace {

class CBtnCateTest : public ControlTest
{
protected:
    CBtnCateTest() { store.ResetToDefaults(); } // 0 General, 1 Work, 2 Personal

    void TearDown() override
    {
        CBtnCate::SetCategoryEditor(nullptr);
        ControlTest::TearDown();
    }

    CBtnCate* Make(bool withAll)
    {
        auto* button = WatchClicks(new CBtnCate(1038, store, withAll, &owner));
        button->setGeometry(0, 0, 170, 40);
        log.Watch(button, &CBtnCate::CategoryChosen, QStringLiteral("CategoryChosen"));
        log.Watch(button, &CBtnCate::CategoryListEdited, QStringLiteral("CategoryListEdited"));
        return button;
    }

    // Drops category from the store the way the category editor does.
    void DeleteCategory(int category)
    {
        CategoryList edited = store.Categories();
        edited.Delete(category);
        store.ReplaceCategories(edited);
    }

    CalendarStore store;
    QWidget owner;
};

TEST_F(CBtnCateTest, ShowsAllCategoriesOrTheCategoryNameInItsColour)
{
    CBtnCate* button = Make(true);
    EXPECT_EQ(button->Category(), CalendarStore::kAllCategories);
    EXPECT_EQ(button->ShownText(), GetText(252));
    button->SetCategory(1);
    EXPECT_EQ(button->ShownText(), store.Categories().Get(1)->Name);
    EXPECT_EQ(button->ShownColor(), store.Categories().Get(1)->Color);
    EXPECT_EQ(Make(false)->Category(), 0);
}

TEST_F(CBtnCateTest, MenuIsTheStoresCategoryMenu)
{
    CBtnCate* button = Make(true);
    button->SetCategory(2);
    const MenuDesc menu = button->Menu();
    const MenuDesc expected = store.CategoryMenu(2, true);
    ASSERT_EQ(menu.size(), expected.size());
    for (int i = 0; i < menu.size(); ++i) {
        EXPECT_EQ(menu[i].label, expected[i].label);
        EXPECT_EQ(menu[i].commandId, expected[i].commandId);
        EXPECT_EQ(menu[i].radioChecked, expected[i].radioChecked);
    }
    EXPECT_FALSE(menu.back().enabled); // no category editor yet
}

TEST_F(CBtnCateTest, ChoosingACategoryOrAllReportsIt)
{
    CBtnCate* button = Make(true);
    ChooseFromMenu(1 + CalendarStore::kCategoryCommandBase);
    Tap(button);
    EXPECT_EQ(button->Category(), 1);
    EXPECT_EQ(log.Take(), QStringLiteral("CategoryChosen(1,1038) Clicked(1038)"));

    ChooseFromMenu(CalendarStore::kAllCategories);
    Tap(button);
    EXPECT_EQ(button->Category(), CalendarStore::kAllCategories);
    EXPECT_EQ(log.Take(), QStringLiteral("CategoryChosen(2147483647,1038) Clicked(1038)"));
}

TEST_F(CBtnCateTest, EditedCategoriesReplaceTheStoresAndAreReported)
{
    CBtnCate* button = Make(true);
    CBtnCate::SetCategoryEditor([](const CalendarStore&, CategoryList& edited, qint32& addedLast, QWidget*) {
        addedLast = edited.Add(CategoryRecord(QStringLiteral("Garden"), 3, 0, 0x00FF00));
        return true;
    });
    ChooseFromMenu(CalendarStore::kEditCategoriesCommand);
    Tap(button);
    EXPECT_GE(store.FindCategory(QStringLiteral("Garden")), 0);
    EXPECT_EQ(button->Category(), CalendarStore::kAllCategories);
    EXPECT_EQ(log.Take(), QStringLiteral("CategoryListEdited(2147483647,1038) Clicked(1038)"));
}

TEST_F(CBtnCateTest, WithoutAllTheDefaultCategoryTakesTheOneJustAdded)
{
    CBtnCate* button = Make(false);
    qint32 added = 0;
    CBtnCate::SetCategoryEditor([&added](const CalendarStore&, CategoryList& edited, qint32& addedLast, QWidget*) {
        added = addedLast = edited.Add(CategoryRecord(QStringLiteral("Garden"), 3, 0, 0x00FF00));
        return true;
    });
    ChooseFromMenu(CalendarStore::kEditCategoriesCommand);
    Tap(button);
    EXPECT_EQ(button->Category(), added);
}

TEST_F(CBtnCateTest, CancelledEditorChangesNothing)
{
    CBtnCate* button = Make(true);
    CBtnCate::SetCategoryEditor([](const CalendarStore&, CategoryList& edited, qint32&, QWidget*) {
        edited.Add(CategoryRecord(QStringLiteral("Garden"), 3, 0, 0x00FF00));
        return false;
    });
    ChooseFromMenu(CalendarStore::kEditCategoriesCommand);
    Tap(button);
    EXPECT_LT(store.FindCategory(QStringLiteral("Garden")), 0);
    EXPECT_EQ(log.Take(), QStringLiteral("Clicked(1038)"));
}

TEST_F(CBtnCateTest, ShownCategoryThatIsGoneFallsBackAndIsReported)
{
    CBtnCate* all = Make(true);
    CBtnCate* single = Make(false);
    all->SetCategory(2);
    single->SetCategory(2);
    DeleteCategory(2);

    EXPECT_TRUE(all->FallBackIfGone());
    EXPECT_EQ(all->Category(), CalendarStore::kAllCategories);
    EXPECT_TRUE(single->FallBackIfGone());
    EXPECT_EQ(single->Category(), 0);
    EXPECT_EQ(single->ShownText(), store.Categories().Get(0)->Name);
    EXPECT_FALSE(single->FallBackIfGone());
    EXPECT_EQ(log.Take(), QStringLiteral("CategoryChosen(2147483647,1038) CategoryChosen(0,1038)"));
}

TEST_F(CBtnCateTest, PaintingNoticesAGoneCategory)
{
    CBtnCate* button = Make(true);
    button->SetCategory(1);
    DeleteCategory(1);
    button->grab();
    EXPECT_EQ(button->Category(), CalendarStore::kAllCategories);
}

} // namespace

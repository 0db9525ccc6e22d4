#include "controls/CMyListCtrl.h"

#include "model/LanguageModule.h"
#include "storage/Settings.h"
#include "controls/ControlTestSupport.h"

namespace {

class CMyListCtrlTest : public ControlTest
{
protected:
    void TearDown() override
    {
        settings.WriteListViewStyle(CMyListCtrl::kDetailsStyle);
        ControlTest::TearDown();
    }
    CMyListCtrl* Make()
    {
        auto* list = new CMyListCtrl(1060, settings, &owner);
        list->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Date")});
        return list;
    }
    Settings settings{true};
    QWidget owner;
};

TEST_F(CMyListCtrlTest, DetailsByDefaultListHidesTheOtherColumns)
{
    CMyListCtrl* list = Make();
    EXPECT_EQ(list->ViewStyle(), CMyListCtrl::kDetailsStyle);
    EXPECT_FALSE(list->isHeaderHidden());
    EXPECT_FALSE(list->isColumnHidden(1));
    list->SetViewStyle(CMyListCtrl::kListStyle);
    EXPECT_TRUE(list->isHeaderHidden());
    EXPECT_TRUE(list->isColumnHidden(1));
    EXPECT_FALSE(list->isColumnHidden(0));
}

TEST_F(CMyListCtrlTest, ChosenStyleIsStoredAndSharedWithTheNextList)
{
    CMyListCtrl* list = Make();
    MenuDesc menu = list->Menu();
    ASSERT_EQ(menu.size(), 2);
    EXPECT_EQ(menu[0].label, GetText(126));
    EXPECT_EQ(menu[0].commandId, 3);
    EXPECT_FALSE(menu[0].checked);
    EXPECT_EQ(menu[1].label, GetText(127));
    EXPECT_TRUE(menu[1].checked);

    ChooseFromMenu(CMyListCtrl::kListStyle);
    QContextMenuEvent gesture(QContextMenuEvent::Mouse, QPoint(5, 5), list->viewport()->mapToGlobal(QPoint(5, 5)));
    QCoreApplication::sendEvent(list->viewport(), &gesture);
    EXPECT_EQ(list->ViewStyle(), CMyListCtrl::kListStyle);
    EXPECT_EQ(settings.ReadListViewStyle(), CMyListCtrl::kListStyle);
    EXPECT_TRUE(list->Menu()[0].checked);
    EXPECT_EQ(Make()->ViewStyle(), CMyListCtrl::kListStyle);
}

} // namespace

#include "controls/CMyDateCtrl.h"
#include "controls/CMyListCtrl.h"
#include "controls/CStaticClr.h"
#include "controls/CWndClr.h"

#include "model/LanguageModule.h"
#include "platform/gui/ColorRef.h"
#include "storage/Settings.h"
#include "controls/ControlTestSupport.h"

#include <QHeaderView>

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
    MessageLog owner;
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

TEST(CMyDateCtrl, SpeaksPackedDatesAndStartsOnToday)
{
    Clock::SetToday(MakeDate(2009, 3, 5));
    CMyDateCtrl date(1080);
    EXPECT_EQ(date.Date(), MakeDate(2009, 3, 5));
    date.SetDate(MakeDate(2012, 2, 29));
    EXPECT_EQ(date.Date(), MakeDate(2012, 2, 29));
    EXPECT_EQ(date.monthShown(), 2);
    date.SetStartWeekDay(kWeekStartsMonday);
    EXPECT_EQ(date.firstDayOfWeek(), Qt::Monday);
    date.SetStartWeekDay(kWeekStartsSunday);
    EXPECT_EQ(date.firstDayOfWeek(), Qt::Sunday);
    Clock::SetToday(0);
}

TEST(CColouredText, DrawnInTheirOwnColoursOnWhiteByDefault)
{
    CWndClr window(1090);
    window.resize(120, 20);
    EXPECT_EQ(window.grab().toImage().pixelColor(1, 1), QColor(Qt::white));
    window.SetBkColor(0x00FF00);
    EXPECT_EQ(window.grab().toImage().pixelColor(1, 1), ColorFromRef(0x00FF00));

    CStaticClr label(1091);
    label.resize(120, 20);
    label.SetText(QStringLiteral("Banner"));
    label.SetTextColor(0x0000FF);
    EXPECT_TRUE(label.isReadOnly());
    EXPECT_EQ(label.grab().toImage().pixelColor(118, 1), QColor(Qt::white));
    EXPECT_EQ(label.palette().color(QPalette::Text), ColorFromRef(0x0000FF));
}

} // namespace

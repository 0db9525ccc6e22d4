#include "controls/CMyDateCtrl.h"

#include "controls/ControlTestSupport.h"

namespace {

using CMyDateCtrlTest = ControlTest;

TEST_F(CMyDateCtrlTest, SpeaksPackedDatesAndStartsOnToday)
{
    CMyDateCtrl date(1080);
    EXPECT_EQ(date.Date(), MakeDate(2009, 3, 5));
    date.SetDate(MakeDate(2012, 2, 29));
    EXPECT_EQ(date.Date(), MakeDate(2012, 2, 29));
    EXPECT_EQ(date.monthShown(), 2);
    date.SetStartWeekDay(kWeekStartsMonday);
    EXPECT_EQ(date.firstDayOfWeek(), Qt::Monday);
    date.SetStartWeekDay(kWeekStartsSunday);
    EXPECT_EQ(date.firstDayOfWeek(), Qt::Sunday);
}

} // namespace

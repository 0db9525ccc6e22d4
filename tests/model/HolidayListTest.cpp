#include "model/HolidayList.h"

#include <gtest/gtest.h>

namespace {

HolidayRecord Holiday(int month, int day, const char* name)
{
    return HolidayRecord{quint32(month * 256 + day), QString::fromUtf8(name)};
}

QString NameAt(const HolidayList& list, int position)
{
    return list.Get(position).Name;
}

} // namespace

TEST(HolidayListTest, KeepsDaySortedAndSameDayInInsertionOrder)
{
    HolidayList list;
    EXPECT_EQ(list.Add(Holiday(12, 25, "Christmas")), 0);
    EXPECT_EQ(list.Add(Holiday(1, 1, "New Year")), 0);
    EXPECT_EQ(list.Add(Holiday(12, 25, "Family dinner")), 2);
    EXPECT_EQ(list.Add(Holiday(7, 4, "Summer party")), 1);

    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(NameAt(list, 0), QStringLiteral("New Year"));
    EXPECT_EQ(NameAt(list, 1), QStringLiteral("Summer party"));
    EXPECT_EQ(NameAt(list, 2), QStringLiteral("Christmas"));
    EXPECT_EQ(NameAt(list, 3), QStringLiteral("Family dinner"));
    EXPECT_EQ(list.Find(MakeDate(2009, 12, 25)), 2);
    EXPECT_EQ(list.Find(MakeDate(2009, 12, 24)), -1);
}

TEST(HolidayListTest, DayStaysAHolidayUntilItsLastRecordGoes)
{
    HolidayList list;
    list.Add(Holiday(12, 25, "Christmas"));
    list.Add(Holiday(12, 25, "Family dinner"));
    list.Add(Holiday(12, 26, "Boxing Day"));
    const PackedDate christmas = MakeDate(2009, 12, 25);

    ASSERT_TRUE(list.Delete(list.Find(christmas)));
    EXPECT_TRUE(list.IsHoliday(christmas));
    EXPECT_EQ(NameAt(list, list.Find(christmas)), QStringLiteral("Family dinner"));

    ASSERT_TRUE(list.Delete(list.Find(christmas)));
    EXPECT_FALSE(list.IsHoliday(christmas));
    EXPECT_EQ(list.Find(christmas), -1);
    EXPECT_TRUE(list.IsHoliday(MakeDate(2009, 12, 26)));
    EXPECT_EQ(list.MonthMask(12), 1u << 25);
}

TEST(HolidayListTest, HolidaysApplyToEveryYear)
{
    HolidayList list;
    list.Add(Holiday(12, 25, "Christmas"));
    list.Add(Holiday(2, 29, "Leap day"));
    EXPECT_TRUE(list.IsHoliday(MakeDate(2009, 12, 25)));
    EXPECT_TRUE(list.IsHoliday(MakeDate(1999, 12, 25)));
    EXPECT_EQ(list.Find(MakeDate(1999, 12, 25)), list.Find(MakeDate(2009, 12, 25)));
    EXPECT_TRUE(list.IsHoliday(MakeDate(2008, 2, 29)));
    // 2009 has no 29 February; the clamped date is the 28th.
    EXPECT_FALSE(list.IsHoliday(MakeDate(2009, 2, 29)));
    EXPECT_FALSE(list.IsHoliday(MakeDate(2009, 12, 24)));
    EXPECT_FALSE(list.IsHoliday(kNoDate));
}

TEST(HolidayListTest, DaysOutsideTheCalendarAreKeptButMarkNothing)
{
    HolidayList list;
    list.Add(Holiday(13, 1, "No month"));
    list.Add(Holiday(3, 0, "No day"));
    list.Add(Holiday(2, 30, "Late February"));
    list.Add(Holiday(4, 31, "Not in April"));
    EXPECT_EQ(list.Count(), 4);
    for (int month = 1; month <= 12; ++month) {
        const quint32 expected = month == 2 ? 1u << 29 : month == 4 ? 1u << 30 : 0u;
        EXPECT_EQ(list.MonthMask(month), expected) << "month " << month;
    }
    EXPECT_EQ(list.MonthMask(0), 0u);
    EXPECT_EQ(list.MonthMask(13), 0u);
    EXPECT_TRUE(list.Delete(list.Count() - 1));
    EXPECT_TRUE(list.Delete(0));
}

TEST(HolidayListTest, OnlyTheDayAndMonthOfTheKeyAreStored)
{
    HolidayList list;
    list.Add(HolidayRecord{MakeDate(2009, 12, 25) | kWeekFlag, QStringLiteral("Christmas")});
    EXPECT_EQ(list.Get(0).MonthDay, 12u * 256 + 25);
    EXPECT_TRUE(list.IsHoliday(MakeDate(2010, 12, 25)));
}

TEST(HolidayListTest, OutOfRangePositionsChangeNothing)
{
    HolidayList list;
    list.Add(Holiday(5, 1, "May Day"));
    EXPECT_FALSE(list.Delete(1));
    EXPECT_FALSE(list.Delete(-1));
    EXPECT_EQ(list.Count(), 1);
    const HolidayRecord blank = list.Get(1);
    EXPECT_EQ(blank.MonthDay, 0u);
    EXPECT_TRUE(blank.Name.isEmpty());
}

TEST(HolidayListTest, ClearRemovesRecordsAndMasks)
{
    HolidayList list;
    list.Add(Holiday(5, 1, "May Day"));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    EXPECT_FALSE(list.IsHoliday(MakeDate(2009, 5, 1)));
    EXPECT_EQ(list.MonthMask(5), 0u);
}

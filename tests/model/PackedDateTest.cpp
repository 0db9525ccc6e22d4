#include "model/Clock.h"
#include "model/LanguageModule.h"
#include "model/PackedDate.h"
#include "support/QtPrinters.h"
#include "support/TestTables.h"

#include <QDateTime>
#include <QTimeZone>
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <ctime>
#include <functional>
#include <set>
#include <string>

namespace {

// The packed word built by hand, so expectations do not go through MakeDate.
constexpr PackedDate Raw(int year, int month, int day, quint32 flags = 0)
{
    return flags | (PackedDate(day) + PackedDate(month) * 256u + PackedDate(year) * 4096u);
}

// Every bit of a packed value in readable form, so a failing row says which
// field went wrong.
std::string Text(PackedDate date)
{
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d flags=%X", YearOf(date), MonthOf(date),
                  DayOf(date), unsigned(date >> 28));
    return buffer;
}

using testtables::PrintTo;
using testtables::RowName;

// True when the value is a real calendar day (flags aside).
bool IsValidDay(PackedDate date)
{
    const int year = YearOf(date);
    const int month = MonthOf(date);
    const int day = DayOf(date);
    return year >= 1 && month >= 1 && month <= 12 && day >= 1 && day <= DaysInMonth(year, month);
}

class PackedDateTest : public testing::Test
{
protected:
    void TearDown() override { Clock::SetToday(0); }
};

// --- MakeDate ---------------------------------------------------------------

struct MakeDateRow
{
    const char* name;
    int year, month, day;
    PackedDate expected;
};

const MakeDateRow kMakeDateRows[] = {
    {"AllZeroIsNoDate", 0, 0, 0, 0},
    {"YearZeroIs2000", 0, 3, 5, Raw(2000, 3, 5)},
    {"YearZeroWithDayOnly", 0, 0, 7, Raw(2000, 1, 7)},
    {"TwoDigitYear9", 9, 1, 1, Raw(2009, 1, 1)},
    {"TwoDigitYear50", 50, 6, 1, Raw(2050, 6, 1)},
    {"TwoDigitYear51", 51, 6, 1, Raw(1951, 6, 1)},
    {"TwoDigitYear75", 75, 1, 1, Raw(1975, 1, 1)},
    {"TwoDigitYear99", 99, 12, 31, Raw(1999, 12, 31)},
    {"NegativeYearWidened", -5, 6, 1, Raw(1995, 6, 1)},
    {"HugeNegativeYearClamped", INT_MIN, 6, 1, Raw(1, 6, 1)},
    {"Year100Kept", 100, 1, 1, Raw(100, 1, 1)},
    {"Year1899Kept", 1899, 5, 5, Raw(1899, 5, 5)},
    {"Year65535Kept", 65535, 12, 31, Raw(65535, 12, 31)},
    {"Year65536Clamped", 65536, 1, 1, Raw(65535, 1, 1)},
    {"HugeYearClamped", INT_MAX, 1, 1, Raw(65535, 1, 1)},
    {"Feb30CommonYear", 2009, 2, 30, Raw(2009, 2, 28)},
    {"Feb30LeapYear", 2008, 2, 30, Raw(2008, 2, 29)},
    {"Month13Day0", 2009, 13, 0, Raw(2009, 12, 1)},
    {"MonthZero", 2009, 0, 10, Raw(2009, 1, 10)},
    {"NegativeMonthAndDay", 2009, -4, -9, Raw(2009, 1, 1)},
    {"Day255", 2009, 4, 255, Raw(2009, 4, 30)},
    {"HugeDay", 2009, 1, INT_MAX, Raw(2009, 1, 31)},
};

class MakeDateTest : public testing::TestWithParam<MakeDateRow>
{
};

TEST_P(MakeDateTest, WidensAndClamps)
{
    const MakeDateRow& row = GetParam();
    EXPECT_EQ(Text(MakeDate(row.year, row.month, row.day)), Text(row.expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, MakeDateTest, testing::ValuesIn(kMakeDateRows), RowName<MakeDateRow>);

QString g_debugText;

void CaptureDebug(QtMsgType, const QMessageLogContext&, const QString& text)
{
    g_debugText += text;
}

TEST_F(PackedDateTest, MakeDateReportsOnlyYearsBelow1900)
{
    const QtMessageHandler previous = qInstallMessageHandler(CaptureDebug);
    g_debugText.clear();
    MakeDate(1975, 1, 1);
    MakeDate(75, 1, 1);
    MakeDate(1900, 1, 1);
    const QString quiet = g_debugText;
    MakeDate(1850, 1, 1);
    const QString reported = g_debugText;
    qInstallMessageHandler(previous);

    EXPECT_TRUE(quiet.isEmpty()) << quiet.toStdString();
    EXPECT_EQ(reported, QStringLiteral("Invalid Year(<1900) for Date value!\n"));
}

// --- Years and months --------------------------------------------------------

struct LeapRow
{
    const char* name;
    int year;
    bool leap;
    int lastDayOfYear; // DayOfYear of 31 December
};

const LeapRow kLeapRows[] = {
    {"Year1900NotLeap", 1900, false, 365}, {"Year2000Leap", 2000, true, 366},
    {"Year2100NotLeap", 2100, false, 365}, {"Year2008Leap", 2008, true, 366},
    {"Year2009NotLeap", 2009, false, 365}, {"Year2400Leap", 2400, true, 366},
};

class LeapYearTest : public testing::TestWithParam<LeapRow>
{
};

TEST_P(LeapYearTest, FebruaryAndYearLengthFollowTheRule)
{
    const LeapRow& row = GetParam();
    EXPECT_EQ(IsLeapYear(row.year), row.leap);
    EXPECT_EQ(DaysInMonth(row.year, 2), row.leap ? 29 : 28);
    EXPECT_EQ(DaysInMonthOf(Raw(row.year, 2, 10)), row.leap ? 29 : 28);
    EXPECT_EQ(DayOfYear(Raw(row.year, 12, 31)), row.lastDayOfYear);
    EXPECT_EQ(DayOfYear(Raw(row.year, 3, 1)), row.leap ? 61 : 60);
}

INSTANTIATE_TEST_SUITE_P(Rows, LeapYearTest, testing::ValuesIn(kLeapRows), RowName<LeapRow>);

TEST_F(PackedDateTest, MonthLengthsOfACommonAndALeapYear)
{
    const int common[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(DaysInMonth(2009, month), common[month - 1]) << "month " << month;
        EXPECT_EQ(DaysInMonth(2008, month), month == 2 ? 29 : common[month - 1]) << "month " << month;
        EXPECT_EQ(Text(LastOfMonth(Raw(2009, month, 5, kWeekFlag))), Text(Raw(2009, month, common[month - 1])));
        EXPECT_EQ(Text(FirstOfMonth(Raw(2009, month, 5, kWeekFlag))), Text(Raw(2009, month, 1)));
    }
}

struct WeekdayRow
{
    const char* name;
    PackedDate date;
    int weekday;
};

const WeekdayRow kWeekdayRows[] = {
    {"Thursday5March2009", Raw(2009, 3, 5), Thursday},
    {"Sunday7June2009", Raw(2009, 6, 7), Sunday},
    {"Saturday13June2009", Raw(2009, 6, 13), Saturday},
    {"Saturday1January2000", Raw(2000, 1, 1), Saturday},
    {"Monday1January1900", Raw(1900, 1, 1), Monday},
    {"FlagIgnored", Raw(2009, 6, 7, kFlagBits), Sunday},
};

class DayOfWeekTest : public testing::TestWithParam<WeekdayRow>
{
};

TEST_P(DayOfWeekTest, CountsSundayAsOne)
{
    EXPECT_EQ(DayOfWeek(GetParam().date), GetParam().weekday);
}

INSTANTIATE_TEST_SUITE_P(Rows, DayOfWeekTest, testing::ValuesIn(kWeekdayRows), RowName<WeekdayRow>);

// --- Stepping across month and year ends ------------------------------------

struct StepRow
{
    const char* name;
    PackedDate date;
    PackedDate nextDay, prevDay, nextWeek, prevWeek, nextMonth, prevMonth;
};

// One boundary table for every stepping operation.
const StepRow kStepRows[] = {
    {"MidMonth", Raw(2009, 6, 15), Raw(2009, 6, 16), Raw(2009, 6, 14), Raw(2009, 6, 22), Raw(2009, 6, 8),
     Raw(2009, 7, 1), Raw(2009, 5, 1)},
    {"ThirtyDayMonthEnd", Raw(2009, 6, 30), Raw(2009, 7, 1), Raw(2009, 6, 29), Raw(2009, 7, 7),
     Raw(2009, 6, 23), Raw(2009, 7, 1), Raw(2009, 5, 1)},
    {"YearEnd", Raw(2009, 12, 31), Raw(2010, 1, 1), Raw(2009, 12, 30), Raw(2010, 1, 7), Raw(2009, 12, 24),
     Raw(2010, 1, 1), Raw(2009, 11, 1)},
    {"YearStart", Raw(2009, 1, 1), Raw(2009, 1, 2), Raw(2008, 12, 31), Raw(2009, 1, 8), Raw(2008, 12, 25),
     Raw(2009, 2, 1), Raw(2008, 12, 1)},
    {"MidJanuary", Raw(2009, 1, 15), Raw(2009, 1, 16), Raw(2009, 1, 14), Raw(2009, 1, 22), Raw(2009, 1, 8),
     Raw(2009, 2, 1), Raw(2008, 12, 1)},
    {"LeapDay", Raw(2008, 2, 29), Raw(2008, 3, 1), Raw(2008, 2, 28), Raw(2008, 3, 7), Raw(2008, 2, 22),
     Raw(2008, 3, 1), Raw(2008, 1, 1)},
    {"EarlyMarchLeapYear", Raw(2008, 3, 3), Raw(2008, 3, 4), Raw(2008, 3, 2), Raw(2008, 3, 10),
     Raw(2008, 2, 25), Raw(2008, 4, 1), Raw(2008, 2, 1)},
    {"FirstMarchLeapYear", Raw(2008, 3, 1), Raw(2008, 3, 2), Raw(2008, 2, 29), Raw(2008, 3, 8),
     Raw(2008, 2, 23), Raw(2008, 4, 1), Raw(2008, 2, 1)},
    {"FebruaryEndCommonYear", Raw(2009, 2, 28), Raw(2009, 3, 1), Raw(2009, 2, 27), Raw(2009, 3, 7),
     Raw(2009, 2, 21), Raw(2009, 3, 1), Raw(2009, 1, 1)},
    {"FirstMarchCommonYear", Raw(2009, 3, 1), Raw(2009, 3, 2), Raw(2009, 2, 28), Raw(2009, 3, 8),
     Raw(2009, 2, 22), Raw(2009, 4, 1), Raw(2009, 2, 1)},
    {"FebruaryEnd2100NotLeap", Raw(2100, 2, 28), Raw(2100, 3, 1), Raw(2100, 2, 27), Raw(2100, 3, 7),
     Raw(2100, 2, 21), Raw(2100, 3, 1), Raw(2100, 1, 1)},
    {"FebruaryEnd2000Leap", Raw(2000, 2, 28), Raw(2000, 2, 29), Raw(2000, 2, 27), Raw(2000, 3, 6),
     Raw(2000, 2, 21), Raw(2000, 3, 1), Raw(2000, 1, 1)},
    {"LastWeekOfYear", Raw(2009, 12, 28), Raw(2009, 12, 29), Raw(2009, 12, 27), Raw(2010, 1, 4),
     Raw(2009, 12, 21), Raw(2010, 1, 1), Raw(2009, 11, 1)},
};

class SteppingTest : public testing::TestWithParam<StepRow>
{
};

// The flags ride along unchanged: the week-selection flag alone, and every
// flag bit at once.
TEST_P(SteppingTest, StepsOnTheFieldsAndKeepsFlags)
{
    const StepRow& row = GetParam();
    for (const quint32 flags : {0u, kWeekFlag, kFlagBits}) {
        SCOPED_TRACE(testing::Message() << "flags " << std::hex << flags);
        const PackedDate date = row.date | flags;
        EXPECT_EQ(Text(NextDay(date)), Text(row.nextDay | flags));
        EXPECT_EQ(Text(PrevDay(date)), Text(row.prevDay | flags));
        EXPECT_EQ(Text(NextWeek(date)), Text(row.nextWeek | flags));
        EXPECT_EQ(Text(PrevWeek(date)), Text(row.prevWeek | flags));
        EXPECT_EQ(Text(NextMonth(date)), Text(row.nextMonth | flags));
        EXPECT_EQ(Text(PrevMonth(date)), Text(row.prevMonth | flags));
    }
}

// The same boundaries through the platform's calendar: stepping on the packed
// fields and counting calendar days must agree.
TEST_P(SteppingTest, AgreesWithCountingCalendarDays)
{
    const StepRow& row = GetParam();
    const PackedDate date = row.date | kWeekFlag;
    EXPECT_EQ(Text(AddDays(date, 1)), Text(row.nextDay));
    EXPECT_EQ(Text(AddDays(date, -1)), Text(row.prevDay));
    EXPECT_EQ(Text(AddDays(date, 7)), Text(row.nextWeek));
    EXPECT_EQ(Text(AddDays(date, -7)), Text(row.prevWeek));
    EXPECT_EQ(Text(AddDays(date, 0)), Text(row.date));
}

INSTANTIATE_TEST_SUITE_P(Rows, SteppingTest, testing::ValuesIn(kStepRows), RowName<StepRow>);

TEST_F(PackedDateTest, StepsOfNoDateStayNoDate)
{
    for (const PackedDate none : {PackedDate(0), PackedDate(kWeekFlag)}) {
        SCOPED_TRACE(Text(none));
        EXPECT_EQ(NextDay(none), none);
        EXPECT_EQ(PrevDay(none), none);
        EXPECT_EQ(NextWeek(none), none);
        EXPECT_EQ(PrevWeek(none), none);
        EXPECT_EQ(NextMonth(none), none);
        EXPECT_EQ(PrevMonth(none), none);
        EXPECT_EQ(FirstOfMonth(none), kNoDate);
        EXPECT_EQ(LastOfMonth(none), kNoDate);
        EXPECT_EQ(AddDays(none, 5), kNoDate);
    }
}

TEST_F(PackedDateTest, FlagDroppingOperationsClearEveryFlagBit)
{
    const PackedDate date = Raw(2009, 6, 10, kFlagBits);
    EXPECT_EQ(Text(FirstOfMonth(date)), Text(Raw(2009, 6, 1)));
    EXPECT_EQ(Text(LastOfMonth(date)), Text(Raw(2009, 6, 30)));
    EXPECT_EQ(Text(AddDays(date, 3)), Text(Raw(2009, 6, 13)));
    EXPECT_EQ(Text(WeekStart(date, kWeekStartsSunday)), Text(Raw(2009, 6, 7)));
    EXPECT_EQ(Text(WeekEnd(date, kWeekStartsSunday)), Text(Raw(2009, 6, 13)));
    EXPECT_EQ(Text(MondayOfWeek(date, kWeekStartsMonday)), Text(Raw(2009, 6, 8)));
}

TEST_F(PackedDateTest, SetDayReplacesOnlyDaysOfTheMonth)
{
    PackedDate date = Raw(2009, 2, 10, kWeekFlag);
    EXPECT_TRUE(SetDay(date, 28));
    EXPECT_EQ(Text(date), Text(Raw(2009, 2, 28, kWeekFlag)));
    EXPECT_FALSE(SetDay(date, 29));
    EXPECT_FALSE(SetDay(date, 0));
    EXPECT_FALSE(SetDay(date, -1));
    EXPECT_EQ(Text(date), Text(Raw(2009, 2, 28, kWeekFlag)));

    PackedDate leap = Raw(2008, 2, 1);
    EXPECT_TRUE(SetDay(leap, 29));
    EXPECT_FALSE(SetDay(leap, 30));
    EXPECT_EQ(Text(leap), Text(Raw(2008, 2, 29)));

    PackedDate none = kWeekFlag;
    EXPECT_FALSE(SetDay(none, 5));
    EXPECT_EQ(none, kWeekFlag);
}

TEST_F(PackedDateTest, SetWeekFlagTouchesOnlyBit28)
{
    PackedDate date = Raw(2009, 6, 10, 0xE0000000u);
    SetWeekFlag(date, true);
    EXPECT_EQ(Text(date), Text(Raw(2009, 6, 10, kFlagBits)));
    SetWeekFlag(date, false);
    EXPECT_EQ(Text(date), Text(Raw(2009, 6, 10, 0xE0000000u)));
}

// --- Weeks -------------------------------------------------------------------

struct WeekNumberRow
{
    const char* name;
    PackedDate date;
    int sundayStart;
    int mondayStart;
};

const WeekNumberRow kWeekNumberRows[] = {
    {"Sunday1January2006", Raw(2006, 1, 1), 1, 0},
    {"Monday2January2006", Raw(2006, 1, 2), 1, 1},
    {"Saturday7January2006", Raw(2006, 1, 7), 1, 1},
    {"Sunday8January2006", Raw(2006, 1, 8), 2, 1},
    {"Monday9January2006", Raw(2006, 1, 9), 2, 2},
    {"Sunday1January2012", Raw(2012, 1, 1), 1, 0},
    {"Sunday1January2017", Raw(2017, 1, 1), 1, 0},
    {"Thursday1January2009", Raw(2009, 1, 1), 1, 1},
    {"Sunday4January2009", Raw(2009, 1, 4), 2, 1},
    {"Thursday31December2009", Raw(2009, 12, 31), 53, 53},
    {"Saturday1January2011", Raw(2011, 1, 1), 1, 1},
    {"Sunday2January2011", Raw(2011, 1, 2), 2, 1},
    {"LeapYearFromSaturdayEnd", Raw(2000, 12, 31), 54, 53},
    {"LeapYearEnd2008", Raw(2008, 12, 31), 53, 53},
    {"FlagIgnored", Raw(2006, 1, 8, kWeekFlag), 2, 1},
};

class WeekNumberTest : public testing::TestWithParam<WeekNumberRow>
{
};

TEST_P(WeekNumberTest, CountsFromTheWeekOfFirstJanuary)
{
    const WeekNumberRow& row = GetParam();
    EXPECT_EQ(WeekNumber(row.date, kWeekStartsSunday), row.sundayStart);
    EXPECT_EQ(WeekNumber(row.date, kWeekStartsMonday), row.mondayStart);
    // Every start value other than 1 is a Monday start.
    EXPECT_EQ(WeekNumber(row.date, 0), row.mondayStart);
    EXPECT_EQ(WeekNumber(row.date, 7), row.mondayStart);
}

INSTANTIATE_TEST_SUITE_P(Rows, WeekNumberTest, testing::ValuesIn(kWeekNumberRows), RowName<WeekNumberRow>);

struct WeekRow
{
    const char* name;
    PackedDate date;
    int start;
    PackedDate weekStart;
    PackedDate monday;
};

const WeekRow kWeekRows[] = {
    {"SundayWithSundayStart", Raw(2009, 6, 7), kWeekStartsSunday, Raw(2009, 6, 7), Raw(2009, 6, 8)},
    {"SundayWithMondayStart", Raw(2009, 6, 7), kWeekStartsMonday, Raw(2009, 6, 1), Raw(2009, 6, 1)},
    {"TuesdayWithSundayStartIntoMay", Raw(2009, 6, 2), kWeekStartsSunday, Raw(2009, 5, 31), Raw(2009, 6, 1)},
    {"TuesdayWithMondayStart", Raw(2009, 6, 2), kWeekStartsMonday, Raw(2009, 6, 1), Raw(2009, 6, 1)},
    {"MondayWithSundayStart", Raw(2009, 6, 1), kWeekStartsSunday, Raw(2009, 5, 31), Raw(2009, 6, 1)},
    {"MondayWithMondayStart", Raw(2009, 6, 1), kWeekStartsMonday, Raw(2009, 6, 1), Raw(2009, 6, 1)},
    {"SaturdayWithSundayStart", Raw(2009, 6, 6), kWeekStartsSunday, Raw(2009, 5, 31), Raw(2009, 6, 1)},
    {"SaturdayWithMondayStart", Raw(2009, 6, 6), kWeekStartsMonday, Raw(2009, 6, 1), Raw(2009, 6, 1)},
    {"MonthEndSundayWithSundayStartIntoJune", Raw(2009, 5, 31), kWeekStartsSunday, Raw(2009, 5, 31),
     Raw(2009, 6, 1)},
    {"MonthEndSundayWithMondayStart", Raw(2009, 5, 31), kWeekStartsMonday, Raw(2009, 5, 25), Raw(2009, 5, 25)},
    {"NewYearWithSundayStart", Raw(2009, 1, 1), kWeekStartsSunday, Raw(2008, 12, 28), Raw(2008, 12, 29)},
    {"NewYearWithMondayStart", Raw(2009, 1, 1), kWeekStartsMonday, Raw(2008, 12, 29), Raw(2008, 12, 29)},
    {"SundayIntoLeapFebruary", Raw(2008, 3, 2), kWeekStartsMonday, Raw(2008, 2, 25), Raw(2008, 2, 25)},
    {"OtherStartValueIsMonday", Raw(2009, 6, 7), 3, Raw(2009, 6, 1), Raw(2009, 6, 1)},
    {"ZeroStartValueIsMonday", Raw(2009, 6, 7), 0, Raw(2009, 6, 1), Raw(2009, 6, 1)},
    {"WeekFlagDropped", Raw(2009, 6, 2, kWeekFlag), kWeekStartsSunday, Raw(2009, 5, 31), Raw(2009, 6, 1)},
};

class WeekTest : public testing::TestWithParam<WeekRow>
{
};

TEST_P(WeekTest, StartEndAndMondayOfTheWeek)
{
    const WeekRow& row = GetParam();
    const PackedDate start = WeekStart(row.date, row.start);
    EXPECT_EQ(Text(start), Text(row.weekStart));
    EXPECT_EQ(Text(WeekEnd(row.date, row.start)), Text(AddDays(row.weekStart, 6)));
    EXPECT_EQ(Text(MondayOfWeek(row.date, row.start)), Text(row.monday));
    // The first day of the week lies in it, so it comes back unchanged.
    EXPECT_EQ(Text(WeekStart(start, row.start)), Text(start));
    // The Monday found lies in the week WeekStart gives.
    EXPECT_FALSE(IsBefore(row.monday, start));
    EXPECT_FALSE(IsBefore(AddDays(start, 6), row.monday));
}

INSTANTIATE_TEST_SUITE_P(Rows, WeekTest, testing::ValuesIn(kWeekRows), RowName<WeekRow>);

TEST_F(PackedDateTest, WeekOfNoDateIsTheWeekOfToday)
{
    Clock::SetToday(Raw(2009, 6, 2));
    EXPECT_EQ(Text(WeekStart(0, kWeekStartsSunday)), Text(Raw(2009, 5, 31)));
    EXPECT_EQ(Text(WeekStart(kWeekFlag, kWeekStartsMonday)), Text(Raw(2009, 6, 1)));
    EXPECT_EQ(Text(WeekEnd(0, kWeekStartsSunday)), Text(Raw(2009, 6, 6)));
    EXPECT_EQ(Text(MondayOfWeek(0, kWeekStartsSunday)), Text(Raw(2009, 6, 1)));
}

// --- AddDays -----------------------------------------------------------------

struct AddDaysRow
{
    const char* name;
    PackedDate date;
    int n;
    PackedDate expected;
};

const AddDaysRow kAddDaysRows[] = {
    {"DaylightSavingEnds", Raw(2009, 10, 25), 1, Raw(2009, 10, 26)},
    {"BackOverDaylightSavingEnd", Raw(2009, 10, 26), -1, Raw(2009, 10, 25)},
    {"DaylightSavingStarts", Raw(2009, 3, 29), 1, Raw(2009, 3, 30)},
    {"WeekOverDaylightSavingEnd", Raw(2009, 10, 20), 7, Raw(2009, 10, 27)},
    {"YearEnd", Raw(2009, 12, 31), 1, Raw(2010, 1, 1)},
    {"OverLeapDay", Raw(2008, 2, 28), 2, Raw(2008, 3, 1)},
    {"LeapYearForward", Raw(2008, 1, 1), 366, Raw(2009, 1, 1)},
    {"YearBack", Raw(2009, 3, 1), -365, Raw(2008, 3, 1)},
    {"TenThousandDays", Raw(2009, 6, 1), 10000, Raw(2036, 10, 17)},
    {"HugeForwardStopsAtLastDay", Raw(2009, 6, 1), INT_MAX, Raw(65535, 12, 31)},
    {"HugeBackStopsAtFirstDay", Raw(2009, 6, 1), INT_MIN, Raw(1, 1, 1)},
    {"PastLastDay", Raw(65535, 12, 31), 1, Raw(65535, 12, 31)},
    {"BeforeFirstDay", Raw(1, 1, 1), -1, Raw(1, 1, 1)},
};

// Runs in a zone with daylight saving; the previous zone comes back after.
class AddDaysTest : public testing::TestWithParam<AddDaysRow>
{
protected:
    void SetUp() override
    {
        m_previousTz = qgetenv("TZ");
        qputenv("TZ", "Europe/Berlin");
        tzset();
    }
    void TearDown() override
    {
        qputenv("TZ", m_previousTz);
        tzset();
    }

private:
    QByteArray m_previousTz;
};

TEST_P(AddDaysTest, CountsCalendarDays)
{
    // The zone must really change its offset on 25 October 2009, or the rows
    // would prove nothing about daylight saving.
    const QDateTime before(QDate(2009, 10, 24), QTime(12, 0));
    const QDateTime after(QDate(2009, 10, 26), QTime(12, 0));
    ASSERT_EQ(before.offsetFromUtc() - after.offsetFromUtc(), 3600);

    const AddDaysRow& row = GetParam();
    EXPECT_EQ(Text(AddDays(row.date, row.n)), Text(row.expected));
    EXPECT_EQ(Text(AddDays(row.date | kWeekFlag, row.n)), Text(row.expected));
}

INSTANTIATE_TEST_SUITE_P(Rows, AddDaysTest, testing::ValuesIn(kAddDaysRows), RowName<AddDaysRow>);

// --- IsBefore ----------------------------------------------------------------

struct IsBeforeRow
{
    const char* name;
    PackedDate a, b;
    bool before;
};

const IsBeforeRow kIsBeforeRows[] = {
    {"NoDateLeft", 0, Raw(2009, 6, 1), true},
    {"NoDateRight", Raw(2009, 6, 1), 0, true},
    {"NoDateBoth", 0, 0, true},
    {"Earlier", Raw(2009, 5, 31), Raw(2009, 6, 1), true},
    {"Later", Raw(2009, 6, 1), Raw(2009, 5, 31), false},
    {"Same", Raw(2009, 6, 1), Raw(2009, 6, 1), false},
    {"OnlyWeekFlagDiffersLeft", Raw(2009, 6, 1, kWeekFlag), Raw(2009, 6, 1), false},
    {"OnlyWeekFlagDiffersRight", Raw(2009, 6, 1), Raw(2009, 6, 1, kWeekFlag), false},
    {"FlaggedLaterStaysLater", Raw(2009, 6, 2, kFlagBits), Raw(2009, 6, 1), false},
    {"EarlierYearLaterMonth", Raw(2008, 12, 31), Raw(2009, 1, 1, kWeekFlag), true},
};

class IsBeforeTest : public testing::TestWithParam<IsBeforeRow>
{
};

TEST_P(IsBeforeTest, ComparesWithoutFlags)
{
    EXPECT_EQ(IsBefore(GetParam().a, GetParam().b), GetParam().before);
}

INSTANTIATE_TEST_SUITE_P(Rows, IsBeforeTest, testing::ValuesIn(kIsBeforeRows), RowName<IsBeforeRow>);

// --- Names -------------------------------------------------------------------

TEST_F(PackedDateTest, NamesComeFromTheLanguageModule)
{
    std::set<QString> names;
    int filled = 0;
    for (int month = 1; month <= 12; ++month) {
        EXPECT_EQ(MonthName(month), GetText(133 + month)) << "month " << month;
        EXPECT_EQ(MonthNameOf(Raw(2009, month, 5, kWeekFlag)), GetText(133 + month)) << "month " << month;
        filled += MonthName(month).isEmpty() ? 0 : 1;
        names.insert(MonthName(month));
    }
    for (int weekday = Sunday; weekday <= Saturday; ++weekday) {
        EXPECT_EQ(DayName(weekday), GetText(145 + weekday)) << "weekday " << weekday;
        filled += DayName(weekday).isEmpty() ? 0 : 1;
        names.insert(DayName(weekday));
    }
    // Sunday 7 June 2009 ... Saturday 13 June 2009.
    for (int day = 7; day <= 13; ++day)
        EXPECT_EQ(DayNameOf(Raw(2009, 6, day)), GetText(146 + day - 7)) << "June " << day;
    // Every filled name is a different text (months and weekdays share no id).
    names.erase(QString());
    EXPECT_EQ(int(names.size()), filled);
}

TEST_F(PackedDateTest, NamesOutOfRangeAreEmpty)
{
    EXPECT_TRUE(MonthName(0).isEmpty());
    EXPECT_TRUE(MonthName(13).isEmpty());
    EXPECT_TRUE(MonthName(-1).isEmpty());
    EXPECT_TRUE(DayName(0).isEmpty());
    EXPECT_TRUE(DayName(8).isEmpty());
    EXPECT_TRUE(MonthNameOf(0).isEmpty());
    EXPECT_TRUE(DayNameOf(0).isEmpty());
    EXPECT_TRUE(DayNameOf(kWeekFlag).isEmpty());
}

// --- The next weekend and Monday ------------------------------------------

struct NextDayOfWeekRow
{
    const char* name;
    PackedDate today;
    PackedDate saturday, sunday, monday;
};

const NextDayOfWeekRow kNextDayOfWeekRows[] = {
    {"FromSunday", Raw(2009, 6, 7), Raw(2009, 6, 13), Raw(2009, 6, 14), Raw(2009, 6, 8)},
    {"FromMonday", Raw(2009, 6, 8), Raw(2009, 6, 13), Raw(2009, 6, 14), Raw(2009, 6, 15)},
    {"FromTuesday", Raw(2009, 6, 9), Raw(2009, 6, 13), Raw(2009, 6, 14), Raw(2009, 6, 15)},
    {"FromWednesday", Raw(2009, 6, 10), Raw(2009, 6, 13), Raw(2009, 6, 14), Raw(2009, 6, 15)},
    {"FromThursday", Raw(2009, 6, 11), Raw(2009, 6, 13), Raw(2009, 6, 14), Raw(2009, 6, 15)},
    {"FromFriday", Raw(2009, 6, 12), Raw(2009, 6, 13), Raw(2009, 6, 14), Raw(2009, 6, 15)},
    {"FromSaturday", Raw(2009, 6, 13), Raw(2009, 6, 20), Raw(2009, 6, 14), Raw(2009, 6, 15)},
    {"FromNewYearsEve", Raw(2009, 12, 31), Raw(2010, 1, 2), Raw(2010, 1, 3), Raw(2010, 1, 4)},
};

class NextDayOfWeekTest : public testing::TestWithParam<NextDayOfWeekRow>
{
protected:
    void TearDown() override { Clock::SetToday(0); }
};

TEST_P(NextDayOfWeekTest, IsTheFirstSuchDayAfterToday)
{
    const NextDayOfWeekRow& row = GetParam();
    Clock::SetToday(row.today);
    EXPECT_EQ(Text(NextSaturday()), Text(row.saturday));
    EXPECT_EQ(Text(NextSunday()), Text(row.sunday));
    EXPECT_EQ(Text(NextMonday()), Text(row.monday));
}

INSTANTIATE_TEST_SUITE_P(Rows, NextDayOfWeekTest, testing::ValuesIn(kNextDayOfWeekRows),
                         RowName<NextDayOfWeekRow>);

// --- Values out of range -----------------------------------------------------

struct OutOfRangeRow
{
    const char* name;
    PackedDate value; // as found, e.g. in a damaged file
    PackedDate readAs; // the valid day it counts as
};

const OutOfRangeRow kOutOfRangeRows[] = {
    {"YearZero", Raw(0, 3, 5), Raw(1, 3, 5)},
    {"MonthZero", Raw(2009, 0, 15), Raw(2009, 1, 15)},
    {"Month13", Raw(2009, 13, 15), Raw(2009, 12, 15)},
    {"Month15", Raw(2009, 15, 15), Raw(2009, 12, 15)},
    {"DayZero", Raw(2009, 3, 0), Raw(2009, 3, 1)},
    {"Day32", Raw(2009, 1, 32), Raw(2009, 1, 31)},
    {"Day255", Raw(2009, 2, 255), Raw(2009, 2, 28)},
    {"Day31OfApril", Raw(2009, 4, 31), Raw(2009, 4, 30)},
    {"Day29OfCommonFebruary", Raw(2009, 2, 29), Raw(2009, 2, 28)},
    {"LastYearEverything", Raw(65535, 15, 255), Raw(65535, 12, 31)},
    {"NothingButDay", Raw(0, 0, 1), Raw(1, 1, 1)},
};

class OutOfRangeTest : public testing::TestWithParam<OutOfRangeRow>
{
protected:
    void TearDown() override { Clock::SetToday(0); }
};

// A field out of range counts as the nearest valid day: every operation gives
// what it gives for that day, a real calendar day, and leaves the flags alone.
TEST_P(OutOfRangeTest, ReadsAsTheNearestValidDay)
{
    const OutOfRangeRow& row = GetParam();
    const std::function<PackedDate(PackedDate)> keeping[] = {NextDay, PrevDay, NextWeek, PrevWeek, NextMonth,
                                                             PrevMonth};
    const std::function<PackedDate(PackedDate)> dropping[] = {
        FirstOfMonth,
        LastOfMonth,
        [](PackedDate d) { return AddDays(d, 1); },
        [](PackedDate d) { return AddDays(d, -40); },
        [](PackedDate d) { return WeekStart(d, kWeekStartsSunday); },
        [](PackedDate d) { return WeekEnd(d, kWeekStartsMonday); },
        [](PackedDate d) { return MondayOfWeek(d, kWeekStartsMonday); },
    };
    for (const quint32 flags : {0u, kWeekFlag, kFlagBits}) {
        SCOPED_TRACE(testing::Message() << "flags " << std::hex << flags);
        const PackedDate value = row.value | flags;
        int i = 0;
        for (const auto& op : keeping) {
            const PackedDate result = op(value);
            EXPECT_EQ(Text(result), Text(op(row.readAs) | flags)) << "keeping op " << i;
            EXPECT_TRUE(IsValidDay(result)) << "keeping op " << i << ": " << Text(result);
            ++i;
        }
        i = 0;
        for (const auto& op : dropping) {
            const PackedDate result = op(value);
            EXPECT_EQ(Text(result), Text(op(row.readAs))) << "dropping op " << i;
            EXPECT_TRUE(IsValidDay(result)) << "dropping op " << i << ": " << Text(result);
            ++i;
        }
        EXPECT_EQ(DayOfWeek(value), DayOfWeek(row.readAs));
        EXPECT_EQ(DayOfYear(value), DayOfYear(row.readAs));
        EXPECT_EQ(DaysInMonthOf(value), DaysInMonthOf(row.readAs));
        EXPECT_EQ(WeekNumber(value, kWeekStartsSunday), WeekNumber(row.readAs, kWeekStartsSunday));
        EXPECT_EQ(WeekNumber(value, kWeekStartsMonday), WeekNumber(row.readAs, kWeekStartsMonday));
        EXPECT_EQ(ToPlatformTime(value), ToPlatformTime(row.readAs));
        EXPECT_EQ(MonthNameOf(value), MonthNameOf(row.readAs));

        PackedDate set = value;
        ASSERT_TRUE(SetDay(set, 1));
        EXPECT_EQ(Text(set), Text(FirstOfMonth(row.readAs) | flags));
    }
}

INSTANTIATE_TEST_SUITE_P(Rows, OutOfRangeTest, testing::ValuesIn(kOutOfRangeRows), RowName<OutOfRangeRow>);

struct EdgeStepRow
{
    const char* name;
    std::function<PackedDate(PackedDate)> step;
    PackedDate from;
    PackedDate expected;
};

// The packed year ends at 65535 and the calendar starts at year 1: a step
// past either end stays on the last or first day, never moving the other way.
const EdgeStepRow kEdgeStepRows[] = {
    {"NextDayAtLastDay", NextDay, Raw(65535, 12, 31), Raw(65535, 12, 31)},
    {"NextWeekNearLastDay", NextWeek, Raw(65535, 12, 28), Raw(65535, 12, 31)},
    {"NextWeekInLastMonth", NextWeek, Raw(65535, 12, 20), Raw(65535, 12, 27)},
    {"NextMonthInLastMonth", NextMonth, Raw(65535, 12, 15), Raw(65535, 12, 31)},
    {"NextMonthBeforeLastMonth", NextMonth, Raw(65535, 11, 15), Raw(65535, 12, 1)},
    {"PrevDayAtFirstDay", PrevDay, Raw(1, 1, 1), Raw(1, 1, 1)},
    {"PrevWeekNearFirstDay", PrevWeek, Raw(1, 1, 3), Raw(1, 1, 1)},
    {"PrevMonthInFirstMonth", PrevMonth, Raw(1, 1, 20), Raw(1, 1, 1)},
    {"PrevMonthAfterFirstMonth", PrevMonth, Raw(1, 2, 20), Raw(1, 1, 1)},
    {"YearOverLastYearEnd", NextDay, Raw(65534, 12, 31), Raw(65535, 1, 1)},
};

class EdgeStepTest : public testing::TestWithParam<EdgeStepRow>
{
};

TEST_P(EdgeStepTest, StaysInsideTheRange)
{
    const EdgeStepRow& row = GetParam();
    for (const quint32 flags : {0u, kWeekFlag, kFlagBits})
        EXPECT_EQ(Text(row.step(row.from | flags)), Text(row.expected | flags));
}

INSTANTIATE_TEST_SUITE_P(Rows, EdgeStepTest, testing::ValuesIn(kEdgeStepRows), RowName<EdgeStepRow>);

} // namespace

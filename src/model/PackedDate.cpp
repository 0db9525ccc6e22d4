#include "model/PackedDate.h"

#include "model/Clock.h"
#include "model/LanguageModule.h"

#include <QDebug>

#include <algorithm>

namespace {

constexpr int kMaxYear = 0xFFFF;

constexpr int kDaysBefore[2][12] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
};
constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

constexpr PackedDate Pack(int year, int month, int day)
{
    return PackedDate(day) + PackedDate(month) * 256u + PackedDate(year) * 4096u;
}

int ClampMonth(int month)
{
    return std::clamp(month, 1, 12);
}

PackedDate FlagsOf(PackedDate date)
{
    return date & kFlagBits;
}

} // namespace

PackedDate MakeDate(int year, int month, int day)
{
    if (year == 0) {
        if (month == 0 && day == 0)
            return kNoDate;
        year = 2000;
    } else if (year < 51) {
        year = year < -1999 ? 1 : year + 2000;
    } else if (year < 100) {
        year += 1900;
    } else if (year < 1900) {
        qDebug().noquote().nospace() << "Invalid Year(<1900) for Date value!\n";
    }
    // The packed year has 16 bits; a larger year would run into the flags.
    year = std::clamp(year, 1, kMaxYear);
    month = ClampMonth(month);
    day = day < 1 ? 1 : std::min(day, DaysInMonth(year, month));
    return Pack(year, month, day);
}

PackedDate Today()
{
    return Clock::Today();
}

bool IsLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int DaysInMonth(int year, int month)
{
    month = ClampMonth(month);
    if (month == 2 && IsLeapYear(year))
        return 29;
    return kMonthLength[month - 1];
}

int DaysInMonthOf(PackedDate date)
{
    return DaysInMonth(YearOf(date), MonthOf(date));
}

int DayOfYear(PackedDate date)
{
    const int year = YearOf(date);
    const int month = ClampMonth(MonthOf(date));
    const int day = std::clamp(DayOf(date), 1, DaysInMonth(year, month));
    return kDaysBefore[IsLeapYear(year) ? 1 : 0][month - 1] + day;
}

int DayOfWeek(PackedDate date)
{
    // QDate counts Monday = 1 ... Sunday = 7.
    return ToPlatformTime(date).dayOfWeek() % 7 + 1;
}

int WeekNumber(PackedDate date, int startWeekDay)
{
    const int j = DayOfWeek(Pack(YearOf(date), 1, 1));
    const int n = DayOfYear(date) + j - 2;
    if (startWeekDay != kWeekStartsSunday && DayOfWeek(date) == Sunday)
        return n / 7;
    return n / 7 + 1;
}

bool SetDay(PackedDate& date, int day)
{
    if (day < 1 || day > DaysInMonthOf(date))
        return false;
    date = (date & ~0xFFu) | PackedDate(day);
    return true;
}

PackedDate NextDay(PackedDate date)
{
    if (date == kNoDate)
        return kNoDate;
    const int day = DayOf(date);
    if (day + 1 <= DaysInMonthOf(date))
        return (date & ~0xFFu) | PackedDate(day + 1);
    return NextMonth(date);
}

PackedDate PrevDay(PackedDate date)
{
    if (date == kNoDate)
        return kNoDate;
    const int day = DayOf(date);
    if (day - 1 >= 1)
        return (date & ~0xFFu) | PackedDate(day - 1);
    const PackedDate prev = PrevMonth(date);
    return (prev & ~0xFFu) | PackedDate(DaysInMonthOf(prev));
}

PackedDate NextWeek(PackedDate date)
{
    if (date == kNoDate)
        return kNoDate;
    const int day = DayOf(date);
    const int length = DaysInMonthOf(date);
    if (day + 7 <= length)
        return (date & ~0xFFu) | PackedDate(day + 7);
    const PackedDate next = NextMonth(date);
    const int nextDay = std::min(day + 7 - length, DaysInMonthOf(next));
    return (next & ~0xFFu) | PackedDate(nextDay);
}

PackedDate PrevWeek(PackedDate date)
{
    if (date == kNoDate)
        return kNoDate;
    const int day = DayOf(date);
    if (day - 7 >= 1)
        return (date & ~0xFFu) | PackedDate(day - 7);
    const PackedDate prev = PrevMonth(date);
    return (prev & ~0xFFu) | PackedDate(DaysInMonthOf(prev) + day - 7);
}

PackedDate NextMonth(PackedDate date)
{
    if (date == kNoDate)
        return kNoDate;
    int year = YearOf(date);
    int month = MonthOf(date);
    if (month >= 12) {
        if (year < kMaxYear) {
            ++year;
            month = 1;
        } else {
            month = 12; // the last month the packed year can hold
        }
    } else {
        ++month;
    }
    return FlagsOf(date) | Pack(year, month, 1);
}

PackedDate PrevMonth(PackedDate date)
{
    if (date == kNoDate)
        return kNoDate;
    int year = YearOf(date);
    int month = MonthOf(date);
    if (month > 12) {
        month = 12;
    } else if (month <= 1) {
        if (year > 0) {
            --year;
            month = 12;
        } else {
            month = 1;
        }
    } else {
        --month;
    }
    return FlagsOf(date) | Pack(year, month, 1);
}

PackedDate FirstOfMonth(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return kNoDate;
    return Pack(YearOf(date), MonthOf(date), 1);
}

PackedDate LastOfMonth(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return kNoDate;
    return Pack(YearOf(date), MonthOf(date), DaysInMonthOf(date));
}

PackedDate AddDays(PackedDate date, int n)
{
    if (StripFlags(date) == kNoDate)
        return kNoDate;
    return FromPlatformTime(ToPlatformTime(date).addDays(n));
}

PackedDate WeekStart(PackedDate date, int startWeekDay)
{
    date = StripFlags(date);
    if (date == kNoDate)
        date = Today();
    const int w = DayOfWeek(date);
    int offset = 0;
    if (startWeekDay == kWeekStartsSunday)
        offset = Sunday - w;
    else
        offset = w == Sunday ? -6 : Monday - w;
    return AddDays(date, offset);
}

PackedDate WeekEnd(PackedDate date, int startWeekDay)
{
    return AddDays(WeekStart(date, startWeekDay), 6);
}

PackedDate MondayOfWeek(PackedDate date, int startWeekDay)
{
    date = StripFlags(date);
    if (date == kNoDate)
        date = Today();
    const int w = DayOfWeek(date);
    int offset = 0;
    if (w == Sunday)
        offset = startWeekDay == kWeekStartsMonday ? -6 : 1;
    else
        offset = Monday - w;
    return AddDays(date, offset);
}

PackedDate NextSaturday()
{
    const PackedDate today = Today();
    const int w = DayOfWeek(today);
    return AddDays(today, w == Saturday ? 7 : 7 - w);
}

PackedDate NextSunday()
{
    const PackedDate today = Today();
    return AddDays(today, 8 - DayOfWeek(today));
}

PackedDate NextMonday()
{
    const PackedDate today = Today();
    const int w = DayOfWeek(today);
    return AddDays(today, w == Sunday ? 1 : 9 - w);
}

bool IsBefore(PackedDate a, PackedDate b)
{
    if (a == kNoDate || b == kNoDate)
        return true;
    return StripFlags(a) < StripFlags(b);
}

void SetWeekFlag(PackedDate& date, bool on)
{
    if (on)
        date |= kWeekFlag;
    else
        date &= ~kWeekFlag;
}

QDate ToPlatformTime(PackedDate date)
{
    const int year = std::clamp(YearOf(date), 1, kMaxYear);
    const int month = ClampMonth(MonthOf(date));
    const int day = std::clamp(DayOf(date), 1, DaysInMonth(year, month));
    return QDate(year, month, day);
}

PackedDate FromPlatformTime(const QDate& date)
{
    if (!date.isValid())
        return kNoDate;
    if (date.year() < 1)
        return Pack(1, 1, 1);
    if (date.year() > kMaxYear)
        return Pack(kMaxYear, 12, 31);
    return Pack(date.year(), date.month(), date.day());
}

QString MonthName(int month)
{
    if (month < 1 || month > 12)
        return QString();
    return GetText(133 + month);
}

QString MonthNameOf(PackedDate date)
{
    return MonthName(MonthOf(date));
}

QString DayName(int weekday)
{
    if (weekday < Sunday || weekday > Saturday)
        return QString();
    return GetText(145 + weekday);
}

QString DayNameOf(PackedDate date)
{
    return DayName(DayOfWeek(date));
}

#include "model/PackedDate.h"

#include "model/Clock.h"
#include "model/LanguageModule.h"

#include <QDebug>

#include <algorithm>

namespace {

constexpr int kMinYear = 1;
constexpr int kMaxYear = 0xFFFF;

constexpr int kDaysBefore[2][12] = {
    {0, 31, 59, 90, 120, 151, 181, 212, 243, 273, 304, 334},
    {0, 31, 60, 91, 121, 152, 182, 213, 244, 274, 305, 335},
};
constexpr int kMonthLength[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

int ClampMonth(int month)
{
    return std::clamp(month, 1, 12);
}

PackedDate FlagsOf(PackedDate date)
{
    return date & kFlagBits;
}

struct Fields
{
    int year;
    int month;
    int day;
};

// Every calculation reads a date through this. A field out of its range (a
// damaged file, a hand-built value) counts as the nearest valid one, so the
// arithmetic always lands on a real calendar day and never carries into the
// flag bits.
Fields FieldsOf(PackedDate date)
{
    Fields f;
    f.year = std::clamp(YearOf(date), kMinYear, kMaxYear);
    f.month = ClampMonth(MonthOf(date));
    f.day = std::clamp(DayOf(date), 1, DaysInMonth(f.year, f.month));
    return f;
}

constexpr PackedDate Pack(int year, int month, int day)
{
    return PackedDate(day) + PackedDate(month) * 256u + PackedDate(year) * 4096u;
}

PackedDate Pack(const Fields& f)
{
    return Pack(f.year, f.month, f.day);
}

int LengthOf(const Fields& f)
{
    return DaysInMonth(f.year, f.month);
}

// The packed year ends at 65535 and the calendar starts at 1 January of year
// 1: stepping past either end stays on the last or first day there is, so a
// step never moves the other way.
bool HasNextMonth(const Fields& f)
{
    return f.month < 12 || f.year < kMaxYear;
}

bool HasPrevMonth(const Fields& f)
{
    return f.month > 1 || f.year > kMinYear;
}

Fields FirstOfNextMonth(const Fields& f)
{
    return f.month < 12 ? Fields{f.year, f.month + 1, 1} : Fields{f.year + 1, 1, 1};
}

Fields LastOfPrevMonth(const Fields& f)
{
    if (f.month > 1)
        return {f.year, f.month - 1, DaysInMonth(f.year, f.month - 1)};
    return {f.year - 1, 12, 31};
}

} // namespace

PackedDate MakeDate(int year, int month, int day)
{
    if (year == 0) {
        if (month == 0 && day == 0)
            return kNoDate;
        year = 2000;
    } else if (year < 51) {
        year += 2000;
    } else if (year < 100) {
        year += 1900;
    } else if (year < 1900) {
        qDebug().noquote().nospace() << "Invalid Year(<1900) for Date value!\n";
    }
    // The packed year has 16 bits, a larger one would run into the flags; a
    // year below 1 (from a large negative two-digit year) does not exist.
    year = std::clamp(year, kMinYear, kMaxYear);
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
    return LengthOf(FieldsOf(date));
}

int DayOfYear(PackedDate date)
{
    const Fields f = FieldsOf(date);
    return kDaysBefore[IsLeapYear(f.year) ? 1 : 0][f.month - 1] + f.day;
}

int DayOfWeek(PackedDate date)
{
    // QDate counts Monday = 1 ... Sunday = 7.
    return ToPlatformTime(date).dayOfWeek() % 7 + 1;
}

int WeekNumber(PackedDate date, int startWeekDay)
{
    const int j = DayOfWeek(Pack(FieldsOf(date).year, 1, 1));
    const int n = DayOfYear(date) + j - 2;
    // With weeks starting on Monday a Sunday belongs to the days before it.
    if (startWeekDay != kWeekStartsSunday && DayOfWeek(date) == Sunday)
        return n / 7;
    return n / 7 + 1;
}

bool SetDay(PackedDate& date, int day)
{
    // No date has no month whose day could be set.
    if (StripFlags(date) == kNoDate)
        return false;
    Fields f = FieldsOf(date);
    if (day < 1 || day > LengthOf(f))
        return false;
    f.day = day;
    date = FlagsOf(date) | Pack(f);
    return true;
}

PackedDate NextDay(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return date;
    Fields f = FieldsOf(date);
    if (f.day < LengthOf(f))
        ++f.day;
    else if (HasNextMonth(f))
        f = FirstOfNextMonth(f);
    return FlagsOf(date) | Pack(f);
}

PackedDate PrevDay(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return date;
    Fields f = FieldsOf(date);
    if (f.day > 1)
        --f.day;
    else if (HasPrevMonth(f))
        f = LastOfPrevMonth(f);
    return FlagsOf(date) | Pack(f);
}

PackedDate NextWeek(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return date;
    Fields f = FieldsOf(date);
    const int length = LengthOf(f);
    if (f.day + 7 <= length) {
        f.day += 7;
    } else if (HasNextMonth(f)) {
        const int day = f.day + 7 - length;
        f = FirstOfNextMonth(f);
        f.day = day;
    } else {
        f.day = length;
    }
    return FlagsOf(date) | Pack(f);
}

PackedDate PrevWeek(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return date;
    Fields f = FieldsOf(date);
    if (f.day - 7 >= 1) {
        f.day -= 7;
    } else if (HasPrevMonth(f)) {
        const int day = f.day;
        f = LastOfPrevMonth(f);
        f.day += day - 7;
    } else {
        f.day = 1;
    }
    return FlagsOf(date) | Pack(f);
}

PackedDate NextMonth(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return date;
    Fields f = FieldsOf(date);
    if (HasNextMonth(f))
        f = FirstOfNextMonth(f);
    else
        f.day = LengthOf(f);
    return FlagsOf(date) | Pack(f);
}

PackedDate PrevMonth(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return date;
    Fields f = FieldsOf(date);
    if (HasPrevMonth(f))
        f = LastOfPrevMonth(f);
    f.day = 1;
    return FlagsOf(date) | Pack(f);
}

PackedDate FirstOfMonth(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return kNoDate;
    Fields f = FieldsOf(date);
    f.day = 1;
    return Pack(f);
}

PackedDate LastOfMonth(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return kNoDate;
    Fields f = FieldsOf(date);
    f.day = LengthOf(f);
    return Pack(f);
}

PackedDate AddDays(PackedDate date, int n)
{
    if (StripFlags(date) == kNoDate)
        return kNoDate;
    // Whole calendar days: QDate has no time of day, so a daylight-saving
    // change in between cannot shift the result.
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
    // Any start other than Sunday is a Monday start, as in WeekStart, so a
    // Sunday always finds the Monday of the week WeekStart gives it.
    if (w == Sunday)
        offset = startWeekDay == kWeekStartsSunday ? 1 : -6;
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
    const Fields f = FieldsOf(date);
    return QDate(f.year, f.month, f.day);
}

PackedDate FromPlatformTime(const QDate& date)
{
    if (!date.isValid())
        return kNoDate;
    if (date.year() < kMinYear)
        return Pack(kMinYear, 1, 1);
    if (date.year() > kMaxYear)
        return Pack(kMaxYear, 12, 31);
    return Pack(date.year(), date.month(), date.day());
}

QString MonthName(int month)
{
    if (month < 1 || month > 12)
        return QString();
    return GetText(TextNumber(TextId::MonthJan) + month - 1);
}

QString MonthNameOf(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return QString();
    return MonthName(FieldsOf(date).month);
}

QString DayName(int weekday)
{
    if (weekday < Sunday || weekday > Saturday)
        return QString();
    return GetText(TextNumber(TextId::WeekdaySun) + weekday - Sunday);
}

QString DayNameOf(PackedDate date)
{
    if (StripFlags(date) == kNoDate)
        return QString();
    return DayName(DayOfWeek(date));
}

#pragma once

#include <QDate>
#include <QString>
#include <QtGlobal>

// A calendar day in one 32-bit word: day in bits 0-7, month in bits 8-11,
// full year in bits 12-27, bit 28 the week-selection flag, bits 29-31 carried
// along. 0 is "no date". With the flags masked off, comparing two values
// compares them chronologically.
using PackedDate = quint32;

inline constexpr PackedDate kNoDate = 0;
inline constexpr quint32 kWeekFlag = 0x10000000u;
inline constexpr quint32 kFlagBits = 0xF0000000u;
inline constexpr quint32 kDateBits = 0x0FFFFFFFu;

// Weekdays are numbered 1 = Sunday ... 7 = Saturday everywhere.
enum Weekday : int { Sunday = 1, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

// StartWeekDay 1 starts weeks on Sunday; any other value on Monday (2 is written).
inline constexpr int kWeekStartsSunday = 1;
inline constexpr int kWeekStartsMonday = 2;

constexpr int DayOf(PackedDate d) { return int(d & 0xFFu); }
constexpr int MonthOf(PackedDate d) { return int((d >> 8) & 0xFu); }
constexpr int YearOf(PackedDate d) { return int((d >> 12) & 0xFFFFu); }
constexpr PackedDate StripFlags(PackedDate d) { return d & kDateBits; }
constexpr bool HasWeekFlag(PackedDate d) { return (d & kWeekFlag) != 0; }
// The date of a holiday: day and month only.
constexpr quint32 MonthDayOf(PackedDate d) { return d & 0xFFFu; }

// Builds a date, widening two-digit years and clamping month and day; never fails.
// Years are kept in 1..65535, the most the packed year holds.
PackedDate MakeDate(int year, int month, int day);
// Today's date from the program's clock (see Clock).
PackedDate Today();

// Every operation on a date reads a field outside its range (year 0, month 0
// or 13-15, day 0 or past the month's end) as the nearest valid value, so its
// result is always a real calendar day and nothing spills into the flag bits.

bool IsLeapYear(int year);
int DaysInMonth(int year, int month);
int DaysInMonthOf(PackedDate date);
int DayOfYear(PackedDate date);
int DayOfWeek(PackedDate date);
int WeekNumber(PackedDate date, int startWeekDay);

// Replaces the day when it exists in the month; otherwise (and for no date)
// fails and leaves the date.
bool SetDay(PackedDate& date, int day);

// Stepping on the packed fields; these keep the flags, and no date stays as it
// is. Past 31 December 65535 or before 1 January of year 1 they stay on that
// day, so a step never moves the other way.
PackedDate NextDay(PackedDate date);
PackedDate PrevDay(PackedDate date);
PackedDate NextWeek(PackedDate date);
PackedDate PrevWeek(PackedDate date);
PackedDate NextMonth(PackedDate date);
PackedDate PrevMonth(PackedDate date);

// These drop the flags. The week operations take no date as today, and any
// start other than Sunday (1) as a Monday start.
PackedDate FirstOfMonth(PackedDate date);
PackedDate LastOfMonth(PackedDate date);
PackedDate AddDays(PackedDate date, int n);
PackedDate WeekStart(PackedDate date, int startWeekDay);
PackedDate WeekEnd(PackedDate date, int startWeekDay);
PackedDate MondayOfWeek(PackedDate date, int startWeekDay);

PackedDate NextSaturday();
PackedDate NextSunday();
PackedDate NextMonday();

bool IsBefore(PackedDate a, PackedDate b);
void SetWeekFlag(PackedDate& date, bool on);

// The calendar day of a date at local midnight. Fields outside their range
// are brought into it (year 1..65535, month 1..12, day 1..month length), so
// every value gives a valid QDate.
QDate ToPlatformTime(PackedDate date);
// The packed form of a calendar day (flags clear); 0 for an invalid QDate,
// years clamped to 1..65535.
PackedDate FromPlatformTime(const QDate& date);

// Month names are strings 134..145, weekday names (short) 146..152; a month
// or weekday out of range, or no date, gives the empty text.
QString MonthName(int month);
QString MonthNameOf(PackedDate date);
QString DayName(int weekday);
QString DayNameOf(PackedDate date);

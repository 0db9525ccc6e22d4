#pragma once

#include "model/PackedDate.h"

#include <QString>
#include <QtGlobal>

#include <random>

class CalendarStore;
class HolidayList;
class PasswordKey;

// Makes large, realistic calendars for measuring the program (and other
// tools on the same data). The same seed and task count always give the same
// calendar, on every machine and with every standard library: the random
// numbers come from std::mt19937, whose sequence is fixed, through the
// generator's own distributions.
//
// A generated calendar holds:
//  - 8 categories with fixed names, icons and colours; tasks spread unevenly
//    over them;
//  - taskCount tasks, added in random date order as a user would over time:
//    titles of 3 to 8 words (a few with accented letters or an emoji), about
//    30 % with a note of 1 to 3 lines (CR LF between lines), priorities about
//    15 % High, 65 % Normal, 20 % Low, about 15 % with an icon of their own;
//  - dates over three years centred on Today(), weekdays more often than
//    weekends, about 10 % undated;
//  - about 40 % completed: most past tasks, few future ones;
//  - kDayMarkCount day marks (Flight, Holiday, some with a daily note),
//    kHolidayCount yearly holidays, and a current task.
// The search word RareWord() stands in about 1 % of the titles (and in no
// note); AbsentWord() stands in no title and no note.
class CalendarGenerator
{
public:
    static constexpr quint32 kDefaultSeed = 20250616u;
    // The generated calendar's own today: its dates are spread around this
    // day, never around the wall clock. Monday 16 June 2025.
    static constexpr PackedDate kToday = (2025u << 12) | (6u << 8) | 16u;
    // Three years of dates, half before today and half after.
    static constexpr int kSpanDays = 3 * 365 + 1;
    static constexpr int kCategoryCount = 8;
    static constexpr int kDayMarkCount = 300;
    static constexpr int kHolidayCount = 40;
    // Task icons handed out: 1 .. kTaskIconLimit.
    static constexpr int kTaskIconLimit = 24;

    static PackedDate Today() { return kToday; }
    static PackedDate FirstDay();
    static PackedDate LastDay();
    // A word in about 1 % of the titles (a lower-case word; titles hold it
    // as written here).
    static QString RareWord();
    // A word in no title and no note.
    static QString AbsentWord();

    explicit CalendarGenerator(quint32 seed = kDefaultSeed);

    // Replaces the content of store and holidays with a generated calendar
    // of taskCount tasks (none for a count below 1). Task Ids run from 1 in
    // the order the tasks are added, and the process's last task id becomes
    // taskCount, as after loading a file, so writing the calendar gives the
    // same bytes every time. The store ends up modified and untitled, like
    // a new document the user filled in; its path is left as it was.
    void Fill(int taskCount, CalendarStore& store, HolidayList& holidays);

    // The generator's own distributions over the mt19937 sequence.
    // A number in 0 .. bound - 1 (0 for a bound below 2), without the bias
    // of a plain remainder.
    quint32 Below(quint32 bound);
    // True in about perMille of 1000 calls.
    bool Chance(int perMille);

private:
    QString Word(const QString* words, int count);
    QString Title();
    QString Line(int words);
    QString Note();
    PackedDate TaskDate();
    qint32 Priority();
    qint32 Category();
    quint32 Completed(PackedDate date);
    void AddCategories(CalendarStore& store);
    void AddDayMarks(CalendarStore& store);
    void AddHolidays(HolidayList& holidays);

    std::mt19937 m_random;
};

// The forms a generated calendar is written in.
enum class CalendarOutput { DataFile, Csv, TaskFolder };

// ".vrx" names a data file, ".csv" a CSV file (both case-insensitive);
// anything else a task folder (one iCalendar file per task).
CalendarOutput CalendarOutputFor(const QString& path);

// Writes the calendar as a data file, enciphered with the key when it has
// one. False with the message in error.
bool WriteCalendarDataFile(CalendarStore& store, const HolidayList& holidays, const QString& path,
                           const PasswordKey& key, QString& error);
// Writes every task as CSV with the locale's short-date picture (years in
// full). False with the message in error.
bool WriteCalendarCsv(const CalendarStore& store, const QString& path, QString& error);
// Writes every task into the task folder (created when missing), undated
// tasks due on the generator's today. False, with the number written in
// error, when not every task could be written.
bool WriteCalendarTaskFolder(const CalendarStore& store, const QString& folder, QString& error);

// One call for the command-line tool: a calendar of taskCount tasks from
// seed, written to path in the form CalendarOutputFor gives (the key
// applies to a data file only). False with the message in error.
bool GenerateCalendar(int taskCount, quint32 seed, const QString& path, const PasswordKey& key,
                      QString& error);

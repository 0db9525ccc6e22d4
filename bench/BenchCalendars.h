#pragma once

#include <QString>
#include <QtGlobal>

#include <memory>

class CalendarStore;
class HolidayList;
class PasswordKey;

// The generated calendars the benchmarks work on, one per task count, made
// once per run from the generator's fixed seed and written in every form.
struct BenchCalendar
{
    int TaskCount = 0;
    QString DataFile;   // plain data file
    QString CipherFile; // the same, enciphered with BenchPassword()
    QString CsvFile;
    QString TaskFolder; // the shared task list (see TaskFolderOfSize)
    qint64 DataFileBytes = 0;
    qint64 CipherFileBytes = 0;
    qint64 CsvFileBytes = 0;
};

// The three sizes every benchmark runs at.
inline constexpr int kBenchSizes[] = {1000, 10000, 100000};
inline constexpr int kLargestSize = 100000;

// Where the run keeps its files: ORBELIN_BENCH_DIR, else a folder in the
// system's temporary folder.
QString BenchDir();
// A folder for files a benchmark writes (created on first use).
QString BenchOutputDir();

// The calendar of taskCount tasks; its files are written on first use.
// Aborts the run when they cannot be written.
const BenchCalendar& CalendarOfSize(int taskCount);

// The calendar's shared task list, one iCalendar file per task, written on
// first use (it takes seconds at the largest size).
const QString& TaskFolderOfSize(int taskCount);

// The calendar of taskCount tasks as loaded from its data file, kept for the
// benchmarks that only read it.
const CalendarStore& LoadedStore(int taskCount);
const HolidayList& LoadedHolidays(int taskCount);

// A fresh store and holiday list loaded from the calendar's data file.
struct LoadedCalendar
{
    LoadedCalendar();
    ~LoadedCalendar();
    LoadedCalendar(LoadedCalendar&&) noexcept;
    LoadedCalendar& operator=(LoadedCalendar&&) noexcept;
    std::unique_ptr<CalendarStore> Store;
    std::unique_ptr<HolidayList> Holidays;
};
LoadedCalendar LoadCalendar(int taskCount);

// The key of the 16-character password the enciphered files use.
const PasswordKey& BenchPassword();

// Removes the files the run made in temporary places.
void RemoveBenchFiles();

// Stops the run with a message (the benchmarks cannot go on without their data).
[[noreturn]] void BenchFatal(const QString& message);

#include "BenchCalendars.h"

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/ViewState.h"
#include "storage/CalendarGenerator.h"
#include "storage/DataFile.h"
#include "storage/PasswordKey.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>
#include <cstdlib>
#include <map>
#include <set>

using namespace Qt::StringLiterals;

namespace {

// The shared task list is one file per task. Every file is synced to disk
// as it is saved, which on a disk costs more than all the program's own work;
// in memory the benchmark shows that work. The disk's share is told apart in
// the notes of the results.
QString TaskFolderRoot()
{
    const QString memory = u"/dev/shm"_s;
    if (QFileInfo(memory).isDir() && QFileInfo(memory).isWritable())
        return memory + u"/orbelin-bench-%1"_s.arg(QCoreApplication::applicationPid());
    return BenchDir() + u"/task-folders"_s;
}

std::map<int, BenchCalendar>& Calendars()
{
    static std::map<int, BenchCalendar> calendars;
    return calendars;
}

std::map<int, LoadedCalendar>& Loaded()
{
    static std::map<int, LoadedCalendar> loaded;
    return loaded;
}

qint64 SizeOf(const QString& path)
{
    return QFileInfo(path).size();
}

} // namespace

void BenchFatal(const QString& message)
{
    std::fprintf(stderr, "orbelin_bench: %s\n", qPrintable(message));
    RemoveBenchFiles();
    std::exit(2);
}

QString BenchDir()
{
    static const QString dir = [] {
        QString path = qEnvironmentVariable("ORBELIN_BENCH_DIR");
        if (path.isEmpty())
            path = QDir::tempPath() + u"/orbelin-bench"_s;
        if (!QDir().mkpath(path))
            BenchFatal(u"cannot make the folder "_s + path);
        return QDir(path).absolutePath();
    }();
    return dir;
}

QString BenchOutputDir()
{
    static const QString dir = [] {
        const QString path = BenchDir() + u"/out"_s;
        if (!QDir().mkpath(path))
            BenchFatal(u"cannot make the folder "_s + path);
        return path;
    }();
    return dir;
}

const PasswordKey& BenchPassword()
{
    static const PasswordKey key = [] {
        PasswordKey made;
        // As long as a password can be: the largest key.
        if (!made.SetPassword(u"rainy-Tuesday-42"_s) || made.KeyBits() != 256)
            BenchFatal(u"the password was refused"_s);
        return made;
    }();
    return key;
}

const BenchCalendar& CalendarOfSize(int taskCount)
{
    auto found = Calendars().find(taskCount);
    if (found != Calendars().end())
        return found->second;

    BenchCalendar calendar;
    calendar.TaskCount = taskCount;
    const QString dataDir = BenchDir() + u"/data"_s;
    QDir().mkpath(dataDir);
    const QString base = dataDir + u"/calendar-%1"_s.arg(taskCount);
    calendar.DataFile = base + u".vrx"_s;
    calendar.CipherFile = base + u"-password.vrx"_s;
    calendar.CsvFile = base + u".csv"_s;
    calendar.TaskFolder = TaskFolderRoot() + u"/tasks-%1"_s.arg(taskCount);

    CalendarStore store;
    HolidayList holidays;
    CalendarGenerator().Fill(taskCount, store, holidays);
    QString error;
    const PasswordKey plain;
    if (!WriteCalendarDataFile(store, holidays, calendar.DataFile, plain, error)
        || !WriteCalendarDataFile(store, holidays, calendar.CipherFile, BenchPassword(), error)
        || !WriteCalendarCsv(store, calendar.CsvFile, error))
        BenchFatal(error);
    calendar.DataFileBytes = SizeOf(calendar.DataFile);
    calendar.CipherFileBytes = SizeOf(calendar.CipherFile);
    calendar.CsvFileBytes = SizeOf(calendar.CsvFile);
    return Calendars().emplace(taskCount, std::move(calendar)).first->second;
}

const QString& TaskFolderOfSize(int taskCount)
{
    static std::set<int> written;
    const BenchCalendar& calendar = CalendarOfSize(taskCount);
    if (written.insert(taskCount).second) {
        CalendarStore store;
        HolidayList holidays;
        CalendarGenerator().Fill(taskCount, store, holidays);
        QString error;
        QDir(calendar.TaskFolder).removeRecursively();
        if (!WriteCalendarTaskFolder(store, calendar.TaskFolder, error))
            BenchFatal(error);
    }
    return calendar.TaskFolder;
}

LoadedCalendar::LoadedCalendar() = default;
LoadedCalendar::~LoadedCalendar() = default;
LoadedCalendar::LoadedCalendar(LoadedCalendar&&) noexcept = default;
LoadedCalendar& LoadedCalendar::operator=(LoadedCalendar&&) noexcept = default;

LoadedCalendar LoadCalendar(int taskCount)
{
    const BenchCalendar& calendar = CalendarOfSize(taskCount);
    LoadedCalendar loaded;
    loaded.Store = std::make_unique<CalendarStore>();
    loaded.Holidays = std::make_unique<HolidayList>();
    ViewState view;
    QString error;
    if (!LoadDataFile(*loaded.Store, *loaded.Holidays, view, calendar.DataFile, nullptr, 0, error))
        BenchFatal(u"cannot load "_s + calendar.DataFile + u": "_s + error);
    return loaded;
}

const CalendarStore& LoadedStore(int taskCount)
{
    auto found = Loaded().find(taskCount);
    if (found == Loaded().end())
        found = Loaded().emplace(taskCount, LoadCalendar(taskCount)).first;
    return *found->second.Store;
}

const HolidayList& LoadedHolidays(int taskCount)
{
    LoadedStore(taskCount);
    return *Loaded().at(taskCount).Holidays;
}

void RemoveBenchFiles()
{
    for (const auto& [count, calendar] : Calendars())
        QDir(calendar.TaskFolder).removeRecursively();
    const QString root = TaskFolderRoot();
    if (root.startsWith(u"/dev/shm/"_s))
        QDir(root).removeRecursively();
    QDir(BenchOutputDir()).removeRecursively();
}

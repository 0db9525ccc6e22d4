// Writes the seed corpora of the fuzz targets:
//   fuzz_seeds OUT-DIR
// makes OUT-DIR/<target>/ for every target, from the checked-in fixtures
// (tests/data) and from what the program's own writers make of a calendar
// that uses every part of the format (and of a generated one): the data file (plain and under each of
// the enciphered target's passwords), a CSV export, the shared task list's
// files and a settings file. Each seed starts with the selector byte(s) its
// target reads first.

#include "FuzzSupport.h"
#include "support/TestEnvironment.h"

#include "model/CalendarStore.h"
#include "model/DayMark.h"
#include "model/HolidayList.h"
#include "model/PackedDate.h"
#include "model/TaskRecord.h"
#include "model/ViewState.h"
#include "storage/CCryptMemFile.h"
#include "storage/CalendarGenerator.h"
#include "storage/Csv.h"
#include "storage/DataFile.h"
#include "storage/DeviceTasks.h"
#include "storage/PasswordKey.h"
#include "storage/Settings.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSettings>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

QString g_out;
int g_written = 0;

void Put(const QString& target, const QString& name, const QByteArray& bytes)
{
    const QString dir = g_out + u'/' + target;
    QDir().mkpath(dir);
    QFile file(dir + u'/' + name);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        FuzzFail("a seed could not be written", file.fileName());
    ++g_written;
}

QByteArray ReadAll(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        FuzzFail("a file could not be read", path);
    return file.readAll();
}

QByteArray Selector(int value)
{
    return QByteArray(1, char(value));
}

void AddTask(CalendarStore& store, const QString& title, PackedDate date, qint32 priority, qint32 category,
             quint32 completed = 0, const QString& note = QString(), quint32 icon = 0)
{
    TaskRecord task;
    task.Title = title;
    task.Date = date;
    task.Priority = priority;
    task.Category = category;
    task.Completed = completed;
    task.Note = note;
    task.Icon = icon;
    store.AddTask(task, true);
}

// A calendar that uses every part of the format: marks with and without
// notes, a deleted category, tasks of every priority on one day, undated and
// completed tasks (also completed the way the shared task list marks them),
// texts with quotes, commas, line breaks and characters outside Latin-1,
// holidays, the current task and both filters.
void BuildCalendar(CalendarStore& store, HolidayList& holidays)
{
    store.ResetToDefaults();
    const int work = store.AddCategory(CategoryRecord(u"Work"_s, 1, 0, 0x008080FF));
    const int gone = store.AddCategory(CategoryRecord(u"Old, \"quoted\""_s, 3, 7, 0x00123456));
    const int home = store.AddCategory(CategoryRecord(u"Zuhause \u00e4\u20ac"_s, 12, 0, 0x0000FF00));
    const PackedDate mar15 = MakeDate(2009, 3, 15);
    AddTask(store, u"Call"_s, mar15, kPriorityHigh, work);
    AddTask(store, u"Low, later"_s, mar15, kPriorityLow, home, 0, u"two\r\nlines"_s);
    AddTask(store, u"Normal \"quoted\""_s, mar15, kPriorityNormal, gone, 1, QString(), 5);
    AddTask(store, u"Undated"_s, kNoDate, kPriorityNormal, 0, 0, u"note, with comma"_s);
    AddTask(store, u"From the list"_s, MakeDate(2024, 2, 29), kPriorityLow, home, 0xFFFFFFFFu);
    AddTask(store, u"\u65e5\u672c\u8a9e"_s, MakeDate(1999, 12, 31), kPriorityHigh, 0, 1, u"\u00df"_s, 40);
    store.SetCurrent(0);
    store.SetDayMark({mar15, kMarkFlight | kMarkHoliday, u"Day note\nsecond line"_s});
    store.SetDayMark({MakeDate(2009, 3, 16), kMarkThird, QString()});
    store.SetDayMark({MakeDate(2010, 1, 1), 0, u"Only a note"_s});
    holidays.Add({0x0C19, u"Christmas"_s});
    holidays.Add({0x0101, u"New Year"_s});
    store.SetCategorySelection(work);
    store.SetIconFilter(0x80000005u);
    // A deleted category keeps its slot until the next save and load.
    CategoryList categories = store.Categories();
    categories.Delete(gone);
    store.ReplaceCategories(categories);
    store.SetModified(true);
}

// The file the program writes for the calendar under the password (empty:
// plain).
QByteArray SavedFile(CalendarStore& store, const HolidayList& holidays, const QString& password)
{
    PasswordKey key;
    if (!key.SetPassword(password))
        FuzzFail("a seed password was refused");
    const QString path = FuzzWorkDir() + u"/seed.vrx"_s;
    QString error;
    if (!SaveDataFile(store, holidays, path, true, key.KeyBytes(), key.KeyBits(), false, error))
        FuzzFail("saving a seed calendar failed", error);
    return ReadAll(path);
}

void DataFileSeeds(CalendarStore& store, const HolidayList& holidays)
{
    QList<QPair<QString, QByteArray>> plainFiles;
    const QDir fixtures(TestDataDir() + u"/datafile"_s);
    for (const QString& name : fixtures.entryList({u"*.vrx"_s}, QDir::Files, QDir::Name))
        plainFiles.append({name, ReadAll(fixtures.filePath(name))});
    plainFiles.append({u"calendar.vrx"_s, SavedFile(store, holidays, QString())});
    CalendarStore generated;
    HolidayList generatedHolidays;
    CalendarGenerator().Fill(40, generated, generatedHolidays);
    plainFiles.append({u"generated.vrx"_s, SavedFile(generated, generatedHolidays, QString())});

    for (const auto& [name, bytes] : plainFiles) {
        const QByteArray payload = bytes.mid(CCryptMemFile::kHeaderSize);
        Put(u"datafile_plain"_s, name, payload);
        // Mode 1 of the enciphered target: a plain payload it enciphers itself.
        for (int key = 0; key < 3; ++key)
            Put(u"datafile_enciphered"_s, u"plain-%1-%2"_s.arg(key).arg(name), Selector(key << 1 | 1) + payload);
    }
    // Mode 0: bodies of files saved under the target's passwords.
    const QString passwords[] = {u"fuzzpass"_s, u"fuzzpassword"_s, u"fuzzingpassword!"_s};
    for (int key = 0; key < 3; ++key) {
        const QByteArray file = SavedFile(store, holidays, passwords[key]);
        Put(u"datafile_enciphered"_s, u"enciphered-%1.vrx"_s.arg(key),
            Selector(key << 1) + file.mid(CCryptMemFile::kHeaderSize));
    }
}

void CsvSeeds(const CalendarStore& store)
{
    const QDir fixtures(TestDataDir() + u"/csv"_s);
    for (const QString& name : fixtures.entryList({u"*.csv"_s}, QDir::Files, QDir::Name))
        Put(u"csv_import"_s, name, Selector(0) + ReadAll(fixtures.filePath(name)));
    // The target's pictures 0 (M/d/yyyy) and 2 (yyyy-MM-dd).
    const QString path = FuzzWorkDir() + u"/seed.csv"_s;
    const struct
    {
        int selector;
        QString picture;
    } exports[] = {{0, u"M/d/yyyy"_s}, {2, u"yyyy-MM-dd"_s}, {1 << 3 | 0, u"M/d/yyyy"_s}};
    for (const auto& item : exports) {
        if (!ExportCsv(path, store, item.picture))
            FuzzFail("the seed CSV export failed");
        Put(u"csv_import"_s, u"export-%1.csv"_s.arg(item.selector), Selector(item.selector) + ReadAll(path));
    }
}

void TaskListSeeds(const CalendarStore& store)
{
    const QString folder = FuzzWorkDir() + u"/seed-tasks"_s;
    QDir(folder).removeRecursively();
    if (ExportDeviceTasks(store, folder) != store.TaskCount())
        FuzzFail("the seed task list export failed");
    const QDir dir(folder);
    int n = 0;
    for (const QString& name : dir.entryList({u"*.ics"_s}, QDir::Files, QDir::Name))
        Put(u"ical_import"_s, u"export-%1.ics"_s.arg(n++), ReadAll(dir.filePath(name)));
    // What other task programs write: a date-time due in a zone, priorities
    // outside the three the program writes, several category lists, a
    // completion time, a bare VTODO and folded, escaped lines.
    Put(u"ical_import"_s, u"other-program.ics"_s,
        "BEGIN:VCALENDAR\r\nVERSION:2.0\r\nPRODID:-//Other//Tasks//EN\r\n"
        "BEGIN:VTIMEZONE\r\nTZID:Europe/Berlin\r\nBEGIN:STANDARD\r\nDTSTART:19701025T030000\r\n"
        "RRULE:FREQ=YEARLY;BYMONTH=10;BYDAY=-1SU\r\nTZOFFSETFROM:+0200\r\nTZOFFSETTO:+0100\r\nEND:STANDARD\r\n"
        "END:VTIMEZONE\r\n"
        "BEGIN:VTODO\r\nUID:abc-123\r\nDTSTAMP:20240101T120000Z\r\nSUMMARY:Pay the rent\\, again\r\n"
        "DESCRIPTION:First line\\nsecond line with a very long text that goes on and on\r\n  folded here\r\n"
        "CATEGORIES:Home,Money\r\nCATEGORIES:Errands\r\nPRIORITY:3\r\nSTATUS:IN-PROCESS\r\n"
        "COMPLETED:20240102T100000Z\r\nDUE;TZID=Europe/Berlin:20240131T235959\r\n"
        "RRULE:FREQ=MONTHLY;COUNT=3\r\nEND:VTODO\r\nEND:VCALENDAR\r\n");
    Put(u"ical_import"_s, u"bare-todo.ics"_s,
        "BEGIN:VTODO\nUID:x\nSUMMARY:Bare\nDUE:20250101\nPRIORITY:7\nEND:VTODO\n");
}

void SettingsSeeds()
{
    const QString path = QSettings(u"Corvane Software"_s, u"Orbelin Planner"_s).fileName();
    QFile::remove(path);
    ViewState view;
    Settings defaults(true);
    defaults.LoadSettings(view);
    if (!defaults.SaveSettings(view))
        FuzzFail("saving the seed settings failed");
    Put(u"settings_file"_s, u"defaults.conf"_s, ReadAll(path));

    Settings changed(false);
    changed.LoadSettings(view);
    changed.SetDateFormat(u"dddd, d. MMMM yyyy"_s);
    changed.SetDateIncWeek(true);
    changed.SetGroupScheme(2);
    changed.SetStartWeekDay(1);
    changed.SetCubeH(0);
    changed.SetDataDir(u"/home/user/Kalender, \"alt\"/"_s);
    changed.SetDeviceTaskDir(u"~/tasks"_s);
    view.ViewMode = ViewState::NoDate;
    if (!changed.SaveSettings(view))
        FuzzFail("saving the seed settings failed");
    Put(u"settings_file"_s, u"changed.conf"_s, ReadAll(path));
    QFile::remove(path);
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: fuzz_seeds OUT-DIR\n");
        return 2;
    }
    InitFuzzEnvironment(&argc, &argv);
    g_out = QFileInfo(QFile::decodeName(argv[1])).absoluteFilePath();

    // Inputs that once found a fault stay in the corpus.
    const QDir findings(TestDataDir() + u"/fuzz"_s);
    for (const QString& target : findings.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const QDir dir(findings.filePath(target));
        for (const QString& name : dir.entryList(QDir::Files))
            Put(target, u"finding-"_s + name, ReadAll(dir.filePath(name)));
    }

    CalendarStore store;
    HolidayList holidays;
    BuildCalendar(store, holidays);
    DataFileSeeds(store, holidays);
    CsvSeeds(store);
    TaskListSeeds(store);
    SettingsSeeds();
    std::printf("fuzz_seeds: %d seeds in %s\n", g_written, argv[1]);
    return 0;
}

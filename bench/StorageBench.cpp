// Loading and saving the data file, CSV and the shared task list.
#include "BenchCalendars.h"
#include "BenchRegistry.h"
#include "Floors.h"

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/ViewState.h"
#include "storage/Csv.h"
#include "storage/DataFile.h"
#include "storage/DeviceTasks.h"
#include "storage/PasswordKey.h"

#include <QDir>
#include <QFileInfo>

#include <memory>

using namespace Qt::StringLiterals;

namespace {

QString OutputFile(const QString& name, int size)
{
    return BenchOutputDir() + u"/%1-%2"_s.arg(name).arg(size);
}

void Fail(benchmark::State& state, const QString& message)
{
    state.SkipWithError(message.toUtf8().constData());
}

void TaskCounters(benchmark::State& state, int tasks, qint64 bytes)
{
    state.counters["tasks"] = tasks;
    state.counters["file_bytes"] = double(bytes);
    state.SetBytesProcessed(state.iterations() * bytes);
}

// ---- data file

void Load(benchmark::State& state, const QString& path, const unsigned char* key, int keyBits, qint64 bytes)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<CalendarStore>();
        auto holidays = std::make_unique<HolidayList>();
        ViewState view;
        QString error;
        state.ResumeTiming();
        if (!LoadDataFile(*store, *holidays, view, path, key, keyBits, error))
            return Fail(state, error);
        state.PauseTiming();
        store.reset();
        holidays.reset();
        state.ResumeTiming();
    }
    TaskCounters(state, Size(state), bytes);
}

void LoadPlain(benchmark::State& state)
{
    const BenchCalendar& calendar = CalendarOfSize(Size(state));
    Load(state, calendar.DataFile, nullptr, 0, calendar.DataFileBytes);
}

void LoadPassword(benchmark::State& state)
{
    const BenchCalendar& calendar = CalendarOfSize(Size(state));
    const PasswordKey& key = BenchPassword();
    Load(state, calendar.CipherFile, key.KeyBytes(), key.KeyBits(), calendar.CipherFileBytes);
}

// Reading the file and making every string a text object, nothing more.
void LoadFloor(benchmark::State& state)
{
    const BenchCalendar& calendar = CalendarOfSize(Size(state));
    for (auto _ : state) {
        QStringList texts;
        if (!ReadDataFileTexts(calendar.DataFile, texts))
            return Fail(state, u"the floor reader does not know this file"_s);
        state.PauseTiming();
        texts = QStringList();
        state.ResumeTiming();
    }
    TaskCounters(state, Size(state), calendar.DataFileBytes);
}

void Save(benchmark::State& state, const QString& name, const unsigned char* key, int keyBits)
{
    LoadedCalendar loaded = LoadCalendar(Size(state));
    const QString path = OutputFile(name, Size(state));
    for (auto _ : state) {
        QString error;
        if (!SaveDataFile(*loaded.Store, *loaded.Holidays, path, true, key, keyBits, false, error))
            return Fail(state, error);
    }
    TaskCounters(state, Size(state), QFileInfo(path).size());
}

void SavePlain(benchmark::State& state)
{
    Save(state, u"save.vrx"_s, nullptr, 0);
}

void SavePassword(benchmark::State& state)
{
    const PasswordKey& key = BenchPassword();
    Save(state, u"save-password.vrx"_s, key.KeyBytes(), key.KeyBits());
}

// Writing byteCount bytes to a file of the given name the way the program
// writes: the floor of a save or an export.
void WriteFloor(benchmark::State& state, qint64 byteCount, const QString& name)
{
    const QByteArray bytes(byteCount, 'x');
    const QString path = OutputFile(name, Size(state));
    for (auto _ : state) {
        if (!WriteBytesAsSaved(path, bytes))
            return Fail(state, u"cannot write "_s + path);
    }
    TaskCounters(state, Size(state), bytes.size());
}

// As many bytes as the plain save.
void SaveFloor(benchmark::State& state)
{
    WriteFloor(state, CalendarOfSize(Size(state)).DataFileBytes, u"floor.vrx"_s);
}

// ---- CSV

void CsvExport(benchmark::State& state)
{
    const CalendarStore& store = LoadedStore(Size(state));
    const QString path = OutputFile(u"export.csv"_s, Size(state));
    for (auto _ : state) {
        if (!ExportCsv(path, store))
            return Fail(state, u"cannot export to "_s + path);
    }
    TaskCounters(state, Size(state), QFileInfo(path).size());
}

void CsvExportFloor(benchmark::State& state)
{
    WriteFloor(state, CalendarOfSize(Size(state)).CsvFileBytes, u"floor.csv"_s);
}

// Imports into a new calendar in each iteration; import returns how many
// tasks it added, and all of them must come in.
template <typename Import>
void ImportIntoNewStore(benchmark::State& state, Import import)
{
    for (auto _ : state) {
        state.PauseTiming();
        auto store = std::make_unique<CalendarStore>();
        store->ResetToDefaults();
        state.ResumeTiming();
        const int added = import(*store);
        if (added != Size(state))
            return Fail(state, u"imported %1 of %2 tasks"_s.arg(added).arg(Size(state)));
        state.PauseTiming();
        store.reset();
        state.ResumeTiming();
    }
}

void CsvImport(benchmark::State& state)
{
    const BenchCalendar& calendar = CalendarOfSize(Size(state));
    ImportIntoNewStore(state, [&calendar](CalendarStore& store) {
        const CsvImportResult result = ImportCsv(CsvColumns(), calendar.CsvFile, store);
        return result.ErrorText != 0 ? -1 : result.Count;
    });
    TaskCounters(state, Size(state), calendar.CsvFileBytes);
}

void CsvImportFloor(benchmark::State& state)
{
    const BenchCalendar& calendar = CalendarOfSize(Size(state));
    for (auto _ : state) {
        QString text;
        if (!ReadUtf8Text(calendar.CsvFile, text))
            return Fail(state, u"cannot read "_s + calendar.CsvFile);
        benchmark::DoNotOptimize(text.size());
    }
    TaskCounters(state, Size(state), calendar.CsvFileBytes);
}

// ---- the shared task list

void TaskListExport(benchmark::State& state)
{
    const CalendarStore& store = LoadedStore(Size(state));
    const QString folder = CalendarOfSize(Size(state)).TaskFolder + u"-export"_s;
    for (auto _ : state) {
        state.PauseTiming();
        QDir(folder).removeRecursively();
        state.ResumeTiming();
        const int written = ExportDeviceTasks(store, folder);
        if (written != Size(state))
            return Fail(state, u"exported %1 of %2 tasks"_s.arg(written).arg(Size(state)));
    }
    QDir(folder).removeRecursively();
    state.counters["tasks"] = Size(state);
}

void TaskListImport(benchmark::State& state)
{
    const QString& folder = TaskFolderOfSize(Size(state));
    ImportIntoNewStore(state, [&folder](CalendarStore& store) { return ImportDeviceTasks(store, folder); });
    state.counters["tasks"] = Size(state);
}

} // namespace

void RegisterStorageBenchmarks()
{
    Sized(benchmark::RegisterBenchmark("LoadFloor", LoadFloor));
    Sized(benchmark::RegisterBenchmark("LoadPlain", LoadPlain));
    Sized(benchmark::RegisterBenchmark("LoadPassword", LoadPassword));
    Sized(benchmark::RegisterBenchmark("SaveFloor", SaveFloor));
    Sized(benchmark::RegisterBenchmark("SavePlain", SavePlain));
    Sized(benchmark::RegisterBenchmark("SavePassword", SavePassword));
    Sized(benchmark::RegisterBenchmark("CsvExportFloor", CsvExportFloor));
    Sized(benchmark::RegisterBenchmark("CsvExport", CsvExport));
    Sized(benchmark::RegisterBenchmark("CsvImportFloor", CsvImportFloor));
    Sized(benchmark::RegisterBenchmark("CsvImport", CsvImport));
    // One task file each: a few seconds a run at the largest size.
    Sized(benchmark::RegisterBenchmark("TaskListExport", TaskListExport))->Repetitions(1);
    Sized(benchmark::RegisterBenchmark("TaskListImport", TaskListImport))->Repetitions(1);
}

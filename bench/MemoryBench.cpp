// Resident memory after loading, against the data file's size. Each load runs
// in a fresh process of this program, so that memory freed by the other
// benchmarks cannot hide any of it.
#include "BenchCalendars.h"
#include "BenchRegistry.h"

#include "model/CalendarStore.h"
#include "model/HolidayList.h"
#include "model/ViewState.h"
#include "storage/DataFile.h"

#include <QCoreApplication>
#include <QFile>
#include <QProcess>

#include <cstdio>

using namespace Qt::StringLiterals;

namespace {

// The resident set of this process in bytes, from the kernel's status file.
qint64 ResidentBytes()
{
    QFile status(u"/proc/self/status"_s);
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong() * 1024;
    }
    return -1;
}

void MemoryAfterLoad(benchmark::State& state)
{
    const BenchCalendar& calendar = CalendarOfSize(Size(state));
    qint64 before = 0;
    qint64 after = 0;
    for (auto _ : state) {
        QProcess probe;
        probe.start(QCoreApplication::applicationFilePath(), {u"--memory-probe"_s, calendar.DataFile});
        if (!probe.waitForFinished(120000) || probe.exitCode() != 0)
            return state.SkipWithError("the memory probe failed");
        const QList<QByteArray> figures = probe.readAllStandardOutput().trimmed().split(' ');
        before = figures.value(0).toLongLong();
        after = figures.value(1).toLongLong();
    }
    const qint64 growth = after - before;
    state.counters["file_bytes"] = double(calendar.DataFileBytes);
    state.counters["rss_before_bytes"] = double(before);
    state.counters["rss_after_bytes"] = double(after);
    state.counters["rss_growth_bytes"] = double(growth);
    state.counters["growth_per_file_byte"] = double(growth) / double(calendar.DataFileBytes);
}

} // namespace

// Prints the resident set before and after loading the file, in bytes. The
// store stays alive until the second figure is taken.
int RunMemoryProbe(const char* path)
{
    CalendarStore store;
    HolidayList holidays;
    ViewState view;
    QString error;
    const qint64 before = ResidentBytes();
    if (!LoadDataFile(store, holidays, view, QString::fromLocal8Bit(path), nullptr, 0, error)) {
        std::fprintf(stderr, "%s\n", qPrintable(error));
        return 1;
    }
    const qint64 after = ResidentBytes();
    std::printf("%lld %lld\n", static_cast<long long>(before), static_cast<long long>(after));
    return 0;
}

void RegisterMemoryBenchmarks()
{
    for (const int size : kBenchSizes)
        benchmark::RegisterBenchmark("MemoryAfterLoad", MemoryAfterLoad)->Arg(size)->Iterations(1);
}

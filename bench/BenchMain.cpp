#include "BenchCalendars.h"
#include "BenchRegistry.h"
#include "BenchReport.h"

#include "model/LanguageModule.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#ifdef ORBELIN_BENCH_WIDGETS
#include <QApplication>
#else
#include <QCoreApplication>
#endif

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <memory>

using namespace Qt::StringLiterals;

namespace {

// The same fixed surroundings as the tests: locale, time zone, offscreen
// painting, and settings and data folders of its own, so a run never reads
// or changes the user's.
std::unique_ptr<QTemporaryDir> FixEnvironment()
{
    qputenv("LC_ALL", "en_US.UTF-8");
    qputenv("LANG", "en_US.UTF-8");
    qputenv("TZ", "UTC");
    tzset();
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    auto root = std::make_unique<QTemporaryDir>(QDir::tempPath() + u"/orbelin-bench-home-XXXXXX"_s);
    const QString path = root->path();
    QDir().mkpath(path + u"/config"_s);
    QDir().mkpath(path + u"/data"_s);
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(path + u"/config"_s));
    qputenv("XDG_DATA_HOME", QFile::encodeName(path + u"/data"_s));
    qputenv("HOME", QFile::encodeName(path));
    return root;
}

// The JSON file the benchmark library writes, from --benchmark_out=.
QString OutputPath(int argc, char** argv)
{
    constexpr const char* kFlag = "--benchmark_out=";
    for (int n = 1; n < argc; ++n) {
        if (std::strncmp(argv[n], kFlag, std::strlen(kFlag)) == 0)
            return QString::fromLocal8Bit(argv[n] + std::strlen(kFlag));
    }
    return QString();
}

bool WriteText(const QString& path, const QString& text)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(text.toUtf8()) >= 0;
}

} // namespace

// The fastest of the repetitions: on a machine shared with other work it is
// the figure least disturbed by that work.
double Fastest(const std::vector<double>& values)
{
    return values.empty() ? 0.0 : *std::min_element(values.begin(), values.end());
}

// The shared settings of every benchmark.
benchmark::internal::Benchmark* Sized(benchmark::internal::Benchmark* benchmark, int onlySize)
{
    if (onlySize > 0) {
        benchmark->Arg(onlySize);
    } else {
        for (const int size : kBenchSizes)
            benchmark->Arg(size);
    }
    return benchmark->Unit(benchmark::kMillisecond)
        ->Repetitions(10)
        ->ReportAggregatesOnly(true)
        ->ComputeStatistics("min", Fastest)
        ->MinTime(0.2);
}

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--memory-probe") == 0)
        return RunMemoryProbe(argv[2]);

    const auto home = FixEnvironment();
#ifdef ORBELIN_BENCH_WIDGETS
    QApplication app(argc, argv);
#else
    QCoreApplication app(argc, argv);
#endif
    LanguageModule::Instance().Load();

    const QString outputPath = OutputPath(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RegisterStorageBenchmarks();
    RegisterModelBenchmarks();
    RegisterWidgetBenchmarks();
    RegisterMemoryBenchmarks();

    const QString loadBefore = LoadAverage();
    BenchReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    const QString loadAfter = LoadAverage();
    benchmark::Shutdown();
    RemoveBenchFiles();

    const std::vector<TargetVerdict> verdicts = EvaluateTargets(reporter.Results());
    const QString figures = FiguresTable(reporter.Results(), reporter.Order());
    const QString targets = TargetsTable(verdicts);
    std::printf("\n%s\n%s", qPrintable(figures), qPrintable(targets));
    std::printf("\nMachine: %s; load average %s before, %s after.\n", qPrintable(MachineName()),
                qPrintable(loadBefore), qPrintable(loadAfter));

    if (!outputPath.isEmpty()) {
        if (!AddTargetsToJson(outputPath, verdicts, loadBefore, loadAfter))
            std::fprintf(stderr, "orbelin_bench: could not add the targets to %s\n", qPrintable(outputPath));
        // The same tables as text, ready for the README.
        const QString markdown = QFileInfo(outputPath).dir().filePath(u"results.md"_s);
        WriteText(markdown, u"Machine: "_s + MachineName() + u", load average "_s + loadBefore + u" before, "_s
                                + loadAfter + u" after.\n\n"_s + figures + u"\n"_s + targets);
    }
    // A missed target is a finding, not a failure of the run.
    return 0;
}

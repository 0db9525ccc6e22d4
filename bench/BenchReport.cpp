#include "BenchReport.h"

#include "BenchCalendars.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>
#include <QRegularExpression>
#include <QThread>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <optional>
#include <set>

using namespace Qt::StringLiterals;

namespace {

double Milliseconds(double value, benchmark::TimeUnit unit)
{
    switch (unit) {
    case benchmark::kNanosecond: return value / 1e6;
    case benchmark::kMicrosecond: return value / 1e3;
    case benchmark::kSecond: return value * 1e3;
    case benchmark::kMillisecond:
    default: return value;
    }
}

// Three significant digits, enough to compare and short to read.
QString Number(double value)
{
    if (!std::isfinite(value))
        return u"-"_s;
    const double magnitude = std::fabs(value);
    if (magnitude == 0)
        return u"0"_s;
    const int digits = int(std::floor(std::log10(magnitude))) + 1;
    return QString::number(value, 'f', std::max(0, 3 - digits));
}

QString Ms(double value)
{
    return Number(value) + u" ms"_s;
}

// The family ("LoadPlain") and the size ("100000") of a result's name.
std::pair<std::string, int> SplitName(const std::string& name)
{
    const size_t slash = name.rfind('/');
    if (slash == std::string::npos)
        return {name, 0};
    return {name.substr(0, slash), std::atoi(name.c_str() + slash + 1)};
}

std::string At(const std::string& family, int size)
{
    return family + "/" + std::to_string(size);
}

QString FileText(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

class Targets
{
public:
    explicit Targets(const BenchResults& results)
        : m_results(results)
    {
    }

    const BenchFigures* Find(const std::string& name) const
    {
        const auto found = m_results.find(name);
        return found == m_results.end() ? nullptr : &found->second;
    }

    // Every result of a family prefix at the largest size.
    std::vector<std::pair<std::string, const BenchFigures*>> Largest(const std::string& prefix) const
    {
        std::vector<std::pair<std::string, const BenchFigures*>> found;
        for (const auto& [name, figures] : m_results) {
            const auto [family, size] = SplitName(name);
            if (size == kLargestSize && family.rfind(prefix, 0) == 0)
                found.emplace_back(family, &figures);
        }
        return found;
    }

    // A budget in milliseconds for one benchmark at the largest size.
    void Budget(const QString& name, const std::string& family, double limitMs)
    {
        TargetVerdict verdict = Start(name, u"< "_s + Ms(limitMs), limitMs);
        if (const BenchFigures* figures = Find(At(family, kLargestSize)))
            Judge(verdict, figures->CpuMs, Ms(figures->CpuMs));
        m_verdicts.push_back(verdict);
    }

    // The slowest of a family at the largest size against a budget.
    void WorstBudget(const QString& name, const std::string& prefix, double limitMs)
    {
        TargetVerdict verdict = Start(name, u"< "_s + Ms(limitMs), limitMs);
        const auto found = Largest(prefix);
        if (!found.empty()) {
            auto worst = found.front();
            for (const auto& entry : found) {
                if (entry.second->CpuMs > worst.second->CpuMs)
                    worst = entry;
            }
            Judge(verdict, worst.second->CpuMs,
                  Ms(worst.second->CpuMs) + u" (slowest: "_s + QString::fromStdString(worst.first) + u")"_s);
        }
        m_verdicts.push_back(verdict);
    }

    // work / floor at the largest size, at most limit times.
    void Ratio(const QString& name, const std::string& work, const std::string& floor, double limit)
    {
        TargetVerdict verdict = Start(name, u"<= "_s + Number(limit) + u" x"_s, limit);
        const BenchFigures* a = Find(At(work, kLargestSize));
        const BenchFigures* b = Find(At(floor, kLargestSize));
        if (a && b && b->CpuMs > 0) {
            const double ratio = a->CpuMs / b->CpuMs;
            Judge(verdict, ratio, Number(ratio) + u" x ("_s + Ms(a->CpuMs) + u" / "_s + Ms(b->CpuMs) + u")"_s);
        }
        m_verdicts.push_back(verdict);
    }

    // work - floor at the largest size under a budget.
    void OverFloor(const QString& name, const std::string& work, const std::string& floor, double limitMs)
    {
        TargetVerdict verdict = Start(name, u"< "_s + Ms(limitMs), limitMs);
        const BenchFigures* a = Find(At(work, kLargestSize));
        const BenchFigures* b = Find(At(floor, kLargestSize));
        if (a && b) {
            const double over = a->CpuMs - b->CpuMs;
            Judge(verdict, over, Ms(over) + u" ("_s + Ms(a->CpuMs) + u" - floor "_s + Ms(b->CpuMs) + u")"_s);
        }
        m_verdicts.push_back(verdict);
    }

    // The extra cost of with over without, under a share.
    void ExtraShare(const QString& name, const std::string& with, const std::string& without, double limit)
    {
        TargetVerdict verdict = Start(name, u"< "_s + Number(limit * 100) + u" %"_s, limit);
        const BenchFigures* a = Find(At(with, kLargestSize));
        const BenchFigures* b = Find(At(without, kLargestSize));
        if (a && b && b->CpuMs > 0) {
            const double extra = a->CpuMs / b->CpuMs - 1;
            Judge(verdict, extra,
                  Number(extra * 100) + u" % ("_s + Ms(a->CpuMs) + u" vs "_s + Ms(b->CpuMs) + u")"_s);
        }
        m_verdicts.push_back(verdict);
    }

    // A counter at the largest size, at most limit.
    void CounterAtMost(const QString& name, const std::string& family, const std::string& counter, double limit,
                       const std::function<QString(const BenchFigures&)>& describe)
    {
        TargetVerdict verdict = Start(name, u"<= "_s + Number(limit) + u" x"_s, limit);
        if (const BenchFigures* figures = Find(At(family, kLargestSize))) {
            const auto value = figures->Counters.find(counter);
            if (value != figures->Counters.end())
                Judge(verdict, value->second, describe(*figures));
        }
        m_verdicts.push_back(verdict);
    }

    std::vector<TargetVerdict> Verdicts() const { return m_verdicts; }

private:
    static TargetVerdict Start(const QString& name, const QString& limit, double limitValue)
    {
        TargetVerdict verdict;
        verdict.Name = name;
        verdict.Limit = limit;
        verdict.LimitValue = limitValue;
        verdict.Measured = u"not measured"_s;
        return verdict;
    }

    // Limits written "<" are strict, "<=" are not.
    static void Judge(TargetVerdict& verdict, double value, const QString& measured)
    {
        verdict.Value = value;
        verdict.Measured = measured;
        const bool strict = verdict.Limit.startsWith(u"< "_s);
        const bool met = strict ? value < verdict.LimitValue : value <= verdict.LimitValue;
        verdict.Result = met ? TargetVerdict::State::Met : TargetVerdict::State::Missed;
    }

    const BenchResults& m_results;
    std::vector<TargetVerdict> m_verdicts;
};

QString ResultText(TargetVerdict::State state)
{
    switch (state) {
    case TargetVerdict::State::Met: return u"met"_s;
    case TargetVerdict::State::Missed: return u"MISSED"_s;
    case TargetVerdict::State::NotMeasured:
    default: return u"not measured"_s;
    }
}

} // namespace

bool BenchReporter::ReportContext(const Context&)
{
    std::printf("Orbelin Planner benchmarks on %s, load average %s\n", qPrintable(MachineName()),
                qPrintable(LoadAverage()));
    std::printf("Times are CPU milliseconds of the measuring thread (the fastest of the repetitions); "
                "real time in brackets.\n");
    std::fflush(stdout);
    return true;
}

void BenchReporter::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        // The name and size only, without the run settings.
        const std::string name = run.run_name.function_name + "/" + run.run_name.args;
        if (run.error_occurred) {
            std::printf("  %-40s FAILED: %s\n", name.c_str(), run.error_message.c_str());
            continue;
        }
        // A single run stands for itself; repeated runs by their fastest.
        const bool single = run.run_type == Run::RT_Iteration && run.repetitions <= 1;
        const bool fastest = run.run_type == Run::RT_Aggregate && run.aggregate_name == "min";
        if (!single && !fastest)
            continue;
        BenchFigures figures;
        figures.CpuMs = Milliseconds(run.GetAdjustedCPUTime(), run.time_unit);
        figures.RealMs = Milliseconds(run.GetAdjustedRealTime(), run.time_unit);
        for (const auto& [counter, value] : run.counters)
            figures.Counters[counter] = value.value;
        std::printf("  %-40s %10s  (%s)\n", name.c_str(), qPrintable(Ms(figures.CpuMs)),
                    qPrintable(Ms(figures.RealMs)));
        std::fflush(stdout);
        if (m_results.find(name) == m_results.end())
            m_order.push_back(name);
        m_results[name] = figures;
    }
}

std::vector<TargetVerdict> EvaluateTargets(const BenchResults& results)
{
    Targets targets(results);
    targets.Ratio(u"Load of 100,000 tasks within 3 times its floor"_s, "LoadPlain", "LoadFloor", 3);
    targets.Budget(u"Load of 100,000 tasks"_s, "LoadPlain", 100);
    targets.OverFloor(u"Save of 100,000 tasks beyond the disk's write (its floor)"_s, "SavePlain", "SaveFloor",
                      100);
    targets.ExtraShare(u"Password's cost on loading"_s, "LoadPassword", "LoadPlain", 0.2);
    targets.ExtraShare(u"Password's cost on saving"_s, "SavePassword", "SavePlain", 0.2);
    targets.Budget(u"CSV export of 100,000 tasks"_s, "CsvExport", 300);
    targets.Budget(u"CSV import of 100,000 tasks"_s, "CsvImport", 300);
    targets.WorstBudget(u"Task tree rebuild over 100,000 tasks, any grouping"_s, "TreeRebuild", 50);
    targets.WorstBudget(u"First paint of the task tree after a rebuild"_s, "TreeFirstPaint", 16);
    targets.Budget(u"Month grid paint with 100,000 tasks"_s, "MonthPaint", 5);
    targets.Budget(u"Search of 100,000 tasks without matches"_s, "SearchAbsent", 20);
    targets.CounterAtMost(u"Memory after loading 100,000 tasks, against the file"_s, "MemoryAfterLoad",
                          "growth_per_file_byte", 3, [](const BenchFigures& figures) {
                              const auto counter = [&figures](const char* name) {
                                  const auto found = figures.Counters.find(name);
                                  return found == figures.Counters.end() ? 0.0 : found->second;
                              };
                              return Number(counter("growth_per_file_byte")) + u" x ("_s
                                     + Number(counter("rss_growth_bytes") / 1048576.0) + u" MiB for "_s
                                     + Number(counter("file_bytes") / 1048576.0) + u" MiB)"_s;
                          });
    return targets.Verdicts();
}

QString MachineName()
{
    const QString cpuinfo = FileText(u"/proc/cpuinfo"_s);
    for (const QString& line : cpuinfo.split(u'\n')) {
        if (line.startsWith(u"model name"_s))
            return u"%1, %2 CPUs"_s.arg(line.section(u':', 1).trimmed()).arg(QThread::idealThreadCount());
    }
    return u"unknown processor"_s;
}

QString LoadAverage()
{
    return FileText(u"/proc/loadavg"_s).section(u' ', 0, 2);
}

QString FiguresTable(const BenchResults& results, const std::vector<std::string>& order)
{
    // Families in the order they ran, sizes as columns.
    std::vector<std::string> families;
    std::set<std::string> seen;
    for (const std::string& name : order) {
        const std::string family = SplitName(name).first;
        if (family.rfind("MemoryAfterLoad", 0) != 0 && seen.insert(family).second)
            families.push_back(family);
    }
    QString table = u"| Benchmark (CPU ms) |"_s;
    QString rule = u"|---|"_s;
    for (const int size : kBenchSizes) {
        table += u" %1 |"_s.arg(QLocale(QLocale::English).toString(size));
        rule += u"---:|"_s;
    }
    table += u"\n"_s + rule + u"\n"_s;
    for (const std::string& family : families) {
        table += u"| "_s + QString::fromStdString(family) + u" |"_s;
        for (const int size : kBenchSizes) {
            const auto found = results.find(At(family, size));
            table += u" "_s + (found == results.end() ? u"-"_s : Number(found->second.CpuMs)) + u" |"_s;
        }
        table += u"\n"_s;
    }
    // Memory: the growth of the resident set on loading, against the file.
    QString memory;
    for (const int size : kBenchSizes) {
        const auto found = results.find(At("MemoryAfterLoad", size));
        if (found == results.end())
            continue;
        const auto& counters = found->second.Counters;
        const auto value = [&counters](const char* name) {
            const auto at = counters.find(name);
            return at == counters.end() ? 0.0 : at->second;
        };
        memory += u"| %1 | %2 | %3 | %4 |\n"_s.arg(QLocale(QLocale::English).toString(size),
                                                   Number(value("file_bytes") / 1048576.0),
                                                   Number(value("rss_growth_bytes") / 1048576.0),
                                                   Number(value("growth_per_file_byte")));
    }
    if (!memory.isEmpty())
        table += u"\n| Tasks | Data file (MiB) | Resident growth on load (MiB) | Growth / file |\n"
                 u"|---:|---:|---:|---:|\n"_s
                 + memory;
    return table;
}

QString TargetsTable(const std::vector<TargetVerdict>& verdicts)
{
    QString table = u"| Target | Measured | Limit | Result |\n|---|---|---|---|\n"_s;
    for (const TargetVerdict& verdict : verdicts)
        table += u"| %1 | %2 | %3 | %4 |\n"_s.arg(verdict.Name, verdict.Measured, verdict.Limit,
                                                  ResultText(verdict.Result));
    return table;
}

bool AddTargetsToJson(const QString& path, const std::vector<TargetVerdict>& verdicts,
                      const QString& loadBefore, const QString& loadAfter)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    // The library writes a ratio of zero to zero (the spread of a count that
    // never changes) as NaN, which JSON does not know: it becomes null.
    QString text = QString::fromUtf8(file.readAll());
    text.replace(QRegularExpression(u":\\s*-?(NaN|nan|inf|Infinity)\\b"_s), u": null"_s);
    QJsonDocument document = QJsonDocument::fromJson(text.toUtf8());
    file.close();
    if (!document.isObject())
        return false;
    QJsonObject root = document.object();
    QJsonArray targets;
    for (const TargetVerdict& verdict : verdicts) {
        QJsonObject target;
        target[u"name"_s] = verdict.Name;
        target[u"measured"_s] = verdict.Measured;
        target[u"limit"_s] = verdict.Limit;
        target[u"result"_s] = ResultText(verdict.Result);
        if (verdict.Result != TargetVerdict::State::NotMeasured) {
            target[u"value"_s] = verdict.Value;
            target[u"limit_value"_s] = verdict.LimitValue;
        }
        targets.append(target);
    }
    root[u"orbelin_targets"_s] = targets;
    root[u"orbelin_machine"_s] = QJsonObject{{u"cpu"_s, MachineName()},
                                             {u"load_average_before"_s, loadBefore},
                                             {u"load_average_after"_s, loadAfter},
                                             {u"times"_s, u"cpu_time of the measuring thread, fastest repetition (min)"_s}};
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    return file.write(QJsonDocument(root).toJson(QJsonDocument::Indented)) > 0;
}

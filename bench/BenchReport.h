#pragma once

#include <benchmark/benchmark.h>

#include <QString>

#include <map>
#include <string>
#include <vector>

// One benchmark's figures: times per iteration in milliseconds (the fastest
// of the repetitions), and its counters.
struct BenchFigures
{
    double CpuMs = 0;
    double RealMs = 0;
    std::map<std::string, double> Counters;
};

// Keyed by the benchmark's name with its size, e.g. "LoadPlain/100000".
using BenchResults = std::map<std::string, BenchFigures>;

// Prints one short line per finished benchmark and keeps its figures.
class BenchReporter : public benchmark::BenchmarkReporter
{
public:
    bool ReportContext(const Context& context) override;
    void ReportRuns(const std::vector<Run>& runs) override;

    const BenchResults& Results() const { return m_results; }
    // The names in the order they ran.
    const std::vector<std::string>& Order() const { return m_order; }

private:
    BenchResults m_results;
    std::vector<std::string> m_order;
};

// A target of the program: met, missed or not measured in this run.
struct TargetVerdict
{
    enum class State { Met, Missed, NotMeasured };
    QString Name;
    QString Measured; // the figure as printed, with its parts
    QString Limit;
    State Result = State::NotMeasured;
    double Value = 0; // the figure compared with the limit
    double LimitValue = 0;
};

std::vector<TargetVerdict> EvaluateTargets(const BenchResults& results);

// The processor's model name, as the system reports it.
QString MachineName();
QString LoadAverage();

// The table of every benchmark by size (CPU time), then the targets.
QString FiguresTable(const BenchResults& results, const std::vector<std::string>& order);
QString TargetsTable(const std::vector<TargetVerdict>& verdicts);

// Adds the targets and the machine to the benchmark library's JSON file.
bool AddTargetsToJson(const QString& path, const std::vector<TargetVerdict>& verdicts,
                      const QString& loadBefore, const QString& loadAfter);

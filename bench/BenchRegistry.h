#pragma once

#include <benchmark/benchmark.h>

// Each file of benchmarks registers its own from main, so the order of the
// run is the order of the files' calls there.
void RegisterStorageBenchmarks();
void RegisterModelBenchmarks();
void RegisterMemoryBenchmarks();
void RegisterWidgetBenchmarks();

// The shared settings: milliseconds, ten repetitions reported by the
// fastest, and the given sizes (the three sizes when none is given).
benchmark::internal::Benchmark* Sized(benchmark::internal::Benchmark* benchmark, int onlySize = 0);

// The task count a benchmark runs at (its one argument).
inline int Size(const benchmark::State& state)
{
    return int(state.range(0));
}

// The memory probe: run in a process of its own by MemoryAfterLoad.
int RunMemoryProbe(const char* path);

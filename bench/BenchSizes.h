#pragma once

#include <benchmark/benchmark.h>

// Registers a benchmark at 10,000 and at 1,000,000 parameters. Each iteration builds its own input
// outside the measured region, so the iteration counts are fixed rather than found by the library.
#define KX_BENCH_SIZES(function, smallIterations, largeIterations)                                 \
    BENCHMARK(function)                                                                            \
        ->Arg(10000)                                                                               \
        ->Iterations(smallIterations)                                                              \
        ->UseManualTime()                                                                          \
        ->Unit(benchmark::kMicrosecond);                                                           \
    BENCHMARK(function)                                                                            \
        ->Arg(1000000)                                                                             \
        ->Iterations(largeIterations)                                                              \
        ->UseManualTime()                                                                          \
        ->Unit(benchmark::kMillisecond)

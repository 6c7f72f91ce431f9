// Appending pointers one by one to a KxArray, beside std::vector::push_back; and a check that the
// array's storage grows exactly by its rule.

#include "ItemClock.h"

#include "host/KxArray.h"

#include <algorithm>
#include <cstdint>
#include <vector>

class KxParameter;

namespace {

KxParameter* pointerAt(std::int64_t index) {
    return reinterpret_cast<KxParameter*>(static_cast<std::uintptr_t>(index + 1) * 16);
}

// The physical lengths that appending one by one must pass through, worked out from the rule
// alone: the step is the physical length while the storage is below one mebibyte, one mebibyte of
// elements after that, and never less than the grow length.
std::vector<std::int64_t> ruleLengths(std::int64_t count, std::int64_t elementSize,
                                      std::int64_t growLength) {
    std::vector<std::int64_t> lengths;
    std::int64_t physical = 0;
    for (std::int64_t needed = 1; needed <= count; ++needed) {
        if (needed > physical) {
            std::int64_t step = physical * elementSize < 1048576 ? physical : 1048576 / elementSize;
            step = std::max(step, growLength);
            physical = std::max(needed, physical + step);
            lengths.push_back(physical);
        }
    }
    return lengths;
}

// The physical lengths that the array actually passes through.
std::vector<std::int64_t> arrayLengths(std::int64_t count) {
    std::vector<std::int64_t> lengths;
    KxArray<KxParameter*> array;
    for (std::int64_t i = 0; i < count; ++i) {
        array.append(pointerAt(i));
        if (lengths.empty() || lengths.back() != array.physicalLength()) {
            lengths.push_back(array.physicalLength());
        }
    }
    return lengths;
}

void BM_ArrayAppend(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    const std::vector<std::int64_t> expected =
        ruleLengths(count, sizeof(KxParameter*), KxArray<KxParameter*>::kDefaultGrowLength);
    if (arrayLengths(count) != expected) {
        state.SkipWithError("the physical lengths do not follow the growth rule");
        return;
    }
    ItemClock clock(state, count);
    for (auto _ : state) {
        KxArray<KxParameter*> array;
        clock.start();
        for (std::int64_t i = 0; i < count; ++i) {
            array.append(pointerAt(i));
        }
        clock.stop();
        benchmark::DoNotOptimize(array.asArrayPtr());
        if (array.length() != count || array.physicalLength() != expected.back()) {
            state.SkipWithError("wrong length after appending");
        }
    }
    clock.report();
    state.counters["physical_length"] = static_cast<double>(expected.back());
    state.counters["growth_steps"] = static_cast<double>(expected.size());
}
BENCHMARK(BM_ArrayAppend)
    ->Arg(10000000)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

void BM_Baseline_ArrayAppend(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    ItemClock clock(state, count);
    for (auto _ : state) {
        std::vector<KxParameter*> array;
        clock.start();
        for (std::int64_t i = 0; i < count; ++i) {
            array.push_back(pointerAt(i));
        }
        clock.stop();
        benchmark::DoNotOptimize(array.data());
    }
    clock.report();
}
BENCHMARK(BM_Baseline_ArrayAppend)
    ->Arg(10000000)
    ->Iterations(10)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond);

} // namespace

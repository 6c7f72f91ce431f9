#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <ctime>

// Times the measured operation of each iteration on this thread's CPU clock (work of other
// programs on a shared machine does not count; the kernel's work for this thread, such as page
// faults, does) and reports it to the benchmark as manual time and as nanoseconds per item.
class ItemClock {
public:
    ItemClock(benchmark::State& state, std::int64_t items) : mState(state), mItems(items) {}

    void start() { mStart = now(); }

    void stop() {
        const double seconds = now() - mStart;
        mState.SetIterationTime(seconds);
        mTotalSeconds += seconds;
        ++mRuns;
    }

    // For an operation whose count of items is known only once it has run.
    void setItems(std::int64_t items) { mItems = items; }
    double meanSeconds() const {
        return mRuns > 0 ? mTotalSeconds / static_cast<double>(mRuns) : 0;
    }

    // Call after the iterations: the mean over them.
    void report() {
        if (mRuns > 0 && mItems > 0) {
            mState.counters["ns_per_item"] =
                mTotalSeconds * 1e9 / (static_cast<double>(mRuns) * static_cast<double>(mItems));
        }
    }

private:
    static double now() {
        timespec time{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &time);
        return static_cast<double>(time.tv_sec) + static_cast<double>(time.tv_nsec) * 1e-9;
    }

    benchmark::State& mState;
    std::int64_t mItems;
    double mStart = 0;
    double mTotalSeconds = 0;
    std::int64_t mRuns = 0;
};

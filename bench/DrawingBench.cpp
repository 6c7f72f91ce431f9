// The sample provider's drawing in the host: saving it to a file and opening it again (the plate
// rebuilds every parameter from its records and tells the library), and a root edit made as a
// command beside its undo and its redo, for the shapes of dependency graph of ProviderBench. Also
// the undo history that 100 such edits leave, against the database's bound.

#include "BenchDrawing.h"
#include "BenchFixture.h"
#include "ItemClock.h"

#include "host/KxApDocument.h"
#include "host/KxDbDatabase.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include <unistd.h>

namespace {

// A folder of the benchmark's own for the files it writes, removed with them at its end. The
// process id keeps it apart from another run beside it.
class BenchFolder {
public:
    BenchFolder()
        : mPath(std::filesystem::temp_directory_path() /
                ("kxbench-drawings-" + std::to_string(getpid()))) {
        std::filesystem::remove_all(mPath);
        std::filesystem::create_directories(mPath);
    }
    ~BenchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(mPath, ignored);
    }
    BenchFolder(const BenchFolder&) = delete;
    BenchFolder& operator=(const BenchFolder&) = delete;

    std::string file(const std::string& name) const { return (mPath / name).string(); }

private:
    std::filesystem::path mPath;
};

// Wall-clock time beside the CPU time that ItemClock measures: saving waits for the disk, which
// costs the thread no CPU.
class WallClock {
public:
    void start() { mStart = std::chrono::steady_clock::now(); }
    void stop() {
        mTotal += std::chrono::duration<double>(std::chrono::steady_clock::now() - mStart).count();
        ++mRuns;
    }
    double meanMs() const { return mRuns > 0 ? mTotal * 1e3 / static_cast<double>(mRuns) : 0; }

private:
    std::chrono::steady_clock::time_point mStart;
    double mTotal = 0;
    std::int64_t mRuns = 0;
};

// The undo history that the benchmark leaves is forgotten, so that it holds no memory and no
// handles of records that are gone for the benchmarks that follow.
class ForgetHistory {
public:
    explicit ForgetHistory(KxDbDatabase& database) : mDatabase(database) {
        mDatabase.forgetUndoHistory();
    }
    ~ForgetHistory() { mDatabase.forgetUndoHistory(); }
    ForgetHistory(const ForgetHistory&) = delete;
    ForgetHistory& operator=(const ForgetHistory&) = delete;

private:
    KxDbDatabase& mDatabase;
};

void reportTime(benchmark::State& state, const ItemClock& clock, std::int64_t count) {
    state.counters["ms_per_op"] = clock.meanSeconds() * 1e3;
    state.counters["ns_per_item"] = clock.meanSeconds() * 1e9 / static_cast<double>(count);
}

template <Shape shape>
void BM_DrawingSave(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    const BenchFolder folder;
    const std::string path = folder.file("plate.kxd");
    Drawing drawing(silentManager());
    if (!drawing.build(shape, count)) {
        state.SkipWithError("a parameter was refused");
        return;
    }
    ItemClock clock(state, count);
    WallClock wall;
    for (auto _ : state) {
        std::string message;
        clock.start();
        wall.start();
        const Lumo::ErrorStatus status = drawing.document().save(path, message);
        wall.stop();
        clock.stop();
        if (status != Lumo::eOk) {
            state.SkipWithError(("the drawing was not saved: " + message).c_str());
            return;
        }
    }
    reportTime(state, clock, count);
    state.counters["wall_ms"] = wall.meanMs();
    state.counters["file_bytes_per_item"] =
        static_cast<double>(std::filesystem::file_size(path)) / static_cast<double>(count);
}

// Each run opens the file into a new, empty drawing, as a user opens one: the plate starts with no
// parameters, and opening makes all of them.
template <Shape shape>
void BM_DrawingOpen(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    const BenchFolder folder;
    const std::string path = folder.file("plate.kxd");
    Drawing drawing(silentManager());
    std::string message;
    if (!drawing.build(shape, count)) {
        state.SkipWithError("a parameter was refused");
        return;
    }
    const std::vector<double> saved = drawing.values();
    if (drawing.document().save(path, message) != Lumo::eOk) {
        state.SkipWithError(("the drawing was not saved: " + message).c_str());
        return;
    }
    ItemClock clock(state, count);
    WallClock wall;
    for (auto _ : state) {
        if (drawing.document().newDrawing(message) != Lumo::eOk ||
            drawing.plate().getParameters().length() != 0) {
            state.SkipWithError(("no new drawing: " + message).c_str());
            return;
        }
        clock.start();
        wall.start();
        const Lumo::ErrorStatus status = drawing.document().open(path, message);
        wall.stop();
        clock.stop();
        if (status != Lumo::eOk) {
            state.SkipWithError(("the drawing was not opened: " + message).c_str());
            return;
        }
        if (drawing.values() != saved) {
            state.SkipWithError("the opened drawing has other values");
            return;
        }
    }
    reportTime(state, clock, count);
    state.counters["wall_ms"] = wall.meanMs();
}

// A root edit as the user makes it, in a command, then its undo and its redo, each on its own
// clock; the edit alternates between two expressions so that every run changes the drawing.
template <Shape shape>
void BM_DrawingUndoRedo(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    Drawing drawing(silentManager());
    if (!drawing.build(shape, count)) {
        state.SkipWithError("a parameter was refused");
        return;
    }
    KxApDocument& document = drawing.document();
    const ForgetHistory forget(*document.database());
    KxPlateParameter* root = drawing.parameter(1);
    ItemClock edit(state, 0);
    ItemClock undo(state, 0);
    ItemClock redo(state, 0);
    std::int64_t affected = -1;
    bool toggle = false;
    for (auto _ : state) {
        toggle = !toggle;
        const std::vector<double> before = drawing.values();
        edit.start();
        document.beginCommand(L"Edit root");
        const Lumo::ErrorStatus edited = root->setExpression(KxString(toggle ? L"2" : L"1"));
        document.endCommand();
        edit.stop();
        const std::vector<double> after = drawing.values();
        undo.start();
        const Lumo::ErrorStatus undone = document.undo();
        undo.stop();
        const bool backAgain = drawing.values() == before;
        redo.start();
        const Lumo::ErrorStatus redone = document.redo();
        redo.stop();
        if (edited != Lumo::eOk || before == after) {
            state.SkipWithError("the edit did not take");
            return;
        }
        if (undone != Lumo::eOk || !backAgain) {
            state.SkipWithError("undo did not bring the values back");
            return;
        }
        if (redone != Lumo::eOk || drawing.values() != after) {
            state.SkipWithError("redo did not give the edited values");
            return;
        }
        if (affected < 0) {
            affected = 0;
            for (std::size_t i = 0; i < before.size(); ++i) {
                affected += before[i] != after[i] ? 1 : 0;
            }
        }
    }
    state.counters["affected"] = static_cast<double>(affected);
    state.counters["edit_ms"] = edit.meanSeconds() * 1e3;
    state.counters["undo_ms"] = undo.meanSeconds() * 1e3;
    state.counters["redo_ms"] = redo.meanSeconds() * 1e3;
}

// 100 root edits, each a command, from an empty history: what the history takes after each,
// against the database's bound, and how many of the edits it still holds at the end.
template <Shape shape>
void BM_DrawingUndoHistory(benchmark::State& state) {
    constexpr int kEdits = 100;
    const std::int64_t count = state.range(0);
    Drawing drawing(silentManager());
    if (!drawing.build(shape, count)) {
        state.SkipWithError("a parameter was refused");
        return;
    }
    KxApDocument& document = drawing.document();
    KxDbDatabase& database = *document.database();
    KxPlateParameter* root = drawing.parameter(1);
    ItemClock clock(state, 0);
    std::size_t peak = 0;
    for (auto _ : state) {
        const ForgetHistory forget(database);
        for (int edit = 1; edit <= kEdits; ++edit) {
            clock.start();
            document.beginCommand(L"Edit root");
            const Lumo::ErrorStatus status =
                root->setExpression(KxString(std::to_wstring(edit % 2 == 0 ? 1 : 2)));
            document.endCommand();
            clock.stop();
            if (status != Lumo::eOk) {
                state.SkipWithError("the edit did not take");
                return;
            }
            peak = std::max(peak, database.undoMemory());
        }
        const auto held = static_cast<double>(database.undoCount());
        state.counters["edits"] = kEdits;
        state.counters["held"] = held;
        state.counters["undo_bytes"] = static_cast<double>(database.undoMemory());
        state.counters["undo_peak"] = static_cast<double>(peak);
        state.counters["undo_limit"] = static_cast<double>(database.undoMemoryLimit());
        state.counters["bytes_per_edit"] =
            held > 0 ? static_cast<double>(database.undoMemory()) / held : 0;
    }
    state.counters["ms_per_op"] = clock.meanSeconds() * 1e3;
}

#define KX_DRAWING_BENCH(function, shape, iterations)                                              \
    BENCHMARK_TEMPLATE(function, shape)                                                            \
        ->Arg(10000)                                                                               \
        ->Arg(100000)                                                                              \
        ->Iterations(iterations)                                                                   \
        ->UseManualTime()                                                                          \
        ->Unit(benchmark::kMillisecond)

#define KX_DRAWING_SHAPE(shape)                                                                    \
    KX_DRAWING_BENCH(BM_DrawingSave, shape, 3);                                                    \
    KX_DRAWING_BENCH(BM_DrawingOpen, shape, 3);                                                    \
    KX_DRAWING_BENCH(BM_DrawingUndoRedo, shape, 4);                                                \
    KX_DRAWING_BENCH(BM_DrawingUndoHistory, shape, 1)

KX_DRAWING_SHAPE(Shape::kChain);
KX_DRAWING_SHAPE(Shape::kFan);
KX_DRAWING_SHAPE(Shape::kDag);

} // namespace

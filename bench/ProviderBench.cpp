// The sample provider driven through the manager, its observers and a palette that does nothing:
// building a drawing whose parameters have expressions over each other, editing its root and a
// leaf, renaming the root (which rewrites its users) and deleting a random tenth, for three shapes
// of dependency graph. The cost is per affected parameter: the parameters built, re-evaluated,
// rewritten or offered for deletion.

#include "BenchFixture.h"
#include "BenchHeap.h"
#include "ItemClock.h"

#include "BenchDrawing.h"

#include <algorithm>
#include <memory>
#include <random>
#include <string>
#include <vector>

namespace {

std::int64_t changedCount(const std::vector<double>& before, const std::vector<double>& after) {
    std::int64_t changed = 0;
    for (std::size_t i = 0; i < before.size(); ++i) {
        changed += before[i] != after[i] ? 1 : 0;
    }
    return changed;
}

// The mean time of one operation beside its cost per affected parameter.
void report(benchmark::State& state, ItemClock& clock, std::int64_t affected) {
    clock.setItems(std::max<std::int64_t>(affected, 1));
    clock.report();
    state.counters["affected"] = static_cast<double>(affected);
    state.counters["ms_per_op"] = clock.meanSeconds() * 1e3;
}

template <Shape shape>
void BM_ProviderBuild(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    ItemClock clock(state, 0);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        const std::int64_t before = heapBytesInUse();
        auto drawing = std::make_unique<Drawing>(silentManager());
        clock.start();
        const bool built = drawing->build(shape, count);
        clock.stop();
        bytes = heapBytesInUse() - before;
        if (!built) {
            state.SkipWithError("a parameter was refused");
        }
    }
    report(state, clock, count);
    state.counters["bytes_per_item"] = static_cast<double>(bytes) / static_cast<double>(count);
}

// An edit that alternates between two expressions, so that every run changes the drawing. The
// parameters it changes are counted once, before the measured runs.
template <Shape shape>
void runEdits(benchmark::State& state, std::int64_t which, const std::wstring& first,
              const std::wstring& second) {
    const std::int64_t count = state.range(0);
    Drawing drawing(silentManager());
    if (!drawing.build(shape, count)) {
        state.SkipWithError("a parameter was refused");
        return;
    }
    KxPlateParameter* edited = drawing.parameter(which);
    const std::vector<double> before = drawing.values();
    const bool tried = edited->setExpression(KxString(first)) == Lumo::eOk;
    const std::int64_t affected = changedCount(before, drawing.values());
    if (!tried || affected == 0 || edited->setExpression(KxString(second)) != Lumo::eOk) {
        state.SkipWithError("the edit did not take");
        return;
    }
    ItemClock clock(state, 0);
    bool toggle = false;
    for (auto _ : state) {
        toggle = !toggle;
        clock.start();
        const Lumo::ErrorStatus status = edited->setExpression(KxString(toggle ? first : second));
        clock.stop();
        if (status != Lumo::eOk) {
            state.SkipWithError("the edit did not take");
        }
    }
    report(state, clock, affected);
}

template <Shape shape>
void BM_ProviderRootEdit(benchmark::State& state) {
    runEdits<shape>(state, 1, L"2", L"1");
}

template <Shape shape>
void BM_ProviderLeafEdit(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    std::mt19937_64 random(20261206);
    std::wstring expression;
    for (std::int64_t k = 1; k <= count; ++k) {
        expression = expressionOf(shape, k, random);
    }
    runEdits<shape>(state, count, L"(" + expression + L") + 1", expression);
}

template <Shape shape>
void BM_ProviderRenameRoot(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    Drawing drawing(silentManager());
    if (!drawing.build(shape, count)) {
        state.SkipWithError("a parameter was refused");
        return;
    }
    KxPlateParameter* root = drawing.parameter(1);
    const std::int64_t affected = 1 + drawing.plate().usageCount(*root);
    ItemClock clock(state, 0);
    bool toggle = false;
    for (auto _ : state) {
        toggle = !toggle;
        clock.start();
        const Lumo::ErrorStatus status = root->setName(toggle ? L"root" : L"param1");
        clock.stop();
        if (status != Lumo::eOk) {
            state.SkipWithError("the rename did not take");
        }
    }
    report(state, clock, affected);
}

template <Shape shape>
void BM_ProviderDeleteTenth(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    ItemClock clock(state, 0);
    for (auto _ : state) {
        Drawing drawing(silentManager());
        if (!drawing.build(shape, count)) {
            state.SkipWithError("a parameter was refused");
            return;
        }
        std::vector<KxParameter*> offered;
        for (const std::int64_t index : shuffledIndexes(count)) {
            if (static_cast<std::int64_t>(offered.size()) == count / 10) {
                break;
            }
            offered.push_back(drawing.parameter(index + 1));
        }
        const KxArray<KxParameter*> list = toArray(offered);
        const int before = drawing.plate().getParameters().length();
        clock.start();
        silentManager().deleteParameters(list);
        clock.stop();
        if (drawing.plate().getParameters().length() > before) {
            state.SkipWithError("the deletion added parameters");
        }
    }
    report(state, clock, count / 10);
}

// Chains are also measured at 2,000, where the targets for a person's drawing are set.
#define KX_PROVIDER_BENCH(function, shape, iterations, ...)                                        \
    BENCHMARK_TEMPLATE(function, shape)                                                            \
        ->ArgsProduct({{__VA_ARGS__}})                                                             \
        ->Iterations(iterations)                                                                   \
        ->UseManualTime()                                                                          \
        ->Unit(benchmark::kMillisecond)

#define KX_PROVIDER_SHAPE(shape, ...)                                                              \
    KX_PROVIDER_BENCH(BM_ProviderBuild, shape, 1, __VA_ARGS__);                                    \
    KX_PROVIDER_BENCH(BM_ProviderRootEdit, shape, 4, __VA_ARGS__);                                 \
    KX_PROVIDER_BENCH(BM_ProviderLeafEdit, shape, 20, __VA_ARGS__);                                \
    KX_PROVIDER_BENCH(BM_ProviderRenameRoot, shape, 4, __VA_ARGS__);                               \
    KX_PROVIDER_BENCH(BM_ProviderDeleteTenth, shape, 1, __VA_ARGS__)

KX_PROVIDER_SHAPE(Shape::kChain, 1000, 2000, 10000, 100000);
KX_PROVIDER_SHAPE(Shape::kFan, 1000, 10000, 100000);
KX_PROVIDER_SHAPE(Shape::kDag, 1000, 10000, 100000);

} // namespace

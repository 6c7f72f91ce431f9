// Registering a collection, renaming every parameter and listing the parameters of all collections,
// each beside a baseline that reaches the same result with standard containers.

#include "BaselineParameter.h"
#include "BenchFixture.h"
#include "BenchHeap.h"
#include "BenchSizes.h"
#include "ItemClock.h"

#include "host/CImageList.h"
#include "manager/KxParameterManager.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

// The parameters of the listing benchmarks are spread over this many collections.
constexpr int kCollections = 10;

std::vector<std::unique_ptr<BaselineParameter>> baselineParameters(std::int64_t count) {
    std::vector<std::unique_ptr<BaselineParameter>> parameters;
    parameters.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        auto& parameter = parameters.emplace_back(std::make_unique<BaselineParameter>());
        parameter->name = benchName(L'P', i).wstr();
    }
    return parameters;
}

// Registration attaches the manager's observer to every parameter and hands each to the palette.
// The heap count covers the parameters (object and name), the collection with its share of the
// list, and the observer's registration on each parameter.
void BM_RegisterCollection(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    KxParameterManager& manager = silentManager();
    CImageList images;
    ItemClock clock(state, count);
    std::int64_t bytes = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<BenchParameter>> owned;
        owned.reserve(static_cast<std::size_t>(count));
        const std::int64_t before = heapBytesInUse();
        auto collection = std::make_unique<BenchCollection>();
        for (std::int64_t i = 0; i < count; ++i) {
            auto& parameter =
                owned.emplace_back(std::make_unique<BenchParameter>(collection.get()));
            parameter->setName(benchName(L'P', i));
            collection->addParameter(parameter.get());
        }
        clock.start();
        manager.registerCollection(collection.get(), images);
        clock.stop();
        bytes = heapBytesInUse() - before;
        if (manager.getCollections().length() != 1 ||
            collection->getParameters().length() != count) {
            state.SkipWithError("registration did not take");
        }
        manager.unRegisterCollection(collection.get());
    }
    clock.report();
    state.counters["bytes_per_item"] = static_cast<double>(bytes) / static_cast<double>(count);
}
KX_BENCH_SIZES(BM_RegisterCollection, 50, 3);

void BM_Baseline_RegisterCollection(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    ItemClock clock(state, count);
    int observer = 0;
    std::int64_t bytes = 0;
    for (auto _ : state) {
        std::vector<std::unique_ptr<BaselineParameter>> owned;
        owned.reserve(static_cast<std::size_t>(count));
        std::vector<std::vector<BaselineParameter*>*> registry;
        registry.reserve(1);
        const std::int64_t before = heapBytesInUse();
        std::vector<BaselineParameter*> collection;
        for (std::int64_t i = 0; i < count; ++i) {
            auto& parameter = owned.emplace_back(std::make_unique<BaselineParameter>());
            parameter->name = benchName(L'P', i).wstr();
            collection.push_back(parameter.get());
        }
        clock.start();
        registry.push_back(&collection);
        for (BaselineParameter* parameter : collection) {
            if (std::find(parameter->reactors.begin(), parameter->reactors.end(), &observer) ==
                parameter->reactors.end()) {
                parameter->reactors.push_back(&observer);
            }
        }
        clock.stop();
        bytes = heapBytesInUse() - before;
        benchmark::DoNotOptimize(registry.data());
    }
    clock.report();
    state.counters["bytes_per_item"] = static_cast<double>(bytes) / static_cast<double>(count);
}
KX_BENCH_SIZES(BM_Baseline_RegisterCollection, 50, 3);

// Every parameter of a registered collection takes a new name: the reactors hear both notices and
// the observer asks the palette to refresh the row.
void BM_RenameAll(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    RegisteredCollections fixture(count, 1);
    const KxArray<KxParameter*>& parameters = fixture.collection(0).getParameters();
    std::vector<KxString> names[2];
    for (std::int64_t i = 0; i < count; ++i) {
        names[0].push_back(benchName(L'A', i));
        names[1].push_back(benchName(L'B', i));
    }
    ItemClock clock(state, count);
    int round = 0;
    for (auto _ : state) {
        const std::vector<KxString>& next = names[round++ % 2];
        clock.start();
        for (int i = 0; i < parameters.length(); ++i) {
            parameters[i]->setName(next[static_cast<std::size_t>(i)]);
        }
        clock.stop();
        if (!(parameters[parameters.length() - 1]->getName() == next.back())) {
            state.SkipWithError("rename did not take");
        }
    }
    clock.report();
}
KX_BENCH_SIZES(BM_RenameAll, 200, 10);

void BM_Baseline_RenameAll(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    const auto owned = baselineParameters(count);
    std::vector<BaselineParameter*> parameters;
    for (const auto& parameter : owned) {
        parameters.push_back(parameter.get());
    }
    std::vector<std::wstring> names[2];
    for (std::int64_t i = 0; i < count; ++i) {
        names[0].push_back(benchName(L'A', i).wstr());
        names[1].push_back(benchName(L'B', i).wstr());
    }
    ItemClock clock(state, count);
    int round = 0;
    for (auto _ : state) {
        const std::vector<std::wstring>& next = names[round++ % 2];
        clock.start();
        for (std::size_t i = 0; i < parameters.size(); ++i) {
            parameters[i]->name = next[i];
        }
        clock.stop();
        benchmark::DoNotOptimize(parameters.back()->name.data());
    }
    clock.report();
}
KX_BENCH_SIZES(BM_Baseline_RenameAll, 200, 10);

// The parameters of all registered collections, into an array that the caller keeps.
void BM_GetParameters(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    RegisteredCollections fixture(count, kCollections);
    KxParameterManager& manager = silentManager();
    KxArray<KxParameter*> listed;
    // What appending the parameters one by one gives, storage included.
    KxArray<KxParameter*> oneByOne;
    for (int c = 0; c < fixture.collectionCount(); ++c) {
        for (KxParameter* parameter : fixture.collection(c).getParameters()) {
            oneByOne.append(parameter);
        }
    }
    ItemClock clock(state, count);
    for (auto _ : state) {
        clock.start();
        manager.getParameters(listed);
        clock.stop();
        if (listed.length() != count || listed.physicalLength() != oneByOne.physicalLength() ||
            !std::equal(listed.begin(), listed.end(), oneByOne.begin())) {
            state.SkipWithError("the list differs from appending one by one");
        }
    }
    clock.report();
}
KX_BENCH_SIZES(BM_GetParameters, 500, 20);

void BM_Baseline_GetParameters(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    const auto owned = baselineParameters(count);
    std::vector<std::vector<BaselineParameter*>> collections(kCollections);
    for (std::size_t i = 0; i < owned.size(); ++i) {
        collections[i % kCollections].push_back(owned[i].get());
    }
    std::vector<BaselineParameter*> listed;
    ItemClock clock(state, count);
    for (auto _ : state) {
        clock.start();
        listed.clear();
        for (const auto& collection : collections) {
            listed.insert(listed.end(), collection.begin(), collection.end());
        }
        clock.stop();
        benchmark::DoNotOptimize(listed.data());
    }
    clock.report();
}
KX_BENCH_SIZES(BM_Baseline_GetParameters, 500, 20);

} // namespace

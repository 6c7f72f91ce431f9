// Deleting parameters from one collection (all in order, all reversed, a random half) and through
// the manager across several collections, each beside a baseline that reaches the same result with
// one hash set and one pass over each list.

#include "BaselineParameter.h"
#include "BenchFixture.h"
#include "BenchSizes.h"
#include "ItemClock.h"

#include "manager/KxParameterManager.h"

#include <algorithm>
#include <memory>
#include <unordered_set>
#include <vector>

namespace {

// The manager's deletion works on parameters spread over this many collections.
constexpr int kCollections = 10;

enum class Pick { AllInOrder, AllReversed, RandomHalf };

// The parameters to delete, as the benchmark names them.
std::vector<std::int64_t> pickedIndexes(std::int64_t count, Pick pick) {
    std::vector<std::int64_t> indexes;
    if (pick == Pick::RandomHalf) {
        indexes = shuffledIndexes(count);
        indexes.resize(static_cast<std::size_t>(count / 2));
        return indexes;
    }
    for (std::int64_t i = 0; i < count; ++i) {
        indexes.push_back(pick == Pick::AllInOrder ? i : count - 1 - i);
    }
    return indexes;
}

// Which of the parameters stay, in their order.
std::vector<bool> survivors(std::int64_t count, const std::vector<std::int64_t>& picked) {
    std::vector<bool> stays(static_cast<std::size_t>(count), true);
    for (std::int64_t index : picked) {
        stays[static_cast<std::size_t>(index)] = false;
    }
    return stays;
}

bool holdsExactly(const KxArray<KxParameter*>& list, const ParameterSet& parameters,
                  const std::vector<bool>& stays, int collection, int collections) {
    int at = 0;
    for (std::int64_t i = collection; i < parameters.size(); i += collections) {
        if (stays[static_cast<std::size_t>(i)]) {
            if (at >= list.length() || list[at++] != parameters[i]) {
                return false;
            }
        }
    }
    return at == list.length();
}

void deleteFromCollection(benchmark::State& state, Pick pick) {
    const std::int64_t count = state.range(0);
    RegisteredCollections fixture(count, 1);
    const std::vector<std::int64_t> picked = pickedIndexes(count, pick);
    const std::vector<bool> stays = survivors(count, picked);
    std::vector<KxParameter*> doomed;
    for (std::int64_t index : picked) {
        doomed.push_back(fixture.parameters()[index]);
    }
    const KxArray<KxParameter*> list = toArray(doomed);
    BenchCollection& collection = fixture.collection(0);
    ItemClock clock(state, count);
    for (auto _ : state) {
        fixture.refill();
        clock.start();
        collection.deleteParameters(list);
        clock.stop();
        if (!holdsExactly(collection.getParameters(), fixture.parameters(), stays, 0, 1)) {
            state.SkipWithError("wrong parameters left");
        }
    }
    clock.report();
}

void baselineDelete(benchmark::State& state, Pick pick, int collections) {
    const std::int64_t count = state.range(0);
    const std::vector<std::int64_t> picked = pickedIndexes(count, pick);
    std::vector<std::unique_ptr<BaselineParameter>> objects;
    for (std::int64_t i = 0; i < count; ++i) {
        objects.push_back(std::make_unique<BaselineParameter>());
    }
    std::vector<void*> doomed;
    for (std::int64_t index : picked) {
        doomed.push_back(objects[static_cast<std::size_t>(index)].get());
    }
    std::vector<std::vector<void*>> lists(static_cast<std::size_t>(collections));
    const std::size_t expected = static_cast<std::size_t>(count) - picked.size();
    ItemClock clock(state, count);
    for (auto _ : state) {
        for (auto& list : lists) {
            list.clear();
        }
        for (std::size_t i = 0; i < objects.size(); ++i) {
            lists[i % lists.size()].push_back(objects[i].get());
        }
        clock.start();
        const std::unordered_set<void*> gone(doomed.begin(), doomed.end());
        for (auto& list : lists) {
            std::erase_if(list, [&](void* parameter) { return gone.count(parameter) != 0; });
        }
        clock.stop();
        std::size_t left = 0;
        for (const auto& list : lists) {
            left += list.size();
        }
        if (left != expected) {
            state.SkipWithError("wrong number of parameters left");
        }
    }
    clock.report();
}

void BM_DeleteAllInOrder(benchmark::State& state) {
    deleteFromCollection(state, Pick::AllInOrder);
}
KX_BENCH_SIZES(BM_DeleteAllInOrder, 200, 5);

void BM_Baseline_DeleteAllInOrder(benchmark::State& state) {
    baselineDelete(state, Pick::AllInOrder, 1);
}
KX_BENCH_SIZES(BM_Baseline_DeleteAllInOrder, 200, 5);

void BM_DeleteAllReversed(benchmark::State& state) {
    deleteFromCollection(state, Pick::AllReversed);
}
KX_BENCH_SIZES(BM_DeleteAllReversed, 200, 5);

void BM_Baseline_DeleteAllReversed(benchmark::State& state) {
    baselineDelete(state, Pick::AllReversed, 1);
}
KX_BENCH_SIZES(BM_Baseline_DeleteAllReversed, 200, 5);

void BM_DeleteRandomHalf(benchmark::State& state) {
    deleteFromCollection(state, Pick::RandomHalf);
}
KX_BENCH_SIZES(BM_DeleteRandomHalf, 200, 5);

void BM_Baseline_DeleteRandomHalf(benchmark::State& state) {
    baselineDelete(state, Pick::RandomHalf, 1);
}
KX_BENCH_SIZES(BM_Baseline_DeleteRandomHalf, 200, 5);

// A random half of the parameters of all collections, in random order, through the manager: each
// collection is offered its share, checks it and deletes it.
void BM_ManagerDeleteAcrossCollections(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    RegisteredCollections fixture(count, kCollections);
    const std::vector<std::int64_t> picked = pickedIndexes(count, Pick::RandomHalf);
    const std::vector<bool> stays = survivors(count, picked);
    std::vector<KxParameter*> doomed;
    for (std::int64_t index : picked) {
        doomed.push_back(fixture.parameters()[index]);
    }
    const KxArray<KxParameter*> list = toArray(doomed);
    KxParameterManager& manager = silentManager();
    ItemClock clock(state, count);
    for (auto _ : state) {
        fixture.refill();
        clock.start();
        manager.deleteParameters(list);
        clock.stop();
        for (int c = 0; c < kCollections; ++c) {
            if (!holdsExactly(fixture.collection(c).getParameters(), fixture.parameters(), stays, c,
                              kCollections)) {
                state.SkipWithError("wrong parameters left");
                break;
            }
        }
    }
    clock.report();
}
KX_BENCH_SIZES(BM_ManagerDeleteAcrossCollections, 200, 5);

void BM_Baseline_ManagerDeleteAcrossCollections(benchmark::State& state) {
    baselineDelete(state, Pick::RandomHalf, kCollections);
}
KX_BENCH_SIZES(BM_Baseline_ManagerDeleteAcrossCollections, 200, 5);

} // namespace

// Filtering by group, beside a baseline that reaches the same result with standard containers.

#include "BaselineParameter.h"
#include "BenchFixture.h"
#include "BenchSizes.h"
#include "ItemClock.h"

#include "collections/KxParameterGroupFilter.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace {

// Every other parameter is in the filtered group, the rest in another one.
constexpr short kFilteredGroup = 1;
constexpr short kOtherGroup = 2;

short groupOf(std::int64_t index) {
    return index % 2 == 0 ? kFilteredGroup : kOtherGroup;
}

void BM_FilterGroup(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    RegisteredCollections fixture(count, 1);
    const KxArray<KxParameter*>& parameters = fixture.collection(0).getParameters();
    for (std::int64_t i = 0; i < count; ++i) {
        KxParameter::GroupIndexList groups;
        groups.append(groupOf(i));
        fixture.parameters()[i]->setGroupNameIndexesInternal(groups);
    }
    KxParameterGroupFilter filter(KxString(L"group"), kFilteredGroup);
    KxArray<KxParameter*> passing;
    ItemClock clock(state, count);
    for (auto _ : state) {
        clock.start();
        filter.filterParameters(parameters, passing);
        clock.stop();
        if (passing.length() != (count + 1) / 2 || passing[1] != parameters[2]) {
            state.SkipWithError("wrong parameters passed");
        }
    }
    clock.report();
}
KX_BENCH_SIZES(BM_FilterGroup, 500, 20);

void BM_Baseline_FilterGroup(benchmark::State& state) {
    const std::int64_t count = state.range(0);
    std::vector<std::unique_ptr<BaselineParameter>> owned;
    std::vector<BaselineParameter*> parameters;
    for (std::int64_t i = 0; i < count; ++i) {
        auto& parameter = owned.emplace_back(std::make_unique<BaselineParameter>());
        parameter->name = benchName(L'P', i).wstr();
        parameter->groups.push_back(groupOf(i));
        parameters.push_back(parameter.get());
    }
    std::vector<BaselineParameter*> passing;
    ItemClock clock(state, count);
    for (auto _ : state) {
        clock.start();
        passing.clear();
        for (BaselineParameter* parameter : parameters) {
            if (std::find(parameter->groups.begin(), parameter->groups.end(), kFilteredGroup) !=
                parameter->groups.end()) {
                passing.push_back(parameter);
            }
        }
        clock.stop();
        benchmark::DoNotOptimize(passing.data());
    }
    clock.report();
}
KX_BENCH_SIZES(BM_Baseline_FilterGroup, 500, 20);

} // namespace

#include "BenchFixture.h"

#include "SilentPalette.h"

#include "host/CImageList.h"
#include "palette/KxApParameterManagerESW.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>

KxParameterManager& silentManager() {
    static SilentPalette palette;
    static KxParameterManager& manager = []() -> KxParameterManager& {
        KxApParameterManagerESW::instance()->setHost(&palette);
        return KxParameterManager::getInstance();
    }();
    return manager;
}

KxString benchName(wchar_t prefix, std::int64_t number) {
    wchar_t text[16];
    std::swprintf(text, 16, L"%lc%07lld", static_cast<wint_t>(prefix),
                  static_cast<long long>(number % 10000000));
    return KxString(text);
}

ParameterSet::ParameterSet(std::int64_t count, const std::vector<BenchCollection*>& collections) {
    mParameters.reserve(static_cast<std::size_t>(count));
    for (std::int64_t i = 0; i < count; ++i) {
        BenchCollection* owner =
            collections.empty() ? nullptr
                                : collections[static_cast<std::size_t>(i) % collections.size()];
        auto& parameter = mParameters.emplace_back(std::make_unique<BenchParameter>(owner));
        parameter->setName(benchName(L'P', i));
        if (owner) {
            owner->addParameter(parameter.get());
        }
    }
}

RegisteredCollections::RegisteredCollections(std::int64_t count, int collections) {
    std::vector<BenchCollection*> owners;
    for (int i = 0; i < collections; ++i) {
        owners.push_back(mCollections.emplace_back(std::make_unique<BenchCollection>()).get());
    }
    mpParameters = std::make_unique<ParameterSet>(count, owners);
    CImageList images;
    for (BenchCollection* collection : owners) {
        silentManager().registerCollection(collection, images);
    }
}

RegisteredCollections::~RegisteredCollections() {
    for (auto& collection : mCollections) {
        silentManager().unRegisterCollection(collection.get());
    }
}

void RegisteredCollections::refill() {
    for (auto& collection : mCollections) {
        // Its own list, whole and in order: the collection simply forgets it.
        const KxArray<KxParameter*> rest = collection->getParameters();
        collection->deleteParameters(rest);
    }
    const ParameterSet& parameters = *mpParameters;
    for (std::int64_t i = 0; i < parameters.size(); ++i) {
        auto* owner = static_cast<BenchCollection*>(parameters[i]->getOwner());
        owner->addParameter(parameters[i]);
    }
}

std::vector<std::int64_t> shuffledIndexes(std::int64_t count) {
    std::vector<std::int64_t> indexes(static_cast<std::size_t>(count));
    std::iota(indexes.begin(), indexes.end(), 0);
    std::mt19937_64 random(20240611);
    std::shuffle(indexes.begin(), indexes.end(), random);
    return indexes;
}

KxArray<KxParameter*> toArray(const std::vector<KxParameter*>& parameters) {
    KxArray<KxParameter*> array;
    array.setLogicalLength(static_cast<int>(parameters.size()));
    std::copy(parameters.begin(), parameters.end(), array.begin());
    return array;
}

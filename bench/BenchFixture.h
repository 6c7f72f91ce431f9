#pragma once

#include "BenchCollection.h"
#include "BenchParameter.h"

#include "host/KxArray.h"
#include "host/KxString.h"
#include "manager/KxParameterManager.h"

#include <cstdint>
#include <memory>
#include <vector>

// The manager, with a palette attached that records nothing.
KxParameterManager& silentManager();

// An 8-character name: the prefix letter and seven digits of the number.
KxString benchName(wchar_t prefix, std::int64_t number);

// The benchmark's parameters, made and named outside any measured region and owned here.
class ParameterSet {
public:
    // `count` parameters named P0000000 and on, each added to one of `collections` in turn (none
    // when the list is empty).
    ParameterSet(std::int64_t count, const std::vector<BenchCollection*>& collections);

    std::int64_t size() const { return static_cast<std::int64_t>(mParameters.size()); }
    BenchParameter* operator[](std::int64_t index) const {
        return mParameters[static_cast<std::size_t>(index)].get();
    }

private:
    std::vector<std::unique_ptr<BenchParameter>> mParameters;
};

// Collections registered with the silent manager while this lives, holding `count` parameters
// spread over them in turn.
class RegisteredCollections {
public:
    RegisteredCollections(std::int64_t count, int collections);
    ~RegisteredCollections();
    RegisteredCollections(const RegisteredCollections&) = delete;
    RegisteredCollections& operator=(const RegisteredCollections&) = delete;

    BenchCollection& collection(int index) {
        return *mCollections[static_cast<std::size_t>(index)];
    }
    int collectionCount() const { return static_cast<int>(mCollections.size()); }
    const ParameterSet& parameters() const { return *mpParameters; }
    // Puts every parameter back into its collection, in the order of the first filling.
    void refill();

private:
    std::vector<std::unique_ptr<BenchCollection>> mCollections;
    std::unique_ptr<ParameterSet> mpParameters;
};

// The indexes 0 to count - 1 in an order drawn with a fixed seed.
std::vector<std::int64_t> shuffledIndexes(std::int64_t count);

// The same pointers as a library array.
KxArray<KxParameter*> toArray(const std::vector<KxParameter*>& parameters);

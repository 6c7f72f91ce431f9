#pragma once

#include "KxPlateCollection.h"

#include "manager/KxParameterManager.h"

#include <cstdint>
#include <random>
#include <string>
#include <vector>

class KxApDocument;

// The shapes of dependency graph that the sample provider is measured with.
enum class Shape { kChain, kFan, kDag };

// "param<k>", the name the plate gives its k-th new parameter.
std::wstring nameOf(std::int64_t k);
// The expression of the k-th parameter (from 1): the root is a number; a chain names the one
// before, a fan names the root, a random DAG names one to three earlier ones.
std::wstring expressionOf(Shape shape, std::int64_t k, std::mt19937_64& random);

// A plate registered with the manager and active from its making until `withdraw` or its end.
class Drawing {
public:
    explicit Drawing(KxParameterManager& manager);
    ~Drawing();
    Drawing(const Drawing&) = delete;
    Drawing& operator=(const Drawing&) = delete;

    // Registers the plate again and makes it active, or unregisters it.
    void publish();
    void withdraw();

    // Creates the parameters through the manager, then gives each its expression, as a user does.
    bool build(Shape shape, std::int64_t count);

    KxPlateParameter* parameter(std::int64_t k) const { return mPlate.find(KxString(nameOf(k))); }
    KxPlateCollection& plate() { return mPlate; }
    // The host's document whose database holds the plate's records.
    KxApDocument& document() const { return mDocument; }
    // The parameters' values in list order.
    std::vector<double> values();

private:
    KxParameterManager& mManager;
    KxApDocument& mDocument;
    KxPlateCollection mPlate;
    bool mbPublished = false;
};

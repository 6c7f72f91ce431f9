#pragma once

#include "BenchParameter.h"
#include "collections/KxParameterCollection.h"

// A provider's collection whose parameters belong to the benchmark: erasing them is left to it, so
// that a deletion measures the library's work alone.
class BenchCollection : public KxParameterCollection {
public:
    BenchCollection() : KxParameterCollection(L"bench") {}

    Lumo::ErrorStatus createParameter(KxParameter*& parameter) override {
        parameter = new BenchParameter(this);
        return Lumo::eOk;
    }

protected:
    void deleteParametersInternal(const KxArray<KxParameter*>&) override {}
};

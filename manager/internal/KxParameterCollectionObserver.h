#pragma once

#include "collections/KxParameterCollectionReactor.h"
#include "manager/internal/KxParameterObserver.h"

// Attached to every registered collection: gives parameters added later the parameter observer
// and passes additions and deletions on to the palette.
class KxParameterCollectionObserver : public KxParameterCollectionReactor {
public:
    void parameterAdded(KxParameter* parameter) override;
    void parametersDeleted(const KxArray<KxParameter*>& parameters) override;
    ~KxParameterCollectionObserver() override;

    // The one parameter observer of the system.
    KxParameterObserver mParameterObserver;
};

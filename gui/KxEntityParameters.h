#pragma once

#include "collections/KxParameterCollectionReactor.h"
#include "manager/KxParameterManagerReactor.h"

#include <cstdint>
#include <unordered_map>
#include <vector>

class KxParameter;
class KxParameterManager;

/// Which parameter of the manager's active collection each drawing entity stands for, by the
/// parameters' getEntityId. The table is rebuilt only when asked after the collection that is
/// active has changed; parameters added or deleted enter or leave it one by one, so that neither a
/// lookup nor an edit costs more with the number of parameters.
class KxEntityParameters final : private KxParameterManagerReactor,
                                 private KxParameterCollectionReactor {
public:
    /// Listens to the live manager from the first call of refresh on.
    KxEntityParameters() = default;
    /// Stops listening.
    ~KxEntityParameters() override;
    KxEntityParameters(const KxEntityParameters&) = delete;
    KxEntityParameters& operator=(const KxEntityParameters&) = delete;

    /// Listens to the manager that is alive now and to its active collection; true when the
    /// table has changed since the last call (its parameters may then be gone).
    bool refresh();
    /// Rebuilds the table at the next refresh: for a drawing of other entities.
    void invalidate() { mbStale = true; }
    /// The parameter whose entity has that handle; null for none.
    KxParameter* find(std::uint64_t handle) const;

private:
    void collectionWillBeUnregistered(KxParameterCollection* collection) override;
    void activeCollectionWillBeSet(KxParameterCollection* collection) override;
    void activeCollectionSet(KxParameterCollection* collection) override;
    void parameterAdded(KxParameter* parameter) override;
    void parametersDeleted(const KxArray<KxParameter*>& parameters) override;
    // Stops listening to the collection and empties the table.
    void leaveCollection();
    // Enters the parameter by its entity, when it has one that no other has taken.
    void enter(KxParameter& parameter);

    KxParameterManager* mpManager = nullptr;
    KxParameterCollection* mpCollection = nullptr;
    std::unordered_map<std::uint64_t, KxParameter*> mParameters;
    // The handle each parameter was entered with, so that it leaves by it.
    std::unordered_map<KxParameter*, std::uint64_t> mHandles;
    // Added since the last refresh, entered at the next: a new parameter may get its entity late.
    std::vector<KxParameter*> mAdded;
    bool mbStale = true;
    bool mbChanged = false;
};

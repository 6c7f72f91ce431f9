#include "gui/KxEntityParameters.h"

#include "collections/KxParameterCollection.h"
#include "host/KxDbObjectId.h"
#include "kit/KxParameterManagerAlive.h"
#include "manager/KxParameterManager.h"
#include "model/KxParameter.h"

#include <unordered_set>
#include <utility>

KxEntityParameters::~KxEntityParameters() {
    // A manager that has gone since took its registrations with it.
    if (mpManager && mpManager == kxParameterManagerIfAlive()) {
        leaveCollection();
        mpManager->removeReactor(this);
    }
}

bool KxEntityParameters::refresh() {
    KxParameterManager* live = kxParameterManagerIfAlive();
    if (live != mpManager) {
        // The collections of a manager that is gone were unregistered before it went.
        mpCollection = nullptr;
        mpManager = live;
        if (mpManager) {
            mpManager->addReactor(this);
        }
        mbStale = true;
    }
    if (mpManager && !mpCollection) {
        // The manager hands out its active collection read-only; the list holds it writable.
        for (KxParameterCollection* collection : mpManager->getCollections()) {
            if (collection && collection == mpManager->getActiveCollection()) {
                mpCollection = collection;
                mpCollection->addReactor(this);
                mbStale = true;
            }
        }
    }
    if (!mbStale) {
        // New parameters alone: the table grows by them, whatever it holds already.
        for (KxParameter* parameter : mAdded) {
            enter(*parameter);
        }
        mbChanged = mbChanged || !mAdded.empty();
        mAdded.clear();
        return std::exchange(mbChanged, false);
    }
    mbStale = false;
    mbChanged = false;
    mAdded.clear();
    mParameters.clear();
    mHandles.clear();
    if (mpCollection) {
        for (KxParameter* parameter : mpCollection->getParameters()) {
            if (parameter) {
                enter(*parameter);
            }
        }
    }
    return true;
}

void KxEntityParameters::enter(KxParameter& parameter) {
    KxDbObjectId id;
    if (parameter.getEntityId(id) == Lumo::eOk && !id.isNull()) {
        if (mParameters.try_emplace(id.handle(), &parameter).second) {
            mHandles.emplace(&parameter, id.handle());
        }
    }
}

KxParameter* KxEntityParameters::find(std::uint64_t handle) const {
    const auto found = mParameters.find(handle);
    return found == mParameters.end() ? nullptr : found->second;
}

void KxEntityParameters::collectionWillBeUnregistered(KxParameterCollection* collection) {
    if (collection == mpCollection) {
        leaveCollection();
    }
}

void KxEntityParameters::activeCollectionWillBeSet(KxParameterCollection*) {
    leaveCollection();
}

void KxEntityParameters::activeCollectionSet(KxParameterCollection*) {
    mbStale = true; // the next refresh takes the new one up
}

void KxEntityParameters::parameterAdded(KxParameter* parameter) {
    if (parameter) {
        mAdded.push_back(parameter);
    }
}

void KxEntityParameters::parametersDeleted(const KxArray<KxParameter*>& parameters) {
    // The parameters are erased right after this: nothing may reach them through the table. Each
    // leaves by the entity it was entered with, whatever it names now.
    if (!mAdded.empty()) {
        const std::unordered_set<KxParameter*> gone(parameters.begin(), parameters.end());
        std::erase_if(mAdded, [&](KxParameter* parameter) { return gone.contains(parameter); });
    }
    for (KxParameter* parameter : parameters) {
        if (const auto entered = mHandles.find(parameter); entered != mHandles.end()) {
            mParameters.erase(entered->second);
            mHandles.erase(entered);
        }
        mbChanged = true;
    }
}

void KxEntityParameters::leaveCollection() {
    if (mpCollection) {
        mpCollection->removeReactor(this);
        mpCollection = nullptr;
    }
    mParameters.clear();
    mHandles.clear();
    mAdded.clear();
    mbStale = true;
}

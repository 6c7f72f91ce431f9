#include "gui/KxEntityParameters.h"

#include "collections/KxParameterCollection.h"
#include "host/KxDbObjectId.h"
#include "kit/KxParameterManagerAlive.h"
#include "manager/KxParameterManager.h"
#include "model/KxParameter.h"

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
        return false;
    }
    mbStale = false;
    mParameters.clear();
    if (mpCollection) {
        for (KxParameter* parameter : mpCollection->getParameters()) {
            KxDbObjectId id;
            if (parameter && parameter->getEntityId(id) == Lumo::eOk && !id.isNull()) {
                mParameters.try_emplace(id.handle(), parameter);
            }
        }
    }
    return true;
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

void KxEntityParameters::parameterAdded(KxParameter*) {
    mbStale = true;
}

void KxEntityParameters::parametersDeleted(const KxArray<KxParameter*>&) {
    // The parameters are erased right after this: nothing may reach them through the table.
    mParameters.clear();
    mbStale = true;
}

void KxEntityParameters::leaveCollection() {
    if (mpCollection) {
        mpCollection->removeReactor(this);
        mpCollection = nullptr;
    }
    mParameters.clear();
    mbStale = true;
}

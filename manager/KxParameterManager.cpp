#include "manager/KxParameterManager.h"

#include "collections/KxParameterCollection.h"
#include "collections/KxParameterGroupFilter.h"
#include "collections/internal/KxParameterListMatching.h"
#include "host/KxAssocErrorUtil.h"
#include "host/KxModuleLoader.h"
#include "manager/KxParameterManagerReactor.h"
#include "manager/internal/KxParameterCollectionObserver.h"
#include "model/KxParameter.h"
#include "model/internal/KxReactorList.h"
#include "model/internal/KxReactorWalk.h"
#include "palette/KxApParameterManagerESW.h"

#include <cstdint>

KxParameterManager* KxParameterManager::mpParamManager = nullptr;

namespace {

// Pointer values that the palette may give in place of a filter object; never dereferenced.
bool isFilterMarker(const KxParameterFilter* filter) {
    const auto value = reinterpret_cast<std::uintptr_t>(filter);
    return value == 1 || value == 2;
}

} // namespace

KxParameterManager::KxParameterManager() = default;

KxParameterManager::~KxParameterManager() {
    delete mpCollectionObserver;
    mpCollectionObserver = nullptr;
}

KxParameterManager& KxParameterManager::getInstance() {
    if (!mpParamManager) {
        mpParamManager = new KxParameterManager();
        mpParamManager->connectPalette();
    }
    return *mpParamManager;
}

void KxParameterManager::destroy() {
    delete mpParamManager;
    mpParamManager = nullptr;
}

bool KxParameterManager::init() {
    connectPalette();
    return true;
}

void KxParameterManager::connectPalette() {
    if (mpESWFrame) {
        return;
    }
    // The proxy loads the palette module unless the host has it, and hands this manager to the
    // palette that attached itself while loading.
    KxApParameterManagerESW* proxy = KxApParameterManagerESW::instance();
    proxy->initialize(this);
    mpESWFrame = proxy;
}

Lumo::ErrorStatus KxParameterManager::registerCollection(KxParameterCollection* collection,
                                                         CImageList& images) {
    if (!collection) {
        return Lumo::eNullPtr;
    }
    if (!mpCollectionObserver) {
        mpCollectionObserver = new KxParameterCollectionObserver();
    }
    walkReactors(mReactors, [&](KxParameterManagerReactor& reactor) {
        reactor.collectionWillBeRegistered(collection);
    });
    mCollections.append(collection);
    collection->addReactor(mpCollectionObserver);
    if (mpESWFrame) {
        mpESWFrame->SetImageListAndIndexPair(images, collection);
        // A copy: a palette that calls back into the collection must not disturb this walk.
        const KxArray<KxParameter*> parameters = collection->getParameters();
        mpESWFrame->setFilterLock(true);
        for (KxParameter* parameter : parameters) {
            parameter->addReactor(&mpCollectionObserver->mParameterObserver);
            mpESWFrame->addParameterDataInUI(parameter, 0);
        }
        mpESWFrame->setFilterLock(false);
    }
    walkReactors(mReactors, [&](KxParameterManagerReactor& reactor) {
        reactor.collectionRegistered(collection);
    });
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameterManager::unRegisterCollection(KxParameterCollection* collection) {
    if (!collection) {
        return Lumo::eNullPtr;
    }
    walkReactors(mReactors, [&](KxParameterManagerReactor& reactor) {
        reactor.collectionWillBeUnregistered(collection);
    });
    const bool found = mCollections.removeAt(mCollections.find(collection));
    collection->removeReactor(mpCollectionObserver);
    if (mpESWFrame) {
        mpESWFrame->deleteParameterDataInUI(collection->getParameters());
    }
    if (mpActiveCollection == collection) {
        mpActiveCollection = nullptr;
    }
    walkReactors(mReactors, [&](KxParameterManagerReactor& reactor) {
        reactor.collectionUnregistered(collection);
    });
    return found ? Lumo::eOk : Lumo::eInvalidInput;
}

Lumo::ErrorStatus KxParameterManager::setActiveCollection(KxParameterCollection* collection) {
    if (!collection) {
        return Lumo::eNullPtr;
    }
    walkReactors(mReactors, [&](KxParameterManagerReactor& reactor) {
        reactor.activeCollectionWillBeSet(collection);
    });
    mpActiveCollection = collection;
    // No link yet while the palette's initialize runs: the palette reads the collection itself.
    if (mpESWFrame) {
        mpESWFrame->activeCollectionChanged(collection);
    }
    walkReactors(mReactors, [&](KxParameterManagerReactor& reactor) {
        reactor.activeCollectionSet(collection);
    });
    return Lumo::eOk;
}

Lumo::ErrorStatus
KxParameterManager::registerParameterGroupCollection(KxParameterGroupCollection* groups) {
    walkReactors(mReactors, [&](KxParameterManagerReactor& reactor) {
        reactor.groupCollectionWillBeRegistered(groups);
    });
    mpActiveGroupCollection = groups;
    if (mpESWFrame) {
        mpESWFrame->repopulateGroupDataInUI(groups);
        mpESWFrame->hideFilterTree(groups == nullptr);
    }
    walkReactors(mReactors, [&](KxParameterManagerReactor& reactor) {
        reactor.groupCollectionRegistered(groups);
    });
    return Lumo::eOk;
}

Lumo::ErrorStatus
KxParameterManager::unregisterParameterGroupCollection(KxParameterGroupCollection* groups) {
    walkReactors(mReactors, [&](KxParameterManagerReactor& reactor) {
        reactor.groupCollectionWillBeUnregistered(groups);
    });
    mpActiveGroupCollection = nullptr;
    if (!groups) {
        return Lumo::eNullPtr;
    }
    if (mpESWFrame) {
        mpESWFrame->resetSearchPattern();
        mpESWFrame->hideFilterTree(true);
    }
    walkReactors(mReactors, [&](KxParameterManagerReactor& reactor) {
        reactor.groupCollectionUnregistered(groups);
    });
    return Lumo::eOk;
}

short KxParameterManager::getCurrentGroupIndex() const {
    if (!mpESWFrame) {
        return -1;
    }
    KxParameterFilter* filter = mpESWFrame->getCurrentFilter();
    if (!filter || isFilterMarker(filter)) {
        return -1;
    }
    auto* groupFilter = dynamic_cast<KxParameterGroupFilter*>(filter);
    return groupFilter ? groupFilter->getGroupIndex() : short{-1};
}

Lumo::ErrorStatus KxParameterManager::addReactor(KxParameterManagerReactor* reactor) {
    return addOnce(mReactors, reactor);
}

Lumo::ErrorStatus KxParameterManager::removeReactor(KxParameterManagerReactor* reactor) {
    return removeFirst(mReactors, reactor, Lumo::eEmptyList);
}

bool KxParameterManager::ShowESW(bool show, bool activate) {
    return mpESWFrame ? mpESWFrame->show(show, activate) : false;
}

bool KxParameterManager::RestoreESW(bool restore) {
    return mpESWFrame ? mpESWFrame->restore(restore) : false;
}

bool KxParameterManager::IsESWVisible() {
    return mpESWFrame ? mpESWFrame->IsVisible() : false;
}

void KxParameterManager::refreshESW(bool full) {
    if (mpESWFrame) {
        mpESWFrame->refresh(full);
    }
}

void KxParameterManager::setESWUpdateLock(bool lock) {
    if (mpESWFrame) {
        mpESWFrame->setESWLockUpdate(lock);
    }
}

// NOLINTNEXTLINE(performance-unnecessary-value-param): the manager's interface takes a copy.
Lumo::ErrorStatus KxParameterManager::setPredefinedExpressions(KxArray<KxString> expressions) {
    return mpESWFrame ? mpESWFrame->setPredefinedExpressions(expressions) : Lumo::eNullPtr;
}

void KxParameterManager::getPredefinedExpressions(KxArray<KxString>& expressions) const {
    if (mpESWFrame) {
        mpESWFrame->getPredefinedExpressions(expressions);
    }
}

Lumo::ErrorStatus KxParameterManager::createParameter(KxParameter*& parameter) {
    if (!mpActiveCollection) {
        return Lumo::eNotActive;
    }
    return mpActiveCollection->createParameter(parameter);
}

Lumo::ErrorStatus KxParameterManager::addParameter(KxParameter*& parameter) {
    if (!mpActiveCollection) {
        return Lumo::eNotActive;
    }
    return mpActiveCollection->addParameter(parameter);
}

void KxParameterManager::deleteParameters(const KxArray<KxParameter*>& parameters) {
    if (parameters.isEmpty()) {
        return;
    }
    // Looked up once for every collection. It keeps a copy of the list: the caller may hand in a
    // collection's own list, which the first deletion would change.
    KxListedParameters listed(parameters);
    Lumo::ErrorStatus status = Lumo::eOk;
    KxAssocErrorUtil errorScope(status, nullptr);
    for (int i = 0; i < mCollections.length(); ++i) {
        KxParameterCollection* collection = mCollections[i];
        // Matched at each visit: the reactors of an earlier collection may have changed this one.
        KxArray<KxParameter*> share;
        listed.appendHeldEntries(collection->getParameters(), share);
        status = collection->checkParametersForDeletion(share);
        if (status == Lumo::eOk) {
            collection->deleteParameters(share);
        }
    }
}

void KxParameterManager::getParameters(KxArray<KxParameter*>& parameters) const {
    parameters.setLogicalLength(0);
    for (KxParameterCollection* collection : mCollections) {
        const KxArray<KxParameter*>& held = collection->getParameters();
        parameters.append(held.asArrayPtr(), held.length());
    }
}

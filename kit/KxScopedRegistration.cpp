#include "kit/KxScopedRegistration.h"

#include "kit/KxParameterManagerAlive.h"
#include "manager/KxParameterManager.h"
#include "palette/KxApParameterManagerESW.h"

KxScopedCollection::KxScopedCollection(KxParameterCollection& collection, CImageList& images,
                                       KxParameterGroupCollection* groups, KxActivation activation)
    : mCollection(collection), mpGroups(groups) {
    KxParameterManager& manager = KxParameterManager::getInstance();
    mStatus = manager.registerCollection(&mCollection, images);
    if (activation == KxActivation::kMakeActive) {
        manager.setActiveCollection(&mCollection);
    }
    if (mpGroups) {
        manager.registerParameterGroupCollection(mpGroups);
    }
}

KxScopedCollection::~KxScopedCollection() {
    KxParameterManager* manager = kxParameterManagerIfAlive();
    if (!manager) {
        return;
    }
    // A manager made since this registration does not hold the collection.
    if (manager->getCollections().contains(&mCollection)) {
        manager->unRegisterCollection(&mCollection);
    }
    if (mpGroups && manager->getActiveGroupCollection() == mpGroups) {
        manager->unregisterParameterGroupCollection(mpGroups);
    }
}

KxScopedManagerReactor::KxScopedManagerReactor(KxParameterManagerReactor& reactor)
    : mReactor(reactor) {
    KxParameterManager::getInstance().addReactor(&mReactor);
}

KxScopedManagerReactor::~KxScopedManagerReactor() {
    if (KxParameterManager* manager = kxParameterManagerIfAlive()) {
        manager->removeReactor(&mReactor);
    }
}

namespace {

// The palette that the latest palette guard attached, while that guard lives: the proxy does not
// tell which palette it holds, so the guards keep their own record.
IKxApParameterManagerESWHost* gGuardedPalette = nullptr;

} // namespace

KxScopedPalette::KxScopedPalette(IKxApParameterManagerESWHost& palette) : mPalette(palette) {
    KxApParameterManagerESW::instance()->setHost(&mPalette);
    gGuardedPalette = &mPalette;
}

KxScopedPalette::~KxScopedPalette() {
    if (gGuardedPalette == &mPalette) {
        KxApParameterManagerESW::instance()->setHost(nullptr);
        gGuardedPalette = nullptr;
    }
}

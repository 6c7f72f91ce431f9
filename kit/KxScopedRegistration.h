#pragma once

#include "host/CImageList.h"
#include "host/LumoErrorStatus.h"
#include "model/KxParameterManagerExport.h"

class IKxApParameterManagerESWHost;
class KxParameterCollection;
class KxParameterGroupCollection;
class KxParameterManagerReactor;

// Guards that register something for as long as they live and unregister it when they go. None is
// copied or moved, and none owns what it registers: that must outlive the guard. Each guard is safe
// to destroy after the parameter manager is gone (the library's unload message destroys it): it
// then has nothing to withdraw from, and does nothing.

/// Whether a registered collection becomes the manager's active collection.
enum class KxActivation { kLeaveActive, kMakeActive };

/// A provider's collection, published through the parameter manager (created if there is none):
/// registered with its images, made the active collection if asked, and its group collection, if
/// given, registered after it. The guard unregisters the collection from the live manager if that
/// manager holds it, then the group collection if it is still the registered one (unregistering
/// clears whichever group collection is registered, so only its own is cleared).
class KX_PARAM_EXPORT KxScopedCollection {
public:
    /// Registers the collection (and the group collection, if given) at once.
    KxScopedCollection(KxParameterCollection& collection, CImageList& images,
                       KxParameterGroupCollection* groups = nullptr,
                       KxActivation activation = KxActivation::kLeaveActive);
    ~KxScopedCollection();
    KxScopedCollection(const KxScopedCollection&) = delete;
    KxScopedCollection& operator=(const KxScopedCollection&) = delete;

    /// What registering the collection answered.
    Lumo::ErrorStatus status() const { return mStatus; }

private:
    KxParameterCollection& mCollection;
    KxParameterGroupCollection* mpGroups;
    Lumo::ErrorStatus mStatus;
};

/// A reactor on the parameter manager (created if there is none); removed from the live manager.
class KX_PARAM_EXPORT KxScopedManagerReactor {
public:
    /// Adds the reactor to the manager at once.
    explicit KxScopedManagerReactor(KxParameterManagerReactor& reactor);
    ~KxScopedManagerReactor();
    KxScopedManagerReactor(const KxScopedManagerReactor&) = delete;
    KxScopedManagerReactor& operator=(const KxScopedManagerReactor&) = delete;

private:
    KxParameterManagerReactor& mReactor;
};

/// A palette attached to the palette proxy (KxApParameterManagerESW::setHost). The guard detaches
/// it only if no other palette guard has attached a palette since: attach palettes through guards,
/// so that a later palette is not detached by an earlier guard.
class KX_PARAM_EXPORT KxScopedPalette {
public:
    /// Attaches the palette to the proxy at once.
    explicit KxScopedPalette(IKxApParameterManagerESWHost& palette);
    ~KxScopedPalette();
    KxScopedPalette(const KxScopedPalette&) = delete;
    KxScopedPalette& operator=(const KxScopedPalette&) = delete;

private:
    IKxApParameterManagerESWHost& mPalette;
};

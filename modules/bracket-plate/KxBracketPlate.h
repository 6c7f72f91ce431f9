#pragma once

#include "KxPlateCollection.h"
#include "KxPlateGroupCollection.h"

#include "host/CImageList.h"
#include "kit/KxScopedRegistration.h"

#include <optional>

// The sample provider's drawing: a bracket plate whose dimensions are parameters with expressions
// over each other, in the groups "outline" and "holes", published through the parameter manager.
class KxBracketPlate {
public:
    // Draws the plate in the current document, or in a new document "Plate" when none is open.
    KxBracketPlate();
    KxBracketPlate(const KxBracketPlate&) = delete;
    KxBracketPlate& operator=(const KxBracketPlate&) = delete;
    // Disconnects first, when still connected.
    ~KxBracketPlate();

    // Registers the collection, makes it the active one and registers the groups.
    void connect();
    // Unregisters both from the manager, when the manager is still there.
    void disconnect();
    bool isConnected() const { return mRegistration.has_value(); }

    KxPlateCollection& collection() { return mCollection; }
    KxPlateGroupCollection& groups() { return mGroups; }

private:
    KxPlateCollection mCollection;
    KxPlateGroupCollection mGroups;
    CImageList mImages;
    // While connected: the collection's and the groups' registration with the manager.
    std::optional<KxScopedCollection> mRegistration;
};

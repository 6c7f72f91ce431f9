#pragma once

#include "collections/KxParameterGroupCollection.h"

#include <map>

class KxPlateCollection;

// The plate's groups. Each name gets an index when it is first added, and keeps it while it
// stands or after it is deleted; a renamed group takes its index to its new name. An index is
// never given to another name. Deleting a group takes the plate's parameters out of it.
class KxPlateGroupCollection : public KxParameterGroupCollection {
public:
    explicit KxPlateGroupCollection(KxPlateCollection* plate);

    // eInvalidInput for a name that is not a group now.
    Lumo::ErrorStatus getGroupIndex(const KxString& name, short& index) const override;
    // The groups of a drawing being built, in order, each given the next index.
    void setGroups(const KxArray<KxString>& names);

protected:
    // Each accepts, but an add is refused with eNotAllowed once every index has been given.
    Lumo::ErrorStatus addParameterGroupInternal(const KxString& name) override;
    Lumo::ErrorStatus deleteParameterGroupInternal(const KxString& name) override;
    Lumo::ErrorStatus renameParameterGroupInternal(const KxString& oldName,
                                                   const KxString& newName) override;

private:
    struct Group {
        short index = 0;
        bool standing = false;
    };

    // The name's group, given the next index if it has none; null when none is left.
    Group* groupFor(const KxString& name);

    KxPlateCollection* mpPlate;
    std::map<KxString, Group> mGroups;
    int mNextIndex = 0;
};

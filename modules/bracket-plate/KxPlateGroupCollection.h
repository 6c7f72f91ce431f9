#pragma once

#include "KxPlateRecord.h"

#include "collections/KxParameterGroupCollection.h"

#include <map>

class KxPlateCollection;

// The plate's groups. Each name gets an index when it is first added, and keeps it while it
// stands or after it is deleted; a renamed group takes its index to its new name. An index is
// never given to another name. Deleting a group takes the plate's parameters out of it.
class KxPlateGroupCollection : public KxParameterGroupCollection {
public:
    // Restored with the plate's parameters after undo, redo or opening a drawing.
    explicit KxPlateGroupCollection(KxPlateCollection* plate);
    ~KxPlateGroupCollection() override;

    // eInvalidInput for a name that is not a group now.
    Lumo::ErrorStatus getGroupIndex(const KxString& name, short& index) const override;
    // The groups of a drawing being built, in order, each given the next index.
    void setGroups(const KxArray<KxString>& names);
    // Takes the groups as the plate's record keeps them, after undo, redo or opening a drawing,
    // and tells the palette when the list changed.
    void restore(const KxPlateRecord::Groups& groups);

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
    // Writes the groups into the plate's record, with `listed` the list as the change leaves it.
    void store(const KxArray<KxString>& listed) const;

    KxPlateCollection* mpPlate;
    std::map<KxString, Group> mGroups;
    int mNextIndex = 0;
};

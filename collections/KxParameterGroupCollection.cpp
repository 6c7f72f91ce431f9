#include "collections/KxParameterGroupCollection.h"

#include "palette/KxApParameterManagerESW.h"

KxParameterGroupCollection&
KxParameterGroupCollection::operator=(const KxParameterGroupCollection& other) = default;

KxParameterGroupCollection::~KxParameterGroupCollection() = default;

Lumo::ErrorStatus KxParameterGroupCollection::getParameterGroups(KxArray<KxString>& names) const {
    names = mNames;
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameterGroupCollection::addParameterGroup(const KxString& name) {
    if (name.isEmpty()) {
        return Lumo::eInvalidInput;
    }
    if (mNames.contains(name)) {
        return Lumo::eOk;
    }
    const Lumo::ErrorStatus status = addParameterGroupInternal(name);
    if (status != Lumo::eOk) {
        return status;
    }
    mNames.append(name);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameterGroupCollection::deleteParameterGroup(const KxString& name) {
    if (name.isEmpty()) {
        return Lumo::eInvalidInput;
    }
    if (!mNames.contains(name)) {
        return Lumo::eOk;
    }
    const Lumo::ErrorStatus status = deleteParameterGroupInternal(name);
    if (status != Lumo::eOk) {
        return status;
    }
    // The hook may have changed the list meanwhile, so the name is looked up again.
    mNames.removeAt(mNames.find(name));
    return Lumo::eOk;
}

Lumo::ErrorStatus KxParameterGroupCollection::renameParameterGroup(const KxString& oldName,
                                                                   const KxString& newName) {
    if (oldName.isEmpty() || newName.isEmpty() || oldName == newName) {
        return Lumo::eInvalidInput;
    }
    if (mNames.contains(newName)) {
        return Lumo::eOk;
    }
    const Lumo::ErrorStatus status = renameParameterGroupInternal(oldName, newName);
    if (status != Lumo::eOk) {
        return status;
    }
    // An old name that is not in the list removes nothing: the new name is still added.
    mNames.removeAt(mNames.find(oldName));
    mNames.append(newName);
    return Lumo::eOk;
}

Lumo::ErrorStatus
KxParameterGroupCollection::setParameterGroupsInternal(const KxArray<KxString>& names) {
    mNames = names;
    if (KxApParameterManagerESW* palette = KxApParameterManagerESW::instance()) {
        palette->repopulateGroupDataInUI(this);
    }
    return Lumo::eOk;
}

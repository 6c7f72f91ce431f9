#include "KxPlateGroupCollection.h"

#include "KxPlateCollection.h"

#include <limits>

KxPlateGroupCollection::KxPlateGroupCollection(KxPlateCollection* plate) : mpPlate(plate) {}

Lumo::ErrorStatus KxPlateGroupCollection::getGroupIndex(const KxString& name, short& index) const {
    const auto found = mGroups.find(name);
    if (found == mGroups.end() || !found->second.standing) {
        return Lumo::eInvalidInput;
    }
    index = found->second.index;
    return Lumo::eOk;
}

void KxPlateGroupCollection::setGroups(const KxArray<KxString>& names) {
    for (auto& [name, group] : mGroups) {
        group.standing = false;
    }
    KxArray<KxString> given;
    for (const KxString& name : names) {
        if (Group* group = groupFor(name)) {
            group->standing = true;
            given.append(name);
        }
    }
    setParameterGroupsInternal(given);
}

Lumo::ErrorStatus KxPlateGroupCollection::addParameterGroupInternal(const KxString& name) {
    Group* group = groupFor(name);
    if (!group) {
        return Lumo::eNotAllowed;
    }
    group->standing = true;
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateGroupCollection::deleteParameterGroupInternal(const KxString& name) {
    const auto found = mGroups.find(name);
    if (found == mGroups.end()) {
        return Lumo::eOk;
    }
    found->second.standing = false;
    const short index = found->second.index;
    if (mpPlate) {
        // A copy: leaving a group tells reactors, which may change the list.
        const KxArray<KxParameter*> parameters = mpPlate->getParameters();
        for (KxParameter* parameter : parameters) {
            parameter->removeFromGroup(index);
        }
    }
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateGroupCollection::renameParameterGroupInternal(const KxString& oldName,
                                                                       const KxString& newName) {
    const auto old = mGroups.find(oldName);
    if (old == mGroups.end() || !old->second.standing) {
        // Nothing to carry over: the new name is simply added.
        return addParameterGroupInternal(newName);
    }
    const Group moved = old->second;
    mGroups.erase(old);
    mGroups[newName] = moved;
    return Lumo::eOk;
}

KxPlateGroupCollection::Group* KxPlateGroupCollection::groupFor(const KxString& name) {
    const auto found = mGroups.find(name);
    if (found != mGroups.end()) {
        return &found->second;
    }
    if (mNextIndex > std::numeric_limits<short>::max()) {
        return nullptr;
    }
    Group& group = mGroups[name];
    group.index = static_cast<short>(mNextIndex++);
    return &group;
}

#include "KxPlateGroupCollection.h"

#include "KxPlateCollection.h"

#include <limits>

namespace {

KxArray<KxString> without(KxArray<KxString> names, const KxString& name) {
    const int at = names.find(name);
    if (at >= 0) {
        names.removeAt(at);
    }
    return names;
}

} // namespace

KxPlateGroupCollection::KxPlateGroupCollection(KxPlateCollection* plate) : mpPlate(plate) {
    if (mpPlate) {
        mpPlate->attachGroups(this);
    }
}

KxPlateGroupCollection::~KxPlateGroupCollection() {
    if (mpPlate) {
        mpPlate->attachGroups(nullptr);
    }
}

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
    store(given);
    setParameterGroupsInternal(given);
}

void KxPlateGroupCollection::restore(const KxPlateRecord::Groups& groups) {
    mGroups.clear();
    KxArray<KxString> listed;
    for (const KxPlateRecord::Group& group : groups.groups) {
        mGroups[group.name] = Group{group.index, group.standing};
        if (group.standing) {
            listed.append(group.name);
        }
    }
    mNextIndex = groups.nextIndex;
    KxArray<KxString> current;
    getParameterGroups(current);
    bool same = current.length() == listed.length();
    for (int i = 0; same && i < listed.length(); ++i) {
        same = current[i] == listed[i];
    }
    if (!same) {
        setParameterGroupsInternal(listed);
    }
}

void KxPlateGroupCollection::store(const KxArray<KxString>& listed) const {
    if (!mpPlate) {
        return;
    }
    KxPlateRecord::Groups groups;
    for (const KxString& name : listed) {
        const auto found = mGroups.find(name);
        if (found != mGroups.end()) {
            groups.groups.push_back({name, found->second.index, true});
        }
    }
    for (const auto& [name, group] : mGroups) {
        if (!listed.contains(name)) {
            groups.groups.push_back({name, group.index, false});
        }
    }
    groups.nextIndex = mNextIndex;
    mpPlate->storeGroups(groups);
}

Lumo::ErrorStatus KxPlateGroupCollection::addParameterGroupInternal(const KxString& name) {
    Group* group = groupFor(name);
    if (!group) {
        return Lumo::eNotAllowed;
    }
    group->standing = true;
    KxArray<KxString> listed;
    getParameterGroups(listed);
    listed.append(name);
    store(listed);
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
    KxArray<KxString> listed;
    getParameterGroups(listed);
    store(without(listed, name));
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
    KxArray<KxString> listed;
    getParameterGroups(listed);
    listed = without(listed, oldName);
    listed.append(newName);
    store(listed);
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

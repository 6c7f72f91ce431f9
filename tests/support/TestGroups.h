#pragma once

#include "collections/KxParameterGroupCollection.h"

#include <map>
#include <string>

// A provider's group collection: each group carries the index the test gives it, and every hook
// answers `mHookStatus` (0 lets the change happen).
class TestGroups : public KxParameterGroupCollection {
public:
    Lumo::ErrorStatus mHookStatus = Lumo::eOk;

    // Adds the group through the public operation, so the hooks and the palette see it.
    Lumo::ErrorStatus add(const wchar_t* name, short index) {
        mIndexes[name] = index;
        return addParameterGroup(name);
    }
    Lumo::ErrorStatus getGroupIndex(const KxString& name, short& index) const override {
        const auto found = mIndexes.find(name.wstr());
        if (found == mIndexes.end()) {
            return Lumo::eInvalidInput;
        }
        index = found->second;
        return Lumo::eOk;
    }
    using KxParameterGroupCollection::setParameterGroupsInternal;

protected:
    Lumo::ErrorStatus addParameterGroupInternal(const KxString&) override { return mHookStatus; }
    Lumo::ErrorStatus deleteParameterGroupInternal(const KxString& name) override {
        if (mHookStatus == Lumo::eOk) {
            mIndexes.erase(name.wstr());
        }
        return mHookStatus;
    }
    Lumo::ErrorStatus renameParameterGroupInternal(const KxString& oldName,
                                                   const KxString& newName) override {
        if (mHookStatus == Lumo::eOk) {
            mIndexes[newName.wstr()] = mIndexes[oldName.wstr()];
            mIndexes.erase(oldName.wstr());
        }
        return mHookStatus;
    }

private:
    std::map<std::wstring, short> mIndexes;
};

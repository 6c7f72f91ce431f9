#pragma once

#include "host/KxArray.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"
#include "model/KxParameterManagerExport.h"

/// The user's parameter groups: an ordered list of names that the palette shows as its filter tree.
/// A provider derives from it; its hooks carry each change into the provider's storage and may
/// refuse it, in which case the list stays as it was. Names compare exactly. The order of the
/// virtual operations is part of the binary interface.
class KX_PARAM_EXPORT KxParameterGroupCollection {
public:
    /// No group.
    KxParameterGroupCollection() = default;
    /// Copy the names; nobody is told.
    ///@{
    KxParameterGroupCollection(const KxParameterGroupCollection& other) = default;
    KxParameterGroupCollection& operator=(const KxParameterGroupCollection& other);
    ///@}

    virtual ~KxParameterGroupCollection();
    /// The index that parameters carry for the group of that name; eInvalidInput when unknown.
    virtual Lumo::ErrorStatus getGroupIndex(const KxString& name, short& index) const = 0;

protected:
    /// Hooks that carry an addition, a deletion or a renaming into the provider's storage. Asked
    /// before the list changes; they see the list as it was. 0 lets the change happen.
    ///@{
    virtual Lumo::ErrorStatus addParameterGroupInternal(const KxString& name) = 0;
    virtual Lumo::ErrorStatus deleteParameterGroupInternal(const KxString& name) = 0;
    virtual Lumo::ErrorStatus renameParameterGroupInternal(const KxString& oldName,
                                                           const KxString& newName) = 0;
    ///@}

public:
    /// Replaces the caller's names with the list.
    Lumo::ErrorStatus getParameterGroups(KxArray<KxString>& names) const;
    /// Add, delete or rename a group once the provider's hook accepts: 0, the hook's status, or
    /// eInvalidInput for an empty name or a renaming to the same name. Adding a present name,
    /// deleting an absent one or renaming to a present one changes nothing and asks no hook. A
    /// renamed group moves to the end of the list.
    ///@{
    Lumo::ErrorStatus addParameterGroup(const KxString& name);
    Lumo::ErrorStatus deleteParameterGroup(const KxString& name);
    Lumo::ErrorStatus renameParameterGroup(const KxString& oldName, const KxString& newName);
    ///@}

protected:
    /// The provider's way to set the whole list, as it stands: no hook, no test for empty names or
    /// duplicates. The palette then rebuilds its group display.
    Lumo::ErrorStatus setParameterGroupsInternal(const KxArray<KxString>& names);

private:
    KxArray<KxString> mNames;
};

#pragma once

/// @file
/// The names of a parameter's groups, as the user sees them.

#include "host/KxString.h"
#include "model/KxParameterManagerExport.h"

#include <utility>
#include <vector>

class KxParameter;
class KxParameterGroupCollection;

/// A group collection's groups by the index that parameters carry, in the collection's order:
/// what names a parameter's groups wherever they are shown or written.
class KX_PARAM_EXPORT KxParameterGroupNames {
public:
    /// Reads the collection's groups now; null gives none. An index is named once, by the first
    /// name that the collection gives it.
    explicit KxParameterGroupNames(const KxParameterGroupCollection* groups);

    /// The name of the group of that index; null when the collection names none.
    const KxString* nameOf(short index) const;
    /// The names of the parameter's groups, in the collection's order. An index that the
    /// collection does not name is left out: it is no group the user can see, join, leave,
    /// filter by or read back.
    std::vector<KxString> namesOf(const KxParameter& parameter) const;
    /// The same names joined with the separator; empty for a parameter in no named group.
    KxString textOf(const KxParameter& parameter, const KxString& separator = L", ") const;

private:
    std::vector<std::pair<short, KxString>> mGroups;
};

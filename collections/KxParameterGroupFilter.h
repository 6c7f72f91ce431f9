#pragma once

#include "collections/KxParameterFilter.h"
#include "host/KxString.h"
#include "model/KxParameterManagerExport.h"

/// Passes the parameters of one group, or, inverted, those outside it (a parameter in no group
/// included). The name is for display only; the index decides.
class KX_PARAM_EXPORT KxParameterGroupFilter : public KxParameterFilter {
public:
    /// The filter of the group of that index, shown under that name; not inverted.
    KxParameterGroupFilter(const KxString& groupName, short groupIndex);
    ~KxParameterGroupFilter() override;
    Lumo::ErrorStatus filterParameters(const KxArray<KxParameter*>& parameters,
                                       KxArray<KxParameter*>& passing) override;

    /// The index of the group the filter passes.
    short getGroupIndex() { return mGroupIndex; }
    /// Copies the group's display name into `groupName`.
    void getGroupName(KxString& groupName);
    /// False, and nothing changes, for an empty name.
    bool renameGroupFilter(const KxString& groupName);

private:
    short mGroupIndex;
    KxString mGroupName;
};

#include "collections/KxParameterGroupFilter.h"

#include "model/KxParameter.h"

KxParameterGroupFilter::KxParameterGroupFilter(const KxString& groupName, short groupIndex)
    : mGroupIndex(groupIndex), mGroupName(groupName) {}

KxParameterGroupFilter::~KxParameterGroupFilter() = default;

Lumo::ErrorStatus KxParameterGroupFilter::filterParameters(const KxArray<KxParameter*>& parameters,
                                                           KxArray<KxParameter*>& passing) {
    passing.setLogicalLength(0);
    const int count = parameters.length();
    KxParameter::GroupIndexList groups;
    for (int i = 0; i < count; ++i) {
        KxParameter* parameter = parameters[i];
        if (!parameter) {
            continue;
        }
        parameter->getGroupNameIndexes(groups);
        if (groups.contains(mGroupIndex) != isInverted()) {
            passing.append(parameter);
        }
    }
    return Lumo::eOk;
}

void KxParameterGroupFilter::getGroupName(KxString& groupName) {
    if (&groupName != &mGroupName) {
        groupName = mGroupName;
    }
}

bool KxParameterGroupFilter::renameGroupFilter(const KxString& groupName) {
    if (groupName.isEmpty()) {
        return false;
    }
    mGroupName = groupName;
    return true;
}

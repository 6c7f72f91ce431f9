#include "kit/KxParameterGroupNames.h"

#include "collections/KxParameterGroupCollection.h"
#include "model/KxParameter.h"

#include <algorithm>

KxParameterGroupNames::KxParameterGroupNames(const KxParameterGroupCollection* groups) {
    if (!groups) {
        return;
    }
    KxArray<KxString> names;
    groups->getParameterGroups(names);
    for (const KxString& name : names) {
        short index = 0;
        if (groups->getGroupIndex(name, index) == Lumo::eOk && !nameOf(index)) {
            mGroups.emplace_back(index, name);
        }
    }
}

const KxString* KxParameterGroupNames::nameOf(short index) const {
    const auto found = std::find_if(mGroups.begin(), mGroups.end(),
                                    [&](const auto& group) { return group.first == index; });
    return found == mGroups.end() ? nullptr : &found->second;
}

std::vector<KxString> KxParameterGroupNames::namesOf(const KxParameter& parameter) const {
    KxParameter::GroupIndexList indexes;
    parameter.getGroupNameIndexes(indexes);
    std::vector<KxString> names;
    for (const auto& [index, name] : mGroups) {
        if (indexes.contains(index)) {
            names.push_back(name);
        }
    }
    return names;
}

KxString KxParameterGroupNames::textOf(const KxParameter& parameter,
                                       const KxString& separator) const {
    std::wstring text;
    bool first = true;
    for (const KxString& name : namesOf(parameter)) {
        text += (first ? std::wstring() : separator.wstr()) + name.wstr();
        first = false;
    }
    return KxString(std::move(text));
}

#pragma once

#include "KxPlateParameter.h"

#include <functional>
#include <memory>
#include <queue>
#include <string>
#include <unordered_map>
#include <vector>

// The plate's record of one name: the listed parameter that it names (the first listed, should two
// share it), how many listed and owned parameters carry it, and the listed parameters whose
// expressions use it, each through its variable of that index. Parameters hold pointers to their
// records, which live as long as somebody carries or uses the name.
struct KxPlateName {
    struct Use {
        KxPlateParameter* user = nullptr;
        int variable = 0;
    };
    KxPlateParameter* parameter = nullptr;
    int listed = 0;
    int owned = 0;
    std::vector<Use> users;
};

// The names of a bracket plate's parameters: a record for every name that a parameter carries or
// an expression uses, kept up to date as parameters are made, listed, renamed and deleted, and the
// "paramK" names that new parameters get.
class KxPlateNameIndex {
public:
    // `owned` holds every parameter of the plate; among them the index finds who a name names when
    // its parameter leaves it.
    explicit KxPlateNameIndex(const std::vector<std::unique_ptr<KxPlateParameter>>& owned)
        : mOwned(owned) {}
    KxPlateNameIndex(const KxPlateNameIndex&) = delete;
    KxPlateNameIndex& operator=(const KxPlateNameIndex&) = delete;

    // The record of that name, made when there is none.
    KxPlateName& record(const std::wstring& name) { return mNames[name]; }
    // The record of that name, or null.
    const KxPlateName* find(const std::wstring& name) const {
        const auto found = mNames.find(name);
        return found == mNames.end() ? nullptr : &found->second;
    }
    // The listed parameter that the name names, or null.
    KxPlateParameter* named(const std::wstring& name) const {
        const KxPlateName* record = find(name);
        return record ? record->parameter : nullptr;
    }
    // Forgets the record of that name when nobody carries or uses it any more.
    void dropIfUnused(KxPlateName& named, const std::wstring& name);

    // The parameter now carries `name`, its name.
    void carry(KxPlateParameter& parameter, const std::wstring& name);
    // The parameter no longer carries `name`, its name until now.
    void drop(KxPlateParameter& parameter, const std::wstring& name);
    // The parameter has just been listed: its name names it unless it names an earlier one.
    void addListed(KxPlateParameter& parameter);
    // The listed parameter is leaving the list.
    void removeListed(const KxPlateParameter& parameter);

    // True when a parameter other than `except` carries the name.
    bool isTaken(const std::wstring& name, const KxPlateParameter* except) const;
    // The lowest "paramK" name that no parameter carries, found in amortised constant time.
    std::wstring takeFreeName();

private:
    // A listed parameter leaves the name; another listed one of that name takes its place.
    void leave(const KxPlateParameter& parameter, KxPlateName& named);
    // Nobody carries the name any more: a "paramK" name is free again.
    void nameFreed(const std::wstring& name);

    const std::vector<std::unique_ptr<KxPlateParameter>>& mOwned;
    std::unordered_map<std::wstring, KxPlateName> mNames;
    // The numbers K below mNextNumber whose "paramK" names were freed, lowest first; some may have
    // been taken again since.
    std::priority_queue<int, std::vector<int>, std::greater<>> mFreeNumbers;
    int mNextNumber = 1;
};

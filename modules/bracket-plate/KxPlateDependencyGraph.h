#pragma once

#include "KxPlateNameIndex.h"
#include "KxPlateParameter.h"

#include "host/KxString.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_set>
#include <vector>

// Which listed parameters of a bracket plate name which others in their expressions, and the order
// in which they are evaluated. The edges live in the name index: each name's record lists the uses
// of it, and each listed parameter knows where its uses stand there, so that an edge is added and
// removed in constant time.
class KxPlateDependencyGraph {
public:
    explicit KxPlateDependencyGraph(KxPlateNameIndex& names) : mNames(names) {}
    KxPlateDependencyGraph(const KxPlateDependencyGraph&) = delete;
    KxPlateDependencyGraph& operator=(const KxPlateDependencyGraph&) = delete;

    // The edges of a listed parameter's expression come and go with it; the parameters that the
    // expression names are added to `counted`, when given, as their usage counts change.
    void addUses(KxPlateParameter& parameter, std::vector<KxPlateParameter*>* counted);
    void removeUses(KxPlateParameter& parameter, std::vector<KxPlateParameter*>* counted);

    // The parameter that the variable of that index names, or null. Inline, as evaluation asks it
    // for every variable.
    const KxPlateParameter* used(const KxPlateParameter& parameter, std::size_t variable) const {
        // A listed parameter knows the records of its names; another looks them up.
        if (!parameter.mUseSlots.empty()) {
            return parameter.mUseSlots[variable].name->parameter;
        }
        return mNames.named(parameter.mCompiled.variables()[variable]);
    }
    // The listed parameters whose expressions name this one.
    int usageCount(const KxPlateParameter& parameter) const {
        const KxPlateName* named = parameter.mpNameRecord;
        return named && named->parameter == &parameter ? static_cast<int>(named->users.size()) : 0;
    }
    // The listed parameters other than `except` whose expressions use the name, in list order.
    std::vector<KxPlateParameter*> usersInListOrder(const std::wstring& name,
                                                    const KxPlateParameter* except) const;
    // Those of `offered` (listed parameters that carry `mark`) that a parameter without the mark
    // names, directly or through other offered ones.
    std::unordered_set<const KxParameter*>
    namedFromOutside(const std::vector<KxPlateParameter*>& offered, std::uint32_t mark) const;

    // The listed parameters that name `parameter`, directly or through others, in dependency
    // order (list order between independent ones); each of them carries the latest mark.
    std::vector<KxPlateParameter*> dependents(KxPlateParameter& parameter);
    // `parameters`, each after the ones among them that it names; list order otherwise.
    std::vector<KxPlateParameter*> inDependencyOrder(std::vector<KxPlateParameter*> parameters);
    // The path "a → b → … → a" when `uses`, given to `parameter`, would make it depend on itself;
    // empty otherwise.
    KxString findCycle(const KxPlateParameter& parameter, const std::vector<std::wstring>& uses);

    // A fresh mark for the parameters' scratch fields, for the walks here and the plate's own.
    std::uint32_t nextMark() { return ++mMark; }
    // The mark given last.
    std::uint32_t latestMark() const { return mMark; }

private:
    // `parameters` in dependency order, for parameters that carry `mark` and count in their
    // scratch field how many of the others they still wait for.
    std::vector<KxPlateParameter*> readyOrder(std::vector<KxPlateParameter*> parameters,
                                              std::uint32_t mark);

    KxPlateNameIndex& mNames;
    std::uint32_t mMark = 0;
};

#pragma once

#include "KxPlateDependencyGraph.h"
#include "KxPlateDrawing.h"
#include "KxPlateNameIndex.h"
#include "KxPlateParameter.h"

#include "host/KxCompiledExpression.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"

#include <cstdint>
#include <memory>
#include <utility>
#include <vector>

// The values of a bracket plate's listed parameters: evaluates them in dependency order, tries a
// new expression on a parameter and its dependents before it is stored, and writes the usage
// counts. It works on the plate's parameters, name index and dependency graph, and the plate's
// drawing follows every value it sets.
class KxPlateEvaluator {
public:
    KxPlateEvaluator(const std::vector<std::unique_ptr<KxPlateParameter>>& owned,
                     const KxPlateNameIndex& names, KxPlateDependencyGraph& graph,
                     KxPlateDrawing& drawing)
        : mOwned(owned), mNames(names), mGraph(graph), mDrawing(drawing) {}
    KxPlateEvaluator(const KxPlateEvaluator&) = delete;
    KxPlateEvaluator& operator=(const KxPlateEvaluator&) = delete;

    // Evaluates every listed parameter in dependency order and refreshes the usage counts and the
    // drawing; nobody is told. False when some expression could not be evaluated (its value
    // stays).
    bool evaluateAll();
    // Gives the parameter the value of its expression with the values of the moment; when it has
    // none, eInvalidInput and the value stays.
    Lumo::ErrorStatus reevaluate(KxPlateParameter& parameter);
    // Evaluates again, in dependency order, the restored parameters and the listed ones whose
    // named values moved; gives back those restored and those whose value changed, in that order.
    std::vector<KxPlateParameter*>
    reevaluateRestored(const std::vector<KxPlateParameter*>& restored);

    // Whether `candidate`, compiled from `expression` and free of unknown names and cycles, would
    // leave the parameter and each of its `dependents` (in dependency order) a value; the message
    // says why not. Keeps the dependents for the store that follows.
    Lumo::ErrorStatus tryExpression(KxPlateParameter& parameter,
                                    const KxCompiledExpression& candidate,
                                    const KxString& expression,
                                    std::vector<KxPlateParameter*> dependents, KxString& message);
    // The dependents, in dependency order, of the parameter whose expression was just stored:
    // those that its trial kept, when it was the one just tried.
    std::vector<KxPlateParameter*> takeDependents(KxPlateParameter& parameter);
    // The dependents that the last trial kept no longer hold: the list or a name changed.
    void forgetTrial() { mTried = {}; }

    // Writes the usage counts of the counted parameters; those whose count changed, in list
    // order, except `except`.
    std::vector<KxPlateParameter*> writeUsageCounts(std::vector<KxPlateParameter*> counted,
                                                    const KxPlateParameter* except);

private:
    // The listed parameters, in the order the plate owns them.
    std::vector<KxPlateParameter*> listed() const;
    // The value of the parameter's expression, or of a candidate for it; each name stands for its
    // parameter's trial value when that parameter carries the mark `trial` (not 0), its value
    // otherwise.
    KxCompiledExpression::Error evaluate(const KxPlateParameter& parameter, std::uint32_t trial,
                                         double& value) const;
    KxCompiledExpression::Error evaluate(const KxCompiledExpression& candidate,
                                         double& value) const;

    const std::vector<std::unique_ptr<KxPlateParameter>>& mOwned;
    const KxPlateNameIndex& mNames;
    KxPlateDependencyGraph& mGraph;
    KxPlateDrawing& mDrawing;
    // The dependents, in order, of the parameter whose expression was just tried.
    std::pair<const KxPlateParameter*, std::vector<KxPlateParameter*>> mTried;
};

#pragma once

#include "KxPlateParameter.h"

#include "collections/KxParameterCollection.h"
#include "host/KxDbObjectId.h"

#include <memory>
#include <unordered_map>
#include <vector>

class KxDbDatabase;

// The parameters of a bracket plate, with expressions over each other: it makes and deletes them,
// vets their names and expressions, and evaluates them in dependency order. A parameter names
// another in its expression by the other's name; only the parameters in the collection's list can
// be named. The plate owns every parameter it made, added to the list or not.
class KxPlateCollection : public KxParameterCollection {
public:
    // The drawing goes into `database`: an entity for the plate, and one for each parameter.
    KxPlateCollection(const wchar_t* name, KxDbDatabase* database);
    KxPlateCollection(const KxPlateCollection&) = delete;
    KxPlateCollection& operator=(const KxPlateCollection&) = delete;
    // Deletes every parameter it made, and the entities of the drawing; tells nobody.
    ~KxPlateCollection() override;

    // A new parameter "param1", "param2", … (the first name not taken), with expression "0" and
    // value 0, not yet in the list.
    Lumo::ErrorStatus createParameter(KxParameter*& parameter) override;
    // Takes out of the list every parameter that a parameter staying in the collection still
    // names, directly or through other parameters of the list; always 0.
    Lumo::ErrorStatus checkParametersForDeletion(KxArray<KxParameter*>& parameters) override;

    // Makes a parameter with that name and expression and adds it to the list, as they are: a
    // drawing being built names parameters that come later. `evaluateAll` then gives the values.
    KxPlateParameter* define(const KxString& name, const KxString& expression,
                             KxPlateParameter::Kind kind, const KxString& description,
                             double tolerance);
    // Evaluates every parameter of the list in dependency order and refreshes the usage counts;
    // nobody is told. False when some expression could not be evaluated (its value stays).
    bool evaluateAll();

    // The plate's parameter of that name in the list, or null.
    KxPlateParameter* find(const KxString& name) const;
    // The given parameters ordered so that each comes after the given ones it names; otherwise
    // they keep their order.
    std::vector<KxPlateParameter*>
    evaluationOrder(const std::vector<KxPlateParameter*>& parameters) const;
    // The parameters of the list whose expressions name this one.
    int usageCount(const KxPlateParameter& parameter) const;

    // What the parameters ask of their plate.
    Lumo::ErrorStatus vetName(const KxPlateParameter& parameter, const KxString& name,
                              KxString& message) const;
    Lumo::ErrorStatus vetExpression(const KxPlateParameter& parameter, const KxString& expression,
                                    KxString& message) const;
    void nameStored(KxPlateParameter& parameter, const KxString& oldName);
    void expressionStored(KxPlateParameter& parameter);
    Lumo::ErrorStatus reevaluate(KxPlateParameter& parameter);

protected:
    // Deletes the given parameters that this plate made, with their entities; others are left.
    void deleteParametersInternal(const KxArray<KxParameter*>& parameters) override;
    // A column for each property: "description", "usage_count", "tolerance".
    Lumo::ErrorStatus
    getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>& columns) const override;

private:
    using NameTable = std::unordered_map<std::wstring, KxPlateParameter*>;
    using Values = std::unordered_map<const KxPlateParameter*, double>;

    // The plate's parameters of the list, in list order, each once.
    std::vector<KxPlateParameter*> listed() const;
    NameTable nameTable() const;
    bool isNameTaken(const KxString& name, const KxPlateParameter* except) const;
    KxPlateParameter* makeParameter(const KxString& name, const KxString& expression,
                                    KxPlateParameter::Kind kind);
    // The parameters of the list that name `parameter`, directly or through others, in list
    // order.
    std::vector<KxPlateParameter*> dependents(const KxPlateParameter& parameter) const;
    // The value of an expression, each name standing for the value in `values` or else the
    // parameter's own.
    bool evaluate(const KxString& expression, const NameTable& names, const Values& values,
                  double& result) const;
    // The path "a → b → … → a" when the expression, given to `parameter`, would make it depend on
    // itself; empty otherwise.
    KxString findCycle(const KxPlateParameter& parameter, const std::vector<KxString>& references,
                       const NameTable& names) const;
    // Sets every usage count afresh; the parameters whose count changed, in list order.
    std::vector<KxPlateParameter*> refreshUsageCounts(const std::vector<KxPlateParameter*>& live);

    std::vector<std::unique_ptr<KxPlateParameter>> mOwned;
    KxDbObjectId mPlateEntityId;
};

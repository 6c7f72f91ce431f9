#pragma once

#include "KxPlateDependencyGraph.h"
#include "KxPlateDrawing.h"
#include "KxPlateEvaluator.h"
#include "KxPlateNameIndex.h"
#include "KxPlateParameter.h"
#include "KxPlateRecord.h"
#include "KxPlateRecordKeeper.h"

#include "collections/KxParameterCollection.h"
#include "collections/KxParameterCollectionReactor.h"
#include "host/KxDbObjectId.h"

#include <cstdint>
#include <memory>
#include <vector>

class KxDbDatabase;
class KxPlateGroupCollection;

// The parameters of a bracket plate, with expressions over each other, as the library sees them:
// it makes and deletes them, offers them for deletion, names their properties, vets their names
// and expressions, and answers the hooks its parameters call as they store a name or an
// expression. A parameter names another in its expression by the other's name; only the
// parameters in the collection's list can be named. The plate owns every parameter it made, added
// to the list or not; the list holds the plate's own parameters.
//
// The other jobs live in classes of their own, which share the plate's parameters:
// KxPlateEvaluator evaluates them in dependency order, tries an expression on a parameter and its
// dependents before it is stored, and writes the usage counts; KxPlateRecordKeeper keeps the plate
// in the drawing's database (a KxPlateRecord, and a KxPlateParameterRecord for each listed
// parameter) so that undo, redo, saving and opening cover it, and brings the parameters back in
// step after undo, redo or reading a drawing.
//
// Every change costs in proportion to what it touches: the plate keeps an index of names
// (KxPlateNameIndex) and, for each name, the listed parameters whose expressions use it (the
// KxPlateDependencyGraph), updated on every creation, listing, rename, expression change and
// deletion; expressions are compiled once, when stored.
class KxPlateCollection : public KxParameterCollection {
public:
    // The drawing goes into `database`: an entity for the plate, its holes, and one for each
    // parameter.
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
    // Evaluates every parameter of the list in dependency order and refreshes the usage counts
    // and the drawing; nobody is told. False when some expression could not be evaluated (its
    // value stays).
    bool evaluateAll() { return mEvaluator.evaluateAll(); }
    // The drawing, which follows every change of a value.
    KxPlateDrawing& drawing() { return mDrawing; }
    // The parameter measures that in the drawing from now on (KxPlateDrawing::assign).
    void assignRole(KxPlateDrawing::Role role, KxPlateParameter& parameter);
    // The groups that the plate restores with its parameters; null for none.
    void attachGroups(KxPlateGroupCollection* groups) { mRecords.attachGroups(groups); }

    // Writes the parameter's definition into its record, with `groups` for the groups that it is
    // about to have; nothing while the plate takes its definitions from the records.
    void recordParameter(const KxPlateParameter& parameter,
                         const KxParameter::GroupIndexList* groups = nullptr) {
        mRecords.recordParameter(parameter, groups);
    }
    // Writes the groups into the plate's record.
    void storeGroups(const KxPlateRecord::Groups& groups) { mRecords.storeGroups(groups); }

    // The plate's parameter of that name in the list, or null.
    KxPlateParameter* find(const KxString& name) const;
    // The parameters of the list whose expressions name this one.
    int usageCount(const KxPlateParameter& parameter) const;

    // What the parameters ask of their plate.
    Lumo::ErrorStatus vetName(const KxPlateParameter& parameter, const KxString& name,
                              KxString& message) const;
    // Compiles the expression, checks its names and that it closes no cycle, and evaluates it and
    // every dependent with the values the change would give.
    Lumo::ErrorStatus vetExpression(KxPlateParameter& parameter, const KxString& expression,
                                    KxString& message);
    void nameStored(KxPlateParameter& parameter, const KxString& oldName);
    void expressionStored(KxPlateParameter& parameter);
    Lumo::ErrorStatus reevaluate(KxPlateParameter& parameter) {
        return mEvaluator.reevaluate(parameter);
    }

protected:
    // Deletes the given parameters that this plate made, with their entities; others are left.
    void deleteParametersInternal(const KxArray<KxParameter*>& parameters) override;
    // A column for each property: "description", "usage_count", "tolerance".
    Lumo::ErrorStatus
    getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>& columns) const override;

private:
    // KxPlateRecordKeeper makes the parameters it restores with makeParameter.
    friend class KxPlateRecordKeeper;

    // Hears the list grow: a parameter added to it becomes one that others can name.
    class ListWatcher : public KxParameterCollectionReactor {
    public:
        explicit ListWatcher(KxPlateCollection& plate) : mPlate(plate) {}
        void parameterAdded(KxParameter* parameter) override;

    private:
        KxPlateCollection& mPlate;
    };

    KxPlateParameter* ownParameter(KxParameter* parameter) const;
    // A parameter of the plate's, not listed and not evaluated yet: its value is 0 until it is.
    KxPlateParameter* makeParameter(const KxString& name, const KxString& expression,
                                    KxPlateParameter::Kind kind, const KxDbObjectId& entityId);
    void list(KxPlateParameter& parameter);
    void unlist(KxPlateParameter& parameter, std::vector<KxPlateParameter*>& counted);

    // First: its record classes are registered before, and withdrawn after, everything else of
    // the plate.
    KxPlateRecordKeeper mRecords{*this, mNames, mGraph, mDrawing, mEvaluator};
    ListWatcher mWatcher{*this};
    std::vector<std::unique_ptr<KxPlateParameter>> mOwned;
    KxPlateNameIndex mNames{mOwned};
    KxPlateDependencyGraph mGraph{mNames};
    std::uint64_t mNextListOrder = 0;
    KxPlateDrawing mDrawing;
    KxPlateEvaluator mEvaluator{mOwned, mNames, mGraph, mDrawing};
};

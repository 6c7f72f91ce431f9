#pragma once

#include "KxPlateDependencyGraph.h"
#include "KxPlateDrawing.h"
#include "KxPlateNameIndex.h"
#include "KxPlateParameter.h"
#include "KxPlateParameterRecord.h"
#include "KxPlateRecord.h"

#include "collections/KxParameterCollection.h"
#include "collections/KxParameterCollectionReactor.h"
#include "host/KxDbDatabaseReactor.h"
#include "host/KxDbObjectId.h"
#include "host/KxDbObjectReactor.h"

#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

class KxDbDatabase;
class KxPlateGroupCollection;

// The parameters of a bracket plate, with expressions over each other: it makes and deletes them,
// vets their names and expressions, and evaluates them in dependency order. A parameter names
// another in its expression by the other's name; only the parameters in the collection's list can
// be named. The plate owns every parameter it made, added to the list or not; the list holds the
// plate's own parameters.
//
// The plate keeps what defines it in the drawing's database (a KxPlateRecord, and a
// KxPlateParameterRecord for each listed parameter), written on every change, so that undo, redo,
// saving and opening cover it. After undo or redo it brings the parameters that the restored
// records name back in step, and after a drawing is read it takes its parameters from the records
// read; either way it tells the library as for any change, and vets nothing.
//
// Every change costs in proportion to what it touches: the plate keeps an index of names and, for
// each name, the listed parameters whose expressions use it (the dependency graph), updated on
// every creation, listing, rename, expression change and deletion; expressions are compiled once,
// when stored.
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
    bool evaluateAll();
    // The drawing, which follows every change of a value.
    KxPlateDrawing& drawing() { return mDrawing; }
    // The parameter measures that in the drawing from now on (KxPlateDrawing::assign).
    void assignRole(KxPlateDrawing::Role role, KxPlateParameter& parameter);
    // The groups that the plate restores with its parameters; null for none.
    void attachGroups(KxPlateGroupCollection* groups) { mpGroups = groups; }

    // Writes the parameter's definition into its record, with `groups` for the groups that it is
    // about to have; nothing while the plate takes its definitions from the records.
    void recordParameter(const KxPlateParameter& parameter,
                         const KxParameter::GroupIndexList* groups = nullptr);
    // Writes the groups into the plate's record.
    void storeGroups(const KxPlateRecord::Groups& groups);

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
    Lumo::ErrorStatus reevaluate(KxPlateParameter& parameter);

protected:
    // Deletes the given parameters that this plate made, with their entities; others are left.
    void deleteParametersInternal(const KxArray<KxParameter*>& parameters) override;
    // A column for each property: "description", "usage_count", "tolerance".
    Lumo::ErrorStatus
    getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>& columns) const override;

private:
    // Hears which of the plate's records undo or redo changed, and then that it was applied; and
    // that a drawing was read.
    class RecordWatcher : public KxDbObjectReactor, public KxDbDatabaseReactor {
    public:
        explicit RecordWatcher(KxPlateCollection& plate) : mPlate(plate) {}
        void modified(const KxDbObject* object) override;
        void erased(const KxDbObject* object) override;
        void unerased(const KxDbObject* object) override;
        void undoApplied(KxDbDatabase* database, const KxString& groupName) override;
        void redoApplied(KxDbDatabase* database, const KxString& groupName) override;
        void drawingRead(KxDbDatabase* database) override;

    private:
        KxPlateCollection& mPlate;
    };
    // While it stands, the plate takes its definitions from the records rather than writing them.
    class Restoring {
    public:
        explicit Restoring(KxPlateCollection& plate) : mPlate(plate) { ++mPlate.mRestoring; }
        Restoring(const Restoring&) = delete;
        Restoring& operator=(const Restoring&) = delete;
        ~Restoring() { --mPlate.mRestoring; }

    private:
        KxPlateCollection& mPlate;
    };
    using Changes = std::vector<std::pair<KxPlateParameter*, KxPlateParameterRecord::Fields>>;

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

    // The plate's record and outline, new in that database.
    void makePlateRecord(KxDbDatabase* database);
    // The record is the plate's: its reactor hears undo and redo change it.
    void watch(KxDbObject& record);
    KxPlateParameterRecord::Fields fieldsOf(const KxPlateParameter& parameter,
                                            const KxParameter::GroupIndexList* groups) const;
    // Brings the parameters and the groups in step with the records that undo or redo changed.
    void restore();
    // Takes the plate and its parameters from the records of a drawing just read.
    void reload(KxDbDatabase* database);
    // Gives the parameters their restored definitions, without vetting.
    void applyChanges(const Changes& changes, std::vector<KxPlateParameter*>& counted);
    // A parameter made from its record, and listed.
    KxPlateParameter* adoptRecord(const KxDbObjectId& id,
                                  const KxPlateParameterRecord::Fields& fields);
    // Evaluates again what the restored parameters change, in dependency order, refreshes the
    // usage counts and tells the library of every parameter that changed.
    void settle(const std::vector<KxPlateParameter*>& restored,
                std::vector<KxPlateParameter*> counted);

    // The value of the parameter's expression, or of a candidate for it; each name stands for its
    // parameter's trial value when that parameter carries the mark `trial` (not 0), its value
    // otherwise.
    KxCompiledExpression::Error evaluate(const KxPlateParameter& parameter, std::uint32_t trial,
                                         double& value) const;
    KxCompiledExpression::Error evaluate(const KxCompiledExpression& candidate,
                                         double& value) const;
    // Writes the usage counts of the counted parameters; those whose count changed, in list
    // order, except `except`.
    std::vector<KxPlateParameter*> writeUsageCounts(std::vector<KxPlateParameter*> counted,
                                                    const KxPlateParameter* except);

    KxPlateClasses mClasses;
    ListWatcher mWatcher{*this};
    RecordWatcher mRecordWatcher{*this};
    int mRestoring = 0;
    KxPlateGroupCollection* mpGroups = nullptr;
    // The plate's own record, and every parameter record it made or took in the drawing, erased
    // or not.
    KxDbObjectId mRecordId;
    std::vector<KxDbObjectId> mRecords;
    // The records that undo or redo changed, until it was applied.
    std::vector<KxDbObjectId> mTouched;
    // The dependents, in order, of the parameter whose expression was just vetted.
    std::pair<const KxPlateParameter*, std::vector<KxPlateParameter*>> mVetted;
    std::vector<std::unique_ptr<KxPlateParameter>> mOwned;
    KxPlateNameIndex mNames{mOwned};
    KxPlateDependencyGraph mGraph{mNames};
    std::uint64_t mNextListOrder = 0;
    KxDbObjectId mPlateEntityId;
    KxPlateDrawing mDrawing;
};

#pragma once

#include "KxPlateDependencyGraph.h"
#include "KxPlateDrawing.h"
#include "KxPlateEvaluator.h"
#include "KxPlateNameIndex.h"
#include "KxPlateParameter.h"
#include "KxPlateParameterRecord.h"
#include "KxPlateRecord.h"

#include "host/KxDbDatabaseReactor.h"
#include "host/KxDbObjectId.h"
#include "host/KxDbObjectReactor.h"

#include <memory>
#include <utility>
#include <vector>

class KxDbDatabase;
class KxPlateCollection;
class KxPlateGroupCollection;

// Keeps a bracket plate in its drawing's database: a KxPlateRecord for the plate and a
// KxPlateParameterRecord for each listed parameter, written on every change, so that undo, redo,
// saving and opening cover them. After undo or redo it brings the parameters that the restored
// records name back in step, and after a drawing is read it takes the plate's parameters from the
// records read; either way the library hears as for any change, and nothing is vetted.
class KxPlateRecordKeeper {
public:
    KxPlateRecordKeeper(KxPlateCollection& plate, KxPlateNameIndex& names,
                        KxPlateDependencyGraph& graph, KxPlateDrawing& drawing,
                        KxPlateEvaluator& evaluator)
        : mPlate(plate), mNames(names), mGraph(graph), mDrawing(drawing), mEvaluator(evaluator) {}
    KxPlateRecordKeeper(const KxPlateRecordKeeper&) = delete;
    KxPlateRecordKeeper& operator=(const KxPlateRecordKeeper&) = delete;

    // Makes the plate's record and outline in the database and hears its undo, redo and reading;
    // nothing without a database.
    void start(KxDbDatabase* database);
    // Removes every record made or taken in, erased or not, with the entities of the records and
    // of the plate's `owned` parameters; nothing once the plate's document was closed. The
    // outline stays until the plate's parameters are gone.
    void leaveDrawing(const std::vector<std::unique_ptr<KxPlateParameter>>& owned);
    // The entity that the plate's drawing draws the outline into.
    const KxDbObjectId& outline() const { return mOutlineId; }
    // A new entity in the plate's drawing, for a new parameter.
    KxDbObjectId newEntity() const;
    // The groups restored with the parameters; null for none.
    void attachGroups(KxPlateGroupCollection* groups) { mpGroups = groups; }

    // Writes the parameter's definition into its record, with `groups` for the groups that it is
    // about to have; nothing while the plate takes its definitions from the records.
    void recordParameter(const KxPlateParameter& parameter,
                         const KxParameter::GroupIndexList* groups);
    // Writes the groups into the plate's record.
    void storeGroups(const KxPlateRecord::Groups& groups);
    // A record for a parameter just listed that has none, unless the plate takes its definitions
    // from the records.
    void addRecord(KxPlateParameter& parameter);
    // The parameter is being deleted: its record and entity are erased, not deleted, so that undo
    // brings them back; undo itself erased them already. A parameter that was never listed has no
    // record to bring it back, and its entity goes.
    void eraseRecord(KxPlateParameter& parameter);

private:
    // Hears which of the plate's records undo or redo changed, and then that it was applied; and
    // that a drawing was read.
    class RecordWatcher : public KxDbObjectReactor, public KxDbDatabaseReactor {
    public:
        explicit RecordWatcher(KxPlateRecordKeeper& keeper) : mKeeper(keeper) {}
        void modified(const KxDbObject* object) override;
        void erased(const KxDbObject* object) override;
        void unerased(const KxDbObject* object) override;
        void undoApplied(KxDbDatabase* database, const KxString& groupName) override;
        void redoApplied(KxDbDatabase* database, const KxString& groupName) override;
        void drawingRead(KxDbDatabase* database) override;

    private:
        KxPlateRecordKeeper& mKeeper;
    };
    // While it stands, the plate takes its definitions from the records rather than writing them.
    class Restoring {
    public:
        explicit Restoring(KxPlateRecordKeeper& keeper) : mKeeper(keeper) { ++mKeeper.mRestoring; }
        Restoring(const Restoring&) = delete;
        Restoring& operator=(const Restoring&) = delete;
        ~Restoring() { --mKeeper.mRestoring; }

    private:
        KxPlateRecordKeeper& mKeeper;
    };
    using Changes = std::vector<std::pair<KxPlateParameter*, KxPlateParameterRecord::Fields>>;

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

    // The records' classes stay registered while the plate lives.
    KxPlateClasses mClasses;
    KxPlateCollection& mPlate;
    KxPlateNameIndex& mNames;
    KxPlateDependencyGraph& mGraph;
    KxPlateDrawing& mDrawing;
    KxPlateEvaluator& mEvaluator;
    RecordWatcher mRecordWatcher{*this};
    int mRestoring = 0;
    KxPlateGroupCollection* mpGroups = nullptr;
    // The plate's own record, and every parameter record it made or took in the drawing, erased
    // or not.
    KxDbObjectId mRecordId;
    std::vector<KxDbObjectId> mRecords;
    // The records that undo or redo changed, until it was applied.
    std::vector<KxDbObjectId> mTouched;
    KxDbObjectId mOutlineId;
};

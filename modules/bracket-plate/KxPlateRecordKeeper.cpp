#include "KxPlateRecordKeeper.h"

#include "KxPlateCollection.h"
#include "KxPlateEntities.h"
#include "KxPlateGroupCollection.h"

#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"

#include <algorithm>
#include <cstdint>
#include <unordered_set>
#include <utility>

namespace {

// The object that the id names, as it stands, or null; nobody holds it open afterwards.
KxDbObject* lookAt(const KxDbObjectId& id, bool erased = false) {
    KxDbObject* object = nullptr;
    if (kxdbOpenObject(object, id, KxDb::kForRead, erased) != Lumo::eOk || !object) {
        return nullptr;
    }
    object->close();
    return object;
}

} // namespace

void KxPlateRecordKeeper::RecordWatcher::modified(const KxDbObject* object) {
    mKeeper.mTouched.push_back(object->objectId());
}

void KxPlateRecordKeeper::RecordWatcher::erased(const KxDbObject* object) {
    mKeeper.mTouched.push_back(object->objectId());
}

void KxPlateRecordKeeper::RecordWatcher::unerased(const KxDbObject* object) {
    mKeeper.mTouched.push_back(object->objectId());
}

void KxPlateRecordKeeper::RecordWatcher::undoApplied(KxDbDatabase*, const KxString&) {
    mKeeper.restore();
}

void KxPlateRecordKeeper::RecordWatcher::redoApplied(KxDbDatabase*, const KxString&) {
    mKeeper.restore();
}

void KxPlateRecordKeeper::RecordWatcher::drawingRead(KxDbDatabase* database) {
    mKeeper.reload(database);
}

void KxPlateRecordKeeper::start(KxDbDatabase* database) {
    if (database) {
        database->addReactor(&mRecordWatcher);
        makePlateRecord(database);
    }
}

void KxPlateRecordKeeper::leaveDrawing(
    const std::vector<std::unique_ptr<KxPlateParameter>>& owned) {
    if (KxDbDatabase* database = mRecordId.database()) {
        database->removeReactor(&mRecordWatcher);
        for (const KxDbObjectId& id : mRecords) {
            if (const auto* record =
                    dynamic_cast<const KxPlateParameterRecord*>(lookAt(id, true))) {
                KxPlateEntities::remove(record->fields.entity);
            }
            KxPlateEntities::remove(id);
        }
        KxPlateEntities::remove(mRecordId);
        for (const std::unique_ptr<KxPlateParameter>& parameter : owned) {
            KxPlateEntities::remove(parameter->mEntityId);
        }
    }
}

KxDbObjectId KxPlateRecordKeeper::newEntity() const {
    return KxPlateEntities::add(mOutlineId.database());
}

void KxPlateRecordKeeper::recordParameter(const KxPlateParameter& parameter,
                                          const KxParameter::GroupIndexList* groups) {
    if (mRestoring > 0 || parameter.mRecordId.isNull()) {
        return;
    }
    const KxPlateParameterRecord::Fields fields = fieldsOf(parameter, groups);
    // A record opened for write goes into the undo step: only one that changes is.
    const auto* present = dynamic_cast<const KxPlateParameterRecord*>(lookAt(parameter.mRecordId));
    if (!present || present->fields == fields) {
        return;
    }
    if (auto* record = openPlateRecord<KxPlateParameterRecord>(parameter.mRecordId)) {
        record->fields = fields;
        record->close();
    }
}

void KxPlateRecordKeeper::storeGroups(const KxPlateRecord::Groups& groups) {
    if (mRestoring > 0) {
        return;
    }
    if (auto* record = openPlateRecord<KxPlateRecord>(mRecordId)) {
        record->groups = groups;
        record->close();
    }
}

void KxPlateRecordKeeper::addRecord(KxPlateParameter& parameter) {
    KxDbDatabase* database = mRecordId.database();
    if (parameter.mRecordId.isNull() && database && mRestoring == 0) {
        auto* record = new KxPlateParameterRecord;
        record->fields = fieldsOf(parameter, nullptr);
        if (database->addObject(record, parameter.mRecordId) != Lumo::eOk) {
            delete record;
            return;
        }
        watch(*record);
        record->parameter = &parameter;
        mRecords.push_back(parameter.mRecordId);
    }
}

void KxPlateRecordKeeper::eraseRecord(KxPlateParameter& parameter) {
    KxDbDatabase* database = mRecordId.database();
    if (database && mRestoring == 0 && !parameter.mRecordId.isNull()) {
        database->erase(parameter.mRecordId);
        database->erase(parameter.mEntityId);
    } else if (parameter.mRecordId.isNull()) {
        KxPlateEntities::remove(parameter.mEntityId);
    }
    if (auto* record = dynamic_cast<KxPlateParameterRecord*>(lookAt(parameter.mRecordId, true))) {
        record->parameter = nullptr;
    }
}

void KxPlateRecordKeeper::makePlateRecord(KxDbDatabase* database) {
    mOutlineId = KxPlateEntities::add(database);
    auto* record = new KxPlateRecord;
    record->name = mPlate.collectionName();
    record->outline = mOutlineId;
    if (database->addObject(record, mRecordId) != Lumo::eOk) {
        delete record;
        mRecordId.setNull();
    } else {
        watch(*record);
    }
    mDrawing.adopt(mRecordId, mOutlineId, {});
}

void KxPlateRecordKeeper::watch(KxDbObject& record) {
    record.addReactor(&mRecordWatcher);
}

KxPlateParameterRecord::Fields
KxPlateRecordKeeper::fieldsOf(const KxPlateParameter& parameter,
                              const KxParameter::GroupIndexList* groups) const {
    KxPlateParameterRecord::Fields fields;
    fields.plate = mRecordId;
    fields.name = parameter.getName().toUtf8();
    fields.expression = parameter.getExpression().toUtf8();
    fields.kind = static_cast<std::int32_t>(parameter.kind());
    KxString description;
    parameter.getDescription(description);
    fields.description = description.toUtf8();
    fields.tolerance = parameter.tolerance();
    KxParameter::GroupIndexList current;
    if (!groups) {
        parameter.getGroupNameIndexes(current);
        groups = &current;
    }
    fields.groups.assign(groups->begin(), groups->end());
    fields.role = mDrawing.roleOf(parameter);
    fields.entity = parameter.mEntityId;
    return fields;
}

void KxPlateRecordKeeper::restore() {
    std::vector<KxDbObjectId> touched = std::exchange(mTouched, {});
    if (touched.empty()) {
        return;
    }
    const Restoring restoring(*this);
    const KxPlateDrawing::Batch batch(mDrawing);
    KxArray<KxParameter*> gone;
    Changes changes;
    std::vector<std::pair<KxDbObjectId, KxPlateParameterRecord::Fields>> back;
    for (const KxDbObjectId& id : touched) {
        KxDbObject* object = lookAt(id, true);
        if (auto* plate = dynamic_cast<KxPlateRecord*>(object); plate && id == mRecordId) {
            if (mpGroups) {
                mpGroups->restore(plate->groups);
            }
            mOutlineId = plate->outline;
            mDrawing.adopt(mRecordId, plate->outline, plate->holes);
        } else if (auto* record = dynamic_cast<KxPlateParameterRecord*>(object)) {
            KxPlateParameter* parameter = record->parameter;
            if (record->isErased()) {
                if (parameter) {
                    gone.append(parameter);
                }
            } else if (parameter) {
                changes.emplace_back(parameter, record->fields);
            } else if (record->fields.plate == mRecordId) {
                back.emplace_back(id, record->fields);
            }
        }
    }
    mPlate.deleteParameters(gone);
    std::vector<KxPlateParameter*> counted;
    applyChanges(changes, counted);
    std::vector<KxPlateParameter*> restored;
    for (const auto& [parameter, fields] : changes) {
        restored.push_back(parameter);
    }
    for (const auto& [id, fields] : back) {
        restored.push_back(adoptRecord(id, fields));
    }
    settle(restored, std::move(counted));
}

void KxPlateRecordKeeper::reload(KxDbDatabase* database) {
    mTouched.clear();
    const Restoring restoring(*this);
    // Every id held before names nothing now.
    const KxArray<KxParameter*> listed = mPlate.getParameters();
    mPlate.deleteParameters(listed);
    mDrawing.reset();
    mRecords.clear();
    const std::vector<KxDbObjectId> ids = database->objectIds();
    mRecordId.setNull();
    for (const KxDbObjectId& id : ids) {
        const auto* plate = dynamic_cast<const KxPlateRecord*>(lookAt(id));
        if (plate && plate->name == mPlate.collectionName()) {
            mRecordId = id;
            break;
        }
    }
    // Ids that a file names are the file's to say: each entity must be of its kind and serve once,
    // or the plate draws into a new one.
    std::unordered_set<std::uint64_t> taken;
    auto fresh = [&](const KxDbObjectId& id, bool circle) {
        KxDbObject* object = lookAt(id);
        const bool fits = circle ? dynamic_cast<KxDbCircle*>(object) != nullptr
                                 : dynamic_cast<KxDbPolyline*>(object) != nullptr;
        return fits && taken.insert(id.handle()).second;
    };
    if (auto* plate = openPlateRecord<KxPlateRecord>(mRecordId)) {
        if (!fresh(plate->outline, false)) {
            plate->outline = KxPlateEntities::add(database);
        }
        std::erase_if(plate->holes, [&](const KxDbObjectId& hole) { return !fresh(hole, true); });
        watch(*plate);
        mOutlineId = plate->outline;
        mDrawing.adopt(mRecordId, plate->outline, plate->holes);
        const KxPlateRecord::Groups groups = plate->groups;
        plate->close();
        if (mpGroups) {
            mpGroups->restore(groups);
        }
    } else {
        // A drawing without this plate: it starts one, empty.
        makePlateRecord(database);
        if (mpGroups) {
            mpGroups->restore({});
        }
    }
    const KxPlateDrawing::Batch batch(mDrawing);
    std::vector<KxPlateParameter*> adopted;
    for (const KxDbObjectId& id : ids) {
        const auto* found = dynamic_cast<const KxPlateParameterRecord*>(lookAt(id));
        if (!found || found->fields.plate != mRecordId) {
            continue;
        }
        auto* record = openPlateRecord<KxPlateParameterRecord>(id);
        if (!record) {
            continue;
        }
        if (!fresh(record->fields.entity, false)) {
            record->fields.entity = KxPlateEntities::add(database);
        }
        watch(*record);
        const KxPlateParameterRecord::Fields fields = record->fields;
        record->close();
        mRecords.push_back(id);
        adopted.push_back(adoptRecord(id, fields));
    }
    mEvaluator.evaluateAll();
    for (KxPlateParameter* parameter : adopted) {
        parameter->notifyParameterModified();
    }
}

void KxPlateRecordKeeper::applyChanges(const Changes& changes,
                                       std::vector<KxPlateParameter*>& counted) {
    // The edges go while the names and expressions are as they were, and come back once all are
    // restored: a restored name may be one that another restored parameter gives up.
    for (const auto& [parameter, fields] : changes) {
        if (parameter->mListed > 0) {
            mGraph.removeUses(*parameter, &counted);
        }
    }
    for (const auto& [parameter, fields] : changes) {
        const std::wstring old = parameter->getName().wstr();
        const KxString name = KxString::fromUtf8(fields.name);
        if (old != name.wstr()) {
            mNames.drop(*parameter, old);
            parameter->storeName(name);
            mNames.carry(*parameter, name.wstr());
        }
    }
    for (const auto& [parameter, fields] : changes) {
        const KxString expression = KxString::fromUtf8(fields.expression);
        if (!(parameter->getExpression() == expression)) {
            parameter->storeExpression(expression);
            parameter->mCompiled.compile(expression);
        }
        if (parameter->mListed > 0) {
            mGraph.addUses(*parameter, &counted);
        }
        parameter->setDescription(KxString::fromUtf8(fields.description));
        parameter->setTolerance(fields.tolerance);
        KxParameter::GroupIndexList groups;
        parameter->getGroupNameIndexes(groups);
        if (!std::equal(groups.begin(), groups.end(), fields.groups.begin(), fields.groups.end())) {
            KxParameter::GroupIndexList restored;
            for (const char16_t group : fields.groups) {
                restored.append(static_cast<short>(group));
            }
            parameter->setGroups(restored);
        }
        if (fields.role != mDrawing.roleOf(*parameter)) {
            if (fields.role == KxPlateParameterRecord::kNoRole) {
                mDrawing.forget(*parameter);
            } else {
                mDrawing.assign(static_cast<KxPlateDrawing::Role>(fields.role), *parameter);
            }
        }
    }
}

KxPlateParameter* KxPlateRecordKeeper::adoptRecord(const KxDbObjectId& id,
                                                   const KxPlateParameterRecord::Fields& fields) {
    KxPlateParameter* parameter =
        mPlate.makeParameter(KxString::fromUtf8(fields.name), KxString::fromUtf8(fields.expression),
                             static_cast<KxPlateParameter::Kind>(fields.kind), fields.entity);
    parameter->mRecordId = id;
    if (auto* record = dynamic_cast<KxPlateParameterRecord*>(lookAt(id))) {
        record->parameter = parameter;
    }
    parameter->setDescription(KxString::fromUtf8(fields.description));
    parameter->setTolerance(fields.tolerance);
    KxParameter::GroupIndexList groups;
    for (const char16_t group : fields.groups) {
        groups.append(static_cast<short>(group));
    }
    parameter->setGroups(groups);
    if (fields.role != KxPlateParameterRecord::kNoRole) {
        mDrawing.assign(static_cast<KxPlateDrawing::Role>(fields.role), *parameter);
    }
    mPlate.addParameter(parameter);
    return parameter;
}

void KxPlateRecordKeeper::settle(const std::vector<KxPlateParameter*>& restored,
                                 std::vector<KxPlateParameter*> counted) {
    std::vector<KxPlateParameter*> told = mEvaluator.reevaluateRestored(restored);
    for (KxPlateParameter* recounted : mEvaluator.writeUsageCounts(std::move(counted), nullptr)) {
        if (std::find(told.begin(), told.end(), recounted) == told.end()) {
            told.push_back(recounted);
        }
    }
    for (KxPlateParameter* parameter : told) {
        parameter->notifyParameterModified();
    }
}

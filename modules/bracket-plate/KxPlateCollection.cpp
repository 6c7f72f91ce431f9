#include "KxPlateCollection.h"

#include "KxPlateEntities.h"
#include "KxPlateExpression.h"
#include "KxPlateGroupCollection.h"
#include "KxPlateUsageCountProperty.h"

#include "host/KxConstantExpression.h"
#include "host/KxDbCurves.h"
#include "host/KxDbDatabase.h"

#include <algorithm>
#include <unordered_set>
#include <utility>

using Error = KxCompiledExpression::Error;

namespace {

KxString quoted(const KxString& text) {
    return KxString(L"\"" + text.wstr() + L"\"");
}

// The value of a compiled expression for these values of its variables, never a negative zero.
KxCompiledExpression::Error evaluated(const KxCompiledExpression& expression, const double* values,
                                      double& value) {
    double result = 0.0;
    const KxCompiledExpression::Error error = expression.evaluate(values, result);
    if (error == KxCompiledExpression::Error::kNone) {
        value = result == 0.0 ? 0.0 : result;
    }
    return error;
}

// Why an expression has no value, as the refusal tells it.
KxString noValueMessage(Error error, const KxCompiledExpression& candidate,
                        const KxString& expression) {
    switch (error) {
    case Error::kUnknownFunction:
        return KxString(L"unknown function: " + candidate.unknownFunction());
    case Error::kDivisionByZero:
        return KxString(L"division by zero in: " + expression.wstr());
    case Error::kTooDeep:
        return KxString(L"nested more than 100 levels deep: " + expression.wstr());
    case Error::kNotFinite:
        return KxString(L"no finite value in: " + expression.wstr());
    default:
        return KxString(L"not a valid expression: " + quoted(expression).wstr());
    }
}

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

void KxPlateCollection::ListWatcher::parameterAdded(KxParameter* parameter) {
    KxPlateParameter* own = mPlate.ownParameter(parameter);
    if (own && own->mListed++ == 0) {
        mPlate.list(*own);
    }
}

void KxPlateCollection::RecordWatcher::modified(const KxDbObject* object) {
    mPlate.mTouched.push_back(object->objectId());
}

void KxPlateCollection::RecordWatcher::erased(const KxDbObject* object) {
    mPlate.mTouched.push_back(object->objectId());
}

void KxPlateCollection::RecordWatcher::unerased(const KxDbObject* object) {
    mPlate.mTouched.push_back(object->objectId());
}

void KxPlateCollection::RecordWatcher::undoApplied(KxDbDatabase*, const KxString&) {
    mPlate.restore();
}

void KxPlateCollection::RecordWatcher::redoApplied(KxDbDatabase*, const KxString&) {
    mPlate.restore();
}

void KxPlateCollection::RecordWatcher::drawingRead(KxDbDatabase* database) {
    mPlate.reload(database);
}

KxPlateCollection::KxPlateCollection(const wchar_t* name, KxDbDatabase* database)
    : KxParameterCollection(name) {
    addReactor(&mWatcher);
    if (database) {
        database->addReactor(&mRecordWatcher);
        makePlateRecord(database);
    }
}

KxPlateCollection::~KxPlateCollection() {
    removeReactor(&mWatcher);
    // A plate that goes leaves nothing of its drawing behind, erased records included; nothing
    // at all once its document was closed.
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
        for (const std::unique_ptr<KxPlateParameter>& parameter : mOwned) {
            KxPlateEntities::remove(parameter->mEntityId);
        }
    }
    mOwned.clear();
    KxPlateEntities::remove(mPlateEntityId);
}

Lumo::ErrorStatus KxPlateCollection::createParameter(KxParameter*& parameter) {
    parameter =
        makeParameter(KxString(mNames.takeFreeName()), L"0", KxPlateParameter::Kind::kNumber,
                      KxPlateEntities::add(mPlateEntityId.database()));
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateCollection::checkParametersForDeletion(KxArray<KxParameter*>& parameters) {
    const std::uint32_t offered = mGraph.nextMark();
    std::vector<KxPlateParameter*> candidates;
    for (KxParameter* parameter : parameters) {
        KxPlateParameter* own = ownParameter(parameter);
        if (own && own->mListed > 0 && own->mMark != offered) {
            own->mMark = offered;
            candidates.push_back(own);
        }
    }
    // An offered parameter that a staying one names must stay, and so must what it names in turn.
    const std::unordered_set<const KxParameter*> needed =
        mGraph.namedFromOutside(candidates, offered);
    if (!needed.empty()) {
        KxArray<KxParameter*> deletable;
        for (KxParameter* parameter : parameters) {
            if (needed.count(parameter) == 0) {
                deletable.append(parameter);
            }
        }
        parameters = deletable;
    }
    return Lumo::eOk;
}

KxPlateParameter* KxPlateCollection::define(const KxString& name, const KxString& expression,
                                            KxPlateParameter::Kind kind,
                                            const KxString& description, double tolerance) {
    KxPlateParameter* parameter =
        makeParameter(name, expression, kind, KxPlateEntities::add(mPlateEntityId.database()));
    parameter->setDescription(description);
    parameter->setTolerance(tolerance);
    addParameter(parameter);
    return parameter;
}

bool KxPlateCollection::evaluateAll() {
    const KxPlateDrawing::Batch batch(mDrawing);
    mDrawing.refresh();
    std::vector<KxPlateParameter*> listed;
    for (const std::unique_ptr<KxPlateParameter>& owned : mOwned) {
        if (owned->mListed > 0) {
            listed.push_back(owned.get());
        }
    }
    bool evaluated = true;
    for (KxPlateParameter* parameter : mGraph.inDependencyOrder(listed)) {
        evaluated = reevaluate(*parameter) == Lumo::eOk && evaluated;
    }
    writeUsageCounts(std::move(listed), nullptr);
    return evaluated;
}

KxPlateParameter* KxPlateCollection::find(const KxString& name) const {
    return mNames.named(name.wstr());
}

int KxPlateCollection::usageCount(const KxPlateParameter& parameter) const {
    return mGraph.usageCount(parameter);
}

Lumo::ErrorStatus KxPlateCollection::vetName(const KxPlateParameter& parameter,
                                             const KxString& name, KxString& message) const {
    if (!KxCompiledExpression::isName(name)) {
        message =
            KxString(quoted(name).wstr() +
                     L" is not a valid name: use letters, digits and _, not starting with a digit");
        return Lumo::eInvalidInput;
    }
    if (kxdbIsExpressionFunctionName(name)) {
        message = KxString(quoted(name).wstr() + L" is a function name");
        return Lumo::eInvalidInput;
    }
    if (kxdbIsExpressionConstantName(name)) {
        message = KxString(quoted(name).wstr() + L" is a constant name");
        return Lumo::eInvalidInput;
    }
    if (mNames.isTaken(name.wstr(), &parameter)) {
        message = KxString(quoted(name).wstr() + L" is taken by another parameter");
        return Lumo::eDuplicateKey;
    }
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateCollection::vetExpression(KxPlateParameter& parameter,
                                                   const KxString& expression, KxString& message) {
    KxCompiledExpression candidate;
    candidate.compile(expression);
    for (const std::wstring& name : candidate.variables()) {
        if (!mNames.named(name)) {
            message = KxString(L"unknown parameter: " + name);
            return Lumo::eKeyNotFound;
        }
    }
    // The expression closes a cycle when it names the parameter or one of its dependents, which
    // the change has to visit anyway.
    const std::vector<KxPlateParameter*> changed = mGraph.dependents(parameter);
    const std::uint32_t dependent = mGraph.latestMark(); // what the dependents carry
    for (const std::wstring& name : candidate.variables()) {
        const KxPlateParameter* named = mNames.named(name);
        if (named == &parameter || named->mMark == dependent) {
            message = KxString(L"circular reference: " +
                               mGraph.findCycle(parameter, candidate.variables()).wstr());
            return Lumo::eInvalidInput;
        }
    }
    // Every value that the change would give must exist: the parameter's and its dependents'.
    double value = 0.0;
    if (const Error error = evaluate(candidate, value); error != Error::kNone) {
        message = noValueMessage(error, candidate, expression);
        return Lumo::eInvalidInput;
    }
    const std::uint32_t trial = mGraph.nextMark();
    parameter.mMark = trial;
    parameter.mTrial = value;
    for (KxPlateParameter* follower : changed) {
        if (evaluate(*follower, trial, value) != Error::kNone) {
            message =
                KxString(follower->getName().wstr() + L" cannot be evaluated after this change: " +
                         follower->getExpression().wstr());
            return Lumo::eInvalidInput;
        }
        follower->mMark = trial;
        follower->mTrial = value;
    }
    // The store that follows at once visits the same dependents in the same order.
    mVetted = {&parameter, changed};
    return Lumo::eOk;
}

void KxPlateCollection::nameStored(KxPlateParameter& parameter, const KxString& oldName) {
    mVetted = {};
    const std::wstring& old = oldName.wstr();
    const std::wstring& name = parameter.getName().wstr();
    if (old == name) {
        return;
    }
    mNames.drop(parameter, old);
    mNames.carry(parameter, name);
    recordParameter(parameter);
    if (old.empty() || parameter.mListed == 0) {
        return;
    }
    // The expressions that used the old name now use the new one.
    for (KxPlateParameter* user : mGraph.usersInListOrder(old, &parameter)) {
        const KxString renamed =
            KxPlateExpression::renameReference(user->getExpression(), user->mCompiled, old, name);
        mGraph.removeUses(*user, nullptr);
        user->storeExpression(renamed);
        user->mCompiled.compile(renamed);
        mGraph.addUses(*user, nullptr);
        recordParameter(*user);
        user->notifyParameterModified();
    }
}

void KxPlateCollection::expressionStored(KxPlateParameter& parameter) {
    // The parameter and its dependents are drawn once, when all have their values.
    const KxPlateDrawing::Batch batch(mDrawing);
    std::vector<KxPlateParameter*> counted;
    if (parameter.mListed > 0) {
        mGraph.removeUses(parameter, &counted);
    }
    parameter.mCompiled.compile(parameter.getExpression());
    if (parameter.mListed > 0) {
        mGraph.addUses(parameter, &counted);
    }
    recordParameter(parameter);
    reevaluate(parameter);
    const std::vector<KxPlateParameter*> changed =
        mVetted.first == &parameter ? std::move(mVetted.second) : mGraph.dependents(parameter);
    mVetted = {};
    for (KxPlateParameter* dependent : changed) {
        dependent->updateParameter(true);
    }
    // The parameters that the expression stopped or started naming count their users afresh.
    for (KxPlateParameter* recounted : writeUsageCounts(std::move(counted), &parameter)) {
        recounted->notifyParameterModified();
    }
}

Lumo::ErrorStatus KxPlateCollection::reevaluate(KxPlateParameter& parameter) {
    double value = 0.0;
    if (evaluate(parameter, 0, value) != Error::kNone) {
        return Lumo::eInvalidInput;
    }
    parameter.setNumber(value);
    mDrawing.valueChanged(parameter);
    return Lumo::eOk;
}

void KxPlateCollection::deleteParametersInternal(const KxArray<KxParameter*>& parameters) {
    mVetted = {};
    const std::uint32_t doomed = mGraph.nextMark();
    std::vector<KxPlateParameter*> erased;
    for (KxParameter* parameter : parameters) {
        KxPlateParameter* own = ownParameter(parameter);
        if (own && own->mMark != doomed) {
            own->mMark = doomed;
            erased.push_back(own);
        }
    }
    std::vector<KxPlateParameter*> counted;
    for (KxPlateParameter* parameter : erased) {
        if (parameter->mListed > 0) {
            unlist(*parameter, counted);
        }
    }
    std::erase_if(counted,
                  [&](const KxPlateParameter* parameter) { return parameter->mMark == doomed; });
    for (KxPlateParameter* recounted : writeUsageCounts(std::move(counted), nullptr)) {
        recounted->notifyParameterModified();
    }
    KxDbDatabase* database = mRecordId.database();
    for (KxPlateParameter* parameter : erased) {
        mDrawing.forget(*parameter);
        // Erased, not deleted, so that undo brings them back; undo itself erased them already. A
        // parameter that was never listed has no record to bring it back.
        if (database && mRestoring == 0 && !parameter->mRecordId.isNull()) {
            database->erase(parameter->mRecordId);
            database->erase(parameter->mEntityId);
        } else if (parameter->mRecordId.isNull()) {
            KxPlateEntities::remove(parameter->mEntityId);
        }
        if (auto* record =
                dynamic_cast<KxPlateParameterRecord*>(lookAt(parameter->mRecordId, true))) {
            record->parameter = nullptr;
        }
        mNames.drop(*parameter, parameter->getName().wstr());
        const std::size_t index = parameter->mOwnedIndex;
        std::swap(mOwned[index], mOwned.back());
        mOwned[index]->mOwnedIndex = index;
        mOwned.pop_back();
    }
}

Lumo::ErrorStatus
KxPlateCollection::getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>& columns) const {
    columns.append(KxColumnHeaderProperty{L"description", L"Description", 200, true});
    columns.append(KxColumnHeaderProperty{L"usage_count", L"Used by", 60, true});
    columns.append(KxColumnHeaderProperty{L"tolerance", L"Tolerance", 80, true});
    return Lumo::eOk;
}

KxPlateParameter* KxPlateCollection::ownParameter(KxParameter* parameter) const {
    auto* own = dynamic_cast<KxPlateParameter*>(parameter);
    return own && own->plate() == this ? own : nullptr;
}

KxPlateParameter* KxPlateCollection::makeParameter(const KxString& name, const KxString& expression,
                                                   KxPlateParameter::Kind kind,
                                                   const KxDbObjectId& entityId) {
    auto parameter = std::make_unique<KxPlateParameter>(this, kind, entityId);
    parameter->storeName(name);
    mNames.carry(*parameter, name.wstr());
    parameter->storeExpression(expression);
    parameter->mCompiled.compile(expression);
    parameter->mOwnedIndex = mOwned.size();
    mOwned.push_back(std::move(parameter));
    return mOwned.back().get();
}

void KxPlateCollection::list(KxPlateParameter& parameter) {
    mVetted = {};
    parameter.mListOrder = mNextListOrder++;
    mNames.addListed(parameter);
    std::vector<KxPlateParameter*> counted{&parameter};
    mGraph.addUses(parameter, &counted);
    writeUsageCounts(std::move(counted), nullptr);
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

void KxPlateCollection::unlist(KxPlateParameter& parameter,
                               std::vector<KxPlateParameter*>& counted) {
    mGraph.removeUses(parameter, &counted);
    mNames.removeListed(parameter);
    parameter.mListed = 0;
}

KxCompiledExpression::Error KxPlateCollection::evaluate(const KxPlateParameter& parameter,
                                                        std::uint32_t trial, double& value) const {
    const std::size_t count = parameter.mCompiled.variables().size();
    double few[8];
    std::vector<double> many;
    double* values = few;
    if (count > std::size(few)) {
        many.resize(count);
        values = many.data();
    }
    for (std::size_t i = 0; i < count; ++i) {
        const KxPlateParameter* named = mGraph.used(parameter, i);
        if (!named) {
            return Error::kSyntax;
        }
        values[i] = trial != 0 && named->mMark == trial ? named->mTrial : named->number();
    }
    return evaluated(parameter.mCompiled, values, value);
}

KxCompiledExpression::Error KxPlateCollection::evaluate(const KxCompiledExpression& candidate,
                                                        double& value) const {
    std::vector<double> values;
    for (const std::wstring& name : candidate.variables()) {
        const KxPlateParameter* named = mNames.named(name);
        if (!named) {
            return Error::kSyntax;
        }
        values.push_back(named->number());
    }
    return evaluated(candidate, values.data(), value);
}

std::vector<KxPlateParameter*>
KxPlateCollection::writeUsageCounts(std::vector<KxPlateParameter*> counted,
                                    const KxPlateParameter* except) {
    std::sort(counted.begin(), counted.end(),
              [](const KxPlateParameter* a, const KxPlateParameter* b) {
                  return a->mListOrder < b->mListOrder || (a->mListOrder == b->mListOrder && a < b);
              });
    counted.erase(std::unique(counted.begin(), counted.end()), counted.end());
    std::vector<KxPlateParameter*> changed;
    for (KxPlateParameter* parameter : counted) {
        KxParameterProperty* property = parameter->getProperty(KxPlateUsageCountProperty::kName);
        const KxDbEvalVariant count(static_cast<std::int32_t>(usageCount(*parameter)));
        if (property && !(property->value() == count)) {
            property->value() = count;
            if (parameter != except) {
                changed.push_back(parameter);
            }
        }
    }
    return changed;
}

void KxPlateCollection::assignRole(KxPlateDrawing::Role role, KxPlateParameter& parameter) {
    const auto slot = static_cast<std::size_t>(role);
    KxPlateParameter* former = nullptr;
    for (const std::unique_ptr<KxPlateParameter>& owned : mOwned) {
        if (owned->isDrawn() && mDrawing.roleOf(*owned) == static_cast<int>(slot)) {
            former = owned.get();
        }
    }
    mDrawing.assign(role, parameter);
    recordParameter(parameter);
    if (former && former != &parameter) {
        recordParameter(*former);
    }
}

void KxPlateCollection::recordParameter(const KxPlateParameter& parameter,
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

void KxPlateCollection::storeGroups(const KxPlateRecord::Groups& groups) {
    if (mRestoring > 0) {
        return;
    }
    if (auto* record = openPlateRecord<KxPlateRecord>(mRecordId)) {
        record->groups = groups;
        record->close();
    }
}

void KxPlateCollection::makePlateRecord(KxDbDatabase* database) {
    mPlateEntityId = KxPlateEntities::add(database);
    auto* record = new KxPlateRecord;
    record->name = collectionName();
    record->outline = mPlateEntityId;
    if (database->addObject(record, mRecordId) != Lumo::eOk) {
        delete record;
        mRecordId.setNull();
    } else {
        watch(*record);
    }
    mDrawing.adopt(mRecordId, mPlateEntityId, {});
}

void KxPlateCollection::watch(KxDbObject& record) {
    record.addReactor(&mRecordWatcher);
}

KxPlateParameterRecord::Fields
KxPlateCollection::fieldsOf(const KxPlateParameter& parameter,
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

void KxPlateCollection::restore() {
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
            mPlateEntityId = plate->outline;
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
    deleteParameters(gone);
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

void KxPlateCollection::reload(KxDbDatabase* database) {
    mTouched.clear();
    const Restoring restoring(*this);
    // Every id held before names nothing now.
    const KxArray<KxParameter*> listed = getParameters();
    deleteParameters(listed);
    mDrawing.reset();
    mRecords.clear();
    const std::vector<KxDbObjectId> ids = database->objectIds();
    mRecordId.setNull();
    for (const KxDbObjectId& id : ids) {
        const auto* plate = dynamic_cast<const KxPlateRecord*>(lookAt(id));
        if (plate && plate->name == collectionName()) {
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
        mPlateEntityId = plate->outline;
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
    evaluateAll();
    for (KxPlateParameter* parameter : adopted) {
        parameter->notifyParameterModified();
    }
}

void KxPlateCollection::applyChanges(const Changes& changes,
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

KxPlateParameter* KxPlateCollection::adoptRecord(const KxDbObjectId& id,
                                                 const KxPlateParameterRecord::Fields& fields) {
    KxPlateParameter* parameter =
        makeParameter(KxString::fromUtf8(fields.name), KxString::fromUtf8(fields.expression),
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
    addParameter(parameter);
    return parameter;
}

void KxPlateCollection::settle(const std::vector<KxPlateParameter*>& restored,
                               std::vector<KxPlateParameter*> counted) {
    std::vector<KxPlateParameter*> listed;
    for (const std::unique_ptr<KxPlateParameter>& owned : mOwned) {
        if (owned->mListed > 0) {
            listed.push_back(owned.get());
        }
    }
    const std::vector<KxPlateParameter*> order = mGraph.inDependencyOrder(std::move(listed));
    // Restored parameters carry `touched`; those whose value changed then carry `moved`.
    const std::uint32_t touched = mGraph.nextMark();
    for (KxPlateParameter* parameter : restored) {
        parameter->mMark = touched;
    }
    const std::uint32_t moved = mGraph.nextMark();
    std::vector<KxPlateParameter*> told;
    for (KxPlateParameter* parameter : order) {
        bool stale = parameter->mMark == touched;
        const std::size_t count = parameter->mCompiled.variables().size();
        for (std::size_t i = 0; !stale && i < count; ++i) {
            const KxPlateParameter* named = mGraph.used(*parameter, i);
            stale = named && named->mMark == moved;
        }
        if (!stale) {
            continue;
        }
        const bool wasTouched = parameter->mMark == touched;
        const double before = parameter->number();
        reevaluate(*parameter);
        if (parameter->number() != before) {
            parameter->mMark = moved;
        }
        if (wasTouched || parameter->mMark == moved) {
            told.push_back(parameter);
        }
    }
    for (KxPlateParameter* recounted : writeUsageCounts(std::move(counted), nullptr)) {
        if (std::find(told.begin(), told.end(), recounted) == told.end()) {
            told.push_back(recounted);
        }
    }
    for (KxPlateParameter* parameter : told) {
        parameter->notifyParameterModified();
    }
}

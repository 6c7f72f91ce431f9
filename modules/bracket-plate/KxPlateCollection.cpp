#include "KxPlateCollection.h"

#include "KxPlateEntities.h"
#include "KxPlateExpression.h"

#include "host/KxConstantExpression.h"

#include <unordered_set>
#include <utility>

namespace {

KxString quoted(const KxString& text) {
    return KxString(L"\"" + text.wstr() + L"\"");
}

} // namespace

void KxPlateCollection::ListWatcher::parameterAdded(KxParameter* parameter) {
    KxPlateParameter* own = mPlate.ownParameter(parameter);
    if (own && own->mListed++ == 0) {
        mPlate.list(*own);
    }
}

KxPlateCollection::KxPlateCollection(const wchar_t* name, KxDbDatabase* database)
    : KxParameterCollection(name) {
    addReactor(&mWatcher);
    mRecords.start(database);
}

KxPlateCollection::~KxPlateCollection() {
    removeReactor(&mWatcher);
    // A plate that goes leaves nothing of its drawing behind, erased records included; nothing
    // at all once its document was closed.
    mRecords.leaveDrawing(mOwned);
    mOwned.clear();
    KxPlateEntities::remove(mRecords.outline());
}

Lumo::ErrorStatus KxPlateCollection::createParameter(KxParameter*& parameter) {
    parameter = makeParameter(KxString(mNames.takeFreeName()), L"0",
                              KxPlateParameter::Kind::kNumber, mRecords.newEntity());
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
    KxPlateParameter* parameter = makeParameter(name, expression, kind, mRecords.newEntity());
    parameter->setDescription(description);
    parameter->setTolerance(tolerance);
    addParameter(parameter);
    return parameter;
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
    std::vector<KxPlateParameter*> changed = mGraph.dependents(parameter);
    const std::uint32_t dependent = mGraph.latestMark(); // what the dependents carry
    for (const std::wstring& name : candidate.variables()) {
        const KxPlateParameter* named = mNames.named(name);
        if (named == &parameter || named->mMark == dependent) {
            message = KxString(L"circular reference: " +
                               mGraph.findCycle(parameter, candidate.variables()).wstr());
            return Lumo::eInvalidInput;
        }
    }
    return mEvaluator.tryExpression(parameter, candidate, expression, std::move(changed), message);
}

void KxPlateCollection::nameStored(KxPlateParameter& parameter, const KxString& oldName) {
    mEvaluator.forgetTrial();
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
    for (KxPlateParameter* dependent : mEvaluator.takeDependents(parameter)) {
        dependent->updateParameter(true);
    }
    // The parameters that the expression stopped or started naming count their users afresh.
    for (KxPlateParameter* recounted :
         mEvaluator.writeUsageCounts(std::move(counted), &parameter)) {
        recounted->notifyParameterModified();
    }
}

void KxPlateCollection::deleteParametersInternal(const KxArray<KxParameter*>& parameters) {
    mEvaluator.forgetTrial();
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
    for (KxPlateParameter* recounted : mEvaluator.writeUsageCounts(std::move(counted), nullptr)) {
        recounted->notifyParameterModified();
    }
    for (KxPlateParameter* parameter : erased) {
        mDrawing.forget(*parameter);
        mRecords.eraseRecord(*parameter);
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
    mEvaluator.forgetTrial();
    parameter.mListOrder = mNextListOrder++;
    mNames.addListed(parameter);
    std::vector<KxPlateParameter*> counted{&parameter};
    mGraph.addUses(parameter, &counted);
    mEvaluator.writeUsageCounts(std::move(counted), nullptr);
    mRecords.addRecord(parameter);
}

void KxPlateCollection::unlist(KxPlateParameter& parameter,
                               std::vector<KxPlateParameter*>& counted) {
    mGraph.removeUses(parameter, &counted);
    mNames.removeListed(parameter);
    parameter.mListed = 0;
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

#include "KxPlateCollection.h"

#include "KxPlateEntities.h"
#include "KxPlateExpression.h"
#include "KxPlateUsageCountProperty.h"

#include "host/KxConstantExpression.h"

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

} // namespace

void KxPlateCollection::ListWatcher::parameterAdded(KxParameter* parameter) {
    KxPlateParameter* own = mPlate.ownParameter(parameter);
    if (own && own->mListed++ == 0) {
        mPlate.list(*own);
    }
}

KxPlateCollection::KxPlateCollection(const wchar_t* name, KxDbDatabase* database)
    : KxParameterCollection(name), mPlateEntityId(KxPlateEntities::add(database)) {
    addReactor(&mWatcher);
}

KxPlateCollection::~KxPlateCollection() {
    removeReactor(&mWatcher);
    mOwned.clear();
    KxPlateEntities::remove(mPlateEntityId);
}

Lumo::ErrorStatus KxPlateCollection::createParameter(KxParameter*& parameter) {
    parameter =
        makeParameter(KxString(mNames.takeFreeName()), L"0", KxPlateParameter::Kind::kNumber);
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
    KxPlateParameter* parameter = makeParameter(name, expression, kind);
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
    for (KxPlateParameter* parameter : erased) {
        mDrawing.forget(*parameter);
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
                                                   KxPlateParameter::Kind kind) {
    auto parameter = std::make_unique<KxPlateParameter>(
        this, kind, KxPlateEntities::add(mPlateEntityId.database()));
    parameter->storeName(name);
    mNames.carry(*parameter, name.wstr());
    parameter->storeExpression(expression);
    parameter->mCompiled.compile(expression);
    reevaluate(*parameter);
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

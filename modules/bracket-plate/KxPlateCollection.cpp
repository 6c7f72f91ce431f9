#include "KxPlateCollection.h"

#include "KxPlateEntities.h"
#include "KxPlateExpression.h"
#include "KxPlateUsageCountProperty.h"

#include "host/KxConstantExpression.h"

#include <algorithm>
#include <deque>
#include <string_view>
#include <unordered_set>
#include <utility>

using Error = KxCompiledExpression::Error;

namespace {

KxString quoted(const KxString& text) {
    return KxString(L"\"" + text.wstr() + L"\"");
}

constexpr std::wstring_view kParamPrefix = L"param";

// The K of a name "paramK" (K from 1, written without leading zeros), or 0 for any other name.
int paramNumber(const std::wstring& name) {
    if (name.size() <= kParamPrefix.size() || name.size() > kParamPrefix.size() + 9 ||
        name.compare(0, kParamPrefix.size(), kParamPrefix) != 0 ||
        name[kParamPrefix.size()] == L'0') {
        return 0;
    }
    int number = 0;
    for (std::size_t i = kParamPrefix.size(); i < name.size(); ++i) {
        if (name[i] < L'0' || name[i] > L'9') {
            return 0;
        }
        number = number * 10 + (name[i] - L'0');
    }
    return number;
}

std::wstring paramName(int number) {
    return std::wstring(kParamPrefix) + std::to_wstring(number);
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
    std::wstring name;
    while (name.empty() && !mFreeNumbers.empty()) {
        const int number = mFreeNumbers.top();
        mFreeNumbers.pop();
        if (!isNameTaken(paramName(number), nullptr)) {
            name = paramName(number);
        }
    }
    if (name.empty()) {
        while (isNameTaken(paramName(mNextNumber), nullptr)) {
            ++mNextNumber;
        }
        name = paramName(mNextNumber++);
    }
    parameter = makeParameter(KxString(std::move(name)), L"0", KxPlateParameter::Kind::kNumber);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateCollection::checkParametersForDeletion(KxArray<KxParameter*>& parameters) {
    const std::uint32_t offered = nextMark();
    std::vector<KxPlateParameter*> candidates;
    for (KxParameter* parameter : parameters) {
        KxPlateParameter* own = ownParameter(parameter);
        if (own && own->mListed > 0 && own->mMark != offered) {
            own->mMark = offered;
            candidates.push_back(own);
        }
    }
    // An offered parameter that a staying one names must stay, and so must what it names in turn.
    std::unordered_set<const KxParameter*> needed;
    std::deque<const KxPlateParameter*> pending;
    for (const KxPlateParameter* candidate : candidates) {
        const KxPlateName* named = candidate->mpNameRecord;
        if (named->parameter != candidate) {
            continue;
        }
        const bool used = std::any_of(named->users.begin(), named->users.end(),
                                      [&](const Use& use) { return use.user->mMark != offered; });
        if (used && needed.insert(candidate).second) {
            pending.push_back(candidate);
        }
    }
    while (!pending.empty()) {
        const KxPlateParameter* keeper = pending.front();
        pending.pop_front();
        for (const KxPlateParameter::UseSlot& slot : keeper->mUseSlots) {
            KxPlateParameter* named = slot.name->parameter;
            if (named && named->mMark == offered && needed.insert(named).second) {
                pending.push_back(named);
            }
        }
    }
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
    for (KxPlateParameter* parameter : inDependencyOrder(listed)) {
        evaluated = reevaluate(*parameter) == Lumo::eOk && evaluated;
    }
    writeUsageCounts(std::move(listed), nullptr);
    return evaluated;
}

KxPlateParameter* KxPlateCollection::find(const KxString& name) const {
    const KxPlateName* named = findRecord(name.wstr());
    return named ? named->parameter : nullptr;
}

int KxPlateCollection::usageCount(const KxPlateParameter& parameter) const {
    const KxPlateName* named = parameter.mpNameRecord;
    return named && named->parameter == &parameter ? static_cast<int>(named->users.size()) : 0;
}

Lumo::ErrorStatus KxPlateCollection::vetName(const KxPlateParameter& parameter,
                                             const KxString& name, KxString& message) const {
    if (!KxPlateExpression::isIdentifier(name)) {
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
    if (isNameTaken(name.wstr(), &parameter)) {
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
        const KxPlateName* named = findRecord(name);
        if (!named || !named->parameter) {
            message = KxString(L"unknown parameter: " + name);
            return Lumo::eKeyNotFound;
        }
    }
    // The expression closes a cycle when it names the parameter or one of its dependents, which
    // the change has to visit anyway.
    const std::vector<KxPlateParameter*> changed = dependents(parameter);
    const std::uint32_t dependent = mMark; // what the dependents carry
    for (const std::wstring& name : candidate.variables()) {
        const KxPlateParameter* named = findRecord(name)->parameter;
        if (named == &parameter || named->mMark == dependent) {
            message = KxString(L"circular reference: " +
                               findCycle(parameter, candidate.variables()).wstr());
            return Lumo::eInvalidInput;
        }
    }
    // Every value that the change would give must exist: the parameter's and its dependents'.
    double value = 0.0;
    if (const Error error = evaluate(candidate, value); error != Error::kNone) {
        message = noValueMessage(error, candidate, expression);
        return Lumo::eInvalidInput;
    }
    const std::uint32_t trial = nextMark();
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
    dropName(parameter, old);
    carryName(parameter, name);
    const KxPlateName* named = findRecord(old);
    if (old.empty() || parameter.mListed == 0 || !named) {
        return;
    }
    // The expressions that used the old name now use the new one.
    std::vector<KxPlateParameter*> users;
    for (const Use& use : named->users) {
        if (use.user != &parameter) {
            users.push_back(use.user);
        }
    }
    std::sort(users.begin(), users.end(), [](const KxPlateParameter* a, const KxPlateParameter* b) {
        return a->mListOrder < b->mListOrder;
    });
    for (KxPlateParameter* user : users) {
        const KxString renamed =
            KxPlateExpression::renameReference(user->getExpression(), user->mCompiled, old, name);
        removeUses(*user, nullptr);
        user->storeExpression(renamed);
        user->mCompiled.compile(renamed);
        addUses(*user, nullptr);
        user->notifyParameterModified();
    }
}

void KxPlateCollection::expressionStored(KxPlateParameter& parameter) {
    // The parameter and its dependents are drawn once, when all have their values.
    const KxPlateDrawing::Batch batch(mDrawing);
    std::vector<KxPlateParameter*> counted;
    if (parameter.mListed > 0) {
        removeUses(parameter, &counted);
    }
    parameter.mCompiled.compile(parameter.getExpression());
    if (parameter.mListed > 0) {
        addUses(parameter, &counted);
    }
    reevaluate(parameter);
    const std::vector<KxPlateParameter*> changed =
        mVetted.first == &parameter ? std::move(mVetted.second) : dependents(parameter);
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
    const std::uint32_t doomed = nextMark();
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
        dropName(*parameter, parameter->getName().wstr());
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
    carryName(*parameter, name.wstr());
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
    KxPlateName& named = *parameter.mpNameRecord;
    if (named.listed++ == 0 || !named.parameter) {
        named.parameter = &parameter;
    }
    std::vector<KxPlateParameter*> counted{&parameter};
    addUses(parameter, &counted);
    writeUsageCounts(std::move(counted), nullptr);
}

void KxPlateCollection::unlist(KxPlateParameter& parameter,
                               std::vector<KxPlateParameter*>& counted) {
    removeUses(parameter, &counted);
    leaveName(parameter, *parameter.mpNameRecord);
    parameter.mListed = 0;
}

KxPlateName& KxPlateCollection::record(const std::wstring& name) {
    return mNames[name];
}

const KxPlateName* KxPlateCollection::findRecord(const std::wstring& name) const {
    const auto found = mNames.find(name);
    return found == mNames.end() ? nullptr : &found->second;
}

void KxPlateCollection::dropIfUnused(KxPlateName& named, const std::wstring& name) {
    if (named.owned == 0 && named.listed == 0 && named.users.empty()) {
        mNames.erase(name);
    }
}

void KxPlateCollection::carryName(KxPlateParameter& parameter, const std::wstring& name) {
    KxPlateName& named = record(name);
    parameter.mpNameRecord = &named;
    ++named.owned;
    if (parameter.mListed > 0 && (named.listed++ == 0 || !named.parameter)) {
        named.parameter = &parameter;
    }
}

void KxPlateCollection::dropName(KxPlateParameter& parameter, const std::wstring& name) {
    const std::wstring kept = name; // `name` may be the parameter's own, about to change
    KxPlateName& named = *parameter.mpNameRecord;
    parameter.mpNameRecord = nullptr;
    --named.owned;
    if (parameter.mListed > 0) {
        leaveName(parameter, named);
    }
    if (named.owned == 0) {
        nameFreed(kept);
    }
    dropIfUnused(named, kept);
}

void KxPlateCollection::leaveName(const KxPlateParameter& parameter, KxPlateName& named) {
    --named.listed;
    if (named.parameter != &parameter) {
        return;
    }
    // Another listed parameter of that name, the earliest listed, is the one named now.
    named.parameter = nullptr;
    if (named.listed == 0) {
        return;
    }
    for (const std::unique_ptr<KxPlateParameter>& owned : mOwned) {
        if (owned.get() != &parameter && owned->mListed > 0 && owned->mpNameRecord == &named &&
            (!named.parameter || owned->mListOrder < named.parameter->mListOrder)) {
            named.parameter = owned.get();
        }
    }
}

bool KxPlateCollection::isNameTaken(const std::wstring& name,
                                    const KxPlateParameter* except) const {
    const KxPlateName* named = findRecord(name);
    if (!named) {
        return false;
    }
    const int self = except && except->getName().wstr() == name ? 1 : 0;
    return named->owned - self > 0;
}

void KxPlateCollection::nameFreed(const std::wstring& name) {
    const int number = paramNumber(name);
    if (number > 0 && number < mNextNumber) {
        mFreeNumbers.push(number);
    }
}

void KxPlateCollection::addUses(KxPlateParameter& parameter,
                                std::vector<KxPlateParameter*>* counted) {
    const std::vector<std::wstring>& names = parameter.mCompiled.variables();
    parameter.mUseSlots.resize(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        KxPlateName& named = record(names[i]);
        parameter.mUseSlots[i] = {&named, static_cast<int>(named.users.size())};
        named.users.push_back({&parameter, static_cast<int>(i)});
        if (counted && named.parameter) {
            counted->push_back(named.parameter);
        }
    }
}

void KxPlateCollection::removeUses(KxPlateParameter& parameter,
                                   std::vector<KxPlateParameter*>* counted) {
    const std::vector<std::wstring>& names = parameter.mCompiled.variables();
    for (std::size_t i = 0; i < names.size(); ++i) {
        const KxPlateParameter::UseSlot slot = parameter.mUseSlots[i];
        KxPlateName& named = *slot.name;
        // The last use takes the place of the removed one.
        const Use last = named.users.back();
        named.users[static_cast<std::size_t>(slot.position)] = last;
        last.user->mUseSlots[static_cast<std::size_t>(last.variable)].position = slot.position;
        named.users.pop_back();
        if (counted && named.parameter) {
            counted->push_back(named.parameter);
        }
        dropIfUnused(named, names[i]);
    }
    parameter.mUseSlots.clear();
}

std::vector<KxPlateParameter*> KxPlateCollection::dependents(KxPlateParameter& parameter) {
    // Breadth first over the users, counting on the way the edges between two dependents, which
    // is what the ordering needs.
    std::vector<KxPlateParameter*> reached;
    const std::uint32_t mark = nextMark();
    parameter.mMark = mark;
    const KxPlateParameter* from = &parameter;
    for (std::size_t next = 0;;) {
        const KxPlateName* named = from->mpNameRecord;
        if (named && named->parameter == from) {
            for (const Use& use : named->users) {
                KxPlateParameter* user = use.user;
                if (user->mMark != mark) {
                    user->mMark = mark;
                    user->mWaiting = 0;
                    reached.push_back(user);
                }
                if (from != &parameter && user != from && user != &parameter) {
                    ++user->mWaiting;
                }
            }
        }
        if (next == reached.size()) {
            break;
        }
        from = reached[next++];
    }
    parameter.mMark = 0;
    return readyOrder(std::move(reached), mark);
}

std::vector<KxPlateParameter*>
KxPlateCollection::inDependencyOrder(std::vector<KxPlateParameter*> parameters) {
    const std::uint32_t mark = nextMark();
    for (KxPlateParameter* parameter : parameters) {
        parameter->mMark = mark;
        parameter->mWaiting = 0;
    }
    for (KxPlateParameter* parameter : parameters) {
        for (std::size_t i = 0; i < parameter->mCompiled.variables().size(); ++i) {
            const KxPlateParameter* named = used(*parameter, i);
            if (named && named != parameter && named->mMark == mark) {
                ++parameter->mWaiting;
            }
        }
    }
    return readyOrder(std::move(parameters), mark);
}

std::vector<KxPlateParameter*>
KxPlateCollection::readyOrder(std::vector<KxPlateParameter*> parameters, std::uint32_t mark) {
    // The earliest listed of the ready ones goes first, so that independent ones keep list order.
    using Ready = std::pair<std::uint64_t, KxPlateParameter*>;
    std::priority_queue<Ready, std::vector<Ready>, std::greater<>> ready;
    for (KxPlateParameter* parameter : parameters) {
        if (parameter->mWaiting == 0) {
            ready.emplace(parameter->mListOrder, parameter);
        }
    }
    std::vector<KxPlateParameter*> order;
    order.reserve(parameters.size());
    while (!ready.empty()) {
        KxPlateParameter* next = ready.top().second;
        ready.pop();
        next->mWaiting = -1;
        order.push_back(next);
        const KxPlateName* named = next->mpNameRecord;
        if (!named || named->parameter != next) {
            continue;
        }
        for (const Use& use : named->users) {
            if (use.user != next && use.user->mMark == mark && --use.user->mWaiting == 0) {
                ready.emplace(use.user->mListOrder, use.user);
            }
        }
    }
    // A cycle cannot be accepted, but a drawing may have been defined with one: those go last.
    if (order.size() < parameters.size()) {
        std::sort(parameters.begin(), parameters.end(),
                  [](const KxPlateParameter* a, const KxPlateParameter* b) {
                      return a->mListOrder < b->mListOrder;
                  });
        for (KxPlateParameter* parameter : parameters) {
            if (parameter->mWaiting >= 0) {
                order.push_back(parameter);
            }
        }
    }
    return order;
}

const KxPlateParameter* KxPlateCollection::used(const KxPlateParameter& parameter,
                                                std::size_t variable) const {
    // A listed parameter knows the records of its names; another looks them up.
    if (!parameter.mUseSlots.empty()) {
        return parameter.mUseSlots[variable].name->parameter;
    }
    const KxPlateName* named = findRecord(parameter.mCompiled.variables()[variable]);
    return named ? named->parameter : nullptr;
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
        const KxPlateParameter* named = used(parameter, i);
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
        const KxPlateName* named = findRecord(name);
        if (!named || !named->parameter) {
            return Error::kSyntax;
        }
        values.push_back(named->parameter->number());
    }
    return evaluated(candidate, values.data(), value);
}

KxString KxPlateCollection::findCycle(const KxPlateParameter& parameter,
                                      const std::vector<std::wstring>& uses) {
    // Breadth first from what the new expression names, so the shortest way back is reported.
    std::unordered_map<const KxPlateParameter*, const KxPlateParameter*> cameFrom;
    std::deque<const KxPlateParameter*> pending;
    auto path = [&](const KxPlateParameter* last) {
        std::vector<const KxPlateParameter*> steps;
        for (const KxPlateParameter* step = last; step != &parameter; step = cameFrom[step]) {
            steps.push_back(step);
        }
        std::wstring text = parameter.getName().wstr();
        for (auto step = steps.rbegin(); step != steps.rend(); ++step) {
            text += L" \u2192 " + (*step)->getName().wstr();
        }
        return KxString(text + L" \u2192 " + parameter.getName().wstr());
    };
    auto visit = [&](const std::wstring& name, const KxPlateParameter* from) -> bool {
        const KxPlateName* named = findRecord(name);
        const KxPlateParameter* used = named ? named->parameter : nullptr;
        if (!used) {
            return false;
        }
        if (used == &parameter) {
            return true;
        }
        if (cameFrom.emplace(used, from).second) {
            pending.push_back(used);
        }
        return false;
    };
    for (const std::wstring& name : uses) {
        if (visit(name, &parameter)) {
            return path(&parameter);
        }
    }
    while (!pending.empty()) {
        const KxPlateParameter* current = pending.front();
        pending.pop_front();
        for (const std::wstring& name : current->mCompiled.variables()) {
            if (visit(name, current)) {
                return path(current);
            }
        }
    }
    return KxString();
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

#include "KxPlateCollection.h"

#include "KxPlateEntities.h"
#include "KxPlateExpression.h"
#include "KxPlateUsageCountProperty.h"

#include "host/KxConstantExpression.h"

#include <algorithm>
#include <cstdint>
#include <deque>
#include <functional>
#include <queue>
#include <string>
#include <unordered_set>

using namespace KxPlateExpression;

namespace {

KxString quoted(const KxString& text) {
    return KxString(L"\"" + text.wstr() + L"\"");
}

} // namespace

KxPlateCollection::KxPlateCollection(const wchar_t* name, KxDbDatabase* database)
    : KxParameterCollection(name), mPlateEntityId(KxPlateEntities::add(database)) {}

KxPlateCollection::~KxPlateCollection() {
    mOwned.clear();
    KxPlateEntities::remove(mPlateEntityId);
}

Lumo::ErrorStatus KxPlateCollection::createParameter(KxParameter*& parameter) {
    KxString name;
    for (int number = 1;; ++number) {
        name = KxString(L"param" + std::to_wstring(number));
        if (!isNameTaken(name, nullptr)) {
            break;
        }
    }
    parameter = makeParameter(name, L"0", KxPlateParameter::Kind::kNumber);
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateCollection::checkParametersForDeletion(KxArray<KxParameter*>& parameters) {
    const std::unordered_set<const KxParameter*> offered(parameters.begin(), parameters.end());
    const NameTable names = nameTable();
    // Whatever a staying parameter names must stay too, and so must what that one names.
    std::unordered_set<const KxParameter*> needed;
    std::deque<const KxPlateParameter*> staying;
    for (const KxPlateParameter* parameter : listed()) {
        if (offered.count(parameter) == 0) {
            staying.push_back(parameter);
        }
    }
    while (!staying.empty()) {
        const KxPlateParameter* parameter = staying.front();
        staying.pop_front();
        for (const KxString& name : references(parameter->getExpression())) {
            const auto found = names.find(name.wstr());
            if (found != names.end() && offered.count(found->second) != 0 &&
                needed.insert(found->second).second) {
                staying.push_back(found->second);
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
    const NameTable names = nameTable();
    const std::vector<KxPlateParameter*> parameters = listed();
    bool evaluated = true;
    for (KxPlateParameter* parameter : evaluationOrder(parameters)) {
        double value = 0.0;
        if (evaluate(parameter->getExpression(), names, {}, value)) {
            parameter->setNumber(value);
        } else {
            evaluated = false;
        }
    }
    refreshUsageCounts(parameters);
    return evaluated;
}

KxPlateParameter* KxPlateCollection::find(const KxString& name) const {
    for (KxPlateParameter* parameter : listed()) {
        if (parameter->getName() == name) {
            return parameter;
        }
    }
    return nullptr;
}

std::vector<KxPlateParameter*>
KxPlateCollection::evaluationOrder(const std::vector<KxPlateParameter*>& parameters) const {
    const NameTable names = nameTable();
    std::unordered_map<const KxPlateParameter*, std::size_t> position;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        position.emplace(parameters[i], i);
    }
    // For each parameter, the given ones that name it, and how many given ones it still waits for.
    std::vector<std::vector<std::size_t>> users(parameters.size());
    std::vector<int> waiting(parameters.size(), 0);
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        for (const KxString& name : references(parameters[i]->getExpression())) {
            const auto found = names.find(name.wstr());
            if (found == names.end() || found->second == parameters[i]) {
                continue;
            }
            const auto used = position.find(found->second);
            if (used != position.end()) {
                users[used->second].push_back(i);
                ++waiting[i];
            }
        }
    }
    // The earliest ready parameter goes first, so that independent ones keep their order.
    std::priority_queue<std::size_t, std::vector<std::size_t>, std::greater<>> ready;
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (waiting[i] == 0) {
            ready.push(i);
        }
    }
    std::vector<KxPlateParameter*> order;
    std::vector<bool> placed(parameters.size(), false);
    while (!ready.empty()) {
        const std::size_t next = ready.top();
        ready.pop();
        if (placed[next]) {
            continue;
        }
        placed[next] = true;
        order.push_back(parameters[next]);
        for (const std::size_t user : users[next]) {
            if (--waiting[user] == 0) {
                ready.push(user);
            }
        }
    }
    // A cycle cannot be accepted, but a drawing may have been defined with one: those go last.
    for (std::size_t i = 0; i < parameters.size(); ++i) {
        if (!placed[i]) {
            order.push_back(parameters[i]);
        }
    }
    return order;
}

int KxPlateCollection::usageCount(const KxPlateParameter& parameter) const {
    if (find(parameter.getName()) != &parameter) {
        return 0;
    }
    int count = 0;
    for (const KxPlateParameter* user : listed()) {
        const std::vector<KxString> names = references(user->getExpression());
        if (std::find(names.begin(), names.end(), parameter.getName()) != names.end()) {
            ++count;
        }
    }
    return count;
}

Lumo::ErrorStatus KxPlateCollection::vetName(const KxPlateParameter& parameter,
                                             const KxString& name, KxString& message) const {
    if (!isIdentifier(name)) {
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
    if (isNameTaken(name, &parameter)) {
        message = KxString(quoted(name).wstr() + L" is taken by another parameter");
        return Lumo::eDuplicateKey;
    }
    return Lumo::eOk;
}

Lumo::ErrorStatus KxPlateCollection::vetExpression(const KxPlateParameter& parameter,
                                                   const KxString& expression,
                                                   KxString& message) const {
    const NameTable names = nameTable();
    const std::vector<KxString> referenced = references(expression);
    for (const KxString& name : referenced) {
        if (names.count(name.wstr()) == 0) {
            message = KxString(L"unknown parameter: " + name.wstr());
            return Lumo::eKeyNotFound;
        }
    }
    const KxString cycle = findCycle(parameter, referenced, names);
    if (!cycle.isEmpty()) {
        message = KxString(L"circular reference: " + cycle.wstr());
        return Lumo::eInvalidInput;
    }
    // Every value that the change would give must exist: the parameter's and its dependents'.
    Values trial;
    double value = 0.0;
    if (!evaluate(expression, names, trial, value)) {
        message = KxString(L"not a valid expression: " + quoted(expression).wstr());
        return Lumo::eInvalidInput;
    }
    trial[&parameter] = value;
    for (const KxPlateParameter* dependent : evaluationOrder(dependents(parameter))) {
        if (!evaluate(dependent->getExpression(), names, trial, value)) {
            message =
                KxString(dependent->getName().wstr() + L" cannot be evaluated after this change: " +
                         dependent->getExpression().wstr());
            return Lumo::eInvalidInput;
        }
        trial[dependent] = value;
    }
    return Lumo::eOk;
}

void KxPlateCollection::nameStored(KxPlateParameter& parameter, const KxString& oldName) {
    const std::vector<KxPlateParameter*> parameters = listed();
    if (oldName.isEmpty() ||
        std::find(parameters.begin(), parameters.end(), &parameter) == parameters.end()) {
        return;
    }
    for (KxPlateParameter* user : parameters) {
        const std::vector<KxString> names = references(user->getExpression());
        if (user != &parameter && std::find(names.begin(), names.end(), oldName) != names.end()) {
            user->storeExpression(
                renameReference(user->getExpression(), oldName, parameter.getName()));
            user->notifyParameterModified();
        }
    }
}

void KxPlateCollection::expressionStored(KxPlateParameter& parameter) {
    reevaluate(parameter);
    const std::vector<KxPlateParameter*> changed = evaluationOrder(dependents(parameter));
    for (KxPlateParameter* dependent : changed) {
        dependent->updateParameter(true);
    }
    // The parameters that the expression stopped or started naming count their users afresh.
    for (KxPlateParameter* counted : refreshUsageCounts(listed())) {
        if (counted != &parameter) {
            counted->notifyParameterModified();
        }
    }
}

Lumo::ErrorStatus KxPlateCollection::reevaluate(KxPlateParameter& parameter) {
    double value = 0.0;
    if (!evaluate(parameter.getExpression(), nameTable(), {}, value)) {
        return Lumo::eInvalidInput;
    }
    parameter.setNumber(value);
    return Lumo::eOk;
}

void KxPlateCollection::deleteParametersInternal(const KxArray<KxParameter*>& parameters) {
    const std::unordered_set<const KxParameter*> doomed(parameters.begin(), parameters.end());
    std::vector<KxPlateParameter*> staying;
    for (KxPlateParameter* parameter : listed()) {
        if (doomed.count(parameter) == 0) {
            staying.push_back(parameter);
        }
    }
    for (KxPlateParameter* counted : refreshUsageCounts(staying)) {
        counted->notifyParameterModified();
    }
    std::erase_if(mOwned, [&](const std::unique_ptr<KxPlateParameter>& owned) {
        return doomed.count(owned.get()) != 0;
    });
}

Lumo::ErrorStatus
KxPlateCollection::getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>& columns) const {
    columns.append(KxColumnHeaderProperty{L"description", L"Description", 200, true});
    columns.append(KxColumnHeaderProperty{L"usage_count", L"Used by", 60, true});
    columns.append(KxColumnHeaderProperty{L"tolerance", L"Tolerance", 80, true});
    return Lumo::eOk;
}

std::vector<KxPlateParameter*> KxPlateCollection::listed() const {
    std::vector<KxPlateParameter*> parameters;
    std::unordered_set<const KxPlateParameter*> seen;
    for (KxParameter* parameter : getParameters()) {
        auto* plateParameter = dynamic_cast<KxPlateParameter*>(parameter);
        if (plateParameter && plateParameter->plate() == this &&
            seen.insert(plateParameter).second) {
            parameters.push_back(plateParameter);
        }
    }
    return parameters;
}

KxPlateCollection::NameTable KxPlateCollection::nameTable() const {
    NameTable names;
    for (KxPlateParameter* parameter : listed()) {
        names.emplace(parameter->getName().wstr(), parameter);
    }
    return names;
}

bool KxPlateCollection::isNameTaken(const KxString& name, const KxPlateParameter* except) const {
    for (const KxParameter* parameter : getParameters()) {
        if (parameter != except && parameter->getName() == name) {
            return true;
        }
    }
    return std::any_of(mOwned.begin(), mOwned.end(),
                       [&](const std::unique_ptr<KxPlateParameter>& owned) {
                           return owned.get() != except && owned->getName() == name;
                       });
}

KxPlateParameter* KxPlateCollection::makeParameter(const KxString& name, const KxString& expression,
                                                   KxPlateParameter::Kind kind) {
    auto parameter = std::make_unique<KxPlateParameter>(
        this, kind, KxPlateEntities::add(mPlateEntityId.database()));
    parameter->storeName(name);
    parameter->storeExpression(expression);
    double value = 0.0;
    if (evaluate(expression, nameTable(), {}, value)) {
        parameter->setNumber(value);
    }
    mOwned.push_back(std::move(parameter));
    return mOwned.back().get();
}

std::vector<KxPlateParameter*>
KxPlateCollection::dependents(const KxPlateParameter& parameter) const {
    const std::vector<KxPlateParameter*> parameters = listed();
    const NameTable names = nameTable();
    std::unordered_map<const KxPlateParameter*, std::vector<KxPlateParameter*>> users;
    for (KxPlateParameter* user : parameters) {
        for (const KxString& name : references(user->getExpression())) {
            const auto found = names.find(name.wstr());
            if (found != names.end()) {
                users[found->second].push_back(user);
            }
        }
    }
    std::unordered_set<const KxPlateParameter*> reached;
    std::deque<const KxPlateParameter*> pending{&parameter};
    while (!pending.empty()) {
        const auto found = users.find(pending.front());
        pending.pop_front();
        if (found == users.end()) {
            continue;
        }
        for (const KxPlateParameter* user : found->second) {
            if (user != &parameter && reached.insert(user).second) {
                pending.push_back(user);
            }
        }
    }
    std::vector<KxPlateParameter*> result;
    for (KxPlateParameter* candidate : parameters) {
        if (reached.count(candidate) != 0) {
            result.push_back(candidate);
        }
    }
    return result;
}

bool KxPlateCollection::evaluate(const KxString& expression, const NameTable& names,
                                 const Values& values, double& result) const {
    KxString constant;
    const bool substituted = substitute(
        expression,
        [&](const KxString& name, std::wstring& text) {
            const auto found = names.find(name.wstr());
            if (found == names.end()) {
                return false;
            }
            const auto given = values.find(found->second);
            text = valueText(given != values.end() ? given->second : found->second->number());
            return true;
        },
        constant);
    return substituted && evaluateConstant(constant, result);
}

KxString KxPlateCollection::findCycle(const KxPlateParameter& parameter,
                                      const std::vector<KxString>& referenced,
                                      const NameTable& names) const {
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
    auto visit = [&](const KxString& name, const KxPlateParameter* from) -> bool {
        const auto found = names.find(name.wstr());
        if (found == names.end()) {
            return false;
        }
        if (found->second == &parameter) {
            return true;
        }
        if (cameFrom.emplace(found->second, from).second) {
            pending.push_back(found->second);
        }
        return false;
    };
    for (const KxString& name : referenced) {
        if (visit(name, &parameter)) {
            return path(&parameter);
        }
    }
    while (!pending.empty()) {
        const KxPlateParameter* current = pending.front();
        pending.pop_front();
        for (const KxString& name : references(current->getExpression())) {
            if (visit(name, current)) {
                return path(current);
            }
        }
    }
    return KxString();
}

std::vector<KxPlateParameter*>
KxPlateCollection::refreshUsageCounts(const std::vector<KxPlateParameter*>& live) {
    const NameTable names = nameTable();
    std::unordered_map<const KxPlateParameter*, std::int32_t> counts;
    for (const KxPlateParameter* user : live) {
        for (const KxString& name : references(user->getExpression())) {
            const auto found = names.find(name.wstr());
            if (found != names.end()) {
                ++counts[found->second];
            }
        }
    }
    std::vector<KxPlateParameter*> changed;
    for (KxPlateParameter* parameter : live) {
        KxParameterProperty* property = parameter->getProperty(KxPlateUsageCountProperty::kName);
        const KxDbEvalVariant count(counts[parameter]);
        if (property && !(property->value() == count)) {
            property->value() = count;
            changed.push_back(parameter);
        }
    }
    return changed;
}

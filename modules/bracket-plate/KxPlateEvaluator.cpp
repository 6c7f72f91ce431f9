#include "KxPlateEvaluator.h"

#include "KxPlateUsageCountProperty.h"

#include <algorithm>

using Error = KxCompiledExpression::Error;

namespace {

// The value of a compiled expression for these values of its variables, never a negative zero.
Error evaluated(const KxCompiledExpression& expression, const double* values, double& value) {
    double result = 0.0;
    const Error error = expression.evaluate(values, result);
    if (error == Error::kNone) {
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
        return KxString(L"not a valid expression: \"" + expression.wstr() + L"\"");
    }
}

} // namespace

bool KxPlateEvaluator::evaluateAll() {
    const KxPlateDrawing::Batch batch(mDrawing);
    mDrawing.refresh();
    std::vector<KxPlateParameter*> parameters = listed();
    bool evaluatedAll = true;
    for (KxPlateParameter* parameter : mGraph.inDependencyOrder(parameters)) {
        evaluatedAll = reevaluate(*parameter) == Lumo::eOk && evaluatedAll;
    }
    writeUsageCounts(std::move(parameters), nullptr);
    return evaluatedAll;
}

Lumo::ErrorStatus KxPlateEvaluator::reevaluate(KxPlateParameter& parameter) {
    double value = 0.0;
    if (evaluate(parameter, 0, value) != Error::kNone) {
        return Lumo::eInvalidInput;
    }
    parameter.setNumber(value);
    mDrawing.valueChanged(parameter);
    return Lumo::eOk;
}

std::vector<KxPlateParameter*>
KxPlateEvaluator::reevaluateRestored(const std::vector<KxPlateParameter*>& restored) {
    const std::vector<KxPlateParameter*> order = mGraph.inDependencyOrder(listed());
    // Restored parameters carry `touched`; those whose value changed then carry `moved`.
    const std::uint32_t touched = mGraph.nextMark();
    for (KxPlateParameter* parameter : restored) {
        parameter->mMark = touched;
    }
    const std::uint32_t moved = mGraph.nextMark();
    std::vector<KxPlateParameter*> changed;
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
            changed.push_back(parameter);
        }
    }
    return changed;
}

Lumo::ErrorStatus KxPlateEvaluator::tryExpression(KxPlateParameter& parameter,
                                                  const KxCompiledExpression& candidate,
                                                  const KxString& expression,
                                                  std::vector<KxPlateParameter*> dependents,
                                                  KxString& message) {
    // Every value that the change would give must exist: the parameter's and its dependents'.
    double value = 0.0;
    if (const Error error = evaluate(candidate, value); error != Error::kNone) {
        message = noValueMessage(error, candidate, expression);
        return Lumo::eInvalidInput;
    }
    const std::uint32_t trial = mGraph.nextMark();
    parameter.mMark = trial;
    parameter.mTrial = value;
    for (KxPlateParameter* follower : dependents) {
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
    mTried = {&parameter, std::move(dependents)};
    return Lumo::eOk;
}

std::vector<KxPlateParameter*> KxPlateEvaluator::takeDependents(KxPlateParameter& parameter) {
    std::vector<KxPlateParameter*> dependents =
        mTried.first == &parameter ? std::move(mTried.second) : mGraph.dependents(parameter);
    mTried = {};
    return dependents;
}

std::vector<KxPlateParameter*>
KxPlateEvaluator::writeUsageCounts(std::vector<KxPlateParameter*> counted,
                                   const KxPlateParameter* except) {
    std::sort(counted.begin(), counted.end(),
              [](const KxPlateParameter* a, const KxPlateParameter* b) {
                  return a->mListOrder < b->mListOrder || (a->mListOrder == b->mListOrder && a < b);
              });
    counted.erase(std::unique(counted.begin(), counted.end()), counted.end());
    std::vector<KxPlateParameter*> changed;
    for (KxPlateParameter* parameter : counted) {
        KxParameterProperty* property = parameter->getProperty(KxPlateUsageCountProperty::kName);
        const KxDbEvalVariant count(static_cast<std::int32_t>(mGraph.usageCount(*parameter)));
        if (property && !(property->value() == count)) {
            property->value() = count;
            if (parameter != except) {
                changed.push_back(parameter);
            }
        }
    }
    return changed;
}

std::vector<KxPlateParameter*> KxPlateEvaluator::listed() const {
    std::vector<KxPlateParameter*> parameters;
    for (const std::unique_ptr<KxPlateParameter>& owned : mOwned) {
        if (owned->mListed > 0) {
            parameters.push_back(owned.get());
        }
    }
    return parameters;
}

KxCompiledExpression::Error KxPlateEvaluator::evaluate(const KxPlateParameter& parameter,
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

KxCompiledExpression::Error KxPlateEvaluator::evaluate(const KxCompiledExpression& candidate,
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

#include "host/KxConstantExpression.h"

#include "host/KxCompiledExpression.h"

#include <cmath>
#include <cstdint>
#include <limits>

bool kxdbIsExpressionAConstant(const KxString& expression, KxDbEvalVariant& value) {
    KxCompiledExpression compiled;
    double number = 0.0;
    if (compiled.compile(expression) != KxCompiledExpression::Error::kNone ||
        !compiled.variables().empty() ||
        compiled.evaluate(nullptr, number) != KxCompiledExpression::Error::kNone) {
        return false;
    }
    if (std::trunc(number) == number && number >= std::numeric_limits<std::int32_t>::min() &&
        number <= std::numeric_limits<std::int32_t>::max()) {
        value = static_cast<std::int32_t>(number);
    } else {
        value = number;
    }
    return true;
}

#pragma once

#include "host/KxCompiledExpression.h"
#include "host/KxString.h"

#include <string>

// The plate's expressions are the host's expressions with parameter names as their variables: a
// name that is not one of the evaluator's own function or constant names stands for the current
// value of the parameter of that name.
namespace KxPlateExpression {

// The expression, compiled as `compiled`, with every use of the variable `oldName` turned into
// `newName`; the rest of the text as it was.
KxString renameReference(const KxString& expression, const KxCompiledExpression& compiled,
                         const std::wstring& oldName, const std::wstring& newName);

} // namespace KxPlateExpression

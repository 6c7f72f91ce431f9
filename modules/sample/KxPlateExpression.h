#pragma once

#include "host/KxString.h"

#include <functional>
#include <string>
#include <vector>

// The plate's expressions are the host's constant expressions with parameter names in them. A
// name is an identifier that is not one of the evaluator's own function or constant names; it
// stands for the current value of the parameter of that name.
namespace KxPlateExpression {

// True for a letter or _ followed by letters, digits and _ (ASCII only).
bool isIdentifier(const KxString& name);
// True for the evaluator's function and constant names, in any ASCII case.
bool isReservedName(const KxString& name);

// The parameter names that the expression refers to, each once, in the order they first appear.
std::vector<KxString> references(const KxString& expression);

// The expression with every parameter name replaced by what `replace` gives for it. False, with
// `result` untouched, as soon as `replace` gives false for a name.
bool substitute(const KxString& expression,
                const std::function<bool(const KxString& name, std::wstring& text)>& replace,
                KxString& result);

// The expression with every reference to `oldName` turned into `newName`.
KxString renameReference(const KxString& expression, const KxString& oldName,
                         const KxString& newName);

// How a value goes into an expression: its round-trip text, in parentheses so that a negative
// value keeps its sign under ^ and unary minus.
std::wstring valueText(double value);

// The value of a text that holds no names any more; false when the host cannot evaluate it.
bool evaluateConstant(const KxString& text, double& value);

} // namespace KxPlateExpression

#pragma once

#include "host/KxHostExport.h"
#include "host/KxString.h"

#include <cstddef>
#include <string>
#include <vector>

/// An expression of the host's constant grammar (see kxdbIsExpressionAConstant) in which every name
/// that is not a function or `pi` stands for a variable: parsed once, then evaluated as often as
/// needed with the variables' values of the moment.
class KX_HOST_EXPORT KxCompiledExpression {
public:
    /// Why a text does not compile, or its value cannot be computed.
    enum class Error {
        kNone,            ///< no error
        kSyntax,          ///< not an expression of the grammar
        kUnknownFunction, ///< a name followed by an argument that is no function
        kTooDeep,         ///< nesting deeper than 100 levels
        kDivisionByZero,  ///< a division by zero
        kNotFinite,       ///< a number, a result or an intermediate value beyond a finite double
    };
    /// Where a variable stands in the text, in code units.
    struct Occurrence {
        std::size_t offset = 0; ///< where the name starts
        std::size_t length = 0; ///< the length of the name
    };

    /// True for a character that may start a name: an ASCII letter or `_`.
    static bool isNameStart(wchar_t c) {
        return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_';
    }
    /// True for a character that may continue a name: a name start or an ASCII digit.
    static bool isNamePart(wchar_t c) { return isNameStart(c) || (c >= L'0' && c <= L'9'); }
    /// True when `text` is a name as the scanner reads one: a name start, then name parts. Only
    /// ASCII counts: a non-ASCII letter is no part of a name. Function names and `pi` pass too.
    static bool isName(const KxString& text);

    /// Compiles nothing: evaluates to kSyntax.
    KxCompiledExpression() = default;
    /// Parses `text`. The variables are known even when the text does not compile.
    Error compile(const KxString& text);

    /// The distinct variable names, in the order they first appear.
    const std::vector<std::wstring>& variables() const { return mVariables; }
    /// Every place where a variable stands, in the order of the text.
    const std::vector<Occurrence>& occurrences() const { return mOccurrences; }
    /// The compile error; kNone when the text compiled.
    Error compileError() const { return mError; }
    /// The function name that made compile give kUnknownFunction.
    const std::wstring& unknownFunction() const { return mUnknownFunction; }

    /// The value, with values[i] standing for variables()[i]. The compile error when the text did
    /// not compile; `result` is untouched on any error.
    Error evaluate(const double* values, double& result) const;

private:
    enum class Op : unsigned char {
        kNumber,
        kVariable,
        kNegate,
        kAdd,
        kSubtract,
        kMultiply,
        kDivide,
        kPower,
        kFunction,
    };
    struct Step {
        Op op = Op::kNumber;
        int operand = 0; ///< the variable or the function
        double number = 0.0;
    };
    friend class KxExpressionParser;

    std::vector<Step> mProgram;
    std::vector<std::wstring> mVariables;
    std::vector<Occurrence> mOccurrences;
    std::wstring mUnknownFunction;
    int mStackDepth = 0;
    Error mError = Error::kSyntax;
};

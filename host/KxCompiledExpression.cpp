#include "host/KxCompiledExpression.h"

#include "host/KxConstantExpression.h"
#include "host/internal/KxNumberText.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>
#include <string_view>

using namespace KxNumberText;

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kMaxDepth = 100;
constexpr std::wstring_view kPiName = L"pi";

wchar_t asciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

// Sine of an angle in degrees, exact where the angle is a multiple of 30 degrees with a rational
// sine, so that sin(30) is 0.5 and sin(180) is 0 rather than noise.
double sinDegrees(double degrees) {
    const double reduced = std::fmod(degrees, 360.0);
    const double turn = reduced < 0 ? reduced + 360.0 : reduced;
    if (std::fmod(turn, 30.0) == 0.0) {
        static constexpr double kExact[] = {0.0, 0.5,  -2.0, 1.0,  -2.0, 0.5,
                                            0.0, -0.5, -2.0, -1.0, -2.0, -0.5};
        const double exact = kExact[static_cast<int>(turn / 30.0) % 12];
        if (exact != -2.0) {
            return exact;
        }
    }
    return std::sin(degrees * kPi / 180.0);
}

double cosDegrees(double degrees) {
    return sinDegrees(std::fmod(degrees, 360.0) + 90.0);
}

double tanDegrees(double degrees) {
    const double reduced = std::fmod(degrees, 180.0);
    const double half = reduced < 0 ? reduced + 180.0 : reduced;
    if (half == 45.0) {
        return 1.0;
    }
    if (half == 135.0) {
        return -1.0;
    }
    const double cosine = cosDegrees(degrees);
    return cosine == 0.0 ? std::numeric_limits<double>::infinity() : sinDegrees(degrees) / cosine;
}

// An inverse function's angle in degrees; a result within rounding noise of a whole degree is
// taken as that degree (acos(0.5) is 60, not 60.00000000000001).
double toDegrees(double radians) {
    const double degrees = radians * 180.0 / kPi;
    const double whole = std::round(degrees);
    return std::fabs(degrees - whole) <= 1e-12 * std::fmax(1.0, std::fabs(degrees)) ? whole
                                                                                    : degrees;
}

using Function = double (*)(double);

struct NamedFunction {
    std::wstring_view name;
    Function function;
};

// The one list of function names: the parser and the name test both read it.
constexpr NamedFunction kFunctions[] = {
    {L"sin", [](double x) { return sinDegrees(x); }},
    {L"cos", [](double x) { return cosDegrees(x); }},
    {L"tan", [](double x) { return tanDegrees(x); }},
    {L"asin", [](double x) { return toDegrees(std::asin(x)); }},
    {L"acos", [](double x) { return toDegrees(std::acos(x)); }},
    {L"atan", [](double x) { return toDegrees(std::atan(x)); }},
    {L"sqrt", [](double x) { return std::sqrt(x); }},
    {L"abs", [](double x) { return std::fabs(x); }},
    {L"round", [](double x) { return std::round(x); }}, // halves away from zero
    {L"trunc", [](double x) { return std::trunc(x); }},
    {L"floor", [](double x) { return std::floor(x); }},
    {L"ceil", [](double x) { return std::ceil(x); }},
    {L"exp", [](double x) { return std::exp(x); }},
    {L"ln", [](double x) { return std::log(x); }},
    {L"log", [](double x) { return std::log10(x); }},
};

// The function of that lower-case name, or null.
Function findFunction(std::wstring_view name) {
    for (const NamedFunction& entry : kFunctions) {
        if (entry.name == name) {
            return entry.function;
        }
    }
    return nullptr;
}

std::wstring lowerCase(std::wstring_view name) {
    std::wstring lower;
    lower.reserve(name.size());
    for (const wchar_t c : name) {
        lower += asciiLower(c);
    }
    return lower;
}

bool isReserved(std::wstring_view name) {
    const std::wstring lower = lowerCase(name);
    return lower == kPiName || findFunction(lower) != nullptr;
}

std::size_t skipBlanksFrom(std::wstring_view text, std::size_t pos) {
    while (pos < text.size() && isBlank(text[pos])) {
        ++pos;
    }
    return pos;
}

std::size_t nameLength(std::wstring_view text, std::size_t pos) {
    std::size_t end = pos;
    while (end < text.size() && KxCompiledExpression::isNamePart(text[end])) {
        ++end;
    }
    return end - pos;
}

std::size_t functionIndex(Function function) {
    for (std::size_t i = 0; i < std::size(kFunctions); ++i) {
        if (kFunctions[i].function == function) {
            return i;
        }
    }
    return 0;
}

} // namespace

// Recursive descent over the text into a program for a stack machine; the first failure ends the
// parse and is what compile reports.
//   sum     := product (('+' | '-') product)*
//   product := signed (('*' | '/') signed)*
//   signed  := ('+' | '-') signed | power
//   power   := primary ('^' signed)?
//   primary := number | 'pi' | variable | name '(' sum ')' | '(' sum ')'
// Every recursion passes through `signed`, where the depth is counted.
class KxExpressionParser {
public:
    using Error = KxCompiledExpression::Error;
    using Op = KxCompiledExpression::Op;

    KxExpressionParser(std::wstring_view text, KxCompiledExpression& out)
        : mText(text), mOut(out) {}

    Error parse() {
        if (sum()) {
            skipBlanks();
            if (mPos != mText.size()) {
                fail(Error::kSyntax);
            }
        }
        return mError;
    }

private:
    bool fail(Error error) {
        if (mError == Error::kNone) {
            mError = error;
        }
        return false;
    }

    void emit(Op op, int operand = 0, double number = 0.0) {
        mOut.mProgram.push_back({op, operand, number});
        if (op == Op::kNumber || op == Op::kVariable) {
            mOut.mStackDepth = std::max(mOut.mStackDepth, ++mDepthNow);
        } else if (op != Op::kNegate && op != Op::kFunction) {
            --mDepthNow;
        }
    }

    void skipBlanks() { mPos = skipBlanksFrom(mText, mPos); }

    bool take(wchar_t c) {
        skipBlanks();
        if (mPos < mText.size() && mText[mPos] == c) {
            ++mPos;
            return true;
        }
        return false;
    }

    bool sum() {
        if (!product()) {
            return false;
        }
        for (;;) {
            if (take(L'+')) {
                if (!product()) {
                    return false;
                }
                emit(Op::kAdd);
            } else if (take(L'-')) {
                if (!product()) {
                    return false;
                }
                emit(Op::kSubtract);
            } else {
                return true;
            }
        }
    }

    bool product() {
        if (!signedValue()) {
            return false;
        }
        for (;;) {
            if (take(L'*')) {
                if (!signedValue()) {
                    return false;
                }
                emit(Op::kMultiply);
            } else if (take(L'/')) {
                if (!signedValue()) {
                    return false;
                }
                emit(Op::kDivide);
            } else {
                return true;
            }
        }
    }

    bool signedValue() {
        if (mDepth >= kMaxDepth) {
            return fail(Error::kTooDeep);
        }
        ++mDepth;
        bool parsed = false;
        if (take(L'-')) {
            parsed = signedValue();
            if (parsed) {
                emit(Op::kNegate);
            }
        } else if (take(L'+')) {
            parsed = signedValue();
        } else {
            parsed = power();
        }
        --mDepth;
        return parsed;
    }

    bool power() {
        if (!primary()) {
            return false;
        }
        if (!take(L'^')) {
            return true;
        }
        if (!signedValue()) {
            return false;
        }
        emit(Op::kPower);
        return true;
    }

    bool primary() {
        skipBlanks();
        if (take(L'(')) {
            return sum() && (take(L')') || fail(Error::kSyntax));
        }
        const std::wstring_view rest = mText.substr(mPos);
        if (const std::size_t length = scanUnsignedDecimal(rest, true)) {
            double number = 0.0;
            if (!toDouble(rest.substr(0, length), number)) {
                return fail(Error::kNotFinite);
            }
            mPos += length;
            emit(Op::kNumber, 0, number);
            return true;
        }
        if (rest.empty() || !KxCompiledExpression::isNameStart(rest.front())) {
            return fail(Error::kSyntax);
        }
        const std::size_t start = mPos;
        mPos += nameLength(mText, mPos);
        const std::wstring_view name = mText.substr(start, mPos - start);
        const std::wstring lower = lowerCase(name);
        if (lower == kPiName) {
            emit(Op::kNumber, 0, kPi);
            return true;
        }
        if (!take(L'(')) {
            if (findFunction(lower)) {
                return fail(Error::kSyntax);
            }
            emit(Op::kVariable, variableIndex(name));
            return true;
        }
        if (!sum() || !(take(L')') || fail(Error::kSyntax))) {
            return false;
        }
        const Function function = findFunction(lower);
        if (!function) {
            mOut.mUnknownFunction = std::wstring(name);
            return fail(Error::kUnknownFunction);
        }
        emit(Op::kFunction, static_cast<int>(functionIndex(function)));
        return true;
    }

    int variableIndex(std::wstring_view name) const {
        const std::vector<std::wstring>& names = mOut.mVariables;
        for (std::size_t i = 0; i < names.size(); ++i) {
            if (names[i] == name) {
                return static_cast<int>(i);
            }
        }
        return 0; // the scan before the parse has every variable
    }

    std::wstring_view mText;
    KxCompiledExpression& mOut;
    std::size_t mPos = 0;
    int mDepth = 0;
    int mDepthNow = 0;
    Error mError = Error::kNone;
};

bool KxCompiledExpression::isName(const KxString& text) {
    const std::wstring_view name = text.wstr();
    return !name.empty() && isNameStart(name.front()) && nameLength(name, 0) == name.size();
}

KxCompiledExpression::Error KxCompiledExpression::compile(const KxString& text) {
    *this = KxCompiledExpression();
    // The variables come from a scan of the whole text, so that they are known even where the
    // parse stops early: a name that is not reserved and is not followed by an argument.
    const std::wstring_view source = text.wstr();
    for (std::size_t pos = 0; pos < source.size();) {
        if (const std::size_t length = scanUnsignedDecimal(source.substr(pos), true)) {
            pos += length;
            continue;
        }
        if (!isNameStart(source[pos])) {
            ++pos;
            continue;
        }
        const std::size_t length = nameLength(source, pos);
        const std::wstring_view name = source.substr(pos, length);
        const std::size_t next = skipBlanksFrom(source, pos + length);
        const bool called = next < source.size() && source[next] == L'(';
        if (!called && !isReserved(name)) {
            mOccurrences.push_back({pos, length});
            if (std::find(mVariables.begin(), mVariables.end(), name) == mVariables.end()) {
                mVariables.emplace_back(name);
            }
        }
        pos += length;
    }
    mError = KxExpressionParser(source, *this).parse();
    if (mError != Error::kNone) {
        mProgram.clear();
    }
    mProgram.shrink_to_fit();
    return mError;
}

KxCompiledExpression::Error KxCompiledExpression::evaluate(const double* values,
                                                           double& result) const {
    if (mError != Error::kNone) {
        return mError;
    }
    // Most expressions need a few slots; the heap only for the rare deep one.
    double small[16] = {};
    std::vector<double> large;
    double* stack = small;
    if (mStackDepth > 16) {
        large.resize(static_cast<std::size_t>(mStackDepth));
        stack = large.data();
    }
    int top = 0;
    const auto finite = [](double value) { return std::isfinite(value); };
    for (const Step& step : mProgram) {
        switch (step.op) {
        case Op::kNumber:
            stack[top++] = step.number;
            continue;
        case Op::kVariable:
            stack[top++] = values[step.operand];
            continue;
        case Op::kNegate:
            stack[top - 1] = -stack[top - 1];
            continue;
        case Op::kFunction:
            stack[top - 1] = kFunctions[step.operand].function(stack[top - 1]);
            if (!finite(stack[top - 1])) {
                return Error::kNotFinite;
            }
            continue;
        default:
            break;
        }
        const double right = stack[--top];
        double& left = stack[top - 1];
        switch (step.op) {
        case Op::kAdd:
            left += right;
            break;
        case Op::kSubtract:
            left -= right;
            break;
        case Op::kMultiply:
            left *= right;
            break;
        case Op::kDivide:
            if (right == 0.0) {
                return Error::kDivisionByZero;
            }
            left /= right;
            break;
        default:
            left = std::pow(left, right);
            break;
        }
        if (!finite(left)) {
            return Error::kNotFinite;
        }
    }
    result = stack[0];
    return Error::kNone;
}

bool kxdbIsExpressionFunctionName(const KxString& name) {
    return findFunction(lowerCase(name.wstr())) != nullptr;
}

bool kxdbIsExpressionConstantName(const KxString& name) {
    return lowerCase(name.wstr()) == kPiName;
}

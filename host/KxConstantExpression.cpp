#include "host/KxConstantExpression.h"

#include "host/KxNumberText.h"

#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string_view>

using namespace KxNumberText;

namespace {

constexpr double kPi = 3.141592653589793;
constexpr int kMaxDepth = 100;
constexpr std::wstring_view kPiName = L"pi";

wchar_t asciiLower(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool isNameStart(wchar_t c) {
    return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || c == L'_';
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

// Recursive descent over the text; every rule gives nullopt on failure, which ends the parse.
//   sum     := product (('+' | '-') product)*
//   product := signed (('*' | '/') signed)*
//   signed  := ('+' | '-') signed | power
//   power   := primary ('^' signed)?
//   primary := number | 'pi' | name '(' sum ')' | '(' sum ')'
// Every recursion passes through `signed`, where the depth is counted.
class ConstantParser {
public:
    explicit ConstantParser(std::wstring_view text) : mText(text) {}

    std::optional<double> parse() {
        std::optional<double> value = sum();
        skipBlanks();
        if (!value || mPos != mText.size()) {
            return std::nullopt;
        }
        return value;
    }

private:
    static std::optional<double> finite(double value) {
        return std::isfinite(value) ? std::optional<double>(value) : std::nullopt;
    }

    void skipBlanks() {
        while (mPos < mText.size() && isBlank(mText[mPos])) {
            ++mPos;
        }
    }

    bool take(wchar_t c) {
        skipBlanks();
        if (mPos < mText.size() && mText[mPos] == c) {
            ++mPos;
            return true;
        }
        return false;
    }

    std::optional<double> sum() {
        std::optional<double> value = product();
        while (value) {
            if (take(L'+')) {
                const std::optional<double> right = product();
                value = right ? finite(*value + *right) : std::nullopt;
            } else if (take(L'-')) {
                const std::optional<double> right = product();
                value = right ? finite(*value - *right) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }

    std::optional<double> product() {
        std::optional<double> value = signedValue();
        while (value) {
            if (take(L'*')) {
                const std::optional<double> right = signedValue();
                value = right ? finite(*value * *right) : std::nullopt;
            } else if (take(L'/')) {
                const std::optional<double> right = signedValue();
                value = right && *right != 0.0 ? finite(*value / *right) : std::nullopt;
            } else {
                break;
            }
        }
        return value;
    }

    std::optional<double> signedValue() {
        if (mDepth >= kMaxDepth) {
            return std::nullopt;
        }
        ++mDepth;
        std::optional<double> value;
        if (take(L'-')) {
            value = signedValue();
            if (value) {
                value = -*value;
            }
        } else if (take(L'+')) {
            value = signedValue();
        } else {
            value = power();
        }
        --mDepth;
        return value;
    }

    std::optional<double> power() {
        const std::optional<double> base = primary();
        if (!base || !take(L'^')) {
            return base;
        }
        const std::optional<double> exponent = signedValue();
        return exponent ? finite(std::pow(*base, *exponent)) : std::nullopt;
    }

    std::optional<double> primary() {
        skipBlanks();
        if (take(L'(')) {
            std::optional<double> value = sum();
            return value && take(L')') ? value : std::nullopt;
        }
        const std::wstring_view rest = mText.substr(mPos);
        if (const std::size_t length = scanUnsignedDecimal(rest, true)) {
            double number = 0.0;
            if (!toDouble(rest.substr(0, length), number)) {
                return std::nullopt;
            }
            mPos += length;
            return number;
        }
        if (rest.empty() || !isNameStart(rest.front())) {
            return std::nullopt;
        }
        std::wstring name;
        while (mPos < mText.size() && (isNameStart(mText[mPos]) || isDigit(mText[mPos]))) {
            name += asciiLower(mText[mPos++]);
        }
        if (name == kPiName) {
            return kPi;
        }
        if (!take(L'(')) {
            return std::nullopt;
        }
        const std::optional<double> argument = sum();
        if (!argument || !take(L')')) {
            return std::nullopt;
        }
        const Function function = findFunction(name);
        return function ? finite(function(*argument)) : std::nullopt;
    }

    std::wstring_view mText;
    std::size_t mPos = 0;
    int mDepth = 0;
};

} // namespace

bool kxdbIsExpressionAConstant(const KxString& expression, KxDbEvalVariant& value) {
    const std::optional<double> result = ConstantParser(expression.wstr()).parse();
    if (!result) {
        return false;
    }
    const double number = *result;
    if (std::trunc(number) == number && number >= std::numeric_limits<std::int32_t>::min() &&
        number <= std::numeric_limits<std::int32_t>::max()) {
        value = static_cast<std::int32_t>(number);
    } else {
        value = number;
    }
    return true;
}

bool kxdbIsExpressionFunctionName(const KxString& name) {
    return findFunction(lowerCase(name.wstr())) != nullptr;
}

bool kxdbIsExpressionConstantName(const KxString& name) {
    return lowerCase(name.wstr()) == kPiName;
}

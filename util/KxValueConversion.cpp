#include "util/KxParameterUtil.h"

#include "host/KxEvalVariantText.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>

// Numbers are read by the rules of formatted input ("%lg %s", "%ld %s", "%ld") but by hand in the
// "C" locale: the scanf family would take the decimal separator of the process locale, and a host
// running in German must still read "1.5". Only the decimal syntax is taken: no "inf", "nan" or
// hexadecimal forms.

namespace {

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

class NumberScanner {
public:
    explicit NumberScanner(std::wstring_view text) : mText(text) {}

    // "%lg": blanks, an optional sign, digits with an optional point and fraction (or a point and
    // digits), an optional exponent. A number beyond the range of a double is not one real.
    std::optional<double> real() {
        skipBlanks();
        std::string number;
        if (at(L'+') || at(L'-')) {
            number += static_cast<char>(mText[mPos++]);
        }
        const std::size_t whole = digits(number);
        std::size_t fraction = 0;
        if (at(L'.') && (whole > 0 || (mPos + 1 < mText.size() && isDigit(mText[mPos + 1])))) {
            number += '.';
            ++mPos;
            fraction = digits(number);
        }
        if (whole + fraction == 0) {
            return std::nullopt;
        }
        if (at(L'e') || at(L'E')) {
            // Taken only with digits; otherwise the letter is left for the next field.
            std::size_t look = mPos + 1;
            if (look < mText.size() && (mText[look] == L'+' || mText[look] == L'-')) {
                ++look;
            }
            if (look < mText.size() && isDigit(mText[look])) {
                number.append(1, 'e').append(mText.begin() + static_cast<std::ptrdiff_t>(mPos) + 1,
                                             mText.begin() + static_cast<std::ptrdiff_t>(look));
                mPos = look;
                digits(number);
            }
        }
        const char* first = number.data() + (number.front() == '+' ? 1 : 0);
        const char* last = number.data() + number.size();
        double value = 0.0;
        const auto parsed = std::from_chars(first, last, value);
        if (parsed.ec != std::errc() || parsed.ptr != last || !std::isfinite(value)) {
            return std::nullopt;
        }
        return value;
    }

    // "%ld": blanks, an optional sign, digits. A number too long for any integer is held at a
    // bound far outside every target's range, so that the caller refuses it.
    std::optional<long long> integer() {
        skipBlanks();
        const bool negative = at(L'-');
        if (negative || at(L'+')) {
            ++mPos;
        }
        if (!(mPos < mText.size() && isDigit(mText[mPos]))) {
            return std::nullopt;
        }
        constexpr long long kBeyondEveryTarget = 1LL << 40;
        long long value = 0;
        while (mPos < mText.size() && isDigit(mText[mPos])) {
            value = std::min(value * 10 + (mText[mPos++] - L'0'), kBeyondEveryTarget);
        }
        return negative ? -value : value;
    }

    // " %s" converts nothing only when nothing but blanks is left.
    bool onlyBlanksLeft() {
        skipBlanks();
        return mPos == mText.size();
    }

private:
    bool at(wchar_t c) const { return mPos < mText.size() && mText[mPos] == c; }

    void skipBlanks() {
        while (mPos < mText.size() && isBlank(mText[mPos])) {
            ++mPos;
        }
    }

    std::size_t digits(std::string& number) {
        const std::size_t start = mPos;
        while (mPos < mText.size() && isDigit(mText[mPos])) {
            number += static_cast<char>(mText[mPos++]);
        }
        return mPos - start;
    }

    std::wstring_view mText;
    std::size_t mPos = 0;
};

} // namespace

namespace KxParameterUtil {

Lumo::ErrorStatus stringToEvalVariant(const KxString& text, KxDbEvalVariant& value) {
    NumberScanner scanner(text.wstr());
    switch (value.getType()) {
    case kDwgReal: {
        const std::optional<double> number = scanner.real();
        if (!number || !scanner.onlyBlanksLeft()) {
            return Lumo::eInvalidInput;
        }
        value = *number;
        return Lumo::eOk;
    }
    case kDwgInt32: {
        const std::optional<long long> number = scanner.integer();
        if (!number || *number < std::numeric_limits<std::int32_t>::min() ||
            *number > std::numeric_limits<std::int32_t>::max() || !scanner.onlyBlanksLeft()) {
            return Lumo::eInvalidInput;
        }
        value = static_cast<std::int32_t>(*number);
        return Lumo::eOk;
    }
    case kDwgInt16: {
        // Only the number is read; what follows it is not looked at.
        const std::optional<long long> number = scanner.integer();
        if (!number || *number < -32767 || *number > 32767) {
            return Lumo::eInvalidInput;
        }
        value = static_cast<short>(*number);
        return Lumo::eOk;
    }
    case kDwgText:
        value = text;
        return Lumo::eOk;
    case kDwgNull:
        return Lumo::eUntypedValue;
    default:
        return Lumo::eNotSupported;
    }
}

KxString evalVariantToString(const KxDbEvalVariant& value) {
    return kxdbEvalVariantToString(value);
}

double evalVarInDouble(const KxDbEvalVariant& value) {
    switch (value.getType()) {
    case kDwgReal:
        return value.getDouble();
    case kDwgInt32:
        return static_cast<double>(value.getInt32());
    case kDwgInt16:
        return static_cast<double>(value.getInt16());
    default:
        return -1.0;
    }
}

} // namespace KxParameterUtil

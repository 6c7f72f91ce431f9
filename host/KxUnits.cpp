#include "host/KxUnits.h"

#include "host/KxHostStatus.h"
#include "host/KxSysVars.h"
#include "host/internal/KxNumberText.h"

#include <charconv>
#include <cmath>
#include <string>
#include <string_view>

using namespace KxNumberText;

namespace {

constexpr double kPi = 3.141592653589793;

// The unit or precision to use: the given one, or for -1 the system variable's current value.
bool settle(int given, const wchar_t* variable, int minimum, int maximum, int& used) {
    if (given == -1) {
        KxResBuf current;
        if (kxedGetVar(variable, &current) != kRtNorm) {
            return false;
        }
        given = current.resval.rint;
    }
    if (given < minimum || given > maximum) {
        return false;
    }
    used = given;
    return true;
}

std::string decimalText(unsigned long long value) {
    char buffer[24];
    return {buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr};
}

std::string withPlaces(const Digits& digits) {
    return digits.fraction.empty() ? digits.whole : digits.whole + '.' + digits.fraction;
}

bool isZero(const Digits& digits) {
    return allZeros(digits.whole) && allZeros(digits.fraction);
}

std::string signFor(double value, bool shownAsZero) {
    return value < 0 && !shownAsZero ? "-" : "";
}

// ---- lengths ----

std::string scientific(double value, int precision) {
    int exponent = 0;
    const std::string digits = significantDigits(value, precision + 1, exponent);
    std::string text = signFor(value, allZeros(digits)) + digits.substr(0, 1);
    if (precision > 0) {
        text += '.' + digits.substr(1);
    }
    std::string exponentDigits = decimalText(static_cast<unsigned long long>(std::abs(exponent)));
    if (exponentDigits.size() < 2) {
        exponentDigits.insert(0, 1, '0');
    }
    return text + 'E' + (exponent < 0 ? '-' : '+') + exponentDigits;
}

std::string decimal(double value, int precision) {
    const Digits digits = roundMagnitude(value, precision);
    return signFor(value, isZero(digits)) + withPlaces(digits);
}

std::string engineering(double value, int precision) {
    // Inches are rounded before feet are split off, so that a carry reaches the feet.
    const Digits digits = roundMagnitude(value, precision);
    unsigned inches = 0;
    const std::string feet = divideDigits(digits.whole, 12, inches);
    return signFor(value, isZero(digits)) + feet + "'-" +
           withPlaces({decimalText(inches), digits.fraction}) + '"';
}

// |value| as whole units and a count of 1/2^precision parts, the parts rounded half away from
// zero with a carry into the whole units.
struct WholeAndParts {
    std::string whole;
    unsigned long long parts;
    unsigned long long denominator;
};

WholeAndParts wholeAndParts(double value, int precision) {
    WholeAndParts split{{}, 0, 1ULL << precision};
    double fraction = 0.0;
    splitMagnitude(value, split.whole, fraction);
    split.parts = static_cast<unsigned long long>(std::round(std::ldexp(fraction, precision)));
    if (split.parts >= split.denominator) {
        split.whole = incrementDigits(split.whole);
        split.parts = 0;
    }
    return split;
}

// " 1/2" in lowest terms, or nothing for no parts.
std::string fractionText(unsigned long long parts, unsigned long long denominator) {
    if (parts == 0) {
        return {};
    }
    while (parts % 2 == 0 && denominator > 1) {
        parts /= 2;
        denominator /= 2;
    }
    return decimalText(parts) + '/' + decimalText(denominator);
}

std::string architectural(double value, int precision) {
    const WholeAndParts split = wholeAndParts(value, precision);
    unsigned inches = 0;
    const std::string feet = divideDigits(split.whole, 12, inches);
    const std::string fraction = fractionText(split.parts, split.denominator);
    return signFor(value, allZeros(split.whole) && split.parts == 0) + feet + "'-" +
           decimalText(inches) + (fraction.empty() ? "" : ' ' + fraction) + '"';
}

std::string fractional(double value, int precision) {
    const WholeAndParts split = wholeAndParts(value, precision);
    const std::string fraction = fractionText(split.parts, split.denominator);
    const std::string sign = signFor(value, allZeros(split.whole) && split.parts == 0);
    if (fraction.empty()) {
        return sign + split.whole;
    }
    if (allZeros(split.whole)) {
        return sign + fraction;
    }
    return sign + split.whole + ' ' + fraction;
}

// ---- angles ----

// Degrees rounded for the degrees/minutes/seconds form: a count of the smallest part shown
// (degrees, minutes or seconds) and, at precision 5 and up, the seconds' decimals.
struct Dms {
    unsigned long long count;
    std::string fraction;
    unsigned long long perDegree;
};

Dms roundDms(double degrees, int precision) {
    const unsigned long long perDegree = precision == 0 ? 1 : precision <= 2 ? 60 : 3600;
    const Digits digits = roundMagnitude(degrees * static_cast<double>(perDegree),
                                         precision >= 5 ? precision - 4 : 0);
    Dms dms{0, digits.fraction, perDegree};
    digitsToUnsigned(digits.whole, dms.count); // below 360 degrees' worth, always fits
    return dms;
}

std::string dmsText(const Dms& dms, int precision) {
    std::string text = decimalText(dms.count / dms.perDegree) + 'd';
    if (precision >= 1) {
        const unsigned long long seconds = dms.perDegree == 3600 ? dms.count % 3600 : 0;
        const unsigned long long minutes =
            dms.perDegree == 60 ? dms.count % 60 : dms.count % 3600 / 60;
        text += decimalText(minutes) + '\'';
        if (precision >= 3) {
            text += withPlaces({decimalText(seconds % 60), dms.fraction}) + '"';
        }
    }
    return text;
}

std::string degreesMinutesSeconds(double degrees, int precision) {
    Dms dms = roundDms(degrees, precision);
    if (dms.count >= 360 * dms.perDegree) {
        dms.count = 0; // rounded up to the full turn
    }
    return dmsText(dms, precision);
}

std::string surveyor(double degrees, int precision) {
    // The quadrant decides the letters; the bearing is measured from north or south.
    char base = 'N';
    char side = 'E';
    double bearing = 90.0 - degrees;
    if (degrees >= 270.0) {
        base = 'S', side = 'E', bearing = degrees - 270.0;
    } else if (degrees >= 180.0) {
        base = 'S', side = 'W', bearing = 270.0 - degrees;
    } else if (degrees >= 90.0) {
        base = 'N', side = 'W', bearing = degrees - 90.0;
    }
    const Dms dms = roundDms(bearing, precision);
    if (dms.count == 0 && allZeros(dms.fraction)) {
        return {base};
    }
    if (dms.count >= 90 * dms.perDegree) {
        return {side};
    }
    return std::string(1, base) + ' ' + dmsText(dms, precision) + ' ' + side;
}

// The angle within one turn of `turn` units, a turn being 2π radians. Reduced in radians first, so
// that no angle overflows on the way to the unit.
double withinTurn(double radians, double turn) {
    double value = std::fmod(radians, 2 * kPi);
    if (turn != 2 * kPi) {
        value = value * (turn / 2.0) / kPi;
    }
    value = std::fmod(value, turn);
    if (value < 0) {
        value += turn;
    }
    return value >= turn ? 0.0 : value;
}

// Decimal degrees, grads or radians, a rounding up to the full turn shown as zero.
std::string turnFraction(double value, int precision, double turn, const char* suffix) {
    Digits digits = roundMagnitude(value, precision);
    if (turn != 2 * kPi && digits.whole == decimalText(static_cast<unsigned long long>(turn))) {
        // A count and a character, not a text: GCC 12 at -O3 sees an overlap in copying a text
        // over the string that cannot happen, and warns.
        digits.whole.assign(1, '0');
    }
    return withPlaces(digits) + suffix;
}

// ---- parsing ----

std::wstring_view trimmed(std::wstring_view text) {
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

bool readPlainNumber(std::wstring_view text, double& value) {
    const std::size_t sign = !text.empty() && (text[0] == L'-' || text[0] == L'+') ? 1 : 0;
    const std::size_t length = scanUnsignedDecimal(text.substr(sign), true);
    return length > 0 && sign + length == text.size() && toDouble(text, value);
}

bool readUnsignedDecimal(std::wstring_view text, double& value) {
    const std::size_t length = scanUnsignedDecimal(text, false);
    return length > 0 && length == text.size() && toDouble(text, value);
}

// "1/2": digits, a slash, digits; a zero denominator is refused.
bool readFraction(std::wstring_view text, double& value) {
    const std::size_t numerator = scanDigits(text);
    if (numerator == 0 || numerator >= text.size() || text[numerator] != L'/') {
        return false;
    }
    const std::wstring_view below = text.substr(numerator + 1);
    double top = 0.0;
    double bottom = 0.0;
    if (scanDigits(below) != below.size() || !toDouble(text.substr(0, numerator), top) ||
        !toDouble(below, bottom) || bottom == 0.0) {
        return false;
    }
    value = top / bottom;
    return std::isfinite(value);
}

// "15 1/2" or "1/2".
bool readMixedFraction(std::wstring_view text, double& value) {
    const std::size_t whole = scanDigits(text);
    if (whole == 0 || whole == text.size() || !isBlank(text[whole])) {
        return readFraction(text, value);
    }
    std::size_t rest = whole;
    while (rest < text.size() && isBlank(text[rest])) {
        ++rest;
    }
    double units = 0.0;
    double part = 0.0;
    if (!toDouble(text.substr(0, whole), units) || !readFraction(text.substr(rest), part)) {
        return false;
    }
    value = units + part;
    return std::isfinite(value);
}

// The inches before the inch mark: "3.5", "3 1/2" or "1/2".
bool readInches(std::wstring_view text, double& value) {
    return text.find(L'/') != std::wstring_view::npos ? readMixedFraction(text, value)
                                                      : readUnsignedDecimal(text, value);
}

// "1'-3.5\"", "1'3.5\"", "1'" or "3.5\"", without the leading minus.
bool readFeetAndInches(std::wstring_view text, double& value) {
    const std::size_t mark = text.find(L'\'');
    double feet = 0.0;
    double rest = 0.0;
    if (mark == std::wstring_view::npos) {
        return text.size() > 1 && text.back() == L'"' &&
               readInches(text.substr(0, text.size() - 1), value);
    }
    if (!readUnsignedDecimal(text.substr(0, mark), feet)) {
        return false;
    }
    std::wstring_view after = text.substr(mark + 1);
    if (!after.empty()) {
        if (after.front() == L'-') {
            after.remove_prefix(1);
        }
        if (after.size() < 2 || after.back() != L'"' ||
            !readInches(after.substr(0, after.size() - 1), rest)) {
            return false;
        }
    }
    value = feet * 12.0 + rest;
    return std::isfinite(value);
}

} // namespace

int kxdbRToS(double value, int unit, int precision, KxString& result) {
    int mode = 0;
    int places = 0;
    if (!std::isfinite(value) || !settle(unit, L"LUNITS", 1, 5, mode) ||
        !settle(precision, L"LUPREC", 0, 8, places)) {
        return kRtError;
    }
    std::string text;
    switch (mode) {
    case 1:
        text = scientific(value, places);
        break;
    case 2:
        text = decimal(value, places);
        break;
    case 3:
        text = engineering(value, places);
        break;
    case 4:
        text = architectural(value, places);
        break;
    default:
        text = fractional(value, places);
        break;
    }
    result = KxString::fromUtf8(text);
    return kRtNorm;
}

int kxdbAngToS(double radians, int unit, int precision, KxString& result) {
    int mode = 0;
    int places = 0;
    if (!std::isfinite(radians) || !settle(unit, L"AUNITS", 0, 4, mode) ||
        !settle(precision, L"AUPREC", 0, 8, places)) {
        return kRtError;
    }
    std::string text;
    switch (mode) {
    case 0:
        text = turnFraction(withinTurn(radians, 360.0), places, 360.0, "");
        break;
    case 1:
        text = degreesMinutesSeconds(withinTurn(radians, 360.0), places);
        break;
    case 2:
        text = turnFraction(withinTurn(radians, 400.0), places, 400.0, "g");
        break;
    case 3:
        text = turnFraction(withinTurn(radians, 2 * kPi), places, 2 * kPi, "r");
        break;
    default:
        text = surveyor(withinTurn(radians, 360.0), places);
        break;
    }
    result = KxString::fromUtf8(text);
    return kRtNorm;
}

int kxdbDisToF(const wchar_t* text, int unit, double* result) {
    int mode = 0;
    if (!text || !result || !settle(unit, L"LUNITS", 1, 5, mode)) {
        return kRtError;
    }
    const std::wstring_view body = trimmed(text);
    double value = 0.0;
    bool read = readPlainNumber(body, value);
    if (!read && !body.empty()) {
        // The feet-and-inches and fraction forms take a minus sign before the whole.
        const bool negative = body.front() == L'-';
        const std::wstring_view unsignedBody = body.substr(negative ? 1 : 0);
        read = ((mode == 3 || mode == 4) && readFeetAndInches(unsignedBody, value)) ||
               ((mode == 4 || mode == 5) && readMixedFraction(unsignedBody, value));
        if (negative) {
            value = -value;
        }
    }
    if (!read) {
        return kRtError;
    }
    *result = value;
    return kRtNorm;
}

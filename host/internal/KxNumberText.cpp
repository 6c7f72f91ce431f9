#include "host/internal/KxNumberText.h"

#include <charconv>
#include <cmath>
#include <cstdint>

namespace KxNumberText {

namespace {

constexpr int kSignificant = 15;

// The digits of |value| at 15 significant digits, placed so that the first `wholeLength` of them
// are the whole part and the rest the fraction (zeros are added on either side as needed).
std::string placedDigits(double value, int& wholeLength) {
    int exponent = 0;
    std::string digits = significantDigits(value, kSignificant, exponent);
    wholeLength = exponent + 1;
    if (wholeLength < 0) {
        digits.insert(0, static_cast<std::size_t>(-wholeLength), '0');
        wholeLength = 0;
    }
    if (static_cast<std::size_t>(wholeLength) > digits.size()) {
        digits.append(static_cast<std::size_t>(wholeLength) - digits.size(), '0');
    }
    return digits;
}

std::string withoutLeadingZeros(const std::string& digits) {
    const std::size_t first = digits.find_first_not_of('0');
    return first == std::string::npos ? std::string("0") : digits.substr(first);
}

// Adds one to the last digit and carries; true when the carry ran out of digits.
bool carryIntoDigits(std::string& digits) {
    for (std::size_t i = digits.size(); i-- > 0;) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return false;
        }
    }
    return true;
}

} // namespace

std::string significantDigits(double value, int count, int& exponent) {
    // "d.dddddddddddddde+XX": 14 fraction digits give the 15 significant ones.
    char buffer[40];
    const auto written = std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value),
                                       std::chars_format::scientific, kSignificant - 1);
    std::string digits(1, buffer[0]);
    const char* cursor = buffer + 1;
    if (*cursor == '.') {
        for (++cursor; *cursor != 'e'; ++cursor) {
            digits += *cursor;
        }
    }
    ++cursor;
    if (*cursor == '+') {
        ++cursor;
    }
    exponent = 0;
    std::from_chars(cursor, written.ptr, exponent);
    if (digits.find_first_not_of('0') == std::string::npos) {
        exponent = 0;
    }
    const auto kept = static_cast<std::size_t>(count);
    if (kept < digits.size()) {
        const bool up = digits[kept] >= '5';
        digits.resize(kept);
        if (up && carryIntoDigits(digits)) {
            digits.insert(0, 1, '1');
            digits.pop_back();
            ++exponent;
        }
    }
    return digits;
}

Digits roundMagnitude(double value, int places) {
    int wholeLength = 0;
    std::string digits = placedDigits(value, wholeLength);
    const int keepLength = wholeLength + places;
    const auto keep = static_cast<std::size_t>(keepLength);
    bool up = false;
    if (digits.size() > keep) {
        up = digits[keep] >= '5';
        digits.resize(keep);
    } else {
        digits.append(keep - digits.size(), '0');
    }
    if (up && carryIntoDigits(digits)) {
        digits.insert(0, 1, '1');
        ++wholeLength;
    }
    const auto split = static_cast<std::size_t>(wholeLength);
    return {withoutLeadingZeros(digits.substr(0, split)), digits.substr(split)};
}

void splitMagnitude(double value, std::string& whole, double& fraction) {
    int wholeLength = 0;
    const std::string digits = placedDigits(value, wholeLength);
    const auto split = static_cast<std::size_t>(wholeLength);
    whole = withoutLeadingZeros(digits.substr(0, split));
    const std::string text = "0." + digits.substr(split) + "0";
    fraction = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), fraction);
}

std::string divideDigits(const std::string& digits, unsigned divisor, unsigned& remainder) {
    std::string quotient;
    unsigned long long carried = 0;
    for (char digit : digits) {
        carried = carried * 10 + static_cast<unsigned>(digit - '0');
        quotient += static_cast<char>('0' + carried / divisor);
        carried %= divisor;
    }
    remainder = static_cast<unsigned>(carried);
    return withoutLeadingZeros(quotient);
}

std::string incrementDigits(std::string digits) {
    if (carryIntoDigits(digits)) {
        digits.insert(0, 1, '1');
    }
    return digits;
}

bool allZeros(const std::string& digits) {
    return digits.find_first_not_of('0') == std::string::npos;
}

bool digitsToUnsigned(const std::string& digits, unsigned long long& value) {
    const auto parsed = std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return parsed.ec == std::errc() && parsed.ptr == digits.data() + digits.size();
}

bool isBlank(wchar_t c) {
    return c == L' ' || c == L'\t' || c == L'\n' || c == L'\v' || c == L'\f' || c == L'\r';
}

bool isDigit(wchar_t c) {
    return c >= L'0' && c <= L'9';
}

std::size_t scanDigits(std::wstring_view text) {
    std::size_t length = 0;
    while (length < text.size() && isDigit(text[length])) {
        ++length;
    }
    return length;
}

std::size_t scanUnsignedDecimal(std::wstring_view text, bool withExponent) {
    std::size_t length = scanDigits(text);
    if (length < text.size() && text[length] == L'.') {
        const std::size_t fraction = scanDigits(text.substr(length + 1));
        if (length == 0 && fraction == 0) {
            return 0; // a lone point is no number
        }
        length += 1 + fraction;
    }
    if (length == 0) {
        return 0;
    }
    if (withExponent && length < text.size() && (text[length] == L'e' || text[length] == L'E')) {
        std::size_t exponent = length + 1;
        if (exponent < text.size() && (text[exponent] == L'+' || text[exponent] == L'-')) {
            ++exponent;
        }
        const std::size_t digits = scanDigits(text.substr(exponent));
        if (digits > 0) {
            length = exponent + digits;
        }
    }
    return length;
}

bool toDouble(std::wstring_view text, double& value) {
    std::string narrow;
    narrow.reserve(text.size());
    for (wchar_t c : text) {
        // wchar_t is signed here and unsigned on Windows: compare as an unsigned code.
        if (static_cast<std::uint32_t>(c) > 0x7F) {
            return false;
        }
        narrow += static_cast<char>(c);
    }
    // from_chars takes a minus sign but no plus sign.
    std::size_t start = !narrow.empty() && narrow.front() == '+' ? 1 : 0;
    if (start == 1 && narrow.size() > 1 && narrow[1] == '-') {
        return false;
    }
    double parsed = 0.0;
    const char* end = narrow.data() + narrow.size();
    const auto result = std::from_chars(narrow.data() + start, end, parsed);
    if (result.ec != std::errc() || result.ptr != end || !std::isfinite(parsed)) {
        return false;
    }
    value = parsed;
    return true;
}

} // namespace KxNumberText

#pragma once

// Decimal text for the host's formatting and parsing, always in the "C" locale: nothing here reads
// the process locale. Internal to the host.

#include <cstddef>
#include <string>
#include <string_view>

namespace KxNumberText {

// A magnitude as decimal digits: the whole part (at least "0", no leading zeros) and the fraction.
struct Digits {
    std::string whole;
    std::string fraction;
};

// |value| rounded half away from zero to `places` decimals. The value is first taken as the nearest
// decimal of 15 significant digits, so that the noise of a computation (45.5 degrees that came
// back from radians as 45.49999999999999) does not decide which way a half goes.
Digits roundMagnitude(double value, int places);

// |value| as that same 15-digit decimal, unrounded: its whole digits and its fraction part.
void splitMagnitude(double value, std::string& whole, double& fraction);

// |value| rounded half away from zero to `count` significant digits (`count` of 1..15) and the
// decimal exponent of the first of them. Zero gives zeros and exponent 0.
std::string significantDigits(double value, int count, int& exponent);

// Long division of a digit string: the quotient without leading zeros, and the remainder.
std::string divideDigits(const std::string& digits, unsigned divisor, unsigned& remainder);
// The digit string plus one.
std::string incrementDigits(std::string digits);
// True when the digits are all zeros (or there are none).
bool allZeros(const std::string& digits);
// A small digit string as a number; false when it does not fit.
bool digitsToUnsigned(const std::string& digits, unsigned long long& value);

// The blanks of the "C" locale: space, tab, line feed, vertical tab, form feed, carriage return.
bool isBlank(wchar_t c);
bool isDigit(wchar_t c);
// The length of the run of digits at the start of `text`.
std::size_t scanDigits(std::wstring_view text);
// The length of the unsigned decimal number at the start of `text`: digits with an optional point
// and fraction, or a point and digits; with `withExponent`, an optional exponent (`e` or `E`, an
// optional sign, digits). 0 when no number starts there.
std::size_t scanUnsignedDecimal(std::wstring_view text, bool withExponent);
// Text that is exactly a decimal number (with an optional sign) as a finite double; false for
// anything else, a number beyond the range of a double included.
bool toDouble(std::wstring_view text, double& value);

} // namespace KxNumberText

#include "host/KxUnits.h"

#include "host/testing/KxHostTesting.h"
#include "support/CommaDecimalLocale.h"
#include "support/HostSysVars.h"

#include <array>
#include <cmath>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
using Texts = std::array<const char*, 5>;
using Format = int (*)(double, int, int, KxString&);

// The text written, or "refused" for a refusal that left the output alone.
std::string text(Format format, double value, int unit, int precision) {
    KxString written(L"untouched");
    const int status = format(value, unit, precision, written);
    if (status != kRtNorm) {
        return status == kRtError && written == L"untouched" ? "refused" : "a bad refusal";
    }
    return written.toUtf8();
}

// The value read, or NaN for a refusal that left the output alone.
double distof(const wchar_t* text, int unit) {
    double value = -12345.0;
    const int status = kxdbDisToF(text, unit, &value);
    EXPECT_TRUE(status == kRtNorm || (status == kRtError && value == -12345.0)) << status;
    return status == kRtNorm ? value : kNaN;
}

using Units = SysVarsTest;

TEST_F(Units, LengthsInEachModeRoundHalvesAwayFromZeroCarryAndShowNoNegativeZero) {
    const CommaDecimalLocale german; // the process's own formatting writes "1,5"; these do not
    // A value and a precision, then the text in modes 1 to 5.
    const std::tuple<double, int, Texts> rows[] = {
        {15.5, 4, {"1.5500E+01", "15.5000", "1'-3.5000\"", "1'-3 1/2\"", "15 1/2"}},
        {15.5, 0, {"2E+01", "16", "1'-4\"", "1'-4\"", "16"}},
        {0.2, 8, {"2.00000000E-01", "0.20000000", "0'-0.20000000\"", "0'-0 51/256\"", "51/256"}},
        {0.0, 4, {"0.0000E+00", "0.0000", "0'-0.0000\"", "0'-0\"", "0"}},
        {11.99, 2, {"1.20E+01", "11.99", "0'-11.99\"", "1'-0\"", "12"}},
        {-0.5, 2, {"-5.00E-01", "-0.50", "-0'-0.50\"", "-0'-0 1/2\"", "-1/2"}},
        {-2.5, 0, {"-3E+00", "-3", "-0'-3\"", "-0'-3\"", "-3"}},
        {1.005, 2, {"1.01E+00", "1.01", "0'-1.01\"", "0'-1\"", "1"}},
        {0.75, 1, {"7.5E-01", "0.8", "0'-0.8\"", "0'-1\"", "1"}},
        {9.99996, 4, {"1.0000E+01", "10.0000", "0'-10.0000\"", "0'-10\"", "10"}},
        {0.00155, 2, {"1.55E-03", "0.00", "0'-0.00\"", "0'-0\"", "0"}},
        {-0.001, 2, {"-1.00E-03", "0.00", "0'-0.00\"", "0'-0\"", "0"}}};
    for (const auto& [value, precision, texts] : rows) {
        for (int unit = 1; unit <= 5; ++unit) {
            EXPECT_EQ(text(kxdbRToS, value, unit, precision), texts[unit - 1]) << value << unit;
        }
    }
    EXPECT_EQ(text(kxdbRToS, 1e100, 1, 1), "1.0E+100");
}

TEST_F(Units, AnglesInEachModeAreShownWithinOneTurn) {
    // Degrees and a precision, then the text in modes 0 to 4.
    const std::tuple<double, int, Texts> rows[] = {
        {45.5, 4, {"45.5000", "45d30'0\"", "50.5556g", "0.7941r", "N 44d30'0\" E"}},
        {45.5, 0, {"46", "46d", "51g", "1r", "N 45d E"}},
        {45.5, 5, {"45.50000", "45d30'0.0\"", "50.55556g", "0.79412r", "N 44d30'0.0\" E"}},
        // 1.5 seconds round away from zero.
        {10.25 + 1.5 / 3600, 4, {"10.2504", "10d15'2\"", "11.3894g", "0.1789r", "N 79d44'59\" E"}},
        {135.0, 4, {"135.0000", "135d0'0\"", "150.0000g", "2.3562r", "N 45d0'0\" W"}},
        {200.0, 4, {"200.0000", "200d0'0\"", "222.2222g", "3.4907r", "S 70d0'0\" W"}},
        {90.0, 4, {"90.0000", "90d0'0\"", "100.0000g", "1.5708r", "N"}},
        {180.0, 4, {"180.0000", "180d0'0\"", "200.0000g", "3.1416r", "W"}},
        {-90.0, 4, {"270.0000", "270d0'0\"", "300.0000g", "4.7124r", "S"}},
        {360.0, 4, {"0.0000", "0d0'0\"", "0.0000g", "0.0000r", "E"}},
        {-765.0, 2, {"315.00", "315d0'", "350.00g", "5.50r", "S 45d0' E"}},
        // A rounding up to the full turn shows as zero.
        {359.9999, 0, {"0", "0d", "0g", "6r", "E"}}};
    for (const auto& [degrees, precision, texts] : rows) {
        for (int unit = 0; unit <= 4; ++unit) {
            EXPECT_EQ(text(kxdbAngToS, degrees * kPi / 180, unit, precision), texts[unit])
                << degrees << " in " << unit << " at " << precision;
        }
    }
    for (int unit = 0; unit <= 4; ++unit) { // even the largest angle lands within the turn
        const std::string huge = text(kxdbAngToS, std::numeric_limits<double>::max(), unit, 8);
        EXPECT_TRUE(huge.size() < 20 && huge.find_first_of("afin") == std::string::npos) << huge;
    }
}

TEST_F(Units, BadUnitsPrecisionsAndValuesAreRefused) {
    // A format, a unit, a precision and a value.
    const std::tuple<Format, int, int, double> rows[] = {
        {kxdbRToS, 0, 2, 1.0},   {kxdbRToS, 6, 2, 1.0},        {kxdbRToS, -2, 2, 1.0},
        {kxdbRToS, 2, 9, 1.0},   {kxdbRToS, 2, -2, 1.0},       {kxdbRToS, 2, 2, HUGE_VAL},
        {kxdbRToS, 2, 2, kNaN},  {kxdbAngToS, -2, 0, 1.0},     {kxdbAngToS, 5, 0, 1.0},
        {kxdbAngToS, 0, 9, 1.0}, {kxdbAngToS, 0, 0, -HUGE_VAL}};
    for (const auto& [format, unit, precision, value] : rows) {
        EXPECT_EQ(text(format, value, unit, precision), "refused") << unit << " " << precision;
    }
    EXPECT_EQ(kxdbDisToF(L"1", 2, nullptr), kRtError);
    EXPECT_TRUE(std::isnan(distof(L"1", 0)));
    EXPECT_TRUE(std::isnan(distof(L"1", 6)));
}

TEST_F(Units, DistancesAreReadInTheFormsOfTheirModesAndBackFromWhatTheyWrite) {
    // The modes that take the texts, and the value each text reads as; the other modes refuse.
    const std::tuple<std::string, double, std::vector<const wchar_t*>> rows[] = {
        {"12345", 15.5, {L"15.5", L"+15.5", L"1.55E+01", L"1.55e1", L" \t15.5  ", L"155e-1"}},
        {"12345", -0.5, {L"-.5", L"-0.5", L"-5e-1"}},
        {"12345", 4.0, {L"+4.", L"4"}},
        {"34", 15.5, {L"1'-3.5\"", L"1'3.5\"", L"1'-3 1/2\"", L"15.5\"", L" 1'3 1/2\" "}},
        {"34", 12.0, {L"1'", L"12\"", L"1'0\""}},
        {"34", 0.5, {L"1/2\"", L"0'-0 1/2\""}},
        {"34", -15.5, {L"-1'-3.5\"", L"-15 1/2\""}},
        {"45", 15.5, {L"15 1/2", L"31/2", L"15  1/2"}},
        {"45", -0.5, {L"-1/2", L"-2/4"}},
        {"", kNaN, {L"",      L"abc",     L"15.5x",  L"1e",    L"--1",          L".",
                    L"1e400", L"inf",     L"1'-",    L"1/0",   L"1/0\"",        L"1'-3",
                    L"1'-\"", L"1'--3\"", L"1' 3\"", L"'3\"",  L"\"",           L"1'-3\"\"",
                    L"+1'",   L"1.5e1'",  L"15 1/0", L"15 /2", L"1'-3.5 1/2\"", L"1/2/3"}}};
    for (const auto& [modes, value, texts] : rows) {
        for (const wchar_t* written : texts) {
            for (int unit = 1; unit <= 5; ++unit) {
                const double read = distof(written, unit);
                const bool taken = modes.find(char('0' + unit)) != std::string::npos;
                EXPECT_TRUE(taken ? read == value : std::isnan(read)) << KxString(written) << unit;
            }
        }
    }
    // What a mode writes reads back to a number that it writes the same way.
    for (int unit = 1; unit <= 5; ++unit) {
        for (int precision : {0, 2, 8}) {
            for (double value : {0.3, 1 / 3.0, -15.5, 123.456, -0.04, 11.999, 1e6 + 0.1, 7e-5}) {
                const std::string written = text(kxdbRToS, value, unit, precision);
                const double back = distof(KxString::fromUtf8(written).kwszPtr(), unit);
                EXPECT_EQ(text(kxdbRToS, back, unit, precision), written);
            }
        }
    }
}

short valueOf(const wchar_t* name) {
    KxResBuf buffer;
    EXPECT_EQ(kxedGetVar(name, &buffer), kRtNorm) << KxString(name);
    EXPECT_EQ(buffer.restype, kRtInt16);
    return buffer.resval.rint;
}

TEST_F(Units, TheFourVariablesKeepToTheirRanges) {
    // The name, the value at the start, the smallest and the largest value.
    const std::tuple<const wchar_t*, short, short, short> variables[] = {
        {L"LUNITS", 2, 1, 5}, {L"LUPREC", 4, 0, 8}, {L"AUNITS", 0, 0, 4}, {L"AUPREC", 0, 0, 8}};
    for (const auto& [name, initial, minimum, maximum] : variables) {
        EXPECT_EQ(valueOf(name), initial);
        EXPECT_EQ(setSysVar(name, short(minimum - 1)), kRtError);
        EXPECT_EQ(setSysVar(name, minimum), kRtNorm);
        EXPECT_EQ(setSysVar(name, maximum), kRtNorm);
        EXPECT_EQ(setSysVar(name, short(maximum + 1)), kRtError); // the old value kept
        EXPECT_EQ(valueOf(name), maximum);
    }
    EXPECT_EQ(setSysVar(L"lunits", 4), kRtNorm); // names in any case, and no others
    EXPECT_EQ(setSysVar(L"LUNITSX", 4), kRtError);
    KxResBuf buffer;
    buffer.restype = kRtReal; // nor another type
    EXPECT_EQ(kxedSetVar(L"LUNITS", &buffer), kRtError);
    EXPECT_EQ(kxedGetVar(L"LUNIT", &buffer), kRtError);
    EXPECT_EQ(buffer.restype, kRtReal); // a refusal writes nothing
    EXPECT_FALSE(kxedSetGetVarRefused(L"LUNIT", true));
    ASSERT_TRUE(kxedSetGetVarRefused(L"LUNITS", true)); // a refusal to read is lifted again
    ASSERT_TRUE(kxedSetGetVarRefused(L"LUNITS", false));
    EXPECT_EQ(valueOf(L"LUNITS"), 4);
}

} // namespace

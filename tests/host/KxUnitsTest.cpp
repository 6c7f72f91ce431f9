#include "host/KxUnits.h"

#include "support/HostSysVars.h"

#include <cmath>
#include <limits>
#include <string>

namespace {

constexpr double kPi = 3.141592653589793;

std::string rtos(double value, int unit, int precision) {
    KxString text(L"untouched");
    EXPECT_EQ(kxdbRToS(value, unit, precision, text), kRtNorm)
        << value << " unit " << unit << " precision " << precision;
    return text.toUtf8();
}

std::string angtos(double degrees, int unit, int precision) {
    KxString text(L"untouched");
    EXPECT_EQ(kxdbAngToS(degrees * kPi / 180.0, unit, precision, text), kRtNorm)
        << degrees << " degrees, unit " << unit << " precision " << precision;
    return text.toUtf8();
}

// The value read, or NaN when the text is refused.
double distof(const wchar_t* text, int unit) {
    double value = -12345.0;
    if (kxdbDisToF(text, unit, &value) != kRtNorm) {
        EXPECT_EQ(value, -12345.0) << "a refusal wrote its output";
        return std::numeric_limits<double>::quiet_NaN();
    }
    return value;
}

using Units = SysVarsTest;

TEST_F(Units, LengthsInEveryModeAtPrecisionsZeroTwoAndEight) {
    // The examples of the host's unit rules.
    EXPECT_EQ(rtos(15.5, 1, 4), "1.5500E+01");
    EXPECT_EQ(rtos(15.5, 2, 4), "15.5000");
    EXPECT_EQ(rtos(15.5, 3, 4), "1'-3.5000\"");
    EXPECT_EQ(rtos(15.5, 4, 4), "1'-3 1/2\"");
    EXPECT_EQ(rtos(15.5, 5, 4), "15 1/2");
    EXPECT_EQ(rtos(0.0, 1, 4), "0.0000E+00");
    EXPECT_EQ(rtos(3.5, 3, 4), "0'-3.5000\"");
    EXPECT_EQ(rtos(0.5, 4, 4), "0'-0 1/2\"");
    EXPECT_EQ(rtos(12.0, 4, 4), "1'-0\"");
    EXPECT_EQ(rtos(0.5, 5, 4), "1/2");
    EXPECT_EQ(rtos(0.0, 5, 4), "0");
    EXPECT_EQ(rtos(15.5, 1, 0), "2E+01");
    EXPECT_EQ(rtos(15.5, 2, 0), "16");
    EXPECT_EQ(rtos(15.5, 3, 0), "1'-4\"");
    EXPECT_EQ(rtos(15.5, 4, 0), "1'-4\"");
    EXPECT_EQ(rtos(15.5, 5, 0), "16");
    EXPECT_EQ(rtos(11.99, 4, 2), "1'-0\"");
    EXPECT_EQ(rtos(-15.5, 3, 2), "-1'-3.50\"");
    EXPECT_EQ(rtos(1.0 / 3.0, 5, 8), "85/256");

    // A value with parts in every position, at 0, 2 and 8.
    const double v = 1234.5678;
    EXPECT_EQ(rtos(v, 1, 0), "1E+03");
    EXPECT_EQ(rtos(v, 1, 2), "1.23E+03");
    EXPECT_EQ(rtos(v, 1, 8), "1.23456780E+03");
    EXPECT_EQ(rtos(v, 2, 0), "1235");
    EXPECT_EQ(rtos(v, 2, 2), "1234.57");
    EXPECT_EQ(rtos(v, 2, 8), "1234.56780000");
    EXPECT_EQ(rtos(v, 3, 0), "102'-11\"");
    EXPECT_EQ(rtos(v, 3, 2), "102'-10.57\"");
    EXPECT_EQ(rtos(v, 3, 8), "102'-10.56780000\"");
    EXPECT_EQ(rtos(v, 4, 0), "102'-11\"");
    EXPECT_EQ(rtos(v, 4, 2), "102'-10 1/2\"");
    EXPECT_EQ(rtos(v, 4, 8), "102'-10 145/256\"");
    EXPECT_EQ(rtos(v, 5, 0), "1235");
    EXPECT_EQ(rtos(v, 5, 2), "1234 1/2");
    EXPECT_EQ(rtos(v, 5, 8), "1234 145/256");
    EXPECT_EQ(rtos(-v, 5, 8), "-1234 145/256");
    EXPECT_EQ(rtos(-0.5, 5, 2), "-1/2");
    EXPECT_EQ(rtos(-12.0, 4, 2), "-1'-0\"");
}

TEST_F(Units, RoundingHalvesAwayFromZeroCarriesAndDropsTheSignOfZero) {
    EXPECT_EQ(rtos(2.5, 2, 0), "3");
    EXPECT_EQ(rtos(-2.5, 2, 0), "-3");
    EXPECT_EQ(rtos(0.125, 2, 2), "0.13");
    EXPECT_EQ(rtos(1.005, 2, 2), "1.01");
    EXPECT_EQ(rtos(0.25, 5, 1), "1/2");
    EXPECT_EQ(rtos(0.75, 5, 1), "1");
    EXPECT_EQ(rtos(9.99996, 1, 4), "1.0000E+01");
    EXPECT_EQ(rtos(0.00155, 1, 2), "1.55E-03");
    EXPECT_EQ(rtos(1e100, 1, 1), "1.0E+100");
    EXPECT_EQ(rtos(11.9999, 3, 2), "1'-0.00\"");
    EXPECT_EQ(rtos(23.99, 4, 0), "2'-0\"");
    EXPECT_EQ(rtos(-0.001, 2, 2), "0.00");
    EXPECT_EQ(rtos(-0.001, 3, 2), "0'-0.00\"");
    EXPECT_EQ(rtos(-0.001, 4, 2), "0'-0\"");
    EXPECT_EQ(rtos(-0.001, 5, 2), "0");
    EXPECT_EQ(rtos(-0.001, 1, 2), "-1.00E-03"); // not zero in scientific
    EXPECT_EQ(rtos(-0.0, 1, 2), "0.00E+00");
}

TEST_F(Units, LengthFormattingRefusesBadUnitsPrecisionsAndValues) {
    KxString text(L"untouched");
    for (int unit : {0, 6, -2}) {
        EXPECT_EQ(kxdbRToS(1.0, unit, 2, text), kRtError);
    }
    for (int precision : {9, -2}) {
        EXPECT_EQ(kxdbRToS(1.0, 2, precision, text), kRtError);
    }
    EXPECT_EQ(kxdbRToS(std::numeric_limits<double>::quiet_NaN(), 2, 2, text), kRtError);
    EXPECT_EQ(kxdbRToS(std::numeric_limits<double>::infinity(), 2, 2, text), kRtError);
    EXPECT_EQ(text, L"untouched");
}

TEST_F(Units, AnglesInEveryModeAtPrecisionsZeroAndFour) {
    EXPECT_EQ(angtos(45.5, 0, 4), "45.5000");
    EXPECT_EQ(angtos(45.5, 1, 4), "45d30'0\"");
    EXPECT_EQ(angtos(45.5, 2, 4), "50.5556g");
    EXPECT_EQ(angtos(45.5, 3, 4), "0.7941r");
    EXPECT_EQ(angtos(45.5, 4, 4), "N 44d30'0\" E");
    EXPECT_EQ(angtos(45.5, 0, 0), "46");
    EXPECT_EQ(angtos(45.5, 1, 0), "46d");
    EXPECT_EQ(angtos(45.5, 2, 0), "51g");
    EXPECT_EQ(angtos(45.5, 3, 0), "1r");
    EXPECT_EQ(angtos(45.5, 4, 0), "N 45d E");
    // The radians of the example as given.
    KxString text;
    ASSERT_EQ(kxdbAngToS(0.794125, 0, 4, text), kRtNorm);
    EXPECT_EQ(text, L"45.5000");

    // Degrees, minutes and seconds by precision.
    EXPECT_EQ(angtos(45.5, 1, 1), "45d30'");
    EXPECT_EQ(angtos(45.5, 1, 2), "45d30'");
    EXPECT_EQ(angtos(45.5, 1, 3), "45d30'0\"");
    EXPECT_EQ(angtos(45.5, 1, 5), "45d30'0.0\"");
    EXPECT_EQ(angtos(45.5, 1, 8), "45d30'0.0000\"");
    EXPECT_EQ(angtos(10.25 + 1.5 / 3600.0, 1, 4), "10d15'2\""); // 1.5" rounds away from zero
    EXPECT_EQ(angtos(10.0 + 59.6 / 60.0, 1, 2), "11d0'");       // minutes carry into degrees

    // Surveyor's bearings in each quadrant, and the four directions.
    EXPECT_EQ(angtos(135.0, 4, 4), "N 45d0'0\" W");
    EXPECT_EQ(angtos(200.0, 4, 4), "S 70d0'0\" W");
    EXPECT_EQ(angtos(300.0, 4, 4), "S 30d0'0\" E");
    EXPECT_EQ(angtos(0.0, 4, 4), "E");
    EXPECT_EQ(angtos(90.0, 4, 4), "N");
    EXPECT_EQ(angtos(180.0, 4, 4), "W");
    EXPECT_EQ(angtos(270.0, 4, 4), "S");
}

TEST_F(Units, AnglesAreBroughtIntoOneTurn) {
    EXPECT_EQ(angtos(-90.0, 0, 0), "270");
    EXPECT_EQ(angtos(-90.0, 1, 4), "270d0'0\"");
    EXPECT_EQ(angtos(-90.0, 2, 0), "300g");
    EXPECT_EQ(angtos(-90.0, 3, 4), "4.7124r");
    EXPECT_EQ(angtos(-90.0, 4, 0), "S");
    EXPECT_EQ(angtos(360.0, 0, 4), "0.0000");
    EXPECT_EQ(angtos(360.0, 3, 4), "0.0000r");
    EXPECT_EQ(angtos(450.0, 0, 2), "90.00");
    EXPECT_EQ(angtos(-720.0 - 45.0, 0, 2), "315.00");
    // A rounding up to the full turn shows as zero.
    EXPECT_EQ(angtos(359.9999, 0, 0), "0");
    EXPECT_EQ(angtos(359.9999, 1, 2), "0d0'");
    EXPECT_EQ(angtos(399.9999 * 0.9, 2, 0), "0g");
    EXPECT_EQ(angtos(359.9999, 4, 0), "E");

    // Even the largest angles land within the turn.
    for (int unit = 0; unit <= 4; ++unit) {
        KxString huge;
        EXPECT_EQ(kxdbAngToS(std::numeric_limits<double>::max(), unit, 8, huge), kRtNorm);
        EXPECT_LT(huge.length(), 40) << huge;
        EXPECT_EQ(huge.wstr().find(L"nan"), std::wstring::npos) << huge;
        EXPECT_EQ(huge.wstr().find(L"inf"), std::wstring::npos) << huge;
    }

    KxString text(L"untouched");
    EXPECT_EQ(kxdbAngToS(1.0, 5, 0, text), kRtError);
    EXPECT_EQ(kxdbAngToS(1.0, 0, 9, text), kRtError);
    EXPECT_EQ(kxdbAngToS(std::numeric_limits<double>::infinity(), 0, 0, text), kRtError);
    EXPECT_EQ(text, L"untouched");
}

TEST_F(Units, DistancesAreReadInTheFormsOfEachMode) {
    for (int unit = 1; unit <= 5; ++unit) {
        SCOPED_TRACE(unit);
        EXPECT_EQ(distof(L"15.5", unit), 15.5);
        EXPECT_EQ(distof(L"-2", unit), -2.0);
        EXPECT_EQ(distof(L".5", unit), 0.5);
        EXPECT_EQ(distof(L"+4.", unit), 4.0);
        EXPECT_EQ(distof(L"1.55E+01", unit), 15.5);
        EXPECT_EQ(distof(L"1.55e1", unit), 15.5);
        EXPECT_EQ(distof(L" \t15.5  ", unit), 15.5);
        for (const wchar_t* bad : {L"", L"   ", L"abc", L"15.5x", L"1,5", L"1e", L"--1", L".",
                                   L"1e400", L"inf", L"0x10", L"1 2", L"1'-", L"1/0", L"1/0\""}) {
            EXPECT_TRUE(std::isnan(distof(bad, unit))) << KxString(bad);
        }
    }
    for (int unit : {3, 4}) {
        SCOPED_TRACE(unit);
        EXPECT_EQ(distof(L"1'-3.5\"", unit), 15.5);
        EXPECT_EQ(distof(L"1'3.5\"", unit), 15.5);
        EXPECT_EQ(distof(L"1'", unit), 12.0);
        EXPECT_EQ(distof(L"3.5\"", unit), 3.5);
        EXPECT_EQ(distof(L"1'-3 1/2\"", unit), 15.5);
        EXPECT_EQ(distof(L"3 1/2\"", unit), 3.5);
        EXPECT_EQ(distof(L"1/2\"", unit), 0.5);
        EXPECT_EQ(distof(L"-1'-3.5\"", unit), -15.5);
        EXPECT_EQ(distof(L"-1/2\"", unit), -0.5);
        EXPECT_EQ(distof(L" 1'-3\" ", unit), 15.0);
        for (const wchar_t* bad : {L"1'-3", L"1'-\"", L"1'--3\"", L"1' 3\"", L"'3\"", L"\"",
                                   L"1'-3\"\"", L"1'-1'-3\"", L"1.5e1'", L"+1'", L"1'-3.5 1/2\""}) {
            EXPECT_TRUE(std::isnan(distof(bad, unit))) << KxString(bad);
        }
    }
    for (int unit : {4, 5}) {
        SCOPED_TRACE(unit);
        EXPECT_EQ(distof(L"15 1/2", unit), 15.5);
        EXPECT_EQ(distof(L"1/2", unit), 0.5);
        EXPECT_EQ(distof(L"-15 1/2", unit), -15.5);
        EXPECT_TRUE(std::isnan(distof(L"15 1/0", unit)));
        EXPECT_TRUE(std::isnan(distof(L"15 /2", unit)));
        EXPECT_TRUE(std::isnan(distof(L"1/2/3", unit)));
    }
    // Forms that belong to other modes.
    EXPECT_TRUE(std::isnan(distof(L"1'-3\"", 2)));
    EXPECT_TRUE(std::isnan(distof(L"15 1/2", 2)));
    EXPECT_TRUE(std::isnan(distof(L"1/2", 3)));
    EXPECT_TRUE(std::isnan(distof(L"1'", 5)));
    EXPECT_TRUE(std::isnan(distof(L"1/2\"", 5)));

    double value = 7.0;
    EXPECT_EQ(kxdbDisToF(nullptr, 2, &value), kRtError);
    EXPECT_EQ(kxdbDisToF(L"1", 2, nullptr), kRtError);
    EXPECT_EQ(kxdbDisToF(L"1", 0, &value), kRtError);
    EXPECT_EQ(kxdbDisToF(L"1", 6, &value), kRtError);
    EXPECT_EQ(value, 7.0);
}

TEST_F(Units, ReadingAFormattedLengthGivesTheNumberBackWithinThePrecision) {
    const double values[] = {0.0,   0.3,    1.0 / 3.0, 15.5,      -15.5, 123.456,
                             -0.04, 11.999, 1234.5678, 1e6 + 0.1, 7e-5,  98765.4321};
    for (int unit = 1; unit <= 5; ++unit) {
        for (int precision : {0, 2, 8}) {
            for (double value : values) {
                const std::string text = rtos(value, unit, precision);
                const double back = distof(KxString::fromUtf8(text).kwszPtr(), unit);
                double tolerance =
                    unit >= 4 ? 0.5 / (1 << precision) : 0.5 * std::pow(10.0, -precision);
                if (unit == 1 && value != 0.0) {
                    tolerance *= std::pow(10.0, std::floor(std::log10(std::fabs(value))));
                }
                EXPECT_NEAR(back, value, tolerance * 1.000001)
                    << "unit " << unit << " precision " << precision << " text " << text;
            }
        }
    }
}

TEST_F(Units, MinusOneFollowsTheSystemVariablesAtEachCall) {
    EXPECT_EQ(rtos(15.5, -1, -1), "15.5000");
    ASSERT_EQ(setSysVar(L"LUPREC", 2), kRtNorm);
    EXPECT_EQ(rtos(15.5, -1, -1), "15.50");
    ASSERT_EQ(setSysVar(L"LUNITS", 4), kRtNorm);
    EXPECT_EQ(rtos(15.5, -1, -1), "1'-3 1/2\"");
    EXPECT_EQ(rtos(15.5, 2, -1), "15.50");
    EXPECT_EQ(rtos(15.5, -1, 0), "1'-4\"");
    EXPECT_EQ(distof(L"1'-3\"", -1), 15.0);
    ASSERT_EQ(setSysVar(L"LUNITS", 2), kRtNorm);
    EXPECT_TRUE(std::isnan(distof(L"1'-3\"", -1)));

    EXPECT_EQ(angtos(45.5, -1, -1), "46");
    ASSERT_EQ(setSysVar(L"AUNITS", 3), kRtNorm);
    ASSERT_EQ(setSysVar(L"AUPREC", 2), kRtNorm);
    EXPECT_EQ(angtos(45.5, -1, -1), "0.79r");

    // A variable the host cannot read makes -1 a refusal.
    kxedSetGetVarRefused(L"LUPREC", true);
    KxString text(L"untouched");
    EXPECT_EQ(kxdbRToS(1.0, 2, -1, text), kRtError);
    EXPECT_EQ(kxdbRToS(1.0, 2, 3, text), kRtNorm);
    EXPECT_EQ(text, L"1.000");
}

} // namespace

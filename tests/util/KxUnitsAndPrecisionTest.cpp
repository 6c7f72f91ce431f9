#include "util/KxParameterUtil.h"

#include "support/HostSysVars.h"

#include <string>

using KxParameterUtil::ConvertToCurrentPrecision;
using KxParameterUtil::getSysVarUnitsAndPrecision;

namespace {

std::string converted(const wchar_t* text, bool isAngle, bool keepLinearUnitMode = false) {
    KxString value(text);
    ConvertToCurrentPrecision(value, isAngle, keepLinearUnitMode);
    return value.toUtf8();
}

using UnitsAndPrecision = SysVarsTest;

TEST_F(UnitsAndPrecision, TheFourVariablesComePrecisionFirst) {
    unsigned int values[4] = {99, 99, 99, 99};
    EXPECT_TRUE(getSysVarUnitsAndPrecision(values[0], values[1], values[2], values[3]));
    EXPECT_EQ(values[0], 4u); // LUPREC
    EXPECT_EQ(values[1], 2u); // LUNITS
    EXPECT_EQ(values[2], 0u); // AUPREC
    EXPECT_EQ(values[3], 0u); // AUNITS

    ASSERT_EQ(setSysVar(L"LUPREC", 6), kRtNorm);
    ASSERT_EQ(setSysVar(L"LUNITS", 5), kRtNorm);
    ASSERT_EQ(setSysVar(L"AUPREC", 3), kRtNorm);
    ASSERT_EQ(setSysVar(L"AUNITS", 1), kRtNorm);
    EXPECT_TRUE(getSysVarUnitsAndPrecision(values[0], values[1], values[2], values[3]));
    EXPECT_EQ(values[0], 6u);
    EXPECT_EQ(values[1], 5u);
    EXPECT_EQ(values[2], 3u);
    EXPECT_EQ(values[3], 1u);

    // A variable the host cannot read: still true, and that output is 0.
    kxedSetGetVarRefused(L"LUNITS", true);
    EXPECT_TRUE(getSysVarUnitsAndPrecision(values[0], values[1], values[2], values[3]));
    EXPECT_EQ(values[0], 6u);
    EXPECT_EQ(values[1], 0u);
    EXPECT_EQ(values[3], 1u);
}

TEST_F(UnitsAndPrecision, AnglesAreDegreesBroughtWithinATurn) {
    // In radians, so that the angle handed on shows as it is.
    ASSERT_EQ(setSysVar(L"AUNITS", 3), kRtNorm);
    ASSERT_EQ(setSysVar(L"AUPREC", 8), kRtNorm);
    EXPECT_EQ(converted(L"90", true), "1.57079633r");
    EXPECT_EQ(converted(L"360", true), "0.00000000r");
    EXPECT_EQ(converted(L"450", true), "1.57079633r");
    EXPECT_EQ(converted(L"-450", true), "4.71238898r");
    EXPECT_EQ(converted(L"-90", true), "4.71238898r");
    EXPECT_EQ(converted(L"45.5", true), "0.79412481r");

    ASSERT_EQ(setSysVar(L"AUNITS", 0), kRtNorm);
    ASSERT_EQ(setSysVar(L"AUPREC", 2), kRtNorm);
    EXPECT_EQ(converted(L"45.5", true), "45.50");
    EXPECT_EQ(converted(L"atan(1)", true), "45.00");
    EXPECT_EQ(converted(L"2*360+45", true), "45.00");
    EXPECT_EQ(converted(L"-1000000", true), "80.00");
    EXPECT_EQ(converted(L"123456.7", true), "336.70");
    ASSERT_EQ(setSysVar(L"AUNITS", 1), kRtNorm);
    ASSERT_EQ(setSysVar(L"AUPREC", 4), kRtNorm);
    EXPECT_EQ(converted(L"45.5", true), "45d30'0\"");

    // Texts that are not constant stay as they are.
    for (const wchar_t* text : {L"abc", L"width*2", L"1/0", L"", L"45d30'"}) {
        EXPECT_EQ(converted(text, true), KxString(text).toUtf8());
    }
    // A host that cannot format leaves the text too.
    kxedSetGetVarRefused(L"AUPREC", true);
    EXPECT_EQ(converted(L"45.5", true), "45.5");
}

TEST_F(UnitsAndPrecision, LengthsUseDecimalsForFeetAndInchesUnlessKept) {
    ASSERT_EQ(setSysVar(L"LUNITS", 4), kRtNorm);
    EXPECT_EQ(converted(L"15.5", false, false), "15.5000");
    EXPECT_EQ(converted(L"15.5", false, true), "1'-3 1/2\"");
    EXPECT_EQ(converted(L"1'-3 1/2\"", false, false), "15.5000");
    ASSERT_EQ(setSysVar(L"LUNITS", 3), kRtNorm);
    EXPECT_EQ(converted(L"15.5", false, false), "15.5000");
    EXPECT_EQ(converted(L"15.5", false, true), "1'-3.5000\"");
    ASSERT_EQ(setSysVar(L"LUNITS", 5), kRtNorm);
    ASSERT_EQ(setSysVar(L"LUPREC", 2), kRtNorm);
    EXPECT_EQ(converted(L"15.5", false, false), "15 1/2");
    EXPECT_EQ(converted(L"15.5", false, true), "15 1/2");
    ASSERT_EQ(setSysVar(L"LUNITS", 1), kRtNorm);
    EXPECT_EQ(converted(L"15.5", false, false), "1.55E+01");
    ASSERT_EQ(setSysVar(L"LUNITS", 2), kRtNorm);
    EXPECT_EQ(converted(L" 15.5 ", false, false), "15.50");

    // Not a distance in the current unit: unchanged.
    for (const wchar_t* text : {L"abc", L"", L"1'-3\"", L"15 1/2", L"2*3"}) {
        EXPECT_EQ(converted(text, false), KxString(text).toUtf8());
    }
}

TEST_F(UnitsAndPrecision, AFormattedTextLongerThan255CharactersIsNotTaken) {
    ASSERT_EQ(setSysVar(L"LUPREC", 0), kRtNorm);
    EXPECT_EQ(converted(L"1e254", false), "1" + std::string(254, '0'));
    EXPECT_EQ(converted(L"1e255", false), "1e255");
    ASSERT_EQ(setSysVar(L"LUPREC", 8), kRtNorm);
    EXPECT_EQ(converted(L"1e245", false), "1" + std::string(245, '0') + ".00000000");
    EXPECT_EQ(converted(L"1e246", false), "1e246");

    // A host that cannot format leaves the text too.
    kxedSetGetVarRefused(L"LUPREC", true);
    EXPECT_EQ(converted(L"15.5", false), "15.5");
}

} // namespace

#include "support/HostSysVars.h"

namespace {

short valueOf(const wchar_t* name) {
    KxResBuf buffer;
    EXPECT_EQ(kxedGetVar(name, &buffer), kRtNorm) << "reading " << KxString(name);
    EXPECT_EQ(buffer.restype, kRtInt16);
    return buffer.resval.rint;
}

TEST_F(SysVarsTest, DefaultsAndRangesOfTheFourVariables) {
    EXPECT_EQ(valueOf(L"LUNITS"), 2);
    EXPECT_EQ(valueOf(L"LUPREC"), 4);
    EXPECT_EQ(valueOf(L"AUNITS"), 0);
    EXPECT_EQ(valueOf(L"AUPREC"), 0);

    struct Range {
        const wchar_t* name;
        short minimum;
        short maximum;
    };
    for (const Range& range : {Range{L"LUNITS", 1, 5}, Range{L"LUPREC", 0, 8},
                               Range{L"AUNITS", 0, 4}, Range{L"AUPREC", 0, 8}}) {
        SCOPED_TRACE(KxString(range.name).toUtf8());
        EXPECT_EQ(setSysVar(range.name, range.minimum), kRtNorm);
        EXPECT_EQ(valueOf(range.name), range.minimum);
        EXPECT_EQ(setSysVar(range.name, range.maximum), kRtNorm);
        EXPECT_EQ(valueOf(range.name), range.maximum);
        // Just outside either end: refused, the old value kept.
        EXPECT_EQ(setSysVar(range.name, static_cast<short>(range.minimum - 1)), kRtError);
        EXPECT_EQ(setSysVar(range.name, static_cast<short>(range.maximum + 1)), kRtError);
        EXPECT_EQ(valueOf(range.name), range.maximum);
    }
    kxedResetSysVars();
    EXPECT_EQ(valueOf(L"LUNITS"), 2);
    EXPECT_EQ(valueOf(L"AUPREC"), 0);
}

TEST_F(SysVarsTest, RefusesUnknownNamesWrongTypesAndNullArguments) {
    KxResBuf buffer;
    buffer.restype = kRtReal;
    buffer.resval.rint = 77;
    EXPECT_EQ(kxedGetVar(L"LUNITSX", &buffer), kRtError);
    EXPECT_EQ(kxedGetVar(L"LUNIT", &buffer), kRtError);
    EXPECT_EQ(kxedGetVar(nullptr, &buffer), kRtError);
    EXPECT_EQ(kxedGetVar(L"LUNITS", nullptr), kRtError);
    EXPECT_EQ(buffer.restype, kRtReal); // untouched by the refusals
    EXPECT_EQ(buffer.resval.rint, 77);

    EXPECT_EQ(setSysVar(L"DIMSCALE", 1), kRtError);
    EXPECT_EQ(kxedSetVar(L"LUNITS", nullptr), kRtError);
    KxResBuf real;
    real.restype = kRtReal;
    real.resval.rint = 3;
    EXPECT_EQ(kxedSetVar(L"LUNITS", &real), kRtError);
    EXPECT_EQ(valueOf(L"LUNITS"), 2);

    // Names are matched without regard to case.
    EXPECT_EQ(setSysVar(L"lunits", 4), kRtNorm);
    EXPECT_EQ(valueOf(L"LUNITS"), 4);
}

TEST_F(SysVarsTest, AnArrangedRefusalBlocksReadingUntilLiftedOrReset) {
    EXPECT_FALSE(kxedSetGetVarRefused(L"NOSUCHVAR", true));
    ASSERT_TRUE(kxedSetGetVarRefused(L"AUNITS", true));
    KxResBuf buffer;
    EXPECT_EQ(kxedGetVar(L"AUNITS", &buffer), kRtError);
    EXPECT_EQ(buffer.restype, kRtNone);
    EXPECT_EQ(valueOf(L"AUPREC"), 0); // the others still answer
    EXPECT_EQ(setSysVar(L"AUNITS", 3), kRtNorm);
    ASSERT_TRUE(kxedSetGetVarRefused(L"AUNITS", false));
    EXPECT_EQ(valueOf(L"AUNITS"), 3);
    kxedSetGetVarRefused(L"AUNITS", true);
    kxedResetSysVars();
    EXPECT_EQ(valueOf(L"AUNITS"), 0);
}

} // namespace

#include "util/KxParameterUtil.h"

#include "host/KxConstantExpression.h"
#include "host/KxHostStatus.h"
#include "host/KxUnits.h"
#include "support/CommaDecimalLocale.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <sstream>

using KxParameterUtil::evalVariantToString;
using KxParameterUtil::evalVarInDouble;
using KxParameterUtil::stringToEvalVariant;

namespace {

// Reads `text` into a variant that holds `start`; gives the status and leaves the result in `out`.
Lumo::ErrorStatus read(const wchar_t* text, const KxDbEvalVariant& start, KxDbEvalVariant& out) {
    out = start;
    return stringToEvalVariant(text, out);
}

void expectRefused(const wchar_t* text, const KxDbEvalVariant& start,
                   Lumo::ErrorStatus status = Lumo::eInvalidInput) {
    KxDbEvalVariant out;
    EXPECT_EQ(read(text, start, out), status) << KxString(text);
    EXPECT_EQ(out, start) << KxString(text);
}

TEST(StringToEvalVariant, RealTargets) {
    const KxDbEvalVariant real(9.0);
    KxDbEvalVariant out;
    const struct {
        const wchar_t* text;
        double value;
    } accepted[] = {
        {L"1.5", 1.5},      {L"  1.5  ", 1.5}, {L"\t-1.5\n", -1.5},
        {L"+2", 2.0},       {L"1e3", 1000.0},  {L"1.55E+01", 15.5},
        {L"-.5e-1", -0.05}, {L"5.", 5.0},      {L"1.7976931348623157e308", 1.7976931348623157e308}};
    for (const auto& item : accepted) {
        ASSERT_EQ(read(item.text, real, out), Lumo::eOk) << KxString(item.text);
        EXPECT_EQ(out.getType(), kDwgReal);
        EXPECT_EQ(out.getDouble(), item.value) << KxString(item.text);
    }
    for (const wchar_t* text : {L"", L"   ", L"1.5 x", L"1.5x", L"x1.5", L"1.5.3", L"2*3", L"10 mm",
                                L"1,5", L"1e", L"- 1", L".", L"inf", L"nan", L"1e400"}) {
        expectRefused(text, real);
    }
}

TEST(StringToEvalVariant, Int32TargetsRefuseWhatDoesNotFit) {
    const KxDbEvalVariant int32(std::int32_t{-9});
    KxDbEvalVariant out;
    const struct {
        const wchar_t* text;
        std::int32_t value;
    } accepted[] = {{L"42", 42},
                    {L" -42 ", -42},
                    {L"+7", 7},
                    {L"007", 7},
                    {L"2147483647", 2147483647},
                    {L"-2147483648", -2147483647 - 1}};
    for (const auto& item : accepted) {
        ASSERT_EQ(read(item.text, int32, out), Lumo::eOk) << KxString(item.text);
        EXPECT_EQ(out.getType(), kDwgInt32);
        EXPECT_EQ(out.getInt32(), item.value) << KxString(item.text);
    }
    for (const wchar_t* text :
         {L"4.2", L"", L"  ", L"42 x", L"2*3", L"10 mm", L"1e3", L"-", L"2147483648",
          L"-2147483649", L"4294967338", L"99999999999999999999999999999"}) {
        expectRefused(text, int32);
    }
}

TEST(StringToEvalVariant, Int16TargetsReadOnlyTheLeadingNumber) {
    const KxDbEvalVariant int16(static_cast<short>(-9));
    KxDbEvalVariant out;
    const struct {
        const wchar_t* text;
        short value;
    } accepted[] = {{L"32767", 32767}, {L"-32767", -32767}, {L"7 apples", 7}, {L"12abc", 12},
                    {L"2*3", 2},       {L"10 mm", 10},      {L" 1.9", 1},     {L"0", 0}};
    for (const auto& item : accepted) {
        ASSERT_EQ(read(item.text, int16, out), Lumo::eOk) << KxString(item.text);
        EXPECT_EQ(out.getType(), kDwgInt16);
        EXPECT_EQ(out.getInt16(), item.value) << KxString(item.text);
    }
    for (const wchar_t* text : {L"-32768", L"32768", L"40000", L"-40000", L"", L"abc", L"+",
                                L"99999999999999999999", L"4294967297"}) {
        expectRefused(text, int16);
    }
}

TEST(StringToEvalVariant, TextTargetsAndTargetsOfOtherTypes) {
    KxDbEvalVariant out;
    EXPECT_EQ(read(L" any 1.5 text ", KxDbEvalVariant(L"old"), out), Lumo::eOk);
    EXPECT_EQ(out, KxDbEvalVariant(L" any 1.5 text "));
    EXPECT_EQ(read(L"", KxDbEvalVariant(L"old"), out), Lumo::eOk);
    EXPECT_EQ(out, KxDbEvalVariant(L""));
    EXPECT_EQ(out.getType(), kDwgText);

    for (const wchar_t* text : {L"1.5", L"", L"text"}) {
        expectRefused(text, KxDbEvalVariant(), Lumo::eUntypedValue);
        KxDbEvalVariant int8;
        int8.setInt8(5);
        expectRefused(text, int8, Lumo::eNotSupported);
        KxDbEvalVariant point;
        point.setPoint({1, 2, 3});
        expectRefused(text, point, Lumo::eNotSupported);
    }
}

TEST(StringToEvalVariant, AGermanProcessLocaleStillReadsAndWritesAPoint) {
    const CommaDecimalLocale german;
    // The trap is set: the process's own formatting now writes a comma.
    std::ostringstream formatted;
    formatted << 1.5;
    ASSERT_EQ(formatted.str(), "1,5");
    std::wostringstream wideFormatted;
    wideFormatted << 1.5;
    ASSERT_EQ(wideFormatted.str(), L"1,5");
    if (!german.germanCLocale()) {
        std::cout << "note: no German C locale on this system; the C++ global locale is German\n";
    }

    KxDbEvalVariant out;
    EXPECT_EQ(read(L"1.5", KxDbEvalVariant(0.0), out), Lumo::eOk);
    EXPECT_EQ(out.getDouble(), 1.5);
    expectRefused(L"1,5", KxDbEvalVariant(0.0));
    EXPECT_EQ(read(L"1.000", KxDbEvalVariant(std::int32_t{0}), out), Lumo::eInvalidInput);
    EXPECT_EQ(read(L"1000", KxDbEvalVariant(std::int32_t{0}), out), Lumo::eOk);
    EXPECT_EQ(out.getInt32(), 1000);
    EXPECT_EQ(evalVariantToString(KxDbEvalVariant(1234.5)), L"1234.5");

    // The host's texts do not follow the process locale either.
    KxString text;
    ASSERT_EQ(kxdbRToS(1234.5, 2, 2, text), kRtNorm);
    EXPECT_EQ(text, L"1234.50");
    ASSERT_EQ(kxdbRToS(1234.5, 1, 2, text), kRtNorm);
    EXPECT_EQ(text, L"1.23E+03");
    ASSERT_EQ(kxdbAngToS(0.794125, 2, 4, text), kRtNorm);
    EXPECT_EQ(text, L"50.5556g");
    double length = 0.0;
    ASSERT_EQ(kxdbDisToF(L"1'-3.5\"", 3, &length), kRtNorm);
    EXPECT_EQ(length, 15.5);
    EXPECT_EQ(kxdbDisToF(L"1,5", 2, &length), kRtError);
    KxDbEvalVariant constant;
    ASSERT_TRUE(kxdbIsExpressionAConstant(L"1.5*3", constant));
    EXPECT_EQ(constant.getDouble(), 4.5);
}

TEST(EvalVariantConversions, DisplayTextAndDoubleOfAValue) {
    EXPECT_EQ(evalVariantToString(KxDbEvalVariant(15.5)), L"15.5");
    EXPECT_EQ(evalVariantToString(KxDbEvalVariant(std::int32_t{70000})), L"70000");
    EXPECT_EQ(evalVariantToString(KxDbEvalVariant(L"text")), L"text");
    EXPECT_EQ(evalVariantToString(KxDbEvalVariant()), L"");

    EXPECT_EQ(evalVarInDouble(KxDbEvalVariant(2.5)), 2.5);
    EXPECT_EQ(evalVarInDouble(KxDbEvalVariant(std::int32_t{70000})), 70000.0);
    EXPECT_EQ(evalVarInDouble(KxDbEvalVariant(static_cast<short>(-5))), -5.0);
    EXPECT_EQ(evalVarInDouble(KxDbEvalVariant(L"2.5")), -1.0);
    EXPECT_EQ(evalVarInDouble(KxDbEvalVariant()), -1.0);
    KxDbEvalVariant other;
    other.setInt8(7);
    EXPECT_EQ(evalVarInDouble(other), -1.0);
    other.setPoint({1, 2, 3});
    EXPECT_EQ(evalVarInDouble(other), -1.0);
}

} // namespace

#include "host/KxConstantExpression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace {

// The constant's value; fails the test when the text is not constant.
KxDbEvalVariant constant(const wchar_t* text) {
    KxDbEvalVariant value;
    EXPECT_TRUE(kxdbIsExpressionAConstant(text, value)) << KxString(text);
    return value;
}

void expectInteger(const wchar_t* text, std::int32_t expected) {
    const KxDbEvalVariant value = constant(text);
    EXPECT_EQ(value.restype(), kRtInt32) << KxString(text);
    EXPECT_EQ(value.getInt32(), expected) << KxString(text);
}

void expectReal(const wchar_t* text, double expected) {
    const KxDbEvalVariant value = constant(text);
    EXPECT_EQ(value.restype(), kRtReal) << KxString(text);
    EXPECT_DOUBLE_EQ(value.getDouble(), expected) << KxString(text);
}

TEST(ConstantExpression, OperatorsBindAsUsual) {
    expectInteger(L"2+3*4", 14);
    expectInteger(L"(2+3)*4", 20);
    expectInteger(L"10-4-3", 3);
    expectInteger(L"-2^2", -4);
    expectInteger(L"(-2)^2", 4);
    expectInteger(L"2^3^2", 512);
    expectReal(L"2^-1", 0.5);
    expectInteger(L"-(-3)", 3);
    expectInteger(L"+-+3", -3);
    expectInteger(L"8/2/2", 2);
    expectReal(L"1/3", 1.0 / 3.0);
    expectInteger(L"  1 +\t2  ", 3);
    expectInteger(L"6*2^2", 24);
}

TEST(ConstantExpression, IntegralResultsWithin32BitsAreIntegers) {
    expectInteger(L"3.0", 3);
    expectInteger(L"1e3", 1000);
    expectInteger(L"1.5*2", 3);
    expectInteger(L"-0", 0);
    expectInteger(L"2147483647", 2147483647);
    expectInteger(L"-2147483648", -2147483647 - 1);
    expectReal(L"2147483648", 2147483648.0);
    expectReal(L"1.5", 1.5);
    expectReal(L".5E-2", 0.005);
    expectReal(L"0.1+0.2", 0.1 + 0.2);
}

TEST(ConstantExpression, ConstantAndFunctionsWithAnglesInDegrees) {
    expectReal(L"pi", 3.141592653589793);
    expectReal(L"2*PI", 2 * 3.141592653589793);
    expectReal(L"sin(30)", 0.5);
    expectReal(L"cos(60)", 0.5);
    expectInteger(L"sin(90)", 1);
    expectInteger(L"sin(-180)", 0);
    expectInteger(L"cos(180)", -1);
    expectInteger(L"tan(45)", 1);
    expectInteger(L"tan(-45)", -1);
    expectReal(L"sin(45)", std::sqrt(0.5));
    expectInteger(L"atan(1)", 45);
    expectInteger(L"asin(1)", 90);
    expectInteger(L"acos(0.5)", 60);
    expectInteger(L"sqrt(16)", 4);
    expectInteger(L"Abs(-3)", 3);
    expectInteger(L"round(2.5)", 3);
    expectInteger(L"round(-2.5)", -3);
    expectInteger(L"trunc(-2.7)", -2);
    expectInteger(L"floor(-2.5)", -3);
    expectInteger(L"ceil(2.1)", 3);
    expectReal(L"exp(1)", std::exp(1.0));
    expectReal(L"ln(10)", std::log(10.0));
    expectInteger(L"log(1000)", 3);
    expectInteger(L"sqrt(abs(-8)*2)+1", 5);
}

TEST(ConstantExpression, AnythingElseIsNotConstantAndLeavesTheValue) {
    for (const wchar_t* text :
         {L"",         L"   ",        L"x",        L"2*x",     L"width+1", L"foo(1)", L"pi()",
          L"sin 30",   L"sin()",      L"sin(1,2)", L"1+",      L"(1",      L"1)",     L"()",
          L"2 3",      L"1..2",       L"1,5",      L"1e",      L"3!",      L"1/0",    L"1/(2-2)",
          L"0^-1",     L"sqrt(-1)",   L"ln(0)",    L"asin(2)", L"tan(90)", L"1e400",  L"10^400",
          L"1e308*10", L"(-8)^(1/3)", L"\u00e9",   L"1 + 2 $"}) {
        KxDbEvalVariant value(L"kept");
        EXPECT_FALSE(kxdbIsExpressionAConstant(text, value)) << KxString(text);
        EXPECT_EQ(value, KxDbEvalVariant(L"kept")) << KxString(text);
    }
}

TEST(ConstantExpression, DeepNestingIsRefusedWithoutExhaustingTheStack) {
    KxDbEvalVariant value;
    const std::size_t huge = 200000;
    EXPECT_FALSE(kxdbIsExpressionAConstant(KxString(std::wstring(huge, L'(') + L"1"), value));
    EXPECT_FALSE(kxdbIsExpressionAConstant(
        KxString(std::wstring(huge, L'(') + L"1" + std::wstring(huge, L')')), value));
    EXPECT_FALSE(kxdbIsExpressionAConstant(KxString(std::wstring(huge, L'-') + L"1"), value));
    std::wstring powers;
    for (std::size_t i = 0; i < huge; ++i) {
        powers += L"1^";
    }
    EXPECT_FALSE(kxdbIsExpressionAConstant(KxString(powers + L"1"), value));
    std::wstring calls;
    for (std::size_t i = 0; i < huge / 4; ++i) {
        calls += L"abs(";
    }
    EXPECT_FALSE(
        kxdbIsExpressionAConstant(KxString(calls + L"1" + std::wstring(huge / 4, L')')), value));
    EXPECT_EQ(value.getType(), kDwgNull);

    // Reasonable nesting is fine, and long flat sums are not nesting.
    expectInteger((std::wstring(40, L'(') + L"7" + std::wstring(40, L')')).c_str(), 7);
    std::wstring sum = L"0";
    for (int i = 0; i < 100000; ++i) {
        sum += L"+1";
    }
    expectInteger(sum.c_str(), 100000);
}

TEST(ConstantExpressionNames, AreTheEvaluatorsOwnInAnyCase) {
    KxDbEvalVariant value;
    for (const wchar_t* name : {L"sin", L"cos", L"tan", L"asin", L"acos", L"atan", L"sqrt", L"abs",
                                L"round", L"trunc", L"floor", L"ceil", L"exp", L"ln", L"log"}) {
        EXPECT_TRUE(kxdbIsExpressionFunctionName(name)) << KxString(name);
        EXPECT_TRUE(kxdbIsExpressionAConstant(KxString(std::wstring(name) + L"(0.5)"), value))
            << KxString(name);
        EXPECT_FALSE(kxdbIsExpressionConstantName(name)) << KxString(name);
    }
    EXPECT_TRUE(kxdbIsExpressionFunctionName(L"SQRT"));
    EXPECT_TRUE(kxdbIsExpressionFunctionName(L"Log"));
    for (const wchar_t* other : {L"pi", L"sinh", L"si", L"width", L"log10"}) {
        EXPECT_FALSE(kxdbIsExpressionFunctionName(other)) << KxString(other);
        EXPECT_FALSE(kxdbIsExpressionAConstant(KxString(std::wstring(other) + L"(0.5)"), value))
            << KxString(other);
    }
    EXPECT_FALSE(kxdbIsExpressionFunctionName(L""));
    EXPECT_FALSE(kxdbIsExpressionFunctionName(L"sin "));
    EXPECT_TRUE(kxdbIsExpressionConstantName(L"pi"));
    EXPECT_TRUE(kxdbIsExpressionConstantName(L"PI"));
    EXPECT_FALSE(kxdbIsExpressionConstantName(L"pie"));
    EXPECT_FALSE(kxdbIsExpressionConstantName(L""));
}

} // namespace

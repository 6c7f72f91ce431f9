#include "host/KxConstantExpression.h"
#include "host/KxCompiledExpression.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr double kPi = std::numbers::pi;

using Row = std::pair<const wchar_t*, KxDbEvalVariant>;

// Integral results within 32 bits are integers, every other number a real.
template <std::size_t N>
void expectConstants(const Row (&rows)[N]) {
    for (const auto& [text, expected] : rows) {
        KxDbEvalVariant value;
        EXPECT_TRUE(kxdbIsExpressionAConstant(text, value)) << KxString(text);
        EXPECT_EQ(value, expected) << KxString(text);
    }
}

TEST(ConstantExpression, OperatorsBindAsUsualAndIntegralResultsAreIntegers) {
    const Row rows[] = {// a text, then its value
                        {L"2+3*4", 14}, {L"(2+3)*4", 20}, {L"10-4-3", 3},    {L"-2^2", -4},
                        {L"(-2)^2", 4}, {L"2^3^2", 512},  {L"2^-1", 0.5},    {L"-(-3)", 3},
                        {L"+-+3", -3},  {L"8/2/2", 2},    {L"1/3", 1 / 3.0}, {L" 1 +\t2 ", 3},
                        {L"6*2^2", 24}, {L"3.0", 3},      {L"1e3", 1000},    {L"1.5*2", 3},
                        {L"-0", 0},     {L"1.5", 1.5},    {L".5E-2", 0.005}};
    expectConstants(rows);
    const Row limits[] = {{L"0.1+0.2", 0.1 + 0.2},       {L"2147483647", INT32_MAX},
                          {L"-2147483648", INT32_MIN},   {L"2147483648", 0x1p31},
                          {L"-2147483649", -0x1p31 - 1}, {L"2^31-1", INT32_MAX}};
    expectConstants(limits);
}

TEST(ConstantExpression, FunctionsWorkInDegreesExactlyWhereTheAnswerIsSimple) {
    const Row rows[] = {// a text, then its value
                        {L"pi", kPi},
                        {L"2*PI", 2 * kPi},
                        {L"sin(30)", 0.5},
                        {L"cos(60)", 0.5},
                        {L"sin(90)", 1},
                        {L"sin(-180)", 0},
                        {L"cos(180)", -1},
                        {L"sin(210)", -0.5},
                        {L"cos(-300)", 0.5},
                        {L"tan(45)", 1},
                        {L"tan(-45)", -1},
                        {L"tan(135)", -1},
                        {L"atan(1)", 45},
                        {L"asin(1)", 90},
                        {L"acos(0.5)", 60},
                        {L"sqrt(16)", 4},
                        {L"Abs(-3)", 3},
                        {L"round(2.5)", 3},
                        {L"round(-2.5)", -3},
                        {L"trunc(-2.7)", -2},
                        {L"floor(-2.5)", -3},
                        {L"ceil(2.1)", 3},
                        {L"log(1000)", 3},
                        {L"sin(45)", std::sin(kPi / 4)},
                        {L"exp(1)", std::numbers::e},
                        {L"ln(10)", std::numbers::ln10},
                        {L"sqrt(abs(-8)*2)", 4}};
    expectConstants(rows);
}

TEST(ConstantExpression, AnythingElseIsNotConstantAndLeavesTheValue) {
    for (const wchar_t* text : {L"",         L"x",          L"2*x",         L"foo(1)",
                                L"pi()",     L"sin 30",     L"sin()",       L"1+",
                                L"sin(1,2)", L"(1",         L"1)",          L"()",
                                L"2 3",      L"1..2",       L"1,5",         L"1e",
                                L"3!",       L"1/0",        L"1/(2-2)",     L"0^-1",
                                L"ln(0)",    L"1e400",      L"sqrt(-1)",    L"asin(2)",
                                L"tan(90)",  L"10^400",     L"1e308*10",    L"\u00e9",
                                L"1 + 2 $",  L"(-8)^(1/3)", L"1e308+1e308", L"-1e308-1e308"}) {
        KxDbEvalVariant value(L"kept");
        EXPECT_FALSE(kxdbIsExpressionAConstant(text, value)) << KxString(text);
        EXPECT_EQ(value, KxDbEvalVariant(L"kept")) << KxString(text);
    }
}

TEST(ConstantExpression, NestingDeeperThanAHundredIsRefusedWithoutExhaustingTheStack) {
    const auto nested = [](std::size_t depth) {
        return std::wstring(depth, L'(') + L"7" + std::wstring(depth, L')');
    };
    std::wstring sum = L"0"; // long flat sums are no nesting
    for (int i = 0; i < 1000; ++i) {
        sum += L"+1";
    }
    const std::wstring minuses = std::wstring(200000, L'-') + L"7";
    const std::pair<std::wstring, bool> texts[] = {{nested(0), true},       {nested(99), true},
                                                   {sum + L"-993", true},   {nested(100), false},
                                                   {nested(200000), false}, {minuses, false}};
    for (const auto& [text, constant] : texts) {
        KxDbEvalVariant value;
        EXPECT_EQ(kxdbIsExpressionAConstant(KxString(text), value), constant) << text.size();
        EXPECT_EQ(value, constant ? KxDbEvalVariant(7) : KxDbEvalVariant());
    }
    std::wstring waiting = L"1"; // forty values wait on the evaluator's stack at once
    for (int i = 0; i < 39; ++i) {
        waiting.insert(0, L"1+(").append(L")");
    }
    KxDbEvalVariant forty;
    EXPECT_TRUE(kxdbIsExpressionAConstant(KxString(waiting), forty) &&
                forty == KxDbEvalVariant(40));
}

TEST(ConstantExpression, NamesAreTheEvaluatorsOwnInAnyCase) {
    EXPECT_TRUE(kxdbIsExpressionFunctionName(L"ACOS") && kxdbIsExpressionConstantName(L"Pi"));
    EXPECT_FALSE(kxdbIsExpressionFunctionName(L"sinh") || kxdbIsExpressionFunctionName(L"pi"));
    EXPECT_FALSE(kxdbIsExpressionFunctionName(L"sin ") || kxdbIsExpressionConstantName(L"pie"));
}

// The one rule of what makes a name, which the plate's names and the import's scan follow too.
// Only ASCII letters, digits and _ make a name: a non-ASCII letter is no part of one, so "café"
// reads as the name "caf" followed by a character the grammar refuses.
TEST(CompiledExpression, NamesAreAsciiLettersDigitsAndUnderscoresNotStartingWithADigit) {
    const std::pair<const wchar_t*, bool> rows[] = {
        {L"x", true},       {L"Width", true},      {L"param12", true},
        {L"_", true},       {L"_2", true},         {L"hole_count", true},
        {L"", false},       {L"2x", false},        {L"7", false},
        {L"a b", false},    {L"a-b", false},       {L"x.y", false},
        {L"\u00e9", false}, {L"caf\u00e9", false}, {L"\u00e9t\u00e9", false}};
    for (const auto& [text, isName] : rows) {
        EXPECT_EQ(KxCompiledExpression::isName(text), isName) << KxString(text);
        // The scanner reads a name as one variable, and anything else as something else.
        KxCompiledExpression compiled;
        compiled.compile(text);
        const bool oneVariable = compiled.compileError() == KxCompiledExpression::Error::kNone &&
                                 compiled.variables() == std::vector<std::wstring>{text};
        EXPECT_EQ(oneVariable, isName) << KxString(text);
    }
    // The evaluator's own names are names too: whether one is free is the caller's question.
    EXPECT_TRUE(KxCompiledExpression::isName(L"sin") && KxCompiledExpression::isName(L"PI"));
}

} // namespace

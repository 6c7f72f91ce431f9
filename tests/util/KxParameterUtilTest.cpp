#include "util/KxParameterUtil.h"

#include "host/KxUnits.h"
#include "host/MtTaskDialogPresenter.h"
#include "host/testing/KxHostTesting.h"
#include "manager/KxParameterManager.h"
#include "support/CommaDecimalLocale.h"
#include "support/HostSysVars.h"

#include <cstdint>
#include <string>
#include <tuple>
#include <vector>

using namespace KxParameterUtil;

namespace {

const KxDbEvalVariant kReal(9.0), kInt32(-9), kInt16(short{-9});

TEST(StringToEvalVariant, ReadsIntoTheTypeTheTargetHoldsOrLeavesItAsItWas) {
    const CommaDecimalLocale german; // even where the process writes "1,5", "1.5" is read
    KxDbEvalVariant int8, point;
    int8.setInt8(5);
    point.setPoint({1, 2, 3});
    // A target, the value that each text gives it, and the status. Real and 32-bit targets take
    // one number with blanks around it; a 16-bit one the number at the start.
    const std::tuple<KxDbEvalVariant, KxDbEvalVariant, std::vector<const wchar_t*>, int> rows[] = {
        {kReal, 1.5, {L"1.5", L" \t1.5\n", L"+1.5", L"15E-1", L".15e+1", L"15e-1"}, Lumo::eOk},
        {kReal, -0.5, {L"-.5", L"-5e-1", L"-0.5"}, Lumo::eOk},
        {kReal, 9.0, {L"9.", L"9"}, Lumo::eOk},
        {kReal, kReal, {L"", L"1.5x", L"x1.5", L"1.5.3", L"1e", L"- 1"}, Lumo::eInvalidInput},
        {kReal, kReal, {L".", L"1e400", L"inf", L"1,5"}, Lumo::eInvalidInput},
        {kInt32, -42, {L" -42 ", L"-042"}, Lumo::eOk},
        {kInt32, INT32_MAX, {L"2147483647", L"+2147483647"}, Lumo::eOk},
        {kInt32, INT32_MIN, {L"-2147483648"}, Lumo::eOk},
        {kInt32, kInt32, {L"4.2", L"", L"42 x", L"-", L"2147483648"}, Lumo::eInvalidInput},
        {kInt32, kInt32, {L"-2147483649", L"99999999999999999999"}, Lumo::eInvalidInput},
        {kInt16, short{7}, {L"7 apples", L" 7.9", L"+7x"}, Lumo::eOk},
        {kInt16, short{-32767}, {L"-32767"}, Lumo::eOk},
        {kInt16, short{32767}, {L"32767"}, Lumo::eOk},
        {kInt16, kInt16, {L"-32768", L"32768", L"abc", L"+"}, Lumo::eInvalidInput},
        {kInt16, kInt16, {L"99999999999999999999"}, Lumo::eInvalidInput},
        {L"old", L" 1.5 x ", {L" 1.5 x "}, Lumo::eOk},
        {KxDbEvalVariant(), KxDbEvalVariant(), {L"1"}, Lumo::eUntypedValue},
        {int8, int8, {L"1"}, Lumo::eNotSupported},
        {point, point, {L"1"}, Lumo::eNotSupported}};
    for (const auto& [target, expected, texts, status] : rows) {
        for (const wchar_t* text : texts) {
            KxDbEvalVariant value = target;
            EXPECT_EQ(stringToEvalVariant(text, value), status) << KxString(text);
            EXPECT_EQ(value, expected) << KxString(text);
        }
    }
}

TEST(StringToEvalVariant, EachKindHasItsTypeDisplayTextAndDouble) {
    const CommaDecimalLocale german; // even where the process writes "1,5", 1.5 shows as "1.5"
    KxDbEvalVariant int8, point;
    int8.setInt8(-8);
    point.setPoint({1.5, -2.0, 0.1});
    // The value, its result type and data type, its text and its double.
    const std::tuple<KxDbEvalVariant, short, int, const wchar_t*, double> rows[] = {
        {KxDbEvalVariant(), kRtNone, kDwgNull, L"", -1.0},
        {0.1 + 0.2, 40, 1, L"0.30000000000000004", 0.1 + 0.2},
        {1e-5, 40, 1, L"0.00001", 1e-5},
        {std::int32_t{-70000}, 90, 2, L"-70000", -70000.0},
        {short{-5}, 70, 3, L"-5", -5.0},
        {int8, 280, 4, L"-8", -1.0},
        {L"2.5", 1, 5, L"2.5", -1.0},
        {point, 10, 12, L"1.5,-2,0.1", -1.0}};
    for (const auto& [value, restype, type, text, number] : rows) {
        EXPECT_EQ(value.restype(), restype) << KxString(text);
        EXPECT_EQ(value.getType(), type) << KxString(text);
        EXPECT_EQ(evalVariantToString(value), text);
        EXPECT_EQ(evalVarInDouble(value), number) << KxString(text);
    }
}

using UnitsAndPrecision = SysVarsTest;

TEST_F(UnitsAndPrecision, ATextIsRewrittenInTheCurrentUnitsWhenItCanBe) {
    // An angle (a constant expression in degrees) in the angular unit and precision given, a
    // length in the linear ones; no new text when it stays as it is.
    const std::tuple<short, short, bool, bool, const wchar_t*, const char*> rows[] = {
        {3, 8, true, false, L"90", "1.57079633r"},  {3, 8, true, false, L"360", "0.00000000r"},
        {3, 8, true, false, L"450", "1.57079633r"}, {3, 8, true, false, L"-450", "4.71238898r"},
        {3, 8, true, false, L"-90", "4.71238898r"}, {0, 2, true, false, L"atan(1)", "45.00"},
        {0, 2, true, false, L"-1000000", "80.00"},  {1, 4, true, false, L"45.5", "45d30'0\""},
        {0, 2, true, false, L"width*2", nullptr},   {4, 4, false, false, L"15.5", "15.5000"},
        {4, 4, false, true, L"15.5", "1'-3 1/2\""}, {4, 4, false, false, L"1'-3 1/2\"", "15.5000"},
        {3, 4, false, false, L"15.5", "15.5000"},   {5, 2, false, false, L"15.5", "15 1/2"},
        {2, 2, false, false, L" 15.5 ", "15.50"},   {2, 4, false, false, L"1'-3\"", nullptr},
        {2, 8, false, false, L"1e246", nullptr},    {2, 0, false, false, L"1e255", nullptr}};
    for (const auto& [units, precision, angle, keepLinearUnitMode, text, converted] : rows) {
        kxedResetSysVars();
        ASSERT_EQ(setSysVar(angle ? L"AUNITS" : L"LUNITS", units), kRtNorm);
        ASSERT_EQ(setSysVar(angle ? L"AUPREC" : L"LUPREC", precision), kRtNorm);
        KxString value(text);
        ConvertToCurrentPrecision(value, angle, keepLinearUnitMode);
        EXPECT_EQ(value.toUtf8(), converted ? converted : KxString(text).toUtf8()) << value;
    }
    KxString longest(L"1e254"); // up to 255 characters are taken
    ConvertToCurrentPrecision(longest, false, false);
    EXPECT_EQ(longest.length(), 255);
    // A variable that the host cannot read leaves the text too.
    for (const wchar_t* name : {L"LUNITS", L"LUPREC", L"AUNITS", L"AUPREC"}) {
        kxedResetSysVars();
        kxedSetGetVarRefused(name, true);
        KxString value(L"1.5");
        ConvertToCurrentPrecision(value, name[0] == L'A', false);
        EXPECT_EQ(value, L"1.5") << KxString(name);
    }
    // The four variables come precision first; one that the host cannot read is 0.
    ASSERT_EQ(setSysVar(L"LUPREC", 6), kRtNorm);
    ASSERT_EQ(setSysVar(L"AUPREC", 3), kRtNorm); // but reading it is refused
    ASSERT_EQ(setSysVar(L"AUNITS", 1), kRtNorm);
    unsigned int values[4] = {99, 99, 99, 99};
    EXPECT_TRUE(getSysVarUnitsAndPrecision(values[0], values[1], values[2], values[3]));
    EXPECT_EQ(std::vector<unsigned>(values, values + 4), (std::vector<unsigned>{6, 2, 0, 1}));
}

TEST(FilteredNotice, IsShownOverTheGivenWindowUnlessADocumentIsSwitched) {
    std::vector<HWND> shownOver;
    mtSetTaskDialogPresenter([&](const MtTaskDialogShown& dialog) {
        shownOver.push_back(dialog.parent);
        return 0;
    });
    showFilteredTaskDialog(reinterpret_cast<HWND>(0x10));
    KxParameterManager::getInstance().setDocumentSwitch(true); // the notice made the manager
    showFilteredTaskDialog(reinterpret_cast<HWND>(0x20));
    mtSetTaskDialogPresenter(nullptr);
    KxParameterManager::destroy();
    EXPECT_EQ(shownOver, std::vector<HWND>{reinterpret_cast<HWND>(0x10)});
}

} // namespace

#include "host/KxHostStatus.h"
#include "host/KxRxResourceInstance.h"
#include "host/KxStatusName.h"
#include "host/KxUtResource.h"
#include "host/MtHostTaskDialog.h"
#include "resources/KxParameterResIds.h"
#include "support/HostSession.h"
#include "support/ModuleAccess.h"

#include <gmock/gmock.h>

#include <functional>

using ::testing::HasSubstr;

namespace {

using CommandTable = HostSession;

std::wstring globalNameFound(const wchar_t* name, bool global, int flags) {
    KxEdCommandStruc record;
    return kxedCmdLookup2(name, global, &record, flags) ? record.cmd->globalName() : L"(none)";
}

TEST_F(CommandTable, CommandsAreFoundByEitherNameInAnyCaseInTheGroupsAskedAndComeAndGo) {
    constexpr int all = KxEd::kLookupAllGroups;
    EXPECT_EQ(globalNameFound(L"parameters", true, all), L"PARAMETERS");
    EXPECT_EQ(globalNameFound(L"Parameter", false, all), L"PARAMETERS");
    EXPECT_EQ(globalNameFound(L"PARAMETERSX", true, all), L"(none)");
    // Outside the core group only a search of all groups finds a command.
    EXPECT_EQ(globalNameFound(L"PARAMETERS", true, 0), L"(none)");
    ASSERT_TRUE(kxedAddCommand(KxEd::kCoreGroup, L"REGEN", L"REGENERER"));
    EXPECT_EQ(globalNameFound(L"regenerer", false, 0), L"REGEN");
    EXPECT_FALSE(kxedAddCommand(KxEd::kCoreGroup, L"Parameters", L"X"));
    EXPECT_TRUE(kxedRemoveCommand(L"parameters"));
    EXPECT_FALSE(kxedRemoveCommand(L"PARAMETERS"));
    kxedResetCommands(); // the host's own come back, and only they
    EXPECT_EQ(globalNameFound(L"PARAMETER", false, all), L"PARAMETERS");
    EXPECT_EQ(globalNameFound(L"REGEN", true, all), L"(none)");
}

std::string errorsOf(const std::function<bool()>& action) {
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(action());
    return ::testing::internal::GetCapturedStderr();
}

// Starts and ends with no module loaded and no module directory.
struct Loader : ::testing::Test {
    void SetUp() override { KxTestSession::unloadAllModules(); }
    void TearDown() override { KxTestSession::unloadAllModules(); }
};

TEST_F(Loader, RefusesBadModulesWithAMessageAndLoadsAGoodOneOnceAndItsResources) {
    EXPECT_THAT(errorsOf([] { return KxUtResource::loadDll(L"KxParameterRes.dll", 0, 0); }),
                HasSubstr("no module directory holds it"));
    EXPECT_FALSE(kxrxAddModuleDirectory("relative/dir"));
    ASSERT_TRUE(kxrxAddModuleDirectory(testModuleDirectory()));
    ASSERT_TRUE(kxrxAddModuleDirectory(binDirectory()));
    const std::pair<const wchar_t*, const char*> refusals[] = {
        {L"Missing.dlx", "no module dir"},    {L"NoEntry.dlx", "kxrxEntryPoint"},
        {L"WrongVersion.dlx", "API version"}, {L"../KxParameter.dlx", "name alone"},
        {nullptr, "file name alone"},         {L"a/b.dlx", "file name alone"}};
    for (const auto& [name, why] : refusals) {
        // A copy of the binding for the lambda: clang before 16 cannot capture a binding.
        EXPECT_THAT(errorsOf([module = name] { return kxrxLoadModule(module, false, true); }),
                    HasSubstr(why));
    }
    EXPECT_TRUE(kxrxLoadModule(L"KxParameter.dlx", false, true));
    EXPECT_TRUE(kxrxAppIsLoaded(L"KxParameter.dlx"));
    EXPECT_THAT(errorsOf([] { return kxrxLoadModule(L"KxParameter.dlx", false, true); }),
                HasSubstr("loaded already"));
    // A module's own symbols are found; those of the libraries it uses are not.
    EXPECT_NE(kxrxModuleSymbol(L"KxParameter.dlx", "testPalette"), nullptr);
    EXPECT_EQ(kxrxModuleSymbol(L"KxParameter.dlx", "kxAssocErrorRecord"), nullptr);
    EXPECT_TRUE(kxrxUnloadModule(L"KxParameter.dlx"));
    EXPECT_FALSE(kxrxUnloadModule(L"KxParameter.dlx"));
    EXPECT_FALSE(kxrxAppIsLoaded(L"KxParameter.dlx"));
    // A resource module's strings; an identifier the table does not hold, no module, or a module
    // without a table leave the text as it is.
    const KxRxResourceInstance resources(KxUtResource::loadDll(L"KxParameterRes.dll", 0, 0));
    const KxRxResourceInstance noTable(KxUtResource::loadDll(L"NoEntry.dlx", 0, 0));
    KxString text(L"kept");
    for (const KxRxResourceInstance& module : {resources, KxRxResourceInstance(nullptr), noTable}) {
        EXPECT_FALSE(text.loadString(module, 999999));
    }
    EXPECT_EQ(text, L"kept");
    EXPECT_TRUE(text.loadString(resources, KxParameterRes::kFilteredTitle));
    EXPECT_EQ(text, L"Parameters are filtered");
}

TEST(TaskDialog, IsPrintedInAFrameWithItsPlaceholdersFilled) {
    MtTaskDialogSource source;
    ASSERT_TRUE(source.add({L"T.Hidden", L"T\u00eft{n}", L"{n} of {all}\n{n}", {L"Show", L"No"}}));
    EXPECT_FALSE(source.add({L"T.Hidden", L"again", L"", {L"OK"}}));
    EXPECT_FALSE(source.add({L"", L"no id", L"", {L"OK"}}));
    EXPECT_FALSE(source.add({L"T.NoButton", L"no button", L"", {}}));
    MtHostTaskDialog dialog;
    EXPECT_EQ(dialog.showDialog(WindowHandle(nullptr)), kRtError); // nothing loaded yet
    const MtKeyValue pairs[] = {{L"n", L"{n}3 {n}"}, {L"all", L"10"}}, noKey[] = {{nullptr, L"x"}},
                     emptyKey[] = {{L"", L"x"}};
    const std::pair<const MtKeyValue*, int> refused[] = {
        {pairs, -1}, {noKey, 1}, {emptyKey, 1}, {nullptr, 1}};
    for (const auto& [values, count] : refused) {
        EXPECT_FALSE(dialog.loadFromFile(source, L"T.Hidden", values, count)) << count;
    }
    ASSERT_TRUE(dialog.loadFromFile(source, L"T.Hidden", pairs, 2));
    ::testing::internal::CaptureStdout(); // a value holding its placeholder goes in once
    EXPECT_EQ(dialog.showDialog(WindowHandle(nullptr)), 0);
    EXPECT_EQ(::testing::internal::GetCapturedStdout(),
              "+-----------------+\n| T\u00eft{n}3 {n}     |\n+-----------------+\n"
              "| {n}3 {n} of 10  |\n| {n}3 {n}        |\n+-----------------+\n"
              "| [ Show ] [ No ] |\n+-----------------+\n");
}

TEST(KxStringValue, ComparesCodeUnitsExactlyAndConvertsUtf8) {
    EXPECT_EQ(KxString(L"abcdef", 3), L"abc");
    EXPECT_EQ(KxString(L"abc", -1), L"");
    // Each length of sequence at both ends of its range; then what is no code point: a stray
    // continuation byte, a cut sequence, an overlong form, a surrogate, beyond U+10FFFF.
    const std::pair<const wchar_t*, const char*> both[] = {
        {L"\u007F\u0080\u07FF\u0800", "\x7F\xC2\x80\xDF\xBF\xE0\xA0\x80"},
        {L"\uFFFF\U00010000\U0010FFFF", "\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"},
        {L"a\uFFFDz\uFFFD\uFFFD", "a\x80z\xE2\x86"},
        {L"\uFFFD\uFFFD|\uFFFD\uFFFD\uFFFD", "\xC0\xAF|\xED\xA0\x80"},
        {L"\uFFFD\uFFFD\uFFFD\uFFFD|\uFFFD!", "\xF4\x90\x80\x80|\xF8!"}};
    for (const auto& [wide, utf8] : both) {
        EXPECT_EQ(KxString::fromUtf8(utf8), KxString(wide)) << utf8;
    }
    EXPECT_EQ(KxString(both[0].first).toUtf8(), both[0].second);
    EXPECT_EQ(KxString(both[1].first).toUtf8(), both[1].second);
    // Surrogates alone, of either half, before a character, after a low one and at the end, are no
    // code points on either system; nor, where wchar_t has 32 bits, a unit beyond U+10FFFF.
    const auto unit = [](long value) { return static_cast<wchar_t>(value); };
    std::wstring stray = {unit(0xD800), L'|', unit(0xDC00), unit(0xDBFF)};
    std::string replaced = "\xEF\xBF\xBD|\xEF\xBF\xBD\xEF\xBF\xBD";
    if constexpr (sizeof(wchar_t) == 4) {
        stray += {L'|', unit(0x110000), unit(-1)};
        replaced += "|\xEF\xBF\xBD\xEF\xBF\xBD";
    }
    EXPECT_EQ(KxString(stray).toUtf8(), replaced);
}

} // namespace

TEST(StatusName, NamesEachStatusOfTheEnumerationAndNumbersAnyOther) {
    EXPECT_EQ(kxStatusText(Lumo::eInvalidInput), "eInvalidInput, 3");
    EXPECT_EQ(kxStatusText(Lumo::eAlreadyUsed), "eAlreadyUsed, 20051");
    EXPECT_EQ(kxStatusText(static_cast<Lumo::ErrorStatus>(12345)), "status 12345");
    EXPECT_EQ(kxStatusName(static_cast<Lumo::ErrorStatus>(-1)), nullptr);
}

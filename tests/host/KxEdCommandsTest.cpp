#include "support/HostSession.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using CommandTable = HostSession;

std::wstring globalNameFound(const wchar_t* name, bool global, int flags) {
    KxEdCommandStruc record;
    if (!kxedCmdLookup2(name, global, &record, flags)) {
        return L"(none)";
    }
    return record.cmd->globalName();
}

TEST_F(CommandTable, LooksUpByEitherNameIgnoringCaseInTheGroupsAsked) {
    constexpr int all = KxEd::kLookupAllGroups;
    EXPECT_EQ(globalNameFound(L"parameters", true, all), L"PARAMETERS");
    EXPECT_EQ(globalNameFound(L"Parameter", false, all), L"PARAMETERS");
    EXPECT_EQ(globalNameFound(L"PARAMETER", true, all), L"(none)");
    EXPECT_EQ(globalNameFound(L"PARAMETERSX", true, all), L"(none)");
    // Outside the core group only a search of all groups finds a command.
    EXPECT_EQ(globalNameFound(L"PARAMETERS", true, 0), L"(none)");
    ASSERT_TRUE(kxedAddCommand(KxEd::kCoreGroup, L"REGEN", L"REGENERER"));
    EXPECT_EQ(globalNameFound(L"regenerer", false, 0), L"REGEN");
    EXPECT_EQ(globalNameFound(nullptr, true, all), L"(none)");
}

TEST_F(CommandTable, CommandsComeAndGoAndTheHostsOwnComeBack) {
    EXPECT_FALSE(kxedAddCommand(KxEd::kCoreGroup, L"Parameters", L"X"));
    EXPECT_FALSE(kxedAddCommand(KxEd::kCoreGroup, L"NEW", L""));
    EXPECT_TRUE(kxedRemoveCommand(L"parameters"));
    EXPECT_FALSE(kxedRemoveCommand(L"PARAMETERS"));
    EXPECT_TRUE(kxedAddCommand(KxEd::kParametricGroup, L"PARAMETERS", L"PARAMETRES"));
    kxedResetCommands();
    KxEdCommandStruc record;
    ASSERT_TRUE(kxedCmdLookup2(L"PARAMETERS", true, &record, KxEd::kLookupAllGroups));
    EXPECT_EQ(std::wstring(record.cmd->localName()), L"PARAMETER");
}

} // namespace

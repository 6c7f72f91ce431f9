#pragma once

/// @file
/// The host's commands.

#include "host/KxHostExport.h"

#include <string>

/// A command of the host: its global name, which never changes, and the name the user types in
/// the host's language. Commands live in named groups.
class KX_HOST_EXPORT KxEdCommand {
public:
    /// A command of that group with those names.
    KxEdCommand(std::wstring group, std::wstring globalName, std::wstring localName);

    /// The name of the group the command lives in.
    const wchar_t* groupName() const { return mGroup.c_str(); }
    /// The name that never changes.
    const wchar_t* globalName() const { return mGlobalName.c_str(); }
    /// The name the user types, in the host's language.
    const wchar_t* localName() const { return mLocalName.c_str(); }

private:
    std::wstring mGroup;
    std::wstring mGlobalName;
    std::wstring mLocalName;
};

/// What a lookup finds. The command stays the table's and lives until it is removed.
struct KxEdCommandStruc {
    const KxEdCommand* cmd = nullptr; ///< the command found; null before a lookup finds one
};

/// Names and flags of the host's command table.
namespace KxEd {
/// The group of the host's core commands, the only one searched unless a lookup asks for all.
inline constexpr const wchar_t* kCoreGroup = L"KX_CORE";
/// The group of the parametric commands, "PARAMETERS" among them.
inline constexpr const wchar_t* kParametricGroup = L"KX_PARAMETRIC";
/// Lookup flag: search every group, not only the core group.
inline constexpr int kLookupAllGroups = 0x800;
} // namespace KxEd

/// Finds a command by its global name (`global` true) or by its local name, ignoring letter case.
/// False, and the record untouched, when there is none.
KX_HOST_EXPORT bool kxedCmdLookup2(const wchar_t* name, bool global, KxEdCommandStruc* record,
                                   int flags);
/// Adds a command; false, and nothing added, when a name is empty or the global name is taken.
KX_HOST_EXPORT bool kxedAddCommand(const wchar_t* group, const wchar_t* globalName,
                                   const wchar_t* localName);
/// Removes the command of that global name; false when there is none.
KX_HOST_EXPORT bool kxedRemoveCommand(const wchar_t* globalName);
/// Back to the host's own commands: "PARAMETERS" (local name "PARAMETER") and no other.
KX_HOST_EXPORT void kxedResetCommands();

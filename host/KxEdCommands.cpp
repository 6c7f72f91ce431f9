#include "host/KxEdCommands.h"

#include <algorithm>
#include <cwctype>
#include <list>

namespace {

std::list<KxEdCommand> defaultCommands() {
    return {KxEdCommand(KxEd::kParametricGroup, L"PARAMETERS", L"PARAMETER")};
}

// A list, so that a record's command stays where it is while others come and go.
std::list<KxEdCommand>& commands() {
    static std::list<KxEdCommand> table = defaultCommands();
    return table;
}

bool sameName(const wchar_t* a, const wchar_t* b) {
    for (; *a && *b; ++a, ++b) {
        if (std::towupper(static_cast<wint_t>(*a)) != std::towupper(static_cast<wint_t>(*b))) {
            return false;
        }
    }
    return *a == *b;
}

std::list<KxEdCommand>::iterator findGlobal(const wchar_t* name) {
    return std::find_if(commands().begin(), commands().end(), [&](const KxEdCommand& command) {
        return sameName(command.globalName(), name);
    });
}

} // namespace

KxEdCommand::KxEdCommand(std::wstring group, std::wstring globalName, std::wstring localName)
    : mGroup(std::move(group)), mGlobalName(std::move(globalName)),
      mLocalName(std::move(localName)) {}

bool kxedCmdLookup2(const wchar_t* name, bool global, KxEdCommandStruc* record, int flags) {
    if (!name || !*name) {
        return false;
    }
    const bool allGroups = (flags & KxEd::kLookupAllGroups) != 0;
    for (const KxEdCommand& command : commands()) {
        if (!allGroups && std::wstring(command.groupName()) != KxEd::kCoreGroup) {
            continue;
        }
        if (sameName(global ? command.globalName() : command.localName(), name)) {
            if (record) {
                record->cmd = &command;
            }
            return true;
        }
    }
    return false;
}

bool kxedAddCommand(const wchar_t* group, const wchar_t* globalName, const wchar_t* localName) {
    if (!group || !*group || !globalName || !*globalName || !localName || !*localName) {
        return false;
    }
    if (findGlobal(globalName) != commands().end()) {
        return false;
    }
    commands().emplace_back(group, globalName, localName);
    return true;
}

bool kxedRemoveCommand(const wchar_t* globalName) {
    if (!globalName) {
        return false;
    }
    const auto found = findGlobal(globalName);
    if (found == commands().end()) {
        return false;
    }
    commands().erase(found);
    return true;
}

void kxedResetCommands() {
    commands() = defaultCommands();
}

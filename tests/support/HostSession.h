#pragma once

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxEdCommands.h"
#include "host/KxEdEditor.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Runs a test on the host as it starts: no documents, the host's own commands and no editor
// reactors; and leaves it so for the next test. Construction and destruction do it, so that the
// members of a derived fixture see the fresh host and are gone before it is cleared.
class HostSession : public ::testing::Test {
protected:
    HostSession() { reset(); }
    ~HostSession() override { reset(); }

    static void reset() {
        kxDocManagerPtr()->closeAllDocuments();
        kxedResetCommands();
        kxedRemoveAllEditorReactors();
    }
};

// Writes down the modeless-operation notices of the host's editor while it lives.
class ModelessNotices : public KxEdEditorReactor {
public:
    ModelessNotices() { kxedAddEditorReactor(this); }
    ~ModelessNotices() override { kxedRemoveEditorReactor(this); }
    ModelessNotices(const ModelessNotices&) = delete;
    ModelessNotices& operator=(const ModelessNotices&) = delete;

    void modelessOperationWillStart(const wchar_t* context) override {
        mNotices.push_back(L"start " + std::wstring(context));
    }
    void modelessOperationEnded(const wchar_t* context) override {
        mNotices.push_back(L"end " + std::wstring(context));
    }

    std::vector<std::wstring> mNotices;
};

inline void PrintTo(const KxApDocLockRequest& request, std::ostream* out) {
    *out << "{mode " << request.mode << ", " << KxString(request.globalCommandName) << ", "
         << KxString(request.localCommandName) << ", prompt " << request.prompt << ", result "
         << request.result << "}";
}

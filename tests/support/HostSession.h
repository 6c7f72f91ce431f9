#pragma once

#include "host/KxApDocManager.h"
#include "host/KxApDocument.h"
#include "host/KxEdCommands.h"
#include "host/KxEdEditor.h"
#include "testkit/KxTestSession.h"

#include <gtest/gtest.h>

#include <ostream>
#include <string>
#include <vector>

// Runs a test on the host and the library as a fresh process has them, and leaves them so for the
// next test: the test kit's session, made before the members of a derived fixture, so that they
// see the fresh host, and destroyed after them.
class HostSession : public ::testing::Test {
protected:
    KxTestSession mSession;
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

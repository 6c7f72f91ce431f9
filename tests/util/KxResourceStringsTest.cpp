#include "util/KxParameterUtil.h"

#include "host/MtTaskDialogPresenter.h"
#include "manager/KxParameterManager.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using ::testing::SizeIs;

namespace {

struct FilteredNotice : ::testing::Test {
    std::vector<MtTaskDialogShown> shown;

    void SetUp() override {
        mtSetTaskDialogPresenter([this](const MtTaskDialogShown& dialog) {
            shown.push_back(dialog);
            return 0;
        });
    }
    void TearDown() override {
        mtSetTaskDialogPresenter(nullptr);
        KxParameterManager::destroy();
    }
};

TEST_F(FilteredNotice, IsShownOnceOverTheGivenWindowUnlessADocumentIsSwitched) {
    auto* window = reinterpret_cast<HWND>(0x10);
    KxParameterUtil::showFilteredTaskDialog(window);
    ASSERT_THAT(shown, SizeIs(1));
    EXPECT_EQ(shown[0].id, KxString(L"KxParameter.ParameterFiltered"));
    EXPECT_EQ(shown[0].parent, window);
    EXPECT_FALSE(shown[0].message.isEmpty());

    // The notice made the manager; while it reports a document switch nothing is shown.
    ASSERT_NE(KxParameterManager::mpParamManager, nullptr);
    KxParameterManager::getInstance().setDocumentSwitch(true);
    KxParameterUtil::showFilteredTaskDialog(window);
    EXPECT_THAT(shown, SizeIs(1));
}

} // namespace

#include "host/MtHostTaskDialog.h"
#include "host/KxHostStatus.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

// Records every dialog shown and answers with a chosen button.
class TaskDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        mtSetTaskDialogPresenter([this](const MtTaskDialogShown& dialog) {
            shown.push_back(dialog);
            return answer;
        });
    }
    void TearDown() override { mtSetTaskDialogPresenter(nullptr); }

    std::vector<MtTaskDialogShown> shown;
    int answer = 0;
    HWND window = reinterpret_cast<HWND>(0x1000);
};

TEST_F(TaskDialogTest, TheFilteredNoticeIsShownThroughThePresenter) {
    MtHostTaskDialog dialog;
    EXPECT_FALSE(dialog.isLoaded());
    ASSERT_TRUE(dialog.loadFromFile(MtHostTaskDialog::getTaskDialogSource(),
                                    L"KxParameter.ParameterFiltered", nullptr, 0));
    EXPECT_TRUE(dialog.isLoaded());
    EXPECT_THAT(shown, IsEmpty()); // loading shows nothing

    answer = 0;
    EXPECT_EQ(dialog.showDialog(WindowHandle(window)), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].id, L"KxParameter.ParameterFiltered");
    EXPECT_EQ(shown[0].parent, window);
    EXPECT_THAT(shown[0].title.toUtf8(), HasSubstr("filtered"));
    EXPECT_THAT(shown[0].message.toUtf8(), HasSubstr("filter"));
    EXPECT_THAT(shown[0].buttons, ElementsAre(KxString(L"OK")));

    // Shown again on request; the presenter's answer is the result.
    answer = 3;
    EXPECT_EQ(dialog.showDialog(WindowHandle(nullptr)), 3);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1].parent, nullptr);
}

TEST_F(TaskDialogTest, AnUnknownDialogShowsNothing) {
    MtHostTaskDialog dialog;
    EXPECT_FALSE(dialog.loadFromFile(MtHostTaskDialog::getTaskDialogSource(),
                                     L"KxParameter.NoSuchDialog", nullptr, 0));
    EXPECT_FALSE(dialog.loadFromFile(MtHostTaskDialog::getTaskDialogSource(), nullptr, nullptr, 0));
    EXPECT_FALSE(dialog.isLoaded());
    EXPECT_EQ(dialog.showDialog(WindowHandle(window)), kRtError);
    EXPECT_THAT(shown, IsEmpty());
}

TEST_F(TaskDialogTest, PairsFillThePlaceholdersAndBadPairsChangeNothing) {
    MtTaskDialogSource source;
    ASSERT_TRUE(source.add({L"Test.Hidden",
                            L"{count} hidden",
                            L"{count} of {total} are hidden",
                            {L"Show all", L"Close"}}));
    EXPECT_FALSE(source.add({L"Test.Hidden", L"again", L"", {L"OK"}}));
    EXPECT_FALSE(source.add({L"", L"no id", L"", {L"OK"}}));
    EXPECT_FALSE(source.add({L"Test.NoButton", L"no button", L"", {}}));
    EXPECT_EQ(source.find(L"Test.NoButton"), nullptr);
    // The host's own source does not hold dialogs of other sources.
    EXPECT_EQ(MtHostTaskDialog::getTaskDialogSource().find(L"Test.Hidden"), nullptr);

    MtHostTaskDialog dialog;
    const MtKeyValue pairs[] = {{L"count", L"3"}, {L"total", L"10"}};
    ASSERT_TRUE(dialog.loadFromFile(source, L"Test.Hidden", pairs, 2));

    const MtKeyValue noKey[] = {{nullptr, L"x"}};
    const MtKeyValue emptyKey[] = {{L"", L"x"}};
    EXPECT_FALSE(dialog.loadFromFile(source, L"Test.Hidden", nullptr, 1));
    EXPECT_FALSE(dialog.loadFromFile(source, L"Test.Hidden", pairs, -1));
    EXPECT_FALSE(dialog.loadFromFile(source, L"Test.Hidden", noKey, 1));
    EXPECT_FALSE(dialog.loadFromFile(source, L"Test.Hidden", emptyKey, 1));
    EXPECT_FALSE(dialog.loadFromFile(source, L"KxParameter.ParameterFiltered", nullptr, 0));

    EXPECT_EQ(dialog.showDialog(WindowHandle(window)), 0);
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, L"3 hidden");
    EXPECT_EQ(shown[0].message, L"3 of 10 are hidden");
    EXPECT_THAT(shown[0].buttons, ElementsAre(KxString(L"Show all"), KxString(L"Close")));

    // A value that holds its own placeholder is put in once.
    const MtKeyValue recursive[] = {{L"count", L"{count}{count}"}};
    ASSERT_TRUE(dialog.loadFromFile(source, L"Test.Hidden", recursive, 1));
    dialog.showDialog(WindowHandle(window));
    EXPECT_EQ(shown.back().title, L"{count}{count} hidden");
}

TEST(TaskDialogPresenter, TheDefaultPrintsAFramedBlock) {
    mtSetTaskDialogPresenter(nullptr);
    MtHostTaskDialog dialog;
    ASSERT_TRUE(dialog.loadFromFile(MtHostTaskDialog::getTaskDialogSource(),
                                    L"KxParameter.ParameterFiltered", nullptr, 0));
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(dialog.showDialog(WindowHandle(nullptr)), 0);
    const std::string printed = ::testing::internal::GetCapturedStdout();
    EXPECT_THAT(printed, HasSubstr("| Parameters are filtered"));
    EXPECT_THAT(printed, HasSubstr("[ OK ]"));
    // Every line of the frame has the same width.
    std::size_t width = printed.find('\n');
    ASSERT_NE(width, std::string::npos);
    for (std::size_t start = 0; start < printed.size(); start = printed.find('\n', start) + 1) {
        EXPECT_EQ(printed.find('\n', start) - start, width) << printed;
    }

    // Installing a presenter gives back the one replaced.
    int calls = 0;
    MtTaskDialogPresenter previous =
        mtSetTaskDialogPresenter([&](const MtTaskDialogShown&) { return ++calls; });
    ASSERT_TRUE(previous);
    EXPECT_EQ(dialog.showDialog(WindowHandle(nullptr)), 1);
    MtTaskDialogPresenter mine = mtSetTaskDialogPresenter(std::move(previous));
    EXPECT_EQ(mine(MtTaskDialogShown{}), 2);
    mtSetTaskDialogPresenter(nullptr);
}

} // namespace

#include "support/TestParameter.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A parameter whose group hooks log their calls and answer as the test sets.
class GroupingParameter : public TestParameter {
public:
    explicit GroupingParameter(EventLog* log) : TestParameter(log), mpLog(log) {}

    using KxParameter::addToGroup;
    using KxParameter::removeFromGroup;

    Lumo::ErrorStatus mHookStatus = Lumo::eOk;
    KxString mHookMessage;

protected:
    Lumo::ErrorStatus addToGroup(const short& index, KxString& message) override {
        return hook("addToGroup", index, message);
    }
    Lumo::ErrorStatus removeFromGroup(const short& index, KxString& message) override {
        return hook("removeFromGroup", index, message);
    }

private:
    Lumo::ErrorStatus hook(const char* what, short index, KxString& message) {
        mpLog->push_back(std::string(what) + " " + std::to_string(index) +
                         (message.isEmpty() ? "" : " (message not empty)"));
        message = mHookMessage;
        return mHookStatus;
    }

    EventLog* mpLog;
};

std::vector<short> groupsOf(const KxParameter& parameter) {
    KxParameter::GroupIndexList groups;
    EXPECT_EQ(parameter.getGroupNameIndexes(groups), Lumo::eOk);
    return {groups.begin(), groups.end()};
}

TEST(GroupMembership, TheBaseHooksRefuseAfterTheWillChangeNotice) {
    EventLog log;
    TestParameter parameter(&log);
    RecordingReactor reactor("A", log);
    parameter.addReactor(&reactor);

    EXPECT_EQ(parameter.addToGroup(short{4}), Lumo::eNotAllowed);
    EXPECT_THAT(log, ElementsAre("A: groupsWillChange", "A: modificationFailed 2 [] []"));
    EXPECT_THAT(groupsOf(parameter), IsEmpty());

    // Leaving a group the parameter is not in is not a change: the base hook is not asked.
    log.clear();
    EXPECT_EQ(parameter.removeFromGroup(short{4}), Lumo::eOk);
    EXPECT_THAT(log, IsEmpty());
}

struct GroupedParameter : ::testing::Test {
    EventLog log;
    GroupingParameter parameter{&log};
    RecordingReactor first{"A", log};
    RecordingReactor second{"B", log};

    void SetUp() override {
        parameter.addReactor(&first);
        parameter.addReactor(&second);
    }
};

TEST_F(GroupedParameter, JoiningAppendsAfterTheHookAndTellsBeforeAndAfter) {
    EXPECT_EQ(parameter.addToGroup(short{4}), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("A: groupsWillChange", "B: groupsWillChange", "addToGroup 4",
                                 "A: groupsChanged 4", "B: groupsChanged 4"));
    EXPECT_EQ(parameter.addToGroup(short{-3}), Lumo::eOk);
    EXPECT_THAT(groupsOf(parameter), ElementsAre(4, -3));

    // Joining again is silent and asks no hook.
    log.clear();
    EXPECT_EQ(parameter.addToGroup(short{4}), Lumo::eOk);
    EXPECT_EQ(parameter.addToGroup(short{-3}), Lumo::eOk);
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(GroupedParameter, LeavingRemovesOnlyTheFirstOfDuplicates) {
    KxParameter::GroupIndexList groups;
    for (short index : {4, 7, 1, 7}) {
        groups.append(index);
    }
    parameter.setGroupNameIndexesInternal(groups);
    log.clear();

    EXPECT_EQ(parameter.removeFromGroup(short{7}), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("A: groupsWillChange 4 7 1 7", "B: groupsWillChange 4 7 1 7",
                                 "removeFromGroup 7", "A: groupsChanged 4 1 7",
                                 "B: groupsChanged 4 1 7"));
    EXPECT_EQ(parameter.removeFromGroup(short{7}), Lumo::eOk);
    EXPECT_THAT(groupsOf(parameter), ElementsAre(4, 1));

    log.clear();
    EXPECT_EQ(parameter.removeFromGroup(short{9}), Lumo::eOk);
    EXPECT_THAT(log, IsEmpty());
}

TEST_F(GroupedParameter, ARefusingHookKeepsTheListAndReportsItsTexts) {
    parameter.addToGroup(short{1});
    log.clear();
    parameter.mHookStatus = static_cast<Lumo::ErrorStatus>(9);
    parameter.mHookMessage = L"group is locked";

    EXPECT_EQ(parameter.addToGroup(short{2}), 9);
    EXPECT_EQ(parameter.removeFromGroup(short{1}), 9);
    EXPECT_THAT(log,
                ElementsAre("A: groupsWillChange 1", "B: groupsWillChange 1", "addToGroup 2",
                            "A: modificationFailed 9 [group is locked] []",
                            "B: modificationFailed 9 [group is locked] []", "A: groupsWillChange 1",
                            "B: groupsWillChange 1", "removeFromGroup 1",
                            "A: modificationFailed 9 [group is locked] []",
                            "B: modificationFailed 9 [group is locked] []"));
    EXPECT_THAT(groupsOf(parameter), ElementsAre(1));
}

TEST_F(GroupedParameter, ReadingTheGroupsReplacesTheCallersEntries) {
    parameter.addToGroup(short{5});
    KxParameter::GroupIndexList groups(0, 3);
    for (short index : {9, 9, 9, 9}) {
        groups.append(index);
    }
    EXPECT_EQ(parameter.getGroupNameIndexes(groups), Lumo::eOk);
    EXPECT_THAT(groups, ElementsAre(5));
    EXPECT_EQ(groups.growLength(), 3);
}

} // namespace

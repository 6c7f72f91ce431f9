#include "collections/KxParameterGroupCollection.h"

#include "palette/KxApParameterManagerESW.h"
#include "support/RecordingPalette.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

using ::testing::ElementsAre;
using ::testing::IsEmpty;

namespace {

// A provider's group list whose hooks log and answer as the test sets.
class TestGroups : public KxParameterGroupCollection {
public:
    std::vector<std::string> mHooks;
    Lumo::ErrorStatus mHookStatus = Lumo::eOk;

    Lumo::ErrorStatus getGroupIndex(const KxString&, short& index) const override {
        index = -1;
        return Lumo::eInvalidInput;
    }
    std::vector<std::string> names() const {
        KxArray<KxString> list;
        getParameterGroups(list);
        std::vector<std::string> texts;
        for (const KxString& name : list) {
            texts.push_back(name.toUtf8());
        }
        return texts;
    }
    void set(std::initializer_list<const wchar_t*> names) {
        KxArray<KxString> list;
        for (const wchar_t* name : names) {
            list.append(name);
        }
        setParameterGroupsInternal(list);
    }

protected:
    Lumo::ErrorStatus addParameterGroupInternal(const KxString& name) override {
        return hook("add " + name.toUtf8());
    }
    Lumo::ErrorStatus deleteParameterGroupInternal(const KxString& name) override {
        return hook("delete " + name.toUtf8());
    }
    Lumo::ErrorStatus renameParameterGroupInternal(const KxString& oldName,
                                                   const KxString& newName) override {
        return hook("rename " + oldName.toUtf8() + " " + newName.toUtf8());
    }

private:
    Lumo::ErrorStatus hook(std::string call) {
        // The hook sees the list before the change.
        for (const std::string& name : names()) {
            call += " |" + name;
        }
        mHooks.push_back(call);
        return mHookStatus;
    }
};

TEST(GroupCollection, RenamedGroupsMoveToTheEnd) {
    TestGroups groups;
    for (const wchar_t* name : {L"A", L"B", L"E"}) {
        EXPECT_EQ(groups.addParameterGroup(name), Lumo::eOk);
    }
    EXPECT_EQ(groups.renameParameterGroup(L"A", L"F"), Lumo::eOk);
    EXPECT_THAT(groups.names(), ElementsAre("B", "E", "F"));
    EXPECT_THAT(groups.mHooks,
                ElementsAre("add A", "add B |A", "add E |A |B", "rename A F |A |B |E"));

    // Renaming a name that is not there adds the new one once the hook agrees.
    EXPECT_EQ(groups.renameParameterGroup(L"X", L"Y"), Lumo::eOk);
    EXPECT_THAT(groups.names(), ElementsAre("B", "E", "F", "Y"));
}

TEST(GroupCollection, NamesCompareExactlyAndPresentOrAbsentNamesAreNoChange) {
    TestGroups groups;
    EXPECT_EQ(groups.addParameterGroup(L"A"), Lumo::eOk);
    EXPECT_EQ(groups.addParameterGroup(L"A"), Lumo::eOk);
    EXPECT_EQ(groups.addParameterGroup(L"a"), Lumo::eOk);
    EXPECT_EQ(groups.addParameterGroup(L"B"), Lumo::eOk);
    EXPECT_THAT(groups.names(), ElementsAre("A", "a", "B"));
    groups.mHooks.clear();

    EXPECT_EQ(groups.deleteParameterGroup(L"Z"), Lumo::eOk);
    EXPECT_EQ(groups.renameParameterGroup(L"A", L"B"), Lumo::eOk);
    EXPECT_THAT(groups.mHooks, IsEmpty());
    EXPECT_THAT(groups.names(), ElementsAre("A", "a", "B"));

    EXPECT_EQ(groups.deleteParameterGroup(L"a"), Lumo::eOk);
    EXPECT_THAT(groups.names(), ElementsAre("A", "B"));
}

TEST(GroupCollection, EmptyOrEqualNamesAreRefusedWithoutAskingTheHook) {
    TestGroups groups;
    groups.addParameterGroup(L"A");
    groups.mHooks.clear();
    EXPECT_EQ(groups.addParameterGroup(L""), Lumo::eInvalidInput);
    EXPECT_EQ(groups.deleteParameterGroup(L""), Lumo::eInvalidInput);
    EXPECT_EQ(groups.renameParameterGroup(L"", L"B"), Lumo::eInvalidInput);
    EXPECT_EQ(groups.renameParameterGroup(L"A", L""), Lumo::eInvalidInput);
    EXPECT_EQ(groups.renameParameterGroup(L"A", L"A"), Lumo::eInvalidInput);
    EXPECT_THAT(groups.mHooks, IsEmpty());
    EXPECT_THAT(groups.names(), ElementsAre("A"));
}

TEST(GroupCollection, ARefusingHookLeavesTheListAsItWas) {
    TestGroups groups;
    groups.set({L"A", L"B"});
    groups.mHookStatus = static_cast<Lumo::ErrorStatus>(12);
    EXPECT_EQ(groups.addParameterGroup(L"C"), 12);
    EXPECT_EQ(groups.deleteParameterGroup(L"A"), 12);
    EXPECT_EQ(groups.renameParameterGroup(L"A", L"C"), 12);
    EXPECT_EQ(groups.mHooks.size(), 3u);
    EXPECT_THAT(groups.names(), ElementsAre("A", "B"));
}

TEST(GroupCollection, OnlySettingTheWholeListRebuildsThePalettesGroups) {
    RecordingPalette palette;
    KxApParameterManagerESW::instance()->setHost(&palette);
    TestGroups groups;
    groups.set({L"A", L"", L"A"});
    EXPECT_THAT(groups.names(), ElementsAre("A", "", "A"));
    EXPECT_THAT(palette.mCalls,
                ElementsAre(RecordingPalette::Call{"repopulateGroupDataInUI", &groups, ""}));

    // The duplicate's first occurrence goes; nothing else reaches the palette.
    palette.mCalls.clear();
    EXPECT_EQ(groups.deleteParameterGroup(L"A"), Lumo::eOk);
    groups.addParameterGroup(L"C");
    groups.renameParameterGroup(L"C", L"D");
    EXPECT_THAT(groups.names(), ElementsAre("", "A", "D"));
    EXPECT_THAT(palette.mCalls, IsEmpty());
    KxApParameterManagerESW::instance()->setHost(nullptr);
}

TEST(GroupCollection, CopiesAndReadsReplaceWholeLists) {
    TestGroups groups;
    groups.set({L"A", L"B"});
    TestGroups copy(groups);
    groups.addParameterGroup(L"C");
    EXPECT_THAT(copy.names(), ElementsAre("A", "B"));
    copy = groups;
    EXPECT_THAT(copy.names(), ElementsAre("A", "B", "C"));

    KxArray<KxString> list;
    list.append(L"old");
    list.append(L"older");
    list.append(L"oldest");
    list.append(L"ancient");
    copy.set({L"X"});
    copy.getParameterGroups(list);
    EXPECT_THAT(list, ElementsAre(KxString(L"X")));
}

} // namespace

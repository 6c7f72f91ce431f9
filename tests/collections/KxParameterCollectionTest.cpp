#include "collections/KxParameterCollection.h"

#include "collections/KxParameterGroupFilter.h"
#include "collections/KxParameterPropertyEnabler.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/RecordingPalette.h"
#include "support/TestCollection.h"
#include "support/TestGroups.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

// The recording palette attached to the proxy, writing into the test's log.
struct WithPalette : ::testing::Test {
    EventLog log;
    RecordingPalette palette;
    void SetUp() override {
        palette.mpLog = &log;
        KxApParameterManagerESW::instance()->setHost(&palette);
    }
    void TearDown() override { KxApParameterManagerESW::instance()->setHost(nullptr); }
};

TEST_F(WithPalette, OneDeletionCancelsTheEditAndSeveralAreOnePaletteUpdate) {
    TestCollection collection(&log);
    RecordingCollectionReactor reactor("R", log);
    TestParameter a, b, c, foreign;
    for (KxParameter* parameter : {&a, &b, &c}) {
        collection.addParameter(parameter);
    }
    collection.addReactor(&reactor);
    collection.deleteParameters(KxArray<KxParameter*>());
    const auto doomed = parameterList({&b});
    collection.deleteParameters(doomed);
    EXPECT_EQ(reactor.mpLastDeleted, &doomed);
    // A parameter of another collection reaches the reactors and the provider, and removes nothing.
    collection.deleteParameters(parameterList({&c, &foreign}));
    EXPECT_THAT(log, ElementsAre("palette: cancelCurrentEdit", "R: parametersDeleted 1",
                                 "test: erase 1 of 3", "palette: cancelCurrentEdit",
                                 "palette: setESWLockUpdate true", "R: parametersDeleted 2",
                                 "test: erase 2 of 2", "palette: setESWLockUpdate false"));
    EXPECT_THAT(collection.getParameters(), ElementsAre(&a));
    collection.addParameter(&b);
    collection.deleteParameters(collection.getParameters());
    EXPECT_THAT(collection.getParameters(), IsEmpty());
}

TEST(CollectionDeletion, OnePassRemovesWhatRemovingFirstOccurrencesOneByOneRemoves) {
    std::mt19937 random(20261206);
    std::vector<std::unique_ptr<TestParameter>> pool;
    for (int i = 0; i < 12; ++i) {
        pool.push_back(std::make_unique<TestParameter>());
    }
    for (int round = 0; round < 300; ++round) {
        TestCollection collection;
        std::vector<KxParameter*> held;
        // The first eight may stand twice; the last four are foreign to the collection.
        for (int i = static_cast<int>(random() % 15); i > 0; --i) {
            held.push_back(pool[random() % 8].get());
            collection.addParameter(held.back());
        }
        KxArray<KxParameter*> doomed;
        for (int i = 1 + static_cast<int>(random() % 12); i > 0; --i) {
            doomed.append(pool[random() % pool.size()].get());
        }
        collection.deleteParameters(doomed);
        for (auto entry = doomed.end(); entry != doomed.begin(); --entry) {
            const auto found = std::find(held.begin(), held.end(), entry[-1]);
            if (found != held.end()) {
                held.erase(found);
            }
        }
        ASSERT_THAT(collection.getParameters(), ElementsAreArray(held)) << "round " << round;
    }
}

TEST(CollectionReactors, ATwiceRegisteredReactorHearsTwiceAndLeavesOnceAtATime) {
    EventLog log;
    TestCollection collection;
    RecordingCollectionReactor reactor("R", log);
    TestParameter parameter;
    EXPECT_EQ(collection.addParameter(nullptr), Lumo::eNullObjectPointer);
    EXPECT_EQ(collection.addReactor(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(collection.removeReactor(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(collection.removeReactor(&reactor), Lumo::eInvalidInput);
    EXPECT_EQ(collection.addReactor(&reactor), Lumo::eOk);
    EXPECT_EQ(collection.addReactor(&reactor), Lumo::eOk);
    for (const auto expected : {Lumo::eOk, Lumo::eOk, Lumo::eInvalidInput}) {
        EXPECT_EQ(collection.addParameter(&parameter), Lumo::eOk);
        EXPECT_EQ(collection.removeReactor(&reactor), expected);
    }
    EXPECT_EQ(log.size(), 3u);
    // The parameter stands three times; its owner is not touched.
    EXPECT_THAT(collection.getParameters(), ElementsAre(&parameter, &parameter, &parameter));
    EXPECT_EQ(parameter.getOwner(), nullptr);
}

class WideningEnabler : public KxParameterPropertyEnabler {
public:
    void enableProperties(KxArray<KxColumnHeaderProperty>& columns) override {
        for (auto& column : columns) {
            column.mWidth += 10;
        }
    }
};
// A provider with columns of its own.
class ColumnCollection : public TestCollection {
public:
    using TestCollection::TestCollection;

protected:
    Lumo::ErrorStatus
    getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>& columns) const override {
        columns.append({L"count", L"Count", 40, true});
        return Lumo::eOk;
    }
};

TEST(CollectionColumns, EachEnablerStandsOnceAndChangesOnlyTheProvidersColumns) {
    TestCollection plain(nullptr, nullptr);
    EXPECT_TRUE(plain.collectionName().isEmpty());
    ColumnCollection provider(nullptr, L"provider");
    WideningEnabler first, second;
    EXPECT_EQ(provider.addPropertyEnabler(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(provider.removePropertyEnabler(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(provider.removePropertyEnabler(&first), Lumo::eInvalidInput);
    for (WideningEnabler* enabler : {&first, &first, &second}) {
        EXPECT_EQ(provider.addPropertyEnabler(enabler), Lumo::eOk);
        EXPECT_EQ(plain.addPropertyEnabler(enabler), Lumo::eOk);
    }
    // Without the provider's columns no enabler runs; the list is not emptied first.
    KxArray<KxColumnHeaderProperty> columns;
    columns.append({L"value", L"Value", 50, true});
    EXPECT_EQ(plain.getSupportedProperties(columns), Lumo::eNotImplemented);
    EXPECT_EQ(columns[0].mWidth, 50);
    // An assigned collection shares the name, parameters, reactors and enablers.
    ColumnCollection assigned;
    assigned = provider;
    EXPECT_EQ(assigned.collectionName(), KxString(L"provider"));
    EXPECT_EQ(assigned.getSupportedProperties(columns), Lumo::eOk);
    ASSERT_EQ(columns.length(), 2);
    EXPECT_EQ(columns[0].mWidth, 70);
    EXPECT_EQ(columns[1].mWidth, 60);
    EXPECT_EQ(provider.removePropertyEnabler(&first), Lumo::eOk);
    EXPECT_EQ(provider.removePropertyEnabler(&first), Lumo::eInvalidInput);
}

std::vector<std::string> namesOf(const KxParameterGroupCollection& groups) {
    KxArray<KxString> names;
    names.append(L"old"); // the caller's entries are replaced
    EXPECT_EQ(groups.getParameterGroups(names), Lumo::eOk);
    std::vector<std::string> texts;
    for (const KxString& name : names) {
        texts.push_back(name.toUtf8());
    }
    return texts;
}

TEST(GroupCollection, NamesCompareExactlyAndOnlyRealChangesAskTheHook) {
    TestGroups groups;
    for (const wchar_t* name : {L"A", L"B", L"a", L"E"}) {
        EXPECT_EQ(groups.addParameterGroup(name), Lumo::eOk);
    }
    // A renamed group moves to the end; renaming an absent name adds the new one.
    EXPECT_EQ(groups.renameParameterGroup(L"A", L"F"), Lumo::eOk);
    EXPECT_EQ(groups.renameParameterGroup(L"X", L"A"), Lumo::eOk);
    EXPECT_EQ(groups.deleteParameterGroup(L"a"), Lumo::eOk);
    // A hook that refuses everything shows whether it was asked.
    groups.mHookStatus = static_cast<Lumo::ErrorStatus>(12);
    const Lumo::ErrorStatus bad = Lumo::eInvalidInput;
    const Lumo::ErrorStatus statuses[] = {
        groups.addParameterGroup(L"A"),          groups.deleteParameterGroup(L"Z"),
        groups.renameParameterGroup(L"B", L"E"), groups.addParameterGroup(L""),
        groups.deleteParameterGroup(L""),        groups.renameParameterGroup(L"", L"C"),
        groups.renameParameterGroup(L"A", L""),  groups.renameParameterGroup(L"A", L"A"),
        groups.addParameterGroup(L"C"),          groups.deleteParameterGroup(L"A"),
        groups.renameParameterGroup(L"A", L"C")};
    EXPECT_THAT(statuses, ElementsAre(0, 0, 0, bad, bad, bad, bad, bad, 12, 12, 12));
    EXPECT_THAT(namesOf(groups), ElementsAre("B", "E", "F", "A"));
}

TEST_F(WithPalette, OnlySettingTheWholeGroupListRebuildsThePalettesGroups) {
    TestGroups groups;
    KxArray<KxString> names;
    for (const wchar_t* name : {L"A", L"", L"A"}) {
        names.append(name);
    }
    EXPECT_EQ(groups.setParameterGroupsInternal(names), Lumo::eOk);
    EXPECT_THAT(palette.mCalls,
                ElementsAre(RecordingPalette::Call{"repopulateGroupDataInUI", &groups, ""}));
    // The duplicate's first occurrence goes; nothing else reaches the palette.
    EXPECT_EQ(groups.deleteParameterGroup(L"A"), Lumo::eOk);
    groups.addParameterGroup(L"C");
    groups.renameParameterGroup(L"C", L"D");
    TestGroups copy;
    copy = groups;
    EXPECT_THAT(namesOf(copy), ElementsAre("", "A", "D"));
    EXPECT_EQ(palette.mCalls.size(), 1u);
}

TEST(GroupFilter, PassesItsGroupOrInvertedEverythingElseAndNeverANull) {
    TestParameter inTwo, inSeven, inNone;
    KxParameter::GroupIndexList groups;
    groups.append(5);
    groups.append(7);
    inSeven.setGroupNameIndexesInternal(groups);
    groups.append(2);
    inTwo.setGroupNameIndexesInternal(groups);
    const auto input = parameterList({&inTwo, nullptr, &inSeven, &inNone, &inTwo});
    KxParameterGroupFilter filter(L"walls", 2);
    auto output = parameterList({&inNone});
    EXPECT_EQ(filter.filterParameters(input, output), Lumo::eOk);
    EXPECT_THAT(output, ElementsAre(&inTwo, &inTwo));
    filter.setInvertFilter(true);
    EXPECT_EQ(filter.filterParameters(input, output), Lumo::eOk);
    EXPECT_THAT(output, ElementsAre(&inSeven, &inNone));
    // Only a name that is not empty renames the filter; the index stays.
    KxString name;
    EXPECT_FALSE(filter.renameGroupFilter(L""));
    filter.getGroupName(name);
    EXPECT_EQ(name, KxString(L"walls"));
    EXPECT_TRUE(filter.renameGroupFilter(L"doors"));
    filter.getGroupName(name);
    EXPECT_EQ(name, KxString(L"doors"));
    EXPECT_EQ(filter.getGroupIndex(), 2);
}

} // namespace

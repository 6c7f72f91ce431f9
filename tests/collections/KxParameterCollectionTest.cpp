#include "collections/KxParameterCollection.h"

#include "collections/KxParameterGroupFilter.h"
#include "collections/KxParameterPropertyEnabler.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/TestCollection.h"
#include "support/TestGroups.h"
#include "testkit/KxRecordingPalette.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <vector>

using ::testing::ElementsAre;

namespace {

TEST(CollectionDeletion, OneDeletionCancelsTheEditSeveralAreOnePaletteUpdateEachEntryGoesOnce) {
    EventLog log;
    KxRecordingPalette palette;
    palette.mpLog = &log;
    KxApParameterManagerESW::instance()->setHost(&palette);
    TestCollection collection(&log);
    RecordingCollectionReactor reactor("R", log);
    TestParameter a, b, foreign;
    for (KxParameter* parameter : {&a, &b, &a, &b, &a}) {
        collection.addParameter(parameter);
    }
    collection.addReactor(&reactor);
    collection.deleteParameters(KxArray<KxParameter*>());
    collection.deleteParameters(parameterList({&b}));
    // A parameter named twice loses two entries; a foreign or null one takes none.
    collection.deleteParameters(parameterList({&a, &foreign, &a}));
    collection.deleteParameters(parameterList({nullptr, &b}));
    KxApParameterManagerESW::instance()->setHost(nullptr);
    EXPECT_THAT(log, ElementsAre("palette: cancelCurrentEdit", "R: parametersDeleted 1",
                                 "test: erase 1 of 5", "palette: cancelCurrentEdit",
                                 "palette: setESWLockUpdate true", "R: parametersDeleted 3",
                                 "test: erase 3 of 4", "palette: setESWLockUpdate false",
                                 "palette: cancelCurrentEdit", "palette: setESWLockUpdate true",
                                 "R: parametersDeleted 2", "test: erase 2 of 2",
                                 "palette: setESWLockUpdate false"));
    EXPECT_THAT(collection.getParameters(), ElementsAre(&a));
    collection.deleteParameters(collection.getParameters());
    EXPECT_TRUE(collection.getParameters().isEmpty());
}

// Whatever the list and the collection hold, duplicates, foreign and null entries included, the
// collection keeps what removing the first occurrence of each entry, from the last to the first,
// would leave: the rule itself, applied here one by one.
TEST(CollectionDeletion, LeavesWhatRemovingFirstOccurrencesOneByOneLeaves) {
    std::mt19937 random(11);
    TestParameter pool[12];
    const auto pick = [&]() -> KxParameter* {
        const unsigned index = random() % 13;
        return index == 12 ? nullptr : &pool[index];
    };
    for (int round = 0; round < 500; ++round) {
        TestCollection collection;
        std::vector<KxParameter*> expected;
        for (auto i = random() % 20; i > 0; --i) {
            if (KxParameter* parameter = pick()) {
                collection.addParameter(parameter);
                expected.push_back(parameter);
            }
        }
        KxArray<KxParameter*> list;
        for (auto i = random() % 20; i > 0; --i) {
            list.append(pick());
        }
        for (int i = list.length() - 1; i >= 0; --i) {
            const auto first = std::find(expected.begin(), expected.end(), list[i]);
            if (first != expected.end()) {
                expected.erase(first);
            }
        }
        collection.deleteParameters(list);
        const KxArray<KxParameter*>& kept = collection.getParameters();
        ASSERT_EQ(std::vector<KxParameter*>(kept.begin(), kept.end()), expected)
            << "round " << round;
    }
}

class WideningEnabler : public KxParameterPropertyEnabler {
public:
    void enableProperties(KxArray<KxColumnHeaderProperty>& columns) override {
        columns[0].mWidth += 10;
    }
};
// A provider with a column of its own.
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

TEST(CollectionRegistrations, ReactorsMayStandTwiceEnablersOnceAndAnAssignedCollectionShares) {
    EventLog log;
    TestCollection plain(nullptr, nullptr);
    ColumnCollection provider(nullptr, L"provider");
    RecordingCollectionReactor reactor("R", log);
    WideningEnabler first, second;
    TestParameter parameter;
    EXPECT_TRUE(plain.collectionName().isEmpty());
    EXPECT_EQ(plain.addParameter(nullptr), Lumo::eNullObjectPointer);
    EXPECT_EQ(plain.addReactor(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(plain.removeReactor(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(plain.removeReactor(&reactor), Lumo::eInvalidInput);
    EXPECT_EQ(plain.addPropertyEnabler(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(plain.removePropertyEnabler(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(plain.removePropertyEnabler(&first), Lumo::eInvalidInput);
    EXPECT_EQ(plain.addReactor(&reactor), Lumo::eOk);
    EXPECT_EQ(plain.addReactor(&reactor), Lumo::eOk);
    for (const auto expected : {Lumo::eOk, Lumo::eOk, Lumo::eInvalidInput}) {
        EXPECT_EQ(plain.addParameter(&parameter), Lumo::eOk);
        EXPECT_EQ(plain.removeReactor(&reactor), expected);
    }
    EXPECT_EQ(log.size(), 3u);
    // The parameter stands three times.
    EXPECT_THAT(plain.getParameters(), ElementsAre(&parameter, &parameter, &parameter));
    for (WideningEnabler* enabler : {&first, &first, &second}) {
        EXPECT_EQ(provider.addPropertyEnabler(enabler), Lumo::eOk);
        EXPECT_EQ(plain.addPropertyEnabler(enabler), Lumo::eOk);
    }
    // Without the provider's columns no enabler runs.
    KxArray<KxColumnHeaderProperty> columns;
    EXPECT_EQ(plain.getSupportedProperties(columns), Lumo::eNotImplemented);
    provider.addReactor(&reactor);
    ColumnCollection assigned;
    assigned = provider;
    assigned.addParameter(&parameter);
    EXPECT_EQ(log.size(), 4u);
    EXPECT_EQ(assigned.collectionName(), KxString(L"provider"));
    EXPECT_EQ(assigned.getSupportedProperties(columns), Lumo::eOk);
    ASSERT_EQ(columns.length(), 1);
    EXPECT_EQ(columns[0].mWidth, 60);
    EXPECT_EQ(provider.removePropertyEnabler(&first), Lumo::eOk);
}

TEST(GroupCollection, NamesCompareExactlyAndOnlyRealChangesAskTheHook) {
    TestGroups groups;
    KxArray<KxString> names;
    for (const wchar_t* name : {L"A", L"B", L"a", L"A"}) {
        names.append(name);
    }
    // Set as a whole, the list keeps twins; a deletion takes the first.
    EXPECT_EQ(groups.setParameterGroupsInternal(names), Lumo::eOk);
    EXPECT_EQ(groups.deleteParameterGroup(L"A"), Lumo::eOk);
    // A renamed group moves to the end; renaming an absent name adds the new one.
    EXPECT_EQ(groups.renameParameterGroup(L"A", L"F"), Lumo::eOk);
    EXPECT_EQ(groups.renameParameterGroup(L"X", L"A"), Lumo::eOk);
    EXPECT_EQ(groups.deleteParameterGroup(L"a"), Lumo::eOk);
    EXPECT_EQ(groups.addParameterGroup(L"E"), Lumo::eOk);
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
    TestGroups copy;
    copy = groups;
    names.setLogicalLength(1); // the caller's entries are replaced
    EXPECT_EQ(copy.getParameterGroups(names), Lumo::eOk);
    EXPECT_THAT(names, ElementsAre(KxString(L"B"), KxString(L"F"), KxString(L"A"), KxString(L"E")));
}

TEST(GroupFilter, PassesItsGroupOrInvertedEverythingElseAndNeverANull) {
    TestParameter inTwo, inSeven, inNone;
    KxParameter::GroupIndexList groups;
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
    EXPECT_EQ(filter.filterParameters(KxArray<KxParameter*>(), output), Lumo::eOk);
    // Only a name that is not empty renames the filter.
    KxString name;
    EXPECT_FALSE(filter.renameGroupFilter(L""));
    filter.getGroupName(name);
    EXPECT_EQ(name, KxString(L"walls"));
    EXPECT_TRUE(filter.renameGroupFilter(L"doors"));
    filter.getGroupName(name);
    EXPECT_EQ(name, KxString(L"doors"));
}

} // namespace

#include "collections/KxParameterCollection.h"

#include "collections/KxParameterCollectionReactor.h"
#include "collections/KxParameterPropertyEnabler.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/RecordingPalette.h"
#include "support/TestCollection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <memory>
#include <random>

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;
using ::testing::IsEmpty;

namespace {

class WideningEnabler : public KxParameterPropertyEnabler {
public:
    void enableProperties(KxArray<KxColumnHeaderProperty>& columns) override {
        ++mCalls;
        for (auto& column : columns) {
            column.mWidth += 10;
        }
    }
    int mCalls = 0;
};

struct CollectionWithPalette : ::testing::Test {
    EventLog log;
    RecordingPalette palette;
    TestCollection collection{&log};
    RecordingCollectionReactor reactor{"R", log};
    TestParameter a, b, c, foreign;

    void SetUp() override {
        palette.mpLog = &log;
        KxApParameterManagerESW::instance()->setHost(&palette);
        collection.addParameter(&a);
        collection.addParameter(&b);
        collection.addParameter(&c);
        collection.addReactor(&reactor);
    }
    void TearDown() override { KxApParameterManagerESW::instance()->setHost(nullptr); }

    static KxArray<KxParameter*> list(std::initializer_list<KxParameter*> parameters) {
        KxArray<KxParameter*> array;
        for (KxParameter* parameter : parameters) {
            array.append(parameter);
        }
        return array;
    }
};

TEST_F(CollectionWithPalette, DeletingNothingCallsNobody) {
    collection.deleteParameters(KxArray<KxParameter*>());
    EXPECT_THAT(log, IsEmpty());
    EXPECT_EQ(collection.getParameters().length(), 3);
}

TEST_F(CollectionWithPalette, DeletingOneCancelsTheEditWithoutTheUpdateLock) {
    const auto doomed = list({&b});
    collection.deleteParameters(doomed);
    EXPECT_THAT(log, ElementsAre("palette: cancelCurrentEdit", "R: parametersDeleted 1",
                                 "test: erase 1 of 3"));
    EXPECT_EQ(reactor.mpLastDeleted, &doomed);
    EXPECT_THAT(collection.getParameters(), ElementsAre(&a, &c));
}

TEST_F(CollectionWithPalette, DeletingSeveralIsBracketedByTheUpdateLock) {
    // A parameter of another collection reaches the reactors and the provider, and removes nothing.
    collection.deleteParameters(list({&c, &foreign, &a}));
    EXPECT_THAT(log, ElementsAre("palette: cancelCurrentEdit", "palette: setESWLockUpdate true",
                                 "R: parametersDeleted 3", "test: erase 3 of 3",
                                 "palette: setESWLockUpdate false"));
    EXPECT_THAT(collection.getParameters(), ElementsAre(&b));
}

TEST_F(CollectionWithPalette, DeletingEverythingInAnyOrderEmptiesTheList) {
    collection.deleteParameters(list({&c, &b, &a}));
    EXPECT_THAT(collection.getParameters(), IsEmpty());
    for (KxParameter* parameter : {&a, &b, &c}) {
        collection.addParameter(parameter);
    }
    collection.deleteParameters(collection.getParameters());
    EXPECT_THAT(collection.getParameters(), IsEmpty());
    EXPECT_EQ(collection.getParameters().physicalLength(), 8);
}

// Removing first occurrences one by one, from the last entry of the given list to the first.
std::vector<KxParameter*> removedOneByOne(std::vector<KxParameter*> held,
                                          const std::vector<KxParameter*>& doomed) {
    for (auto entry = doomed.rbegin(); entry != doomed.rend(); ++entry) {
        auto found = std::find(held.begin(), held.end(), *entry);
        if (found != held.end()) {
            held.erase(found);
        }
    }
    return held;
}

TEST(CollectionDeletion, OnePassGivesWhatRemovingOneByOneGives) {
    std::mt19937 random(20261206);
    std::vector<std::unique_ptr<TestParameter>> pool;
    for (int i = 0; i < 12; ++i) {
        pool.push_back(std::make_unique<TestParameter>());
    }
    for (int round = 0; round < 300; ++round) {
        TestCollection collection;
        std::vector<KxParameter*> held;
        const int heldCount = static_cast<int>(random() % 15);
        for (int i = 0; i < heldCount; ++i) {
            // The first eight may stand twice; the last four are foreign to the collection.
            KxParameter* parameter = pool[random() % 8].get();
            held.push_back(parameter);
            collection.addParameter(parameter);
        }
        std::vector<KxParameter*> doomed;
        KxArray<KxParameter*> doomedArray;
        const int doomedCount = 1 + static_cast<int>(random() % 12);
        for (int i = 0; i < doomedCount; ++i) {
            KxParameter* parameter = pool[random() % pool.size()].get();
            doomed.push_back(parameter);
            doomedArray.append(parameter);
        }
        if (round % 3 == 0) {
            std::reverse(doomed.begin(), doomed.end());
            std::reverse(doomedArray.begin(), doomedArray.end());
        }
        collection.deleteParameters(doomedArray);
        ASSERT_THAT(collection.getParameters(), ElementsAreArray(removedOneByOne(held, doomed)))
            << "round " << round;
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
    EXPECT_EQ(collection.addParameter(&parameter), Lumo::eOk);
    EXPECT_EQ(log.size(), 2u);
    EXPECT_EQ(collection.removeReactor(&reactor), Lumo::eOk);
    collection.addParameter(&parameter);
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(collection.removeReactor(&reactor), Lumo::eOk);
    collection.addParameter(&parameter);
    EXPECT_EQ(log.size(), 3u);
    EXPECT_EQ(collection.removeReactor(&reactor), Lumo::eInvalidInput);
    // The parameter stands three times; its owner is not touched.
    EXPECT_THAT(collection.getParameters(), ElementsAre(&parameter, &parameter, &parameter));
    EXPECT_EQ(parameter.getOwner(), nullptr);
}

TEST(CollectionColumns, EnablersStandOnceAndRunOnlyAfterTheProvidersColumns) {
    TestCollection collection;
    WideningEnabler enabler;
    EXPECT_EQ(collection.addPropertyEnabler(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(collection.removePropertyEnabler(&enabler), Lumo::eInvalidInput);
    EXPECT_EQ(collection.addPropertyEnabler(&enabler), Lumo::eOk);
    EXPECT_EQ(collection.addPropertyEnabler(&enabler), Lumo::eOk);

    KxArray<KxColumnHeaderProperty> columns;
    columns.append({L"value", L"Value", 50, true});
    EXPECT_EQ(collection.getSupportedProperties(columns), Lumo::eNotImplemented);
    EXPECT_EQ(enabler.mCalls, 0);
    EXPECT_EQ(columns.length(), 1);
    EXPECT_EQ(columns[0].mWidth, 50);

    EXPECT_EQ(collection.removePropertyEnabler(&enabler), Lumo::eOk);
    EXPECT_EQ(collection.removePropertyEnabler(&enabler), Lumo::eInvalidInput);
}

// A provider with columns of its own.
class ColumnCollection : public TestCollection {
protected:
    Lumo::ErrorStatus
    getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>& columns) const override {
        columns.append({L"count", L"Count", 40, true});
        return Lumo::eOk;
    }
};

TEST(CollectionColumns, EachEnablerSeesTheFilledList) {
    ColumnCollection collection;
    WideningEnabler first, second;
    collection.addPropertyEnabler(&first);
    collection.addPropertyEnabler(&second);
    KxArray<KxColumnHeaderProperty> columns;
    EXPECT_EQ(collection.getSupportedProperties(columns), Lumo::eOk);
    ASSERT_EQ(columns.length(), 1);
    EXPECT_EQ(columns[0].mWidth, 60);
    EXPECT_EQ(first.mCalls, 1);
    EXPECT_EQ(second.mCalls, 1);
}

TEST(CollectionCopies, ShareTheSourcesPointers) {
    EventLog log;
    TestCollection source;
    RecordingCollectionReactor reactor("R", log);
    TestParameter a, b;
    source.addParameter(&a);
    source.addReactor(&reactor);

    TestCollection copy(source);
    EXPECT_EQ(copy.collectionName(), KxString(L"test"));
    copy.addParameter(&b);
    EXPECT_THAT(log, ElementsAre("R: parameterAdded"));
    EXPECT_THAT(copy.getParameters(), ElementsAre(&a, &b));
    EXPECT_THAT(source.getParameters(), ElementsAre(&a));

    TestCollection assigned(nullptr, nullptr);
    EXPECT_TRUE(assigned.collectionName().isEmpty());
    assigned = copy;
    EXPECT_EQ(assigned.collectionName(), KxString(L"test"));
    EXPECT_THAT(assigned.getParameters(), ElementsAre(&a, &b));
}

} // namespace

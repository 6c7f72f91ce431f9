#include "manager/KxParameterManager.h"

#include "collections/KxParameterGroupCollection.h"
#include "collections/KxParameterGroupFilter.h"
#include "host/KxAssocErrorUtil.h"
#include "host/KxModuleLoader.h"
#include "manager/KxParameterManagerReactor.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/ModuleAccess.h"
#include "support/RecordingManagerReactor.h"
#include "support/RecordingPalette.h"
#include "support/TestCollection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Call = RecordingPalette::Call;

namespace {

class TestGroups : public KxParameterGroupCollection {
public:
    Lumo::ErrorStatus getGroupIndex(const KxString&, short&) const override {
        return Lumo::eInvalidInput;
    }

protected:
    Lumo::ErrorStatus addParameterGroupInternal(const KxString&) override { return Lumo::eOk; }
    Lumo::ErrorStatus deleteParameterGroupInternal(const KxString&) override { return Lumo::eOk; }
    Lumo::ErrorStatus renameParameterGroupInternal(const KxString&, const KxString&) override {
        return Lumo::eOk;
    }
};

class NoGroupFilter : public KxParameterFilter {
public:
    Lumo::ErrorStatus filterParameters(const KxArray<KxParameter*>&,
                                       KxArray<KxParameter*>& passing) override {
        passing.setLogicalLength(0);
        return Lumo::eOk;
    }
};

KxArray<KxParameter*> list(std::initializer_list<KxParameter*> parameters) {
    KxArray<KxParameter*> array;
    for (KxParameter* parameter : parameters) {
        array.append(parameter);
    }
    return array;
}

// A manager connected, through the host's loader, to the test palette module, whose recording
// palette writes into the same log as the reactors and providers.
struct Manager : ::testing::Test {
    EventLog log;
    KxParameterManager* manager = nullptr;
    RecordingPalette* palette = nullptr;
    RecordingManagerReactor reactor{log};
    CImageList images;

    void SetUp() override {
        ASSERT_TRUE(kxrxAddModuleDirectory(KX_TEST_MODULE_DIR));
        manager = &KxParameterManager::getInstance();
        auto* modulePalette = loadedModuleFunction<RecordingPalette*()>(
            testModulePath("KxParameter.dlx"), "testPalette");
        ASSERT_NE(modulePalette, nullptr);
        palette = modulePalette();
        palette->mCalls.clear();
        palette->mpLog = &log;
        ASSERT_EQ(manager->addReactor(&reactor), Lumo::eOk);
    }
    void TearDown() override {
        palette->mpLog = nullptr;
        KxParameterManager::destroy();
    }
};

TEST(ManagerLifetime, OneManagerPerLifeAndThePaletteModuleLoadedOnce) {
    ASSERT_TRUE(kxrxAddModuleDirectory(KX_TEST_MODULE_DIR));
    const std::string path = testModulePath("KxParameter.dlx");
    KxParameterManager& first = KxParameterManager::getInstance();
    EXPECT_EQ(&KxParameterManager::getInstance(), &first);
    EXPECT_EQ(KxParameterManager::mpParamManager, &first);
    EXPECT_TRUE(first.init());
    EXPECT_EQ(first.GetESWFrame(), KxApParameterManagerESW::instance());

    auto* palette = loadedModuleFunction<RecordingPalette*()>(path, "testPalette")();
    auto* starts = loadedModuleFunction<int()>(path, "testPaletteStarts");
    EXPECT_EQ(starts(), 1);
    EXPECT_THAT(palette->mCalls, ElementsAre(Call{"initialize", &first, ""}));

    TestCollection collection;
    EventLog log;
    RecordingManagerReactor reactor(log);
    CImageList images;
    first.registerCollection(&collection, images);
    first.setActiveCollection(&collection);
    first.addReactor(&reactor);
    KxParameterManager::destroy();
    EXPECT_EQ(KxParameterManager::mpParamManager, nullptr);
    KxParameterManager::destroy(); // nothing left to destroy

    KxParameterManager& second = KxParameterManager::getInstance();
    EXPECT_THAT(second.getCollections(), IsEmpty());
    EXPECT_EQ(second.getActiveCollection(), nullptr);
    EXPECT_EQ(second.getActiveGroupCollection(), nullptr);
    EXPECT_EQ(second.removeReactor(&reactor), Lumo::eEmptyList);
    EXPECT_FALSE(second.IsDocumentSwitched());
    EXPECT_EQ(starts(), 1);
    EXPECT_EQ(palette->mCalls.back(), (Call{"initialize", &second, ""}));
    KxParameterManager::destroy();
}

TEST_F(Manager, RegisteringHandsEveryParameterToThePaletteUnderTheFilterLock) {
    TestCollection empty(&log, L"empty");
    TestCollection full(&log, L"full");
    TestParameter a, b;
    full.addParameter(&a);
    full.addParameter(&b);
    log.clear();

    EXPECT_EQ(manager->registerCollection(&empty, images), Lumo::eOk);
    EXPECT_EQ(manager->registerCollection(&full, images), Lumo::eOk);
    EXPECT_EQ(manager->registerCollection(&full, images), Lumo::eOk);
    const std::string imageArgument = std::to_string(reinterpret_cast<std::uintptr_t>(&images));
    EXPECT_THAT(log, ElementsAre("M: willRegister empty",
                                 "palette: SetImageListAndIndexPair " + imageArgument,
                                 "palette: setFilterLock true", "palette: setFilterLock false",
                                 "M: registered empty", "M: willRegister full",
                                 "palette: SetImageListAndIndexPair " + imageArgument,
                                 "palette: setFilterLock true", "palette: addParameterDataInUI 0",
                                 "palette: addParameterDataInUI 0", "palette: setFilterLock false",
                                 "M: registered full", "M: willRegister full",
                                 "palette: SetImageListAndIndexPair " + imageArgument,
                                 "palette: setFilterLock true", "palette: addParameterDataInUI 0",
                                 "palette: addParameterDataInUI 0", "palette: setFilterLock false",
                                 "M: registered full"));
    EXPECT_EQ(palette->mCalls[5], (Call{"addParameterDataInUI", &a, "0"}));
    EXPECT_EQ(palette->mCalls[6], (Call{"addParameterDataInUI", &b, "0"}));
    EXPECT_THAT(manager->getCollections(), ElementsAre(&empty, &full, &full));

    // Every parameter now carries the observer, once: a rename refreshes its row once.
    palette->mCalls.clear();
    a.setName(L"renamed");
    EXPECT_THAT(palette->mCalls, ElementsAre(Call{"updateParameterDataInUI", &a, ""}));

    EXPECT_EQ(manager->registerCollection(nullptr, images), Lumo::eNullPtr);
    EXPECT_THAT(manager->getCollections(), ElementsAre(&empty, &full, &full));
}

TEST_F(Manager, ParametersAddedLaterReachAVisiblePaletteThroughTheObserver) {
    TestCollection collection(&log, L"c");
    manager->registerCollection(&collection, images);
    manager->setActiveCollection(&collection);
    palette->mVisible = true;
    palette->mCalls.clear();

    TestParameter added;
    KxParameter* pointer = &added;
    EXPECT_EQ(manager->addParameter(pointer), Lumo::eOk);
    EXPECT_THAT(palette->mCalls, ElementsAre(Call{"IsVisible", nullptr, ""},
                                             Call{"addParameterDataInUI", &added, "1"}));
    EXPECT_THAT(collection.getParameters(), ElementsAre(&added));
    palette->mCalls.clear();
    added.setExpression(L"1");
    EXPECT_THAT(palette->mCalls, ElementsAre(Call{"updateParameterDataInUI", &added, ""}));
}

TEST_F(Manager, UnregisteringRemovesTheFirstEntryAndClearsTheActiveCollectionSilently) {
    TestCollection first(&log, L"first");
    TestCollection other(&log, L"other");
    TestParameter a;
    first.addParameter(&a);
    manager->registerCollection(&first, images);
    manager->registerCollection(&other, images);
    manager->registerCollection(&first, images);
    manager->setActiveCollection(&first);
    log.clear();

    EXPECT_EQ(manager->unRegisterCollection(&first), Lumo::eOk);
    EXPECT_THAT(manager->getCollections(), ElementsAre(&other, &first));
    EXPECT_EQ(manager->getActiveCollection(), nullptr);
    EXPECT_THAT(log, ElementsAre("M: willUnregister first", "palette: deleteParameterDataInUI 1",
                                 "M: unregistered first"));
    EXPECT_EQ(palette->mCalls.back().object, &first.getParameters());

    TestCollection never(&log, L"never");
    log.clear();
    EXPECT_EQ(manager->unRegisterCollection(&never), Lumo::eInvalidInput);
    EXPECT_THAT(log, ElementsAre("M: willUnregister never", "palette: deleteParameterDataInUI 0",
                                 "M: unregistered never"));

    log.clear();
    EXPECT_EQ(manager->unRegisterCollection(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(manager->setActiveCollection(nullptr), Lumo::eNullPtr);
    EXPECT_THAT(log, IsEmpty());
    EXPECT_THAT(manager->getCollections(), ElementsAre(&other, &first));
}

TEST_F(Manager, SettingTheActiveCollectionAlwaysTellsEveryone) {
    TestCollection unregistered(&log, L"u");
    EXPECT_EQ(manager->setActiveCollection(&unregistered), Lumo::eOk);
    EXPECT_EQ(manager->setActiveCollection(&unregistered), Lumo::eOk);
    EXPECT_EQ(manager->getActiveCollection(), &unregistered);
    EXPECT_THAT(log, ElementsAre("M: willActivate u", "palette: activeCollectionChanged",
                                 "M: activated u", "M: willActivate u",
                                 "palette: activeCollectionChanged", "M: activated u"));
}

TEST_F(Manager, GroupCollectionsComeAndGoWithTheFilterTree) {
    TestGroups groups, other;
    EXPECT_EQ(manager->registerParameterGroupCollection(&groups), Lumo::eOk);
    EXPECT_EQ(manager->getActiveGroupCollection(), &groups);
    EXPECT_EQ(manager->registerParameterGroupCollection(nullptr), Lumo::eOk);
    EXPECT_EQ(manager->getActiveGroupCollection(), nullptr);
    EXPECT_THAT(log, ElementsAre("M: willRegisterGroups groups", "palette: repopulateGroupDataInUI",
                                 "palette: hideFilterTree false", "M: registeredGroups groups",
                                 "M: willRegisterGroups null", "palette: repopulateGroupDataInUI",
                                 "palette: hideFilterTree true", "M: registeredGroups null"));

    // Unregistering does not compare: another group collection clears the registered one too.
    manager->registerParameterGroupCollection(&groups);
    log.clear();
    EXPECT_EQ(manager->unregisterParameterGroupCollection(&other), Lumo::eOk);
    EXPECT_EQ(manager->getActiveGroupCollection(), nullptr);
    EXPECT_THAT(log, ElementsAre("M: willUnregisterGroups groups", "palette: resetSearchPattern",
                                 "palette: hideFilterTree true", "M: unregisteredGroups groups"));

    manager->registerParameterGroupCollection(&groups);
    log.clear();
    EXPECT_EQ(manager->unregisterParameterGroupCollection(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(manager->getActiveGroupCollection(), nullptr);
    EXPECT_THAT(log, ElementsAre("M: willUnregisterGroups null"));
}

TEST_F(Manager, TheCurrentGroupComesOnlyFromAGroupFilter) {
    KxParameterGroupFilter groupFilter(L"walls", 6);
    NoGroupFilter otherFilter;
    palette->mpFilter = &groupFilter;
    EXPECT_EQ(manager->getCurrentGroupIndex(), 6);
    // The palette's two marker values are never dereferenced.
    palette->mpFilter = reinterpret_cast<KxParameterFilter*>(1);
    EXPECT_EQ(manager->getCurrentGroupIndex(), -1);
    palette->mpFilter = reinterpret_cast<KxParameterFilter*>(2);
    EXPECT_EQ(manager->getCurrentGroupIndex(), -1);
    palette->mpFilter = &otherFilter;
    EXPECT_EQ(manager->getCurrentGroupIndex(), -1);
    palette->mpFilter = nullptr;
    EXPECT_EQ(manager->getCurrentGroupIndex(), -1);

    palette->mpFilter = &groupFilter;
    KxApParameterManagerESW::instance()->setHost(nullptr);
    EXPECT_EQ(manager->getCurrentGroupIndex(), -1);
    KxApParameterManagerESW::instance()->setHost(palette);
}

TEST_F(Manager, ReactorsStandOnceAndLeaveWithTheirStatuses) {
    RecordingManagerReactor second(log);
    EXPECT_EQ(manager->addReactor(&reactor), Lumo::eOk);
    EXPECT_EQ(manager->addReactor(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(manager->removeReactor(&second), Lumo::eInvalidInput);
    EXPECT_EQ(manager->removeReactor(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(manager->removeReactor(&reactor), Lumo::eOk);
    EXPECT_EQ(manager->removeReactor(&reactor), Lumo::eEmptyList);
    TestCollection collection(&log, L"c");
    manager->setActiveCollection(&collection);
    EXPECT_THAT(log, ElementsAre("palette: activeCollectionChanged"));
}

TEST_F(Manager, PaletteOperationsAreForwardedWithTheirAnswers) {
    palette->mShow = true;
    palette->mVisible = true;
    palette->mStatus = static_cast<Lumo::ErrorStatus>(7);
    EXPECT_TRUE(manager->ShowESW(true, false));
    EXPECT_FALSE(manager->RestoreESW(true));
    EXPECT_TRUE(manager->IsESWVisible());
    manager->refreshESW(true);
    manager->setESWUpdateLock(false);
    palette->mPredefinedExpressions.append(L"pi");
    KxArray<KxString> expressions;
    expressions.append(L"e");
    EXPECT_EQ(manager->setPredefinedExpressions(expressions), 7);
    KxArray<KxString> read;
    manager->getPredefinedExpressions(read);
    EXPECT_THAT(read, ElementsAre(KxString(L"pi")));
    EXPECT_THAT(log, ElementsAre("palette: show true false", "palette: restore true",
                                 "palette: IsVisible", "palette: refresh true",
                                 "palette: setESWLockUpdate false",
                                 "palette: setPredefinedExpressions 1",
                                 "palette: getPredefinedExpressions"));
    manager->setDocumentSwitch(true);
    EXPECT_TRUE(manager->IsDocumentSwitched());
}

TEST_F(Manager, CreatingAndAddingNeedAnActiveCollection) {
    TestParameter made;
    KxParameter* parameter = &made;
    KxParameter* none = nullptr;
    EXPECT_EQ(manager->createParameter(parameter), Lumo::eNotActive);
    EXPECT_EQ(parameter, &made);
    EXPECT_EQ(manager->addParameter(parameter), Lumo::eNotActive);
    EXPECT_EQ(manager->addParameter(none), Lumo::eNotActive);

    TestCollection collection(&log, L"c");
    collection.mpCreated = &made;
    collection.mCreateStatus = static_cast<Lumo::ErrorStatus>(8);
    manager->setActiveCollection(&collection);
    parameter = nullptr;
    EXPECT_EQ(manager->createParameter(parameter), 8);
    EXPECT_EQ(parameter, &made);
    EXPECT_EQ(manager->addParameter(none), Lumo::eNullObjectPointer);
    EXPECT_EQ(manager->addParameter(parameter), Lumo::eOk);
    EXPECT_EQ(manager->addParameter(parameter), Lumo::eOk);
    EXPECT_THAT(collection.getParameters(), ElementsAre(&made, &made));
}

TEST_F(Manager, ListingConcatenatesTheCollectionsInRegistrationOrder) {
    KxArray<KxParameter*> all;
    all.append(nullptr);
    manager->getParameters(all);
    EXPECT_THAT(all, IsEmpty());

    TestCollection a(&log, L"a"), b(&log, L"b");
    TestParameter p1, p2, p3;
    a.addParameter(&p1);
    a.addParameter(&p2);
    b.addParameter(&p3);
    manager->registerCollection(&a, images);
    manager->registerCollection(&b, images);
    manager->registerCollection(&a, images);
    manager->getParameters(all);
    EXPECT_THAT(all, ElementsAre(&p1, &p2, &p3, &p1, &p2));
}

TEST_F(Manager, DeletionOffersEachCollectionItsShareAndRespectsRefusals) {
    TestCollection first(&log, L"first"), refusing(&log, L"refusing"), third(&log, L"third"),
        idle(&log, L"idle");
    TestParameter a, b, r, t, kept, stranger;
    first.addParameter(&a);
    first.addParameter(&kept);
    first.addParameter(&b);
    refusing.addParameter(&r);
    third.addParameter(&t);
    refusing.mCheckStatus = static_cast<Lumo::ErrorStatus>(11);
    // The third one keeps nothing back but drops its entry from the list it is offered.
    third.mCheck = [](KxArray<KxParameter*>& offered) { offered.setLogicalLength(0); };
    for (TestCollection* collection : {&first, &refusing, &third, &idle}) {
        manager->registerCollection(collection, images);
    }
    kxAssocErrorReset();
    log.clear();
    palette->mCalls.clear();

    manager->deleteParameters(list({&b, &r, &stranger, &t, &a, &b}));
    EXPECT_THAT(log, ElementsAre("first: check 3", "palette: cancelCurrentEdit",
                                 "palette: setESWLockUpdate true", "palette: isListControlDeleted",
                                 "first: erase 3 of 3", "palette: setESWLockUpdate false",
                                 "refusing: check 1", "third: check 1", "idle: check 0"));
    EXPECT_THAT(first.getParameters(), ElementsAre(&kept));
    EXPECT_THAT(refusing.getParameters(), ElementsAre(&r));
    EXPECT_THAT(third.getParameters(), ElementsAre(&t));
    // One error scope over the whole deletion; it ends with the last collection's status.
    EXPECT_EQ(kxAssocErrorRecord().opened, 1);
    EXPECT_EQ(kxAssocErrorRecord().closed, 1);
    EXPECT_EQ(kxAssocErrorRecord().lastStatus, Lumo::eOk);

    log.clear();
    manager->deleteParameters(list({&r}));
    EXPECT_EQ(kxAssocErrorRecord().lastStatus, Lumo::eOk);
    manager->unRegisterCollection(&idle);
    manager->unRegisterCollection(&third);
    log.clear();
    manager->deleteParameters(list({&r}));
    EXPECT_THAT(log, ElementsAre("first: check 0", "refusing: check 1"));
    EXPECT_EQ(kxAssocErrorRecord().lastStatus, 11);

    // Nothing to delete: no collection is asked and no scope is opened.
    log.clear();
    manager->deleteParameters(KxArray<KxParameter*>());
    EXPECT_THAT(log, IsEmpty());
    EXPECT_EQ(kxAssocErrorRecord().opened, 3);
}

TEST_F(Manager, DeletingACollectionsOwnListReachesEveryCollectionThatHoldsThem) {
    TestCollection first(&log, L"first"), second(&log, L"second");
    TestParameter shared, own;
    first.addParameter(&shared);
    second.addParameter(&own);
    second.addParameter(&shared);
    manager->registerCollection(&first, images);
    manager->registerCollection(&second, images);

    manager->deleteParameters(first.getParameters());
    EXPECT_THAT(first.getParameters(), IsEmpty());
    EXPECT_THAT(second.getParameters(), ElementsAre(&own));
}

} // namespace

namespace {

// What deleting `doomed` leaves in a collection holding `held`: its share, in the order and as
// often as the list names it, removed first occurrence by first occurrence.
std::vector<KxParameter*> leftAfter(std::vector<KxParameter*> held,
                                    const std::vector<KxParameter*>& doomed) {
    const std::vector<KxParameter*> before = held;
    for (KxParameter* parameter : doomed) {
        if (std::find(before.begin(), before.end(), parameter) == before.end()) {
            continue;
        }
        const auto first = std::find(held.begin(), held.end(), parameter);
        if (first != held.end()) {
            held.erase(first);
        }
    }
    return held;
}

TEST_F(Manager, EachCollectionLosesExactlyItsShareOfARandomList) {
    std::mt19937 random(7);
    std::vector<std::unique_ptr<TestParameter>> pool;
    for (int i = 0; i < 40; ++i) {
        pool.push_back(std::make_unique<TestParameter>());
    }
    for (int round = 0; round < 100; ++round) {
        TestCollection collections[3];
        std::vector<KxParameter*> held[3];
        for (int c = 0; c < 3; ++c) {
            for (int i = static_cast<int>(random() % 12); i > 0; --i) {
                held[c].push_back(pool[random() % 30].get());
                collections[c].addParameter(held[c].back());
            }
            manager->registerCollection(&collections[c], images);
        }
        std::vector<KxParameter*> doomed;
        KxArray<KxParameter*> doomedArray;
        for (int i = 1 + static_cast<int>(random() % 15); i > 0; --i) {
            doomed.push_back(pool[random() % pool.size()].get());
            doomedArray.append(doomed.back());
        }
        manager->deleteParameters(doomedArray);
        for (int c = 0; c < 3; ++c) {
            ASSERT_THAT(collections[c].getParameters(),
                        ::testing::ElementsAreArray(leftAfter(held[c], doomed)))
                << "round " << round << ", collection " << c;
            manager->unRegisterCollection(&collections[c]);
        }
    }
}

} // namespace

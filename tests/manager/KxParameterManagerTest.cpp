#include "manager/KxParameterManager.h"

#include "collections/KxParameterGroupFilter.h"
#include "host/KxAssocErrorUtil.h"
#include "kit/KxScopedRegistration.h"
#include "palette/KxApParameterManagerESW.h"
#include "palette/KxPaletteBase.h"
#include "support/ModuleAccess.h"
#include "support/TestCollection.h"
#include "support/TestGroups.h"
#include "testkit/KxRecordingManagerReactor.h"
#include "testkit/KxRecordingPalette.h"
#include "testkit/KxTestSession.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

using ::testing::ElementsAre;
using ::testing::IsEmpty;
using Call = KxRecordingPalette::Call;

namespace {

// A manager connected by the host's loader to a fresh test palette module that shares the log.
struct Manager : ::testing::Test {
    EventLog log;
    KxParameterManager* manager = nullptr;
    KxRecordingPalette* palette = nullptr;
    KxRecordingManagerReactor reactor{log};
    CImageList images;
    const std::string path = testModulePath("KxParameter.dlx");

    void SetUp() override {
        KxParameterManager::destroy();
        KxTestSession::unloadAllModules();
        ASSERT_TRUE(kxrxAddModuleDirectory(testModuleDirectory()));
        manager = &KxParameterManager::getInstance();
        auto* modulePalette = loadedModuleFunction<KxRecordingPalette*()>(path, "testPalette");
        ASSERT_NE(modulePalette, nullptr);
        palette = modulePalette();
        palette->mpLog = &log;
        manager->addReactor(&reactor);
    }
    void TearDown() override {
        palette->mpLog = nullptr;
        KxParameterManager::destroy();
    }
};

TEST_F(Manager, OneManagerPerLifeConnectedOnceToThePaletteModule) {
    EXPECT_EQ(&KxParameterManager::getInstance(), manager);
    EXPECT_TRUE(manager->init());
    EXPECT_THAT(palette->mCalls, ElementsAre(Call{"initialize", manager, ""}));
    KxParameter* none = nullptr;
    EXPECT_EQ(manager->createParameter(none), Lumo::eNotActive);
    EXPECT_EQ(manager->addParameter(none), Lumo::eNotActive);

    manager->setDocumentSwitch(true);
    EXPECT_TRUE(manager->IsDocumentSwitched());
    KxParameterManager::destroy();
    EXPECT_EQ(KxParameterManager::mpParamManager, nullptr);
    manager = &KxParameterManager::getInstance();
    EXPECT_FALSE(manager->IsDocumentSwitched());
    // The palette module, loaded already, is not started again.
    EXPECT_EQ(loadedModuleFunction<int()>(path, "testPaletteStarts")(), 1);
    EXPECT_EQ(palette->mCalls.back(), (Call{"initialize", manager, ""}));
}

TEST_F(Manager, TheRegistryTellsThePaletteAndTheReactorsOfEachChange) {
    TestCollection full(&log, L"full"), other(&log, L"other");
    TestParameter a, b, c, late;
    full.addParameter(&a);
    full.addParameter(&b);
    other.addParameter(&c);
    manager->registerCollection(&full, images);
    manager->registerCollection(&other, images);
    log.clear();
    EXPECT_EQ(manager->registerCollection(&full, images), Lumo::eOk);
    EXPECT_THAT(log, ElementsAre("M: willRegister full",
                                 "palette: SetImageListAndIndexPair " +
                                     std::to_string(reinterpret_cast<std::uintptr_t>(&images)),
                                 "palette: setFilterLock true", "palette: addParameterDataInUI 0",
                                 "palette: addParameterDataInUI 0", "palette: setFilterLock false",
                                 "M: registered full"));
    KxArray<KxParameter*> all = parameterList({&c});
    manager->getParameters(all);
    EXPECT_THAT(all, ElementsAre(&a, &b, &c, &a, &b));

    // Unregistering takes the first entry and one of two observers, and the active one silently.
    manager->setActiveCollection(&full);
    log.clear();
    EXPECT_EQ(manager->unRegisterCollection(&full), Lumo::eOk);
    EXPECT_THAT(manager->getCollections(), ElementsAre(&other, &full));
    EXPECT_EQ(manager->getActiveCollection(), nullptr);
    full.addParameter(&late);
    EXPECT_EQ(manager->setActiveCollection(&other), Lumo::eOk);
    EXPECT_EQ(manager->getActiveCollection(), &other);
    EXPECT_EQ(manager->registerCollection(nullptr, images), Lumo::eNullPtr);
    EXPECT_EQ(manager->unRegisterCollection(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(manager->setActiveCollection(nullptr), Lumo::eNullPtr);
    EXPECT_THAT(log,
                ElementsAre("M: willUnregister full", "palette: deleteParameterDataInUI 2",
                            "M: unregistered full", "palette: IsVisible", "M: willActivate other",
                            "palette: activeCollectionChanged", "M: activated other"));
}

// Each change reaches the palette once though the collection stands twice; additions only if shown.
TEST_F(Manager, TheObserversKeepThePalettesRowsCurrent) {
    TestCollection collection(&log, L"c");
    TestParameter parameter, hidden, shown;
    collection.addParameter(&parameter);
    manager->registerCollection(&collection, images);
    manager->registerCollection(&collection, images);
    manager->setActiveCollection(&collection);
    KxParameter* pointer = &hidden;
    log.clear();
    EXPECT_EQ(manager->addParameter(pointer), Lumo::eOk);
    palette->mVisible = true;
    collection.addParameter(&shown);
    EXPECT_THAT(log, ElementsAre("palette: IsVisible", "palette: IsVisible", "palette: IsVisible",
                                 "palette: addParameterDataInUI 1", "palette: IsVisible",
                                 "palette: addParameterDataInUI 1"));

    auto* property = new TestProperty(L"count");
    parameter.addProperty(property);
    TestProperty source(L"count");
    source.value() = 4;
    KxParameter::GroupIndexList groups;
    groups.append(3);
    palette->mCalls.clear();
    parameter.setName(L"width");
    parameter.setExpression(L"2 * depth");
    parameter.setProperty(source);
    hidden.notifyParameterModified();
    shown.notifyParameterModified();
    parameter.setGroupNameIndexesInternal(groups);
    property->mApplyStatus = static_cast<Lumo::ErrorStatus>(5);
    property->mApplyMessage = L"too big";
    property->mApplyDetail = L"at most 3";
    source.value() = 5;
    parameter.setProperty(source);
    const Call refresh{"updateParameterDataInUI", &parameter, ""};
    EXPECT_THAT(palette->mCalls,
                ElementsAre(refresh, refresh, refresh, Call{"updateParameterDataInUI", &hidden, ""},
                            Call{"updateParameterDataInUI", &shown, ""},
                            Call{"updateCurrentGroupDataInUI", &parameter, ""},
                            Call{"markInvalidCell", nullptr, ""},
                            Call{"showErrorTaskDialog", nullptr, "5 [too big] [at most 3]"}));

    // Deletions reach the palette only once it says that its list control is gone.
    log.clear();
    collection.deleteParameters(parameterList({&hidden}));
    EXPECT_THAT(log, ElementsAre("palette: cancelCurrentEdit", "palette: isListControlDeleted",
                                 "palette: isListControlDeleted", "c: erase 1 of 3"));
}

TEST_F(Manager, GroupCollectionsComeAndGoWithTheFilterTreeAndAGroupFilterGivesTheCurrentGroup) {
    TestGroups groups, other;
    EXPECT_EQ(manager->registerParameterGroupCollection(nullptr), Lumo::eOk);
    EXPECT_EQ(manager->registerParameterGroupCollection(&groups), Lumo::eOk);
    EXPECT_EQ(manager->getActiveGroupCollection(), &groups);
    // Unregistering does not compare: another group collection clears the registered one too.
    EXPECT_EQ(manager->unregisterParameterGroupCollection(&other), Lumo::eOk);
    EXPECT_EQ(manager->getActiveGroupCollection(), nullptr);
    EXPECT_THAT(log, ElementsAre("M: willRegisterGroups null", "palette: repopulateGroupDataInUI",
                                 "palette: hideFilterTree true", "M: registeredGroups null",
                                 "M: willRegisterGroups groups", "palette: repopulateGroupDataInUI",
                                 "palette: hideFilterTree false", "M: registeredGroups groups",
                                 "M: willUnregisterGroups groups", "palette: resetSearchPattern",
                                 "palette: hideFilterTree true", "M: unregisteredGroups groups"));
    manager->registerParameterGroupCollection(&groups);
    log.clear();
    EXPECT_EQ(manager->unregisterParameterGroupCollection(nullptr), Lumo::eNullPtr);
    EXPECT_EQ(manager->getActiveGroupCollection(), nullptr);
    EXPECT_THAT(log, ElementsAre("M: willUnregisterGroups null"));

    KxParameterGroupFilter groupFilter(L"walls", 6);
    palette->mpFilter = &groupFilter;
    EXPECT_EQ(manager->getCurrentGroupIndex(), 6);
    // The palette's two marker values are never dereferenced.
    for (const std::uintptr_t marker : {1, 2, 0}) {
        // NOLINTNEXTLINE(performance-no-int-to-ptr): a marker value, not an object.
        palette->mpFilter = reinterpret_cast<KxParameterFilter*>(marker);
        EXPECT_EQ(manager->getCurrentGroupIndex(), -1);
    }
}

TEST_F(Manager, PaletteOperationsAreForwardedWithTheirAnswers) {
    KxArray<KxString> expressions;
    for (const bool answer : {true, false}) {
        palette->mShow = palette->mRestore = palette->mVisible = answer;
        EXPECT_EQ(manager->ShowESW(answer, !answer), answer);
        EXPECT_EQ(manager->RestoreESW(answer), answer);
        EXPECT_EQ(manager->IsESWVisible(), answer);
        manager->refreshESW(answer);
        manager->setESWUpdateLock(answer);
        manager->setPredefinedExpressions(expressions);
    }
    palette->mPredefinedExpressions.append(L"pi");
    manager->getPredefinedExpressions(expressions);
    EXPECT_THAT(expressions, ElementsAre(KxString(L"pi")));
    EXPECT_THAT(
        log, ElementsAre("palette: show true false", "palette: restore true", "palette: IsVisible",
                         "palette: refresh true", "palette: setESWLockUpdate true",
                         "palette: setPredefinedExpressions 0", "palette: show false true",
                         "palette: restore false", "palette: IsVisible", "palette: refresh false",
                         "palette: setESWLockUpdate false", "palette: setPredefinedExpressions 0",
                         "palette: getPredefinedExpressions"));
}

TEST_F(Manager, DeletionRunsUnderOneErrorScopeAndACollectionMayRefuseItsShare) {
    TestCollection first(&log, L"first"), refusing(&log, L"refusing"), other(&log, L"other");
    TestParameter a;
    for (TestCollection* collection : {&first, &refusing, &other}) {
        collection->addParameter(&a);
        manager->registerCollection(collection, images);
    }
    refusing.mCheckStatus = static_cast<Lumo::ErrorStatus>(11);
    palette->mListControlDeleted = true;
    kxAssocErrorReset();
    log.clear();
    // The list may be a collection's own, which its deletion empties.
    manager->deleteParameters(first.getParameters());
    EXPECT_THAT(log,
                ElementsAre("first: check 1", "palette: cancelCurrentEdit",
                            "palette: isListControlDeleted", "palette: deleteParameterDataInUI 1",
                            "first: erase 1 of 1", "refusing: check 1", "other: check 1",
                            "palette: cancelCurrentEdit", "palette: isListControlDeleted",
                            "palette: deleteParameterDataInUI 1", "other: erase 1 of 1"));
    // The scope ends with the last collection's status.
    EXPECT_EQ(kxAssocErrorRecord().opened, 1);
    EXPECT_EQ(kxAssocErrorRecord().closed, 1);
    EXPECT_EQ(kxAssocErrorRecord().lastStatus, Lumo::eOk);
    manager->unRegisterCollection(&other);
    manager->deleteParameters(parameterList({&a}));
    EXPECT_EQ(kxAssocErrorRecord().lastStatus, 11);
    // Nothing to delete: no collection is asked and no scope is opened.
    log.clear();
    manager->deleteParameters(KxArray<KxParameter*>());
    EXPECT_THAT(log, IsEmpty());
    EXPECT_EQ(kxAssocErrorRecord().opened, 2);
}

// The share: what the collection holds of the list, in its order and as often as it names it. A
// share much shorter than the list is put in order another way than a longer one; null is nobody's.
TEST_F(Manager, EachCollectionIsOfferedItsShareOfARandomList) {
    std::mt19937 random(7);
    const auto nearby = std::make_unique<TestParameter[]>(40);
    TestParameter distant[3];
    std::vector<KxParameter*> pool{nullptr, &distant[0], &distant[1], &distant[2]};
    for (int i = 0; i < 40; ++i) {
        pool.push_back(&nearby[i]);
    }
    for (int round = 0; round < 200; ++round) {
        TestCollection collections[3];
        std::vector<KxParameter*> held[3], offered[3], doomed;
        KxArray<KxParameter*> list;
        for (int c = 0; c < 3; ++c) {
            for (auto i = random() % 12; i > 0; --i) {
                held[c].push_back(pool[1 + random() % 43]);
                collections[c].addParameter(held[c].back());
            }
            collections[c].mCheck = [&offered, c](KxArray<KxParameter*>& share) {
                offered[c].assign(share.begin(), share.end());
            };
            manager->registerCollection(&collections[c], images);
        }
        for (auto i = 1 + random() % 15; i > 0; --i) {
            list.append(doomed.emplace_back(pool[random() % pool.size()]));
        }
        manager->deleteParameters(list);
        for (int c = 0; c < 3; ++c) {
            std::vector<KxParameter*> share;
            std::copy_if(
                doomed.begin(), doomed.end(), std::back_inserter(share),
                [&](KxParameter* p) { return std::count(held[c].begin(), held[c].end(), p) > 0; });
            ASSERT_EQ(offered[c], share) << "round " << round << ", collection " << c;
            manager->unRegisterCollection(&collections[c]);
        }
    }
}

} // namespace

namespace {

// A palette that uses the manager from its initialize, before the manager holds the link to it.
struct EagerPalette : KxPaletteBase {
    TestCollection collection{nullptr, L"c"};
    int refreshes = 0;
    void initialize(KxParameterManager* manager) override {
        // No palette to show, restore or ask yet.
        EXPECT_FALSE(manager->ShowESW(true, true));
        EXPECT_FALSE(manager->RestoreESW(true));
        EXPECT_FALSE(manager->IsESWVisible());
        manager->refreshESW(true);
        manager->setESWUpdateLock(true);
        EXPECT_EQ(manager->setActiveCollection(&collection), Lumo::eOk);
    }
    void refresh(bool) override { ++refreshes; }
    bool show(bool, bool) override { return true; }
    bool restore(bool) override { return true; }
    bool IsVisible() const override { return true; }
};

TEST(ManagerLink, APaletteMayCallTheForwardingOperationsFromItsInitialize) {
    KxTestSession session;
    EagerPalette palette;
    KxScopedPalette attached(palette);
    KxParameterManager& manager = session.manager();
    EXPECT_EQ(manager.getActiveCollection(), &palette.collection);
    manager.refreshESW(true); // reaches the palette once the link is set
    EXPECT_EQ(palette.refreshes, 1);
}

} // namespace

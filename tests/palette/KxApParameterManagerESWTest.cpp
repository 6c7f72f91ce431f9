#include "palette/KxApParameterManagerESW.h"

#include "host/KxModuleLoader.h"
#include "support/ModuleAccess.h"
#include "support/RecordingPalette.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <thread>
#include <vector>

using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

void expectNeutralAnswers(KxApParameterManagerESW& proxy) {
    CImageList images;
    KxArray<KxString> expressions;
    expressions.append(L"keep");
    EXPECT_FALSE(proxy.show(true, true));
    EXPECT_FALSE(proxy.restore(true));
    EXPECT_FALSE(proxy.IsVisible());
    EXPECT_FALSE(proxy.isListControlDeleted());
    EXPECT_EQ(proxy.updateParameterDataInUI(nullptr), Lumo::eNotImplemented);
    EXPECT_EQ(proxy.addParameterDataInUI(nullptr, 1), Lumo::eNotImplemented);
    EXPECT_EQ(proxy.updateCurrentGroupDataInUI(nullptr), Lumo::eNotImplemented);
    EXPECT_EQ(proxy.setPredefinedExpressions(expressions), Lumo::eNotImplemented);
    EXPECT_EQ(proxy.getCurrentFilter(), nullptr);
    proxy.getPredefinedExpressions(expressions);
    EXPECT_THAT(expressions, ElementsAre(KxString(L"keep")));
    // The operations without an answer do nothing, and nothing fails.
    proxy.cancelCurrentEdit();
    proxy.setESWLockUpdate(true);
    proxy.SetImageListAndIndexPair(images, nullptr);
    proxy.deleteParameterDataInUI(KxArray<KxParameter*>());
    proxy.repopulateGroupDataInUI(nullptr);
    proxy.showErrorTaskDialog(Lumo::eInvalidInput, L"m", L"d");
    proxy.markInvalidCell();
    proxy.setFilterLock(true);
    proxy.refresh(true);
    proxy.activeCollectionChanged(nullptr);
    proxy.resetSearchPattern();
    proxy.hideFilterTree(true);
}

TEST(PaletteProxy, GivesNeutralAnswersWithoutAPaletteAndForwardsWithOne) {
    KxApParameterManagerESW& proxy = *KxApParameterManagerESW::instance();
    expectNeutralAnswers(proxy);

    RecordingPalette palette;
    palette.mShow = palette.mRestore = palette.mVisible = palette.mListControlDeleted = true;
    palette.mStatus = static_cast<Lumo::ErrorStatus>(9);
    palette.mpFilter = reinterpret_cast<KxParameterFilter*>(2);
    palette.mPredefinedExpressions.append(L"pi/2");
    proxy.setHost(&palette);

    KxArray<KxString> expressions;
    EXPECT_TRUE(proxy.show(true, false));
    EXPECT_TRUE(proxy.restore(false));
    EXPECT_TRUE(proxy.IsVisible());
    EXPECT_TRUE(proxy.isListControlDeleted());
    EXPECT_EQ(proxy.updateParameterDataInUI(nullptr), 9);
    EXPECT_EQ(proxy.setPredefinedExpressions(expressions), 9);
    EXPECT_EQ(proxy.getCurrentFilter(), reinterpret_cast<KxParameterFilter*>(2));
    proxy.getPredefinedExpressions(expressions);
    EXPECT_THAT(expressions, ElementsAre(KxString(L"pi/2")));
    proxy.showErrorTaskDialog(Lumo::eInvalidInput, L"bad", L"why");
    EXPECT_THAT(palette.names(),
                ElementsAre("show", "restore", "IsVisible", "isListControlDeleted",
                            "updateParameterDataInUI", "setPredefinedExpressions",
                            "getCurrentFilter", "getPredefinedExpressions", "showErrorTaskDialog"));
    EXPECT_EQ(palette.mCalls[0].arguments, "true false");
    EXPECT_EQ(palette.mCalls.back().arguments, "3 [bad] [why]");

    proxy.setHost(nullptr);
    palette.mCalls.clear();
    expectNeutralAnswers(proxy);
    EXPECT_THAT(palette.mCalls, IsEmpty());
}

TEST(PaletteProxy, KeepsEachSinkOnceInPointerOrder) {
    KxApParameterManagerESW& proxy = *KxApParameterManagerESW::instance();
    auto* low = reinterpret_cast<IKxApParameterManagerESWHostEvents*>(0x1000);
    auto* high = reinterpret_cast<IKxApParameterManagerESWHostEvents*>(0x2000);
    proxy.addEvent(high);
    proxy.addEvent(low);
    proxy.addEvent(high);
    proxy.addEvent(nullptr);
    EXPECT_THAT(proxy.events(), ElementsAre(nullptr, low, high));
    proxy.removeEvent(reinterpret_cast<IKxApParameterManagerESWHostEvents*>(0x3000));
    proxy.removeEvent(high);
    proxy.removeEvent(nullptr);
    EXPECT_THAT(proxy.events(), ElementsAre(low));
    proxy.removeEvent(low);
    EXPECT_THAT(proxy.events(), IsEmpty());
}

TEST(PaletteProxy, IsMadeOnceWhenManyThreadsAskAtOnce) {
    std::vector<KxApParameterManagerESW*> seen(8, nullptr);
    std::vector<std::thread> threads;
    for (auto& slot : seen) {
        threads.emplace_back([&slot] { slot = KxApParameterManagerESW::instance(); });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    for (auto* proxy : seen) {
        EXPECT_EQ(proxy, KxApParameterManagerESW::instance());
    }
    EXPECT_NE(seen[0], nullptr);
}

TEST(PaletteProxyInitialize, LoadsThePaletteModuleOnceAndForwardsEachTime) {
    unloadAllModules();
    ASSERT_TRUE(kxrxAddModuleDirectory(KX_TEST_MODULE_DIR));
    auto* manager = reinterpret_cast<KxParameterManager*>(0x40);
    KxApParameterManagerESW& proxy = *KxApParameterManagerESW::instance();
    ASSERT_FALSE(kxrxAppIsLoaded(L"KxParameter.dlx"));

    proxy.initialize(manager);
    EXPECT_TRUE(kxrxAppIsLoaded(L"KxParameter.dlx"));
    const std::string path = testModulePath("KxParameter.dlx");
    auto* palette = loadedModuleFunction<RecordingPalette*()>(path, "testPalette");
    auto* starts = loadedModuleFunction<int()>(path, "testPaletteStarts");
    ASSERT_NE(palette, nullptr);
    ASSERT_NE(starts, nullptr);

    proxy.initialize(manager);
    EXPECT_EQ(starts(), 1);
    EXPECT_THAT(palette()->mCalls, ElementsAre(RecordingPalette::Call{"initialize", manager, ""},
                                               RecordingPalette::Call{"initialize", manager, ""}));
    EXPECT_THAT(kxrxLoadedModules(), ElementsAre(L"KxParameter.dlx"));

    // Unloading detaches the palette again.
    EXPECT_TRUE(kxrxUnloadModule(L"KxParameter.dlx"));
    EXPECT_FALSE(kxrxAppIsLoaded(L"KxParameter.dlx"));
    expectNeutralAnswers(proxy);
}

TEST(PaletteProxyInitialize, WithoutThePaletteModuleTheProxyStaysDetachedAndWorking) {
    unloadAllModules();
    ASSERT_TRUE(kxrxAddModuleDirectory(std::string(KX_TEST_MODULE_DIR) + "/absent"));
    ::testing::internal::CaptureStderr();
    KxApParameterManagerESW::instance()->initialize(nullptr);
    const std::string errors = ::testing::internal::GetCapturedStderr();
    EXPECT_THAT(errors, HasSubstr("KxParameter.dlx"));
    EXPECT_FALSE(kxrxAppIsLoaded(L"KxParameter.dlx"));
    EXPECT_THAT(kxrxLoadedModules(), IsEmpty());
    expectNeutralAnswers(*KxApParameterManagerESW::instance());
}

} // namespace

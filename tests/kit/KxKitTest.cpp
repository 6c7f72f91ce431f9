#include "kit/KxParameterKit.h"

#include "support/TestCollection.h"
#include "support/TestGroups.h"
#include "testkit/KxRecordingManagerReactor.h"
#include "testkit/KxRecordingPalette.h"
#include "testkit/KxTestSession.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>

namespace {

// The test palette module is defined with KX_DEFINE_MODULE and attaches with a KxScopedPalette.
TEST(Kit, TheModuleMacroMakesOneObjectAtTheStartAndDeletesItAtTheUnload) {
    KxTestSession session;
    ASSERT_TRUE(kxrxAddModuleDirectory(KX_TEST_MODULE_DIR));
    ASSERT_TRUE(kxrxLoadModule(L"KxParameter.dlx", false, true));
    const auto symbol = [](const char* name) { return kxrxModuleSymbol(L"KxParameter.dlx", name); };
    auto* palette = reinterpret_cast<KxRecordingPalette* (*)()>(symbol("testPalette"))();
    palette->mVisible = true;
    EXPECT_TRUE(KxApParameterManagerESW::instance()->IsVisible()); // attached
    EXPECT_EQ(reinterpret_cast<int (*)(int, void*)>(symbol("kxrxEntryPoint"))(1, nullptr), 0);
    EXPECT_EQ(reinterpret_cast<int (*)()>(symbol("testPaletteStarts"))(), 1);
    ASSERT_TRUE(kxrxUnloadModule(L"KxParameter.dlx"));
    EXPECT_FALSE(KxApParameterManagerESW::instance()->IsVisible()); // its guard went with it
}

TEST(Kit, GuardsWithdrawFromTheLiveManagerOnly) {
    KxTestSession session;
    EventLog log;
    KxRecordingManagerReactor reactor(log);
    TestCollection collection(nullptr, L"c");
    TestGroups groups;
    CImageList images;
    {
        KxScopedManagerReactor listening(reactor);
        KxScopedCollection registration(collection, images, &groups, KxActivation::kMakeActive);
    }
    std::optional<KxScopedCollection> first(std::in_place, collection, images); // unheard
    EXPECT_THAT(log, ::testing::ElementsAre(
                         "M: willRegister c", "M: registered c", "M: willActivate c",
                         "M: activated c", "M: willRegisterGroups groups",
                         "M: registeredGroups groups", "M: willUnregister c", "M: unregistered c",
                         "M: willUnregisterGroups groups", "M: unregisteredGroups groups"));
    KxParameterManager::destroy();
    log.clear();
    std::optional<KxScopedManagerReactor> listening(std::in_place, reactor);
    first.reset(); // the manager made since does not hold the collection
    std::optional<KxScopedCollection> last(std::in_place, collection, images);
    KxParameterManager::destroy();
    last.reset(); // no manager: nothing to withdraw from
    listening.reset();
    EXPECT_THAT(log, ::testing::ElementsAre("M: willRegister c", "M: registered c"));
    EXPECT_FALSE(kxParameterManagerExists());
}

TEST(Kit, ThePaletteGuardDetachesOnlyItsOwnPaletteAndTheBaseAnswersNeutrally) {
    KxApParameterManagerESW& proxy = *KxApParameterManagerESW::instance();
    struct Answering : KxPaletteBase {
        explicit Answering(Lumo::ErrorStatus status) : mStatus(status) {}
        Lumo::ErrorStatus setPredefinedExpressions(const KxArray<KxString>&) override {
            return mStatus;
        }
        Lumo::ErrorStatus mStatus;
    } mine(Lumo::eOk), other(Lumo::eInvalidInput);
    KxArray<KxString> kept;
    const auto attached = [&] { return proxy.setPredefinedExpressions(kept); };
    {
        std::optional<KxScopedPalette> first(std::in_place, mine);
        KxScopedPalette second(other);
        first.reset(); // a palette attached since stays
        EXPECT_EQ(attached(), Lumo::eInvalidInput);
    }
    EXPECT_EQ(attached(), Lumo::eNotImplemented);
    KxPaletteBase neutral;
    kept.append(L"pi");
    neutral.getPredefinedExpressions(kept);
    EXPECT_TRUE(kept.length() == 1 && !neutral.IsVisible() && !neutral.show(true, true));
    EXPECT_EQ(neutral.setPredefinedExpressions(kept), Lumo::eNotImplemented);
}

} // namespace

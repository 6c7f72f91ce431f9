// The console palette as the host loads it: the module file "KxParameter.dlx" beside the library.

#include "host/KxModuleLoader.h"
#include "manager/KxParameterManager.h"
#include "modules/palette/KxConsolePaletteControl.h"
#include "palette/KxApParameterManagerESW.h"
#include "support/ModuleAccess.h"
#include "support/TestCollection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>

using ::testing::HasSubstr;

namespace {

constexpr const wchar_t* kPaletteModule = L"KxParameter.dlx";

// A collection with one column, which a palette asks for only through the manager it was given.
struct NotedCollection : TestCollection {
    NotedCollection() : TestCollection(nullptr, L"plate") {}
    Lumo::ErrorStatus
    getSupportedPropertiesInternal(KxArray<KxColumnHeaderProperty>& columns) const override {
        columns.append({L"note", L"Note", 80, true});
        return Lumo::eOk;
    }
};

struct PaletteModule : ::testing::Test {
    std::ostringstream out;

    void SetUp() override {
        unloadAllModules();
        ASSERT_TRUE(kxrxAddModuleDirectory(KX_BIN_DIR));
    }
    void TearDown() override {
        KxParameterManager::destroy();
        if (kxrxAppIsLoaded(kPaletteModule)) {
            kxrxUnloadModule(kPaletteModule);
        }
        kxrxClearModuleDirectories();
    }
    KxConsolePaletteControl* control() {
        auto function = reinterpret_cast<KxConsolePaletteControlFunction>(
            kxrxModuleSymbol(kPaletteModule, kKxConsolePaletteControlSymbol));
        return function ? function() : nullptr;
    }
};

TEST_F(PaletteModule, LoadingAttachesThePaletteAndUnloadingDetachesIt) {
    KxApParameterManagerESW& proxy = *KxApParameterManagerESW::instance();
    EXPECT_FALSE(proxy.isListControlDeleted()); // no palette yet: the neutral answer

    ASSERT_TRUE(kxrxLoadModule(kPaletteModule, false, true));
    KxConsolePaletteControl* palette = control();
    ASSERT_NE(palette, nullptr);
    palette->setOutput(&out);
    EXPECT_TRUE(proxy.isListControlDeleted());
    EXPECT_FALSE(proxy.IsVisible());
    EXPECT_TRUE(proxy.show(true, true));
    EXPECT_TRUE(proxy.IsVisible());
    EXPECT_THAT(out.str(), HasSubstr("  (no parameters)\n"));

    EXPECT_TRUE(kxrxUnloadModule(kPaletteModule));
    EXPECT_FALSE(proxy.IsVisible());
    EXPECT_FALSE(proxy.isListControlDeleted());
    EXPECT_FALSE(proxy.show(true, true));
}

TEST_F(PaletteModule, TheManagerLoadsItAndHandsItsParametersOver) {
    ASSERT_FALSE(kxrxAppIsLoaded(kPaletteModule));
    KxParameterManager& manager = KxParameterManager::getInstance();
    ASSERT_TRUE(kxrxAppIsLoaded(kPaletteModule));
    KxConsolePaletteControl* palette = control();
    ASSERT_NE(palette, nullptr);
    palette->setOutput(&out);

    NotedCollection plate;
    TestParameter width;
    width.mValue = 120.0;
    plate.addParameter(&width);
    CImageList images;
    ASSERT_TRUE(manager.ShowESW(true, true));
    ASSERT_EQ(manager.registerCollection(&plate, images), Lumo::eOk);
    ASSERT_EQ(width.setName(L"width"), Lumo::eOk);
    EXPECT_THAT(out.str(), HasSubstr("  + 1 row\n  ~ width = 120.0000\n"));

    out.str("");
    palette->draw();
    EXPECT_EQ(out.str(), "  Name   Expression  Value     Groups  Note\n"
                         "  -----  ----------  --------  ------  ----\n"
                         "  width              120.0000\n");
    manager.unRegisterCollection(&plate);
}

} // namespace

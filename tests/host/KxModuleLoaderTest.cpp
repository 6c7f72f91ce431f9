#include "host/KxModuleLoader.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;
using ::testing::IsEmpty;

namespace {

std::string errorsOfLoading(const wchar_t* name, bool& loaded) {
    ::testing::internal::CaptureStderr();
    loaded = kxrxLoadModule(name, false, true);
    return ::testing::internal::GetCapturedStderr();
}

TEST(ModuleLoader, RefusesBadModulesWithAMessageAndLoadsNothing) {
    EXPECT_FALSE(kxrxAddModuleDirectory("relative/dir"));
    EXPECT_FALSE(kxrxAddModuleDirectory(""));
    ASSERT_TRUE(kxrxAddModuleDirectory(KX_TEST_MODULE_DIR));
    bool loaded = true;

    EXPECT_THAT(errorsOfLoading(L"Missing.dlx", loaded), HasSubstr("no module directory"));
    EXPECT_FALSE(loaded);
    EXPECT_THAT(errorsOfLoading(L"NoEntry.dlx", loaded), HasSubstr("kxrxEntryPoint"));
    EXPECT_FALSE(loaded);
    EXPECT_THAT(errorsOfLoading(L"WrongVersion.dlx", loaded), HasSubstr("API version"));
    EXPECT_FALSE(loaded);
    // Never a path: only the module directories are searched.
    EXPECT_THAT(errorsOfLoading(L"../test-modules/KxParameter.dlx", loaded),
                HasSubstr("file name alone"));
    EXPECT_FALSE(loaded);
    EXPECT_THAT(errorsOfLoading(nullptr, loaded), HasSubstr("file name alone"));
    EXPECT_FALSE(loaded);

    EXPECT_THAT(kxrxLoadedModules(), IsEmpty());
    EXPECT_FALSE(kxrxAppIsLoaded(L"NoEntry.dlx"));
    EXPECT_FALSE(kxrxAppIsLoaded(nullptr));
    EXPECT_FALSE(kxrxUnloadModule(L"NoEntry.dlx"));
}

TEST(ModuleLoader, LoadsAModuleOnceAndUnloadsIt) {
    ASSERT_TRUE(kxrxAddModuleDirectory(KX_TEST_MODULE_DIR));
    EXPECT_TRUE(kxrxLoadModule(L"KxParameter.dlx", false, true));
    EXPECT_TRUE(kxrxAppIsLoaded(L"KxParameter.dlx"));
    bool loaded = true;
    EXPECT_THAT(errorsOfLoading(L"KxParameter.dlx", loaded), HasSubstr("loaded already"));
    EXPECT_FALSE(loaded);
    EXPECT_EQ(kxrxLoadedModules().size(), 1u);
    // A module's own symbols are found; those of the libraries it uses are not.
    EXPECT_NE(kxrxModuleSymbol(L"KxParameter.dlx", "testPalette"), nullptr);
    EXPECT_EQ(kxrxModuleSymbol(L"KxParameter.dlx", "kxAssocErrorRecord"), nullptr);
    EXPECT_TRUE(kxrxUnloadModule(L"KxParameter.dlx"));
    EXPECT_EQ(kxrxModuleSymbol(L"KxParameter.dlx", "testPalette"), nullptr);
    EXPECT_THAT(kxrxLoadedModules(), IsEmpty());
    EXPECT_FALSE(kxrxUnloadModule(L"KxParameter.dlx"));
}

} // namespace

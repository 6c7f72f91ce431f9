#include "module/KxModuleEntry.h"

#include "host/KxModuleLoader.h"
#include "host/KxRxSysRegistry.h"
#include "manager/KxParameterManager.h"
#include "resources/KxParameterResIds.h"
#include "util/KxParameterUtil.h"

#include <gtest/gtest.h>

namespace {

constexpr const wchar_t* kLibrary = L"libKxParameterManager.so";

// The directory that holds the library and its resource module, as an installation would.
struct LibraryModule : ::testing::Test {
    void SetUp() override { ASSERT_TRUE(kxrxAddModuleDirectory(KX_RESOURCE_MODULE_DIR)); }
    void TearDown() override { KxParameterManager::destroy(); }
};

TEST_F(LibraryModule, StartingRegistersWithTheDynamicLinkerAndLoadsTheResources) {
    // Before the start there is no resource module to read from.
    EXPECT_TRUE(KxParameterUtil::getResourceString(KxParameterRes::kColumnName).isEmpty());

    ASSERT_TRUE(kxrxLoadModule(kLibrary, false, true));
    KxRxModuleInfo info;
    ASSERT_TRUE(kxrxGetModuleInfo(kLibrary, info));
    EXPECT_TRUE(info.unlocked);
    EXPECT_TRUE(info.mdiAware);
    EXPECT_EQ(KxParameterUtil::getResourceString(KxParameterRes::kColumnName), KxString(L"Name"));
    EXPECT_TRUE(KxParameterUtil::getResourceString(0xFFFFu).isEmpty());
    // Nothing else came into being at the start.
    EXPECT_EQ(KxParameterManager::mpParamManager, nullptr);

    KxParameterManager::getInstance();
    EXPECT_TRUE(kxrxUnloadModule(kLibrary));
    EXPECT_EQ(KxParameterManager::mpParamManager, nullptr);
}

TEST_F(LibraryModule, ARegistryEntryOfAnotherClassIsNotTakenForTheDynamicLinker) {
    KxRxObject impostor;
    KxRxObject* linker = kxrxSysRegistry()->atPut(L"DynamicLinker", &impostor);
    ASSERT_TRUE(kxrxLoadModule(kLibrary, false, true));
    KxRxModuleInfo info;
    ASSERT_TRUE(kxrxGetModuleInfo(kLibrary, info));
    EXPECT_FALSE(info.unlocked);
    EXPECT_FALSE(info.mdiAware);
    // The resources are loaded all the same.
    EXPECT_FALSE(KxParameterUtil::getResourceString(KxParameterRes::kColumnName).isEmpty());
    kxrxSysRegistry()->atPut(L"DynamicLinker", linker);
    EXPECT_TRUE(kxrxUnloadModule(kLibrary));
}

TEST(ModuleEntry, UnloadingDestroysTheManagerOnceAndOtherMessagesDoNothing) {
    EXPECT_EQ(kxrxEntryPoint(KxRx::kUnloadAppMessage, nullptr), 0);
    KxParameterManager* first = &KxParameterManager::getInstance();
    EXPECT_EQ(kxrxEntryPoint(7, nullptr), 0);
    EXPECT_EQ(KxParameterManager::mpParamManager, first);

    EXPECT_EQ(kxrxEntryPoint(KxRx::kUnloadAppMessage, nullptr), 0);
    EXPECT_EQ(KxParameterManager::mpParamManager, nullptr);
    EXPECT_EQ(kxrxEntryPoint(KxRx::kUnloadAppMessage, nullptr), 0);
    EXPECT_EQ(KxParameterManager::mpParamManager, nullptr);

    EXPECT_NE(&KxParameterManager::getInstance(), nullptr);
    EXPECT_NE(KxParameterManager::mpParamManager, nullptr);
    KxParameterManager::destroy();
    EXPECT_EQ(kxrxGetApiVersion(KxRx::kApiVersion), KxRx::kApiVersion);
}

} // namespace

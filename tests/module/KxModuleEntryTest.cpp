#include "module/KxModuleEntry.h"

#include "host/KxModuleLoader.h"
#include "host/KxRxSysRegistry.h"
#include "manager/KxParameterManager.h"
#include "resources/KxParameterResIds.h"
#include "support/ModuleAccess.h"
#include "util/KxParameterUtil.h"

#include <gtest/gtest.h>

namespace {

// Loaded from the directory that holds it and its resource module, as in an installation.
TEST(LibraryModule, StartingRegistersWithTheDynamicLinkerOnlyAndLoadsTheResources) {
    const wchar_t* const library = L"" KX_LIBRARY_MODULE;
    KxTestSession::unloadAllModules();
    ASSERT_TRUE(kxrxAddModuleDirectory(binDirectory()));
    EXPECT_TRUE(KxParameterUtil::getResourceString(KxParameterRes::kColumnName).isEmpty());
    KxRxObject* const linker = kxrxSysRegistry()->at(L"DynamicLinker");
    KxRxObject impostor;
    KxRxObject* const entries[] = {linker, &impostor, nullptr};
    for (KxRxObject* entry : entries) {
        SCOPED_TRACE(entry == linker ? "the linker" : entry ? "another class" : "no entry");
        kxrxSysRegistry()->atPut(L"DynamicLinker", entry);
        EXPECT_TRUE(kxrxLoadModule(library, false, true));
        KxRxModuleInfo info;
        EXPECT_TRUE(kxrxGetModuleInfo(library, info));
        EXPECT_EQ(info.unlocked, entry == linker);
        EXPECT_EQ(info.mdiAware, entry == linker);
        EXPECT_EQ(KxParameterUtil::getResourceString(KxParameterRes::kColumnName), L"Name");
        // Nothing else comes into being; the unload message, and no other, destroys the manager.
        EXPECT_EQ(KxParameterManager::mpParamManager, nullptr);
        KxParameterManager::getInstance();
        EXPECT_EQ(kxrxEntryPoint(7, nullptr), 0);
        EXPECT_NE(KxParameterManager::mpParamManager, nullptr);
        EXPECT_TRUE(kxrxUnloadModule(library));
        EXPECT_EQ(KxParameterManager::mpParamManager, nullptr);
    }
    kxrxSysRegistry()->atPut(L"DynamicLinker", linker);
}

} // namespace

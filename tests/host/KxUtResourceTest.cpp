#include "host/KxUtResource.h"
#include "host/KxModuleLoader.h"
#include "host/KxRxResourceInstance.h"
#include "host/KxString.h"
#include "resources/KxParameterResIds.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

using ::testing::HasSubstr;

namespace {

class ResourceModule : public ::testing::Test {
protected:
    void TearDown() override { kxrxClearModuleDirectories(); }

    static void* load(const wchar_t* name, std::string& errors) {
        ::testing::internal::CaptureStderr();
        void* handle = KxUtResource::loadDll(name, 0, 0);
        errors = ::testing::internal::GetCapturedStderr();
        return handle;
    }
};

TEST_F(ResourceModule, IsFoundOnlyInTheModuleDirectories) {
    std::string errors;
    // Not yet in any module directory.
    EXPECT_EQ(load(L"KxParameterRes.dll", errors), nullptr);
    EXPECT_THAT(errors, HasSubstr("KxParameterRes.dll"));

    ASSERT_TRUE(kxrxAddModuleDirectory(KX_TEST_MODULE_DIR));
    ASSERT_TRUE(kxrxAddModuleDirectory(KX_RESOURCE_MODULE_DIR));
    EXPECT_EQ(load(L"Missing.dll", errors), nullptr);
    EXPECT_THAT(errors, HasSubstr("no module directory holds it"));
    EXPECT_EQ(load(L"../bin/KxParameterRes.dll", errors), nullptr);
    EXPECT_EQ(load(nullptr, errors), nullptr);
    EXPECT_EQ(kxrxResolveModulePath("KxParameterRes.dll"),
              std::string(KX_RESOURCE_MODULE_DIR) + "/KxParameterRes.dll");
    EXPECT_EQ(kxrxResolveModulePath("../bin/KxParameterRes.dll"), "");

    void* handle = load(L"KxParameterRes.dll", errors);
    EXPECT_NE(handle, nullptr);
    EXPECT_EQ(errors, "");
    // Loading again gives the same module.
    EXPECT_EQ(load(L"KxParameterRes.dll", errors), handle);
}

TEST_F(ResourceModule, LoadStringReadsTheStringTable) {
    ASSERT_TRUE(kxrxAddModuleDirectory(KX_RESOURCE_MODULE_DIR));
    const KxRxResourceInstance resources(KxUtResource::loadDll(L"KxParameterRes.dll", 0, 0));
    ASSERT_NE(resources.moduleHandle(), nullptr);

    KxString text(L"before");
    EXPECT_TRUE(text.loadString(resources, KxParameterRes::kColumnName));
    EXPECT_EQ(text, L"Name");
    EXPECT_TRUE(text.loadString(resources, KxParameterRes::kFilteredTitle));
    EXPECT_EQ(text, L"Parameters are filtered");
    for (unsigned int id : {KxParameterRes::kColumnExpression, KxParameterRes::kColumnValue,
                            KxParameterRes::kErrorInvalidExpression}) {
        KxString entry;
        EXPECT_TRUE(entry.loadString(resources, id)) << id;
        EXPECT_FALSE(entry.isEmpty()) << id;
    }

    // An identifier the table does not hold: false, the text as it was.
    EXPECT_FALSE(text.loadString(resources, 0));
    EXPECT_FALSE(text.loadString(resources, 999999));
    EXPECT_EQ(text, L"Parameters are filtered");
}

TEST_F(ResourceModule, LoadStringFailsWithoutAModuleOrItsTable) {
    KxString text(L"before");
    EXPECT_FALSE(text.loadString(KxRxResourceInstance(nullptr), KxParameterRes::kColumnName));
    EXPECT_EQ(text, L"before");

    // A module that has no string table.
    ASSERT_TRUE(kxrxAddModuleDirectory(KX_TEST_MODULE_DIR));
    void* other = KxUtResource::loadDll(L"NoEntry.dlx", 0, 0);
    ASSERT_NE(other, nullptr);
    EXPECT_FALSE(text.loadString(KxRxResourceInstance(other), KxParameterRes::kColumnName));
    EXPECT_EQ(text, L"before");
}

} // namespace

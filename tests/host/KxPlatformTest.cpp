#include "host/KxPlatform.h"
#include "support/ModuleAccess.h"

#include <gmock/gmock.h>

#include <string>
#include <vector>

using ::testing::HasSubstr;

namespace {

struct PathCase {
    std::string path;
    bool absolute;
    bool directoryPart;
    std::string fileName;
    std::string directory;
};

struct JoinCase {
    std::string directory;
    std::string name;
    std::string joined;
};

struct NameCase {
    std::wstring first;
    std::wstring second;
    bool same;
};

// What the host asks of the system, each answer as this system gives it: paths, joins, the
// separator of path lists, module names, and the refusals of the module loader.
TEST(KxPlatform, PathsNamesAndModulesAreAnsweredAsThisSystemDoes) {
#ifdef _WIN32
    const std::vector<PathCase> paths = {
        {"C:\\kx\\KxParameter.dlx", true, true, "KxParameter.dlx", "C:\\kx"},
        {"C:/kx/KxParameter.dlx", true, true, "KxParameter.dlx", "C:/kx"},
        {"\\\\server\\share\\m.dlx", true, true, "m.dlx", "\\\\server\\share"},
        {"\\kx\\m.dlx", false, true, "m.dlx", "\\kx"}, // no drive: relative to the current one
        {"C:m.dlx", false, true, "m.dlx", "C:"},
        {"kx\\m.dlx", false, true, "m.dlx", "kx"},
        {"m.dlx", false, false, "m.dlx", ""},
        {"", false, false, "", ""},
    };
    const std::vector<JoinCase> joins = {
        {"C:\\kx", "m.dlx", "C:\\kx\\m.dlx"},
        {"C:\\kx\\", "m.dlx", "C:\\kx\\m.dlx"},
        {"kx", "..", "kx\\.."},
    };
    const char separator = ';';
    const std::vector<NameCase> names = {
        {L"KxParameter.dlx", L"kxparameter.DLX", true},
        {L"KxParameter.dlx", L"KxParameter.dll", false},
        {L"KxParameter.dlx", L"KxParameter.dlx2", false},
        {L"\u00C4.dlx", L"\u00E4.dlx", false}, // ASCII letters alone fold
    };
#else
    const std::vector<PathCase> paths = {
        {"/kx/KxParameter.dlx", true, true, "KxParameter.dlx", "/kx"},
        {"/kx/", true, true, "", "/kx"},
        {"./m.dlx", false, true, "m.dlx", "."},
        {"kx/m.dlx", false, true, "m.dlx", "kx"},
        {"C:\\kx\\m.dlx", false, false, "C:\\kx\\m.dlx", ""}, // a file name here
        {"m.dlx", false, false, "m.dlx", ""},
        {"", false, false, "", ""},
    };
    const std::vector<JoinCase> joins = {
        {"/kx", "m.dlx", "/kx/m.dlx"},
        {"/kx/", "m.dlx", "/kx/m.dlx"},
        {"kx", "..", "kx/.."},
    };
    const char separator = ':';
    const std::vector<NameCase> names = {
        {L"KxParameter.dlx", L"KxParameter.dlx", true},
        {L"KxParameter.dlx", L"kxparameter.dlx", false},
        {L"KxParameter.dlx", L"KxParameter.dlx2", false},
    };
#endif
    for (const PathCase& path : paths) {
        SCOPED_TRACE(path.path);
        EXPECT_EQ(KxPlatform::isAbsolutePath(path.path), path.absolute);
        EXPECT_EQ(KxPlatform::hasDirectoryPart(path.path), path.directoryPart);
        EXPECT_EQ(KxPlatform::fileNameOf(path.path), path.fileName);
        EXPECT_EQ(KxPlatform::directoryOf(path.path), path.directory);
    }
    for (const JoinCase& join : joins) {
        EXPECT_EQ(KxPlatform::joinPath(join.directory, join.name), join.joined);
    }
    EXPECT_EQ(KxPlatform::pathListSeparator(), separator);
    for (const NameCase& name : names) {
        EXPECT_EQ(KxPlatform::sameModuleName(name.first, name.second), name.same);
        EXPECT_EQ(KxPlatform::sameModuleName(name.second, name.first), name.same);
    }

    // A path survives the trip to the file system and back, letters beyond ASCII too.
    const std::string unicode = KxPlatform::joinPath("kx", "\xC3\xA4\xE2\x82\xAC.dlx");
    EXPECT_EQ(KxPlatform::fromPath(KxPlatform::toPath(unicode)), unicode);

    const std::string modules = testModuleDirectory();
    EXPECT_TRUE(KxPlatform::isDirectory(modules));
    EXPECT_FALSE(KxPlatform::isRegularFile(modules));
    const std::string noEntry = KxPlatform::joinPath(modules, "NoEntry.dlx");
    EXPECT_TRUE(KxPlatform::isRegularFile(noEntry));
    EXPECT_EQ(KxPlatform::canonicalPath(KxPlatform::joinPath(modules, "../test-modules")),
              KxPlatform::canonicalPath(modules));
    EXPECT_EQ(KxPlatform::canonicalPath(KxPlatform::joinPath(modules, "Missing.dlx")), "");
    const std::string program = KxPlatform::programPath();
    EXPECT_TRUE(KxPlatform::isAbsolutePath(program));
    EXPECT_TRUE(KxPlatform::isRegularFile(program));

    // A missing file: no handle, and the system's reason names the file.
    const std::string missing = KxPlatform::joinPath(modules, "Missing.dlx");
    EXPECT_EQ(KxPlatform::openModule(missing), nullptr);
    EXPECT_THAT(KxPlatform::lastModuleError(), HasSubstr("Missing.dlx"));
    // Not loaded, so not opened; which real modules other tests of this process left loaded
    // (resource modules stay) is not this test's to know.
    EXPECT_EQ(KxPlatform::openLoadedModule(missing), nullptr);

    // This module defines kxrxGetApiVersion alone; the kxrxEntryPoint of the library it uses is
    // not its own.
    void* module = KxPlatform::openModule(noEntry);
    ASSERT_NE(module, nullptr) << KxPlatform::lastModuleError();
    EXPECT_EQ(KxPlatform::openLoadedModule(noEntry), module);
    KxPlatform::closeModule(module); // the use that openLoadedModule counted
    EXPECT_NE(KxPlatform::ownModuleSymbol(module, "kxrxGetApiVersion"), nullptr);
    EXPECT_EQ(KxPlatform::ownModuleSymbol(module, "kxrxEntryPoint"), nullptr);
    EXPECT_EQ(KxPlatform::moduleSymbol(module, "kxNoSuchSymbol"), nullptr);
    EXPECT_EQ(KxPlatform::ownModuleSymbol(module, "kxNoSuchSymbol"), nullptr);
    KxPlatform::closeModule(module);
}

} // namespace

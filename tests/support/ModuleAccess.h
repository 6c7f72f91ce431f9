#pragma once

#include "host/KxModuleLoader.h"
#include "host/KxPlatform.h"
#include "testkit/KxTestSession.h" // KxTestSession::unloadAllModules

#include <string>

// A function of a module that the host has loaded, or null while it is not loaded.
template <class Function>
Function* loadedModuleFunction(const std::string& path, const char* name) {
    void* handle = KxPlatform::openLoadedModule(path);
    if (!handle) {
        return nullptr;
    }
    auto* function = reinterpret_cast<Function*>(KxPlatform::moduleSymbol(handle, name));
    KxPlatform::closeModule(handle); // drops only the reference taken here
    return function;
}

// The build's folders, found from the test program's own place (bin/), so that the paths are
// the running system's own (under Wine, the build machine's paths are not).
inline std::string binDirectory() {
    return KxPlatform::directoryOf(KxPlatform::programPath());
}
inline std::string testModuleDirectory() {
    return KxPlatform::joinPath(KxPlatform::directoryOf(binDirectory()), "test-modules");
}

inline std::string testModulePath(const char* file) {
    return KxPlatform::joinPath(testModuleDirectory(), file);
}

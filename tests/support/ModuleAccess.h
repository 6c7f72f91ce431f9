#pragma once

#include "host/KxModuleLoader.h"
#include "testkit/KxTestSession.h" // KxTestSession::unloadAllModules

#include <dlfcn.h>

#include <string>

// A function of a module that the host has loaded, or null while it is not loaded.
template <class Function>
Function* loadedModuleFunction(const std::string& path, const char* name) {
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!handle) {
        return nullptr;
    }
    auto* function = reinterpret_cast<Function*>(::dlsym(handle, name));
    ::dlclose(handle); // drops only the reference taken here
    return function;
}

inline std::string testModulePath(const char* file) {
    return std::string(KX_TEST_MODULE_DIR) + "/" + file;
}

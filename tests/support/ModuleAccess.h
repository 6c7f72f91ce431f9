#pragma once

#include "host/KxModuleLoader.h"

#include <dlfcn.h>

#include <string>
#include <vector>

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

// Unloads every module, the last loaded first, and forgets the module directories: the host's
// loader as a fresh process has it, for tests that run after others in one process.
inline void unloadAllModules() {
    const std::vector<std::wstring> loaded = kxrxLoadedModules();
    for (auto module = loaded.rbegin(); module != loaded.rend(); ++module) {
        kxrxUnloadModule(module->c_str());
    }
    kxrxClearModuleDirectories();
}

inline std::string testModulePath(const char* file) {
    return std::string(KX_TEST_MODULE_DIR) + "/" + file;
}

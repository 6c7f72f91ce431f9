#include "host/KxModuleLoader.h"

#include "host/KxPlatform.h"
#include "host/KxString.h"
#include "host/internal/KxModuleRecord.h"

#include <algorithm>
#include <iostream>

namespace {

using EntryPoint = int (*)(int, void*);
using ApiVersion = int (*)(int);

struct LoadedModule {
    KxRxModuleInfo info;
    void* handle;
    EntryPoint entry;
};

struct ModuleRecord {
    std::vector<std::string> directories;
    std::vector<LoadedModule> loaded;
};

ModuleRecord& record() {
    static ModuleRecord modules;
    return modules;
}

std::vector<LoadedModule>::iterator findLoaded(const std::wstring& name) {
    auto& loaded = record().loaded;
    return std::find_if(loaded.begin(), loaded.end(), [&](const LoadedModule& module) {
        return KxPlatform::sameModuleName(module.info.name, name);
    });
}

bool refuse(const std::string& name, const std::string& why) {
    std::cerr << "host: cannot load module \"" << name << "\": " << why << '\n';
    return false;
}

// A function that the module defines itself: the parameter library exports an entry function of
// its own, which must not pass for the module's.
void* ownSymbol(void* handle, const char* name) {
    return KxPlatform::ownModuleSymbol(handle, name);
}

// Opens the module file, checks it and starts it; records it under `name`.
bool load(const std::wstring& name, const std::string& path) {
    const std::string shown = KxString(name).toUtf8();
    void* handle = KxPlatform::openModule(path);
    if (!handle) {
        const std::string error = KxPlatform::lastModuleError();
        return refuse(shown, error.empty() ? "the system loader refused it" : error);
    }
    auto version = reinterpret_cast<ApiVersion>(ownSymbol(handle, "kxrxGetApiVersion"));
    auto entry = reinterpret_cast<EntryPoint>(ownSymbol(handle, "kxrxEntryPoint"));
    if (!version || !entry) {
        KxPlatform::closeModule(handle);
        return refuse(shown, "it exports no kxrxGetApiVersion or no kxrxEntryPoint");
    }
    const int answered = version(KxRx::kApiVersion);
    if (answered != KxRx::kApiVersion) {
        KxPlatform::closeModule(handle);
        return refuse(shown, "it was built for API version " + std::to_string(answered) +
                                 ", this host has " + std::to_string(KxRx::kApiVersion));
    }
    // Recorded before the start message, so that the module finds itself loaded meanwhile.
    record().loaded.push_back({KxRxModuleInfo{name}, handle, entry});
    if (entry(KxRx::kInitAppMessage, handle) != 0) {
        record().loaded.erase(findLoaded(name));
        KxPlatform::closeModule(handle);
        return refuse(shown, "its entry function refused the start message");
    }
    return true;
}

} // namespace

std::string kxrxResolveModulePath(const std::string& fileName) {
    if (fileName.empty() || KxPlatform::hasDirectoryPart(fileName)) {
        return {};
    }
    for (const std::string& directory : record().directories) {
        std::string path = KxPlatform::joinPath(directory, fileName);
        if (KxPlatform::isRegularFile(path)) {
            return path;
        }
    }
    return {};
}

bool kxrxAddModuleDirectory(const std::string& absolutePath) {
    if (!KxPlatform::isAbsolutePath(absolutePath)) {
        std::cerr << "host: module directory \"" << absolutePath << "\" is not an absolute path\n";
        return false;
    }
    record().directories.push_back(absolutePath);
    return true;
}

void kxrxClearModuleDirectories() {
    record().directories.clear();
}

bool kxrxAppIsLoaded(const wchar_t* moduleName) {
    return moduleName && findLoaded(moduleName) != record().loaded.end();
}

bool kxrxLoadModule(const wchar_t* moduleName, bool, bool) {
    const std::wstring name = moduleName ? moduleName : L"";
    const std::string shown = KxString(name).toUtf8();
    if (name.empty() || KxPlatform::hasDirectoryPart(shown)) {
        return refuse(shown, "a module is named by its file name alone");
    }
    if (findLoaded(name) != record().loaded.end()) {
        return refuse(shown, "it is loaded already");
    }
    const std::string path = kxrxResolveModulePath(shown);
    if (path.empty()) {
        return refuse(shown, "no module directory holds it");
    }
    return load(name, path);
}

bool kxrxLoadModuleFile(const std::string& absolutePath) {
    if (!KxPlatform::isAbsolutePath(absolutePath)) {
        return refuse(absolutePath, "a module file is given by its absolute path");
    }
    if (!KxPlatform::isRegularFile(absolutePath)) {
        return refuse(absolutePath, "no regular file has that path");
    }
    const std::string shown = KxPlatform::fileNameOf(absolutePath);
    const std::wstring name = KxString::fromUtf8(shown).kwszPtr();
    if (findLoaded(name) != record().loaded.end()) {
        return refuse(shown, "a module of that name is loaded already");
    }
    return load(name, absolutePath);
}

bool kxrxUnloadModule(const wchar_t* moduleName) {
    auto module = moduleName ? findLoaded(moduleName) : record().loaded.end();
    if (module == record().loaded.end()) {
        return false;
    }
    const LoadedModule unloading = *module;
    record().loaded.erase(module);
    unloading.entry(KxRx::kUnloadAppMessage, unloading.handle);
    KxPlatform::closeModule(unloading.handle);
    return true;
}

bool kxrxGetModuleInfo(const wchar_t* moduleName, KxRxModuleInfo& info) {
    auto module = moduleName ? findLoaded(moduleName) : record().loaded.end();
    if (module == record().loaded.end()) {
        return false;
    }
    info = module->info;
    return true;
}

void* kxrxModuleSymbol(const wchar_t* moduleName, const char* symbol) {
    auto module = moduleName ? findLoaded(moduleName) : record().loaded.end();
    if (module == record().loaded.end() || !symbol) {
        return nullptr;
    }
    return ownSymbol(module->handle, symbol);
}

KxRxModuleInfo* kxrxModuleOfHandle(void* appHandle) {
    for (LoadedModule& module : record().loaded) {
        if (appHandle && module.handle == appHandle) {
            return &module.info;
        }
    }
    return nullptr;
}

std::vector<std::wstring> kxrxLoadedModules() {
    std::vector<std::wstring> names;
    for (const LoadedModule& module : record().loaded) {
        names.push_back(module.info.name);
    }
    return names;
}

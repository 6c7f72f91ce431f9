#include "host/KxPlatform.h"

#include <dlfcn.h>
#include <link.h>

#include <cstdlib>
#include <cstring>

namespace KxPlatform {

namespace {

// dlerror's text lasts only until the next dl* call of the thread: kept here for lastModuleError.
thread_local std::string tLastModuleError;

void recordModuleError() {
    const char* error = ::dlerror();
    tLastModuleError = error ? error : "";
}

} // namespace

void* openModule(const std::string& path, ModuleLifetime lifetime) {
    int mode = RTLD_NOW | RTLD_LOCAL;
    if (lifetime == ModuleLifetime::pinned) {
        mode |= RTLD_NODELETE;
    }
    void* module = ::dlopen(path.c_str(), mode);
    if (!module) {
        recordModuleError();
    }
    return module;
}

void* openLoadedModule(const std::string& path) {
    void* module = ::dlopen(path.c_str(), RTLD_NOW | RTLD_NOLOAD);
    if (!module) {
        recordModuleError();
    }
    return module;
}

void closeModule(void* module) {
    if (module) {
        ::dlclose(module);
    }
}

void* moduleSymbol(void* module, const char* name) {
    return module && name ? ::dlsym(module, name) : nullptr;
}

// A lookup through the handle also searches the libraries the module depends on: the symbol
// counts only when the object that defines it is the module's own file.
void* ownModuleSymbol(void* module, const char* name) {
    void* symbol = moduleSymbol(module, name);
    link_map* own = nullptr;
    Dl_info definedIn{};
    if (!symbol || ::dlinfo(module, RTLD_DI_LINKMAP, &own) != 0 ||
        ::dladdr(symbol, &definedIn) == 0 || !definedIn.dli_fname ||
        std::strcmp(definedIn.dli_fname, own->l_name) != 0) {
        return nullptr;
    }
    return symbol;
}

std::string lastModuleError() {
    return tLastModuleError;
}

std::string programPath() {
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : program.string();
}

std::optional<std::string> environmentVariable(const char* name) {
    const char* value = std::getenv(name);
    return value ? std::optional<std::string>(value) : std::nullopt;
}

// The file system takes any bytes here: no conversion, so that no path is lost.
std::filesystem::path toPath(const std::string& utf8) {
    return {utf8};
}

std::string fromPath(const std::filesystem::path& path) {
    return path.string();
}

bool isAbsolutePath(const std::string& path) {
    return toPath(path).is_absolute();
}

char pathListSeparator() {
    return ':';
}

bool sameModuleName(std::wstring_view first, std::wstring_view second) {
    return first == second;
}

} // namespace KxPlatform

#include "host/KxUtResource.h"

#include "host/KxModuleLoader.h"
#include "host/KxString.h"

#include <dlfcn.h>

#include <iostream>

namespace KxUtResource {

void* loadDll(const wchar_t* fileName, int, int) {
    const std::string name = KxString(fileName).toUtf8();
    const std::string path = kxrxResolveModulePath(name);
    if (path.empty()) {
        std::cerr << "host: cannot load resource module \"" << name
                  << "\": no module directory holds it\n";
        return nullptr;
    }
    void* handle = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* error = ::dlerror();
        std::cerr << "host: cannot load resource module \"" << name
                  << "\": " << (error ? error : "the system loader refused it") << '\n';
    }
    return handle;
}

} // namespace KxUtResource

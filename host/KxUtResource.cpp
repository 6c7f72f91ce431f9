#include "host/KxUtResource.h"

#include "host/KxModuleLoader.h"
#include "host/KxPlatform.h"
#include "host/KxString.h"

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
    void* handle = KxPlatform::openModule(path);
    if (!handle) {
        const std::string error = KxPlatform::lastModuleError();
        std::cerr << "host: cannot load resource module \"" << name
                  << "\": " << (error.empty() ? "the system loader refused it" : error) << '\n';
    }
    return handle;
}

} // namespace KxUtResource

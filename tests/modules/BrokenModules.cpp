// Modules that the host must refuse: built once without an entry function, once answering
// another API version.

#include "host/KxModuleExport.h"
#include "host/KxModuleLoader.h"

#ifdef KX_WRONG_VERSION
extern "C" KX_MODULE_EXPORT int kxrxGetApiVersion(int) {
    return KxRx::kApiVersion + 1;
}
extern "C" KX_MODULE_EXPORT int kxrxEntryPoint(int, void*) {
    return 0;
}
#else
extern "C" KX_MODULE_EXPORT int kxrxGetApiVersion(int) {
    return KxRx::kApiVersion;
}
#endif

// The sample provider as a module of the host: the start message draws the bracket plate and
// publishes its parameters and groups; the unload message withdraws and frees them.

#include "KxBracketPlate.h"

#include "host/KxExport.h"
#include "host/KxModuleLoader.h"

namespace {

KxBracketPlate* gpPlate = nullptr;

} // namespace

extern "C" KX_EXPORT int kxrxGetApiVersion(int) {
    return KxRx::kApiVersion;
}

extern "C" KX_EXPORT int kxrxEntryPoint(int message, void*) {
    if (message == KxRx::kInitAppMessage && !gpPlate) {
        gpPlate = new KxBracketPlate();
        gpPlate->connect();
    } else if (message == KxRx::kUnloadAppMessage && gpPlate) {
        gpPlate->disconnect();
        delete gpPlate;
        gpPlate = nullptr;
    }
    return 0;
}

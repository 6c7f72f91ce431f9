// The library's entry as a module of the host: the start message registers it with the host's
// dynamic linker and loads its resource module; the unload message destroys the manager. The
// palette proxy, the palette module and the resource module outlive the unload.

#include "module/KxModuleEntry.h"

#include "host/KxModuleLoader.h"
#include "host/KxRxDynamicLinker.h"
#include "host/KxRxSysRegistry.h"
#include "manager/KxParameterManager.h"
#include "module/internal/KxResourceModule.h"

namespace {

// The registry's dynamic linker, taken only when it is one by class.
const KxRxDynamicLinker* dynamicLinker() {
    const KxRxObject* entry = kxrxSysRegistry()->at(L"DynamicLinker");
    if (!entry || !entry->isA()->isDerivedFrom(KxRxDynamicLinker::desc())) {
        return nullptr;
    }
    return static_cast<const KxRxDynamicLinker*>(entry);
}

} // namespace

int kxrxEntryPoint(int message, void* appHandle) {
    if (message == KxRx::kInitAppMessage) {
        if (const KxRxDynamicLinker* linker = dynamicLinker()) {
            linker->unlockApplication(appHandle);
        }
        if (const KxRxDynamicLinker* linker = dynamicLinker()) {
            linker->registerAppMDIAware(appHandle);
        }
        KxResourceModule::load();
    } else if (message == KxRx::kUnloadAppMessage) {
        KxParameterManager::destroy();
    }
    return 0;
}

int kxrxGetApiVersion(int) {
    return KxRx::kApiVersion;
}

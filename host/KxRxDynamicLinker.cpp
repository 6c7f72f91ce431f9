#include "host/KxRxDynamicLinker.h"

#include "host/internal/KxModuleRecord.h"

const KxRxClass* KxRxDynamicLinker::desc() {
    static const KxRxClass type(L"KxRxDynamicLinker", KxRxObject::desc());
    return &type;
}

const KxRxClass* KxRxDynamicLinker::isA() const {
    return desc();
}

bool KxRxDynamicLinker::unlockApplication(void* appHandle) const {
    KxRxModuleInfo* module = kxrxModuleOfHandle(appHandle);
    if (module) {
        module->unlocked = true;
    }
    return module != nullptr;
}

bool KxRxDynamicLinker::registerAppMDIAware(void* appHandle) const {
    KxRxModuleInfo* module = kxrxModuleOfHandle(appHandle);
    if (module) {
        module->mdiAware = true;
    }
    return module != nullptr;
}

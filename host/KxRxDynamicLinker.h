#pragma once

#include "host/KxHostExport.h"
#include "host/KxRxObject.h"

/// The host's dynamic linker, as a loaded module sees it: the module tells it, by its application
/// handle, what it allows. What it was told shows in the host's record of the module.
class KX_HOST_EXPORT KxRxDynamicLinker : public KxRxObject {
public:
    /// The run-time class of the dynamic linker, derived from that of KxRxObject.
    static const KxRxClass* desc();
    /// The run-time class of this object: desc().
    const KxRxClass* isA() const override;

    /// Lets the module be unloaded on request; false for a handle of no loaded module.
    bool unlockApplication(void* appHandle) const;
    /// Declares that the module works with several open documents; false as above.
    bool registerAppMDIAware(void* appHandle) const;
};

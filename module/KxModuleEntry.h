#pragma once

/// @file
/// The library's entry functions as a host module.

#include "host/KxModuleExport.h"

// The functions through which the host drives the library as a module, exported by plain name.
extern "C" {
/// Message 1 starts the module, message 2 unloads it; every other message does nothing. Always 0.
KX_MODULE_EXPORT int kxrxEntryPoint(int message, void* appHandle);
/// The host's API version that the module was built for.
KX_MODULE_EXPORT int kxrxGetApiVersion(int hostVersion);
}

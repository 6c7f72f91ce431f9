#pragma once

#include "host/KxHostExport.h"

/// The host's resource modules.
namespace KxUtResource {

/// Loads a resource module, named by its file name alone, from the host's module directories
/// (kxrxAddModuleDirectory), and gives its handle; null, with a message on the error stream, when
/// no directory holds it or the system loader refuses it. The two further arguments are reserved
/// and not used. The module stays loaded until the process ends.
KX_HOST_EXPORT void* loadDll(const wchar_t* fileName, int, int);

} // namespace KxUtResource

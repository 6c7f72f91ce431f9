#pragma once

#include "host/KxModuleLoader.h"

// For the host's own services: the record of the loaded module with this application handle, or
// null. Not exported.
KxRxModuleInfo* kxrxModuleOfHandle(void* appHandle);

// A source of a layer that shares its folder with another it does not use, and includes that one's
// header.
#include "host/KxModuleExport.h"
#include "tests/layering/PublicHeader.h"

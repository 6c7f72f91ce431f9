#pragma once

// Installed, this header would not compile: it includes one that is not installed.
#include "host/KxModuleExport.h"
#include "host/internal/KxNumberText.h"

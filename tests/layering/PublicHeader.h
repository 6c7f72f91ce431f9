#pragma once

// Installed, this header would not compile: it includes one that is not installed.
#include "host/KxString.h"
#include "host/internal/KxNumberText.h"

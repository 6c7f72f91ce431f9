#pragma once

#include "host/KxExport.h"

/// The host's fatal stop: writes the message to the error stream and aborts the process.
[[noreturn]] KX_EXPORT void kxrx_abort(const wchar_t* message);

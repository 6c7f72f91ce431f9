#pragma once

#include "host/KxHostExport.h"

/// The host's fatal stop: writes the message to the error stream and aborts the process.
[[noreturn]] KX_HOST_EXPORT void kxrx_abort(const wchar_t* message);

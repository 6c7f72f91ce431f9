#pragma once

/// @file
/// The host's system variables.

#include "host/KxHostExport.h"
#include "host/KxResBuf.h"

// The host's system variables: "LUNITS" (1..5, default 2), "LUPREC" (0..8, default 4), "AUNITS"
// (0..4, default 0) and "AUPREC" (0..8, default 0). Names are matched without regard to ASCII case.

/// kRtNorm with the value in `result` as a 16-bit integer; kRtError, `result` untouched, for an
/// unknown name, a null argument or a read that the host was told to refuse (by the project's
/// tests, host/testing/KxHostTesting.h).
KX_HOST_EXPORT int kxedGetVar(const wchar_t* name, KxResBuf* result);
/// kRtNorm when `value` holds a 16-bit integer within the variable's range; otherwise kRtError and
/// the variable keeps its value. A new value marks the current document's drawing changed: its file
/// keeps the units.
KX_HOST_EXPORT int kxedSetVar(const wchar_t* name, const KxResBuf* value);

/// Every variable back to its default, and every refusal to read lifted.
KX_HOST_EXPORT void kxedResetSysVars();

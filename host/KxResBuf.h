#pragma once

#include "host/KxDbEvalVariant.h"

/// The host's result buffer for one system variable: a result-type code and the value. The
/// variables that the host keeps are all 16-bit integers (code kRtInt16).
struct KxResBuf {
    short restype = kRtNone; ///< the result-type code; kRtNone while it holds no value
    /// The value, for the result type kRtInt16.
    struct {
        short rint = 0; ///< the 16-bit integer
    } resval;
};

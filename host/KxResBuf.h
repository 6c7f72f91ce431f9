#pragma once

#include "host/KxDbEvalVariant.h"

// The host's result buffer for one system variable: a result-type code and the value. The
// variables that the host keeps are all 16-bit integers (code kRtInt16).
struct KxResBuf {
    short restype = kRtNone;
    struct {
        short rint = 0;
    } resval;
};

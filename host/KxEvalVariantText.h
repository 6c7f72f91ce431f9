#pragma once

/// @file
/// Variant values as text.

#include "host/KxDbEvalVariant.h"
#include "host/KxHostExport.h"
#include "host/KxString.h"

/// The display text of a value, in the "C" locale: a real as the shortest plain decimal that reads
/// back to the same double, never with an exponent (1e20 is "100000000000000000000"); an integer
/// in decimal; a text as it is; a point as "x,y,z", each coordinate as a real; nothing as "".
KX_HOST_EXPORT KxString kxdbEvalVariantToString(const KxDbEvalVariant& value);

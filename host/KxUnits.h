#pragma once

/// @file
/// Lengths and angles to text and back, in the drawing's units.

#include "host/KxHostExport.h"
#include "host/KxString.h"

// Numbers as text in the drawing's units, always in the "C" locale. Linear units: 1 scientific,
// 2 decimal, 3 engineering, 4 architectural, 5 fractional. Angular units: 0 decimal degrees,
// 1 degrees/minutes/seconds, 2 grads, 3 radians, 4 surveyor's. Precision: decimal places, or for
// fractions the power of two of the largest denominator; 0..8. A unit or precision of -1 is the
// current value of "LUNITS"/"LUPREC" or "AUNITS"/"AUPREC", read at the call.
//
// Each returns kRtNorm, or kRtError with the output untouched: a unit or precision out of range,
// a value that is not finite, a null or unreadable text.

/// A length in drawing units; the feet-and-inches units take one unit as one inch.
KX_HOST_EXPORT int kxdbRToS(double value, int unit, int precision, KxString& result);
/// An angle in radians, east 0 and counter-clockwise positive, shown within one turn.
KX_HOST_EXPORT int kxdbAngToS(double radians, int unit, int precision, KxString& result);
/// A length read in the given linear unit (the forms each unit takes are those it writes, plus a
/// plain decimal number in every unit); blanks around the text are ignored.
KX_HOST_EXPORT int kxdbDisToF(const wchar_t* text, int unit, double* result);

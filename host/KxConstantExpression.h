#pragma once

/// @file
/// Whether a text is a constant expression, and its value.

#include "host/KxDbEvalVariant.h"
#include "host/KxHostExport.h"
#include "host/KxString.h"

/// True when `expression` is a constant: decimal numbers (with or without an exponent), the
/// operators + - * / ^ (^ binds tighter than a sign and groups to the right: -2^2 is -4, 2^3^2 is
/// 512), parentheses, the constant `pi` and the functions sin cos tan asin acos atan sqrt abs
/// round trunc floor ceil exp ln log (log is base 10), names in any ASCII case. Angles of the
/// trigonometric functions are in degrees, as the host's angle texts are. `value` then holds the
/// result: a 32-bit integer (result type 90) when the result is integral and fits, else a real
/// (result type 40).
///
/// False, `value` untouched, for anything else: an unknown name, a syntax error, a division by
/// zero, a result or intermediate value that is not finite, or nesting deeper than 100 levels.
KX_HOST_EXPORT bool kxdbIsExpressionAConstant(const KxString& expression, KxDbEvalVariant& value);

/// True when `name` is one of the function names above, in any ASCII case: a provider that puts
/// names of its own into expressions must keep clear of these.
KX_HOST_EXPORT bool kxdbIsExpressionFunctionName(const KxString& name);
/// True when `name` is `pi`, in any ASCII case.
KX_HOST_EXPORT bool kxdbIsExpressionConstantName(const KxString& name);

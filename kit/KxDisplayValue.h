#pragma once

/// @file
/// A parameter's value as a palette shows it.

#include "host/KxString.h"
#include "model/KxParameterManagerExport.h"

class KxParameter;

/// The parameter's value as text, in the drawing's current units and precision when it is a number
/// that precision applies to; the empty text when the parameter gives no value.
KX_PARAM_EXPORT KxString kxDisplayValue(KxParameter& parameter);

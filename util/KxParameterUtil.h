#pragma once

#include "host/KxDbEvalVariant.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"
#include "host/WindowHandle.h"
#include "model/KxParameterManagerExport.h"

/// Value, unit and text utilities for providers and the palette. None keeps state: units and
/// precision are asked of the host at every call.
namespace KxParameterUtil {

/// Reads `text` into the type that `value` already holds, in the "C" locale whatever the process
/// locale. Real and 32-bit targets take one number with blanks around it and nothing else; a 16-bit
/// target takes the number at the start and ignores what follows ("12abc" gives 12), within
/// -32767..32767; a text target takes any text. 3 when the text does not hold one number of the
/// type (a 32-bit number outside the 32-bit range included), 374 for an untyped target, 431 for a
/// target of another type; on every failure `value` keeps its value.
KX_PARAM_EXPORT Lumo::ErrorStatus stringToEvalVariant(const KxString& text, KxDbEvalVariant& value);
/// The host's display text of the value.
KX_PARAM_EXPORT KxString evalVariantToString(const KxDbEvalVariant& value);
/// The value of a real, 32-bit or 16-bit variant as a double; -1.0 for any other.
KX_PARAM_EXPORT double evalVarInDouble(const KxDbEvalVariant& value);

/// "LUPREC", "LUNITS", "AUPREC" and "AUNITS", in that order (precision before units). A variable
/// that the host cannot read gives 0. Always true.
KX_PARAM_EXPORT bool getSysVarUnitsAndPrecision(unsigned int& linearPrecision,
                                                unsigned int& linearUnits,
                                                unsigned int& angularPrecision,
                                                unsigned int& angularUnits);
/// Rewrites a value text in the current units and precision. An angle is a constant expression in
/// degrees; a length is a distance in the current linear unit, shown in decimal rather than
/// engineering or architectural units unless `keepLinearUnitMode`. The text stays as it was when it
/// cannot be read or formatted, or when the new text would be longer than 255 characters.
KX_PARAM_EXPORT void ConvertToCurrentPrecision(KxString& value, bool isAngle,
                                               bool keepLinearUnitMode);

/// The text of that identifier in the library's resource module; empty when the module is not
/// loaded or holds no such text.
KX_PARAM_EXPORT KxString getResourceString(unsigned int id);
/// Tells the user that the parameters shown are filtered, in a modal notice over `parent`; shows
/// nothing while the manager reports a document switch.
KX_PARAM_EXPORT void showFilteredTaskDialog(HWND parent);

} // namespace KxParameterUtil

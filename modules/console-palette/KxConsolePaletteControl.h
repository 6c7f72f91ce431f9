#pragma once

#include "host/KxDbEvalVariant.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"

#include <iosfwd>

class KxParameter;

// What the shell asks of the console palette beyond the palette operations: where to draw, when
// to draw the whole table, the user's edits (which the palette sends into the model, as a palette
// does) and the group filter. The palette module exports it as `kxConsolePaletteControl`; the
// shell finds it with kxrxModuleSymbol, so neither links against the other.
class KxConsolePaletteControl {
public:
    // Everything the palette shows goes to `out`, except its error box, which shows a refusal and
    // goes to `errors` (the standard output and the standard error until set; null sets those).
    virtual void setOutput(std::ostream* out, std::ostream* errors) = 0;
    // Draws the table of the rows that pass the current filter.
    virtual void draw() = 0;

    // The user edits a cell: the name, the expression, or the property of that name, whose new
    // value the caller has already read into the property's type. The result is the model's; a
    // refusal has been shown in the palette's error dialog by then. A property that the parameter
    // does not hold gives eKeyNotFound and changes nothing.
    virtual Lumo::ErrorStatus editName(KxParameter* parameter, const KxString& name) = 0;
    virtual Lumo::ErrorStatus editExpression(KxParameter* parameter,
                                             const KxString& expression) = 0;
    virtual Lumo::ErrorStatus editProperty(KxParameter* parameter, const KxString& property,
                                           const KxDbEvalVariant& value) = 0;

    // Filters the rows by the group of that name, inverted or not, and shows the filtered notice;
    // eInvalidInput, and the filter stays as it was, when no registered group has that name.
    virtual Lumo::ErrorStatus setGroupFilter(const KxString& groupName, bool invert) = 0;
    virtual void clearFilter() = 0;

protected:
    ~KxConsolePaletteControl() = default;
};

// The exported name of the function that gives the palette module's control.
using KxConsolePaletteControlFunction = KxConsolePaletteControl* (*)();
constexpr const char* kKxConsolePaletteControlSymbol = "kxConsolePaletteControl";

#pragma once

/// @file
/// What a host program asks of a palette beyond the palette operations.

#include "host/KxDbEvalVariant.h"
#include "host/KxString.h"
#include "host/LumoErrorStatus.h"

#include <iosfwd>

class KxParameter;

/// What a host program (the shell, the desktop program) asks of the palette beyond the palette
/// operations: where its text goes, drawing the whole table, the user's edits (which the palette
/// sends into the model, as a palette does), the group filter and the selection. A palette module
/// exports it as `kxPaletteControl`; the program finds it with kxrxModuleSymbol, so neither links
/// against the other.
class KxPaletteControl {
public:
    /// Everything the palette writes goes to `out`, except its error box, which shows a refusal
    /// and goes to `errors` (the standard output and the standard error until set; null sets
    /// those).
    virtual void setOutput(std::ostream* out, std::ostream* errors) = 0;
    /// Writes the table of the rows that pass the current filter to the output.
    virtual void draw() = 0;

    /// The user edits a cell: the name. The result is the model's; a refusal has been shown in
    /// the palette's error dialog by then.
    virtual Lumo::ErrorStatus editName(KxParameter* parameter, const KxString& name) = 0;
    /// The user edits the expression cell, as editName.
    virtual Lumo::ErrorStatus editExpression(KxParameter* parameter,
                                             const KxString& expression) = 0;
    /// The user edits the cell of the property of that name, whose new value the caller has
    /// already read into the property's type. A property that the parameter does not hold gives
    /// eKeyNotFound and changes nothing.
    virtual Lumo::ErrorStatus editProperty(KxParameter* parameter, const KxString& property,
                                           const KxDbEvalVariant& value) = 0;

    /// Filters the rows by the group of that name, inverted or not, and shows the filtered
    /// notice; eInvalidInput, and the filter stays as it was, when no registered group has that
    /// name.
    virtual Lumo::ErrorStatus setGroupFilter(const KxString& groupName, bool invert) = 0;
    /// Shows every row again.
    virtual void clearFilter() = 0;

    /// Selects the parameter's row alone, as a click on it does, and scrolls it into view;
    /// eKeyNotFound when the palette shows no row of it (a filter may hide it), eNotImplemented
    /// for a palette without rows to select.
    virtual Lumo::ErrorStatus selectParameter(KxParameter* parameter) = 0;

protected:
    /// Not deleted through the interface: the module owns its palette.
    ~KxPaletteControl() = default;
};

/// The type of the function that a palette module exports to give its control.
using KxPaletteControlFunction = KxPaletteControl* (*)();
/// The exported name of that function.
constexpr const char* kKxPaletteControlSymbol = "kxPaletteControl";

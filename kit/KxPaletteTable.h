#pragma once

/// @file
/// The palette's table without a window: its columns, and the text of a cell.

#include "host/KxString.h"
#include "model/KxParameterManagerExport.h"

#include <vector>

class KxParameter;
class KxParameterGroupCollection;
class KxParameterManager;

/// What a column of the palette's table shows.
enum class KxPaletteColumnKind {
    kName,       ///< the parameter's name
    kExpression, ///< the parameter's expression
    kValue,      ///< the parameter's value in current units
    kGroups,     ///< the names of the parameter's groups
    kProperty,   ///< a property of the parameter, by the column's key
};

/// A column of the palette's table: a fixed one, or a property column by its key.
struct KxPaletteColumn {
    /// What the column shows.
    KxPaletteColumnKind kind = KxPaletteColumnKind::kName;
    /// The property's key, for a property column; empty for a fixed one.
    KxString key;
    /// The column's title.
    KxString title;

    /// Whether the two columns show the same cells (the same kind and key), whatever their titles.
    bool isSameAs(const KxPaletteColumn& other) const {
        return kind == other.kind && key == other.key;
    }
};

/// The table's columns now: Name, Expression, Value and Groups, titled from the resource module
/// (in English when it gives no title), then the visible columns of the manager's active
/// collection, in its order, each key once, titled by their title or else their key. A palette
/// shows the collection that the user works on; a null manager or no active collection gives the
/// four fixed columns.
KX_PARAM_EXPORT std::vector<KxPaletteColumn> kxPaletteColumns(const KxParameterManager* manager);

/// The text of the parameter's cell in the column: its name, its expression, its value as
/// kxDisplayValue gives it, its groups' names joined with ", " (KxParameterGroupNames, through
/// `groups`, which may be null), or the property's value as text (empty when the parameter has no
/// such property).
KX_PARAM_EXPORT KxString kxPaletteCellText(KxParameter& parameter, const KxPaletteColumn& column,
                                           const KxParameterGroupCollection* groups);

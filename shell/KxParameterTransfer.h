#pragma once

#include "host/LumoErrorStatus.h"

#include <string>
#include <string_view>
#include <vector>

class KxParameterManager;

// The parameters of the active collection to and from comma-separated values (shell/KxCsv.h).
//
// The header row is `name,expression,value,description,groups`, then one column for each column
// that the active collection supports (getSupportedProperties), headed by the column's key; a key
// that is empty, repeated or one of the five fixed names gets no column of its own (the sample's
// "description" column is the description). One row per parameter, in the collection's order: the
// value as the parameter's value text, the groups as their names joined with ';' (indexes that
// name no group are left out; a group name holding ';' cannot come back), each property as its
// value's display text, empty for a parameter without that property.
//
// Importing reads the same format. The header names the columns, in any order; `name` is needed,
// every other column may be left out, and a column left out leaves that part of every parameter as
// it is. `value` is not read: it follows from the expression. Every change goes through the
// library's exported operations, so that the provider vets it and the reactors, the palette's
// among them, hear of it; what is already equal is not touched, so importing a drawing's own
// export changes nothing and nobody hears anything. For each row:
// - The parameter of that name in the active collection, or a new one (the manager's
//   createParameter, then setName). A new parameter is set up completely, and only then added
//   (the manager's addParameter), so the palette sees it once, as the file has it.
// - setExpression with the expression.
// - The description: through setProperty when the parameter has a property named "description",
//   otherwise through the provider's own setDescription, which nobody vets or hears.
// - setProperty for each property column, the text read into the type of the property's value
//   (KxParameterUtil::stringToEvalVariant; an untyped value takes it as text). A read-only
//   property follows from the model, like the value, and is not set; an empty cell leaves a
//   property that does not hold a text as it is.
// - addToGroup and removeFromGroup until the groups that have names are those of the row. A group
//   that does not exist yet is added first (addParameterGroup); without a group collection, a row
//   that names a group is refused.
// A row that something refuses is undone in reverse order, so that it leaves its parameter (and
// the groups) as they were, except that a group it had left and joins again comes last in the
// parameter's list; a new parameter is deleted again through its collection (it never reached the
// list that the manager's deletion goes by), so a refused new row is never shown. The other rows go
// on. A row may name parameters of later rows: rows are tried after those whose names their
// expressions mention, and a refused row is tried again, in rounds, while rows are applied after
// its last try (the reactors then hear its refusal again). A file that cannot be read, or whose
// header names an unknown column, changes nothing.
namespace KxParameterTransfer {

// One problem: the line of the file (0 for the file as a whole), the status (the provider's when
// it refused a change; eInvalidInput for a file that cannot be read or written, eNotActive without
// an active collection) and a message a person reads.
struct Issue {
    int line = 0;
    Lumo::ErrorStatus status = Lumo::eOk;
    std::string message;
};

// The rows written or applied, and the problems in the order of their lines.
struct Result {
    int rows = 0;
    std::vector<Issue> issues;
    bool ok() const { return issues.empty(); }
};

// Appends the active collection's parameters, header first, to `out`.
Result exportCsv(KxParameterManager& manager, std::string& out);
// Applies the rows of `csv` to the active collection.
Result importCsv(KxParameterManager& manager, std::string_view csv);

// The same with a file; a file that cannot be opened, read or written is an issue of line 0.
Result exportFile(KxParameterManager& manager, const std::string& path);
Result importFile(KxParameterManager& manager, const std::string& path);

// "line N: message (eInvalidInput, 3)", without the line for line 0: one line for a person.
std::string describe(const Issue& issue);

} // namespace KxParameterTransfer

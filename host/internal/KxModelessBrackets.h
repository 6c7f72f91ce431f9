#pragma once

class KxDbDatabase;

// The undo brackets that the editor's modeless-operation notices open and close: a start opens (or
// joins) an undo group of the current document's database, the matching end closes it on the same
// database, even if another document has become current since.
namespace KxModelessBrackets {

void started(const wchar_t* context);
void ended();
// The database is going away: brackets still open on it end on nothing.
void forget(const KxDbDatabase* database);

} // namespace KxModelessBrackets

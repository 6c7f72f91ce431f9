#pragma once

#include "host/KxArray.h"

class KxParameter;

// Matching of parameter lists in time proportional to their lengths.

// Removes from `list`, for each pointer, as many of its first occurrences as `removed` names it,
// and keeps the order of the rest: exactly what removing the first occurrence of each entry of
// `removed`, one by one, would leave. Pointers of `removed` that `list` lacks are skipped.
void removeFirstOccurrences(KxArray<KxParameter*>& list, const KxArray<KxParameter*>& removed);

// Appends to `share`, in the order of `listed` and as often as `listed` names them, the entries
// of `listed` that `held` holds.
void appendHeldEntries(const KxArray<KxParameter*>& listed, const KxArray<KxParameter*>& held,
                       KxArray<KxParameter*>& share);

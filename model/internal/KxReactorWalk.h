#pragma once

#include "host/KxArray.h"

// Calls `notify` on every reactor of the list, in order. The length is read afresh before each
// step, so a reactor registered during the walk hears the same notice, and one that removes itself
// makes the walk skip the entry that moves into its place. Null entries are skipped.
template <class Reactor, class R, class Notify>
void walkReactors(const KxArray<Reactor*, R>& reactors, Notify&& notify) {
    for (int i = 0; i < reactors.length(); ++i) {
        if (Reactor* reactor = reactors[i]) {
            notify(*reactor);
        }
    }
}

#pragma once

#include "host/KxArray.h"
#include "host/LumoErrorStatus.h"

// Registration rules shared by the lists of reactors and enablers. Entries compare by identity.

// Appends `entry` unless it stands in the list already. eNullPtr for a null entry.
template <class Entry, class R>
Lumo::ErrorStatus addOnce(KxArray<Entry*, R>& list, Entry* entry) {
    if (!entry) {
        return Lumo::eNullPtr;
    }
    if (!list.contains(entry)) {
        list.append(entry);
    }
    return Lumo::eOk;
}

// Removes the first occurrence of `entry`, keeping the order of the rest. eNullPtr for a null
// entry, `whenEmpty` for an empty list, eInvalidInput when the entry is not in the list.
template <class Entry, class R>
Lumo::ErrorStatus removeFirst(KxArray<Entry*, R>& list, Entry* entry, Lumo::ErrorStatus whenEmpty) {
    if (!entry) {
        return Lumo::eNullPtr;
    }
    if (list.isEmpty()) {
        return whenEmpty;
    }
    return list.removeAt(list.find(entry)) ? Lumo::eOk : Lumo::eInvalidInput;
}

#pragma once

#include <algorithm>
#include <vector>

// The host's reactor lists: each reactor stands once, in the order it was attached.
namespace KxReactorList {

// Appends the reactor; false for null or one attached already.
template <class Reactor>
bool attach(std::vector<Reactor*>& reactors, Reactor* reactor) {
    if (!reactor || std::find(reactors.begin(), reactors.end(), reactor) != reactors.end()) {
        return false;
    }
    reactors.push_back(reactor);
    return true;
}

// Takes the reactor out; false when it is not attached.
template <class Reactor>
bool detach(std::vector<Reactor*>& reactors, Reactor* reactor) {
    const auto found = std::find(reactors.begin(), reactors.end(), reactor);
    if (found == reactors.end()) {
        return false;
    }
    reactors.erase(found);
    return true;
}

} // namespace KxReactorList

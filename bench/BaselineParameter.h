#pragma once

#include <string>
#include <vector>

// What a baseline keeps of a parameter: the least that the measured operations read or change.
struct BaselineParameter {
    std::wstring name;
    std::vector<void*> reactors;
    std::vector<short> groups;
};

#pragma once

#include <cstddef>
#include <cstring>

// The vtable entry that a pointer to a virtual member function selects. In the Itanium ABI (GCC
// and Clang) such a pointer holds one plus the entry's byte offset; a non-virtual one holds an
// even address, for which this gives -1.
template <class Member>
std::ptrdiff_t vtableEntry(Member member) {
    static_assert(sizeof(Member) == 2 * sizeof(std::ptrdiff_t), "Itanium member pointer");
    std::ptrdiff_t words[2];
    std::memcpy(words, &member, sizeof words);
    if ((words[0] & 1) == 0) {
        return -1;
    }
    return (words[0] - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

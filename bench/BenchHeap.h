#pragma once

#include <cstdint>

// Bytes that the C heap has handed out and not yet taken back, counted by the allocation functions
// that this program puts in place of the C library's. Every allocation of the program goes through
// them: operator new, the library's arrays (realloc) and the benchmark library alike. The count is
// of usable bytes, so rounding by the allocator is included and its headers are not.
std::int64_t heapBytesInUse();

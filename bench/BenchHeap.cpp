#include "BenchHeap.h"

#include <atomic>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <malloc.h>

// The C library's own allocator under its internal names; the functions below forward to them.
extern "C" {
void* __libc_malloc(std::size_t size);
void* __libc_calloc(std::size_t count, std::size_t size);
void* __libc_realloc(void* storage, std::size_t size);
void* __libc_memalign(std::size_t alignment, std::size_t size);
void __libc_free(void* storage);
}

namespace {

std::atomic<std::int64_t> gBytesInUse{0};

void* counted(void* storage) {
    if (storage) {
        gBytesInUse.fetch_add(static_cast<std::int64_t>(malloc_usable_size(storage)),
                              std::memory_order_relaxed);
    }
    return storage;
}

void uncount(void* storage) {
    if (storage) {
        gBytesInUse.fetch_sub(static_cast<std::int64_t>(malloc_usable_size(storage)),
                              std::memory_order_relaxed);
    }
}

} // namespace

std::int64_t heapBytesInUse() {
    return gBytesInUse.load(std::memory_order_relaxed);
}

// Exported from the program, so that the shared libraries it loads use these too.
#define KX_BENCH_HEAP extern "C" __attribute__((visibility("default")))

KX_BENCH_HEAP void* malloc(std::size_t size) noexcept {
    return counted(__libc_malloc(size));
}

KX_BENCH_HEAP void* calloc(std::size_t count, std::size_t size) noexcept {
    return counted(__libc_calloc(count, size));
}

KX_BENCH_HEAP void* realloc(void* storage, std::size_t size) noexcept {
    const auto before = static_cast<std::int64_t>(storage ? malloc_usable_size(storage) : 0);
    void* grown = __libc_realloc(storage, size);
    if (grown) {
        gBytesInUse.fetch_add(static_cast<std::int64_t>(malloc_usable_size(grown)) - before,
                              std::memory_order_relaxed);
    } else if (size == 0) {
        gBytesInUse.fetch_sub(before, std::memory_order_relaxed); // realloc to 0 frees
    }
    return grown;
}

KX_BENCH_HEAP void free(void* storage) noexcept {
    uncount(storage);
    __libc_free(storage);
}

KX_BENCH_HEAP void* memalign(std::size_t alignment, std::size_t size) noexcept {
    return counted(__libc_memalign(alignment, size));
}

KX_BENCH_HEAP void* aligned_alloc(std::size_t alignment, std::size_t size) noexcept {
    return counted(__libc_memalign(alignment, size));
}

KX_BENCH_HEAP int posix_memalign(void** storage, std::size_t alignment, std::size_t size) noexcept {
    void* aligned = counted(__libc_memalign(alignment, size));
    if (!aligned) {
        return ENOMEM;
    }
    *storage = aligned;
    return 0;
}

KX_BENCH_HEAP void* valloc(std::size_t size) noexcept {
    return counted(__libc_memalign(4096, size));
}

// HeapBlockRoom: how many bytes a block from the C library's heap can hold.
#pragma once

#include <cstddef>

// Each C library answers the question under its own name, declared in its
// allocator's header.
#if defined(_WIN32) || defined(__GLIBC__)
#include <malloc.h>
#endif

// The usable size of a live block from malloc or realloc, which may exceed
// what was asked for; 0 when the platform cannot tell.
inline size_t HeapBlockRoom(void* block) {
#if defined(_WIN32)
    const size_t room = _msize(block);
    return room == static_cast<size_t>(-1) ? 0 : room;
#elif defined(__GLIBC__)
    return malloc_usable_size(block);
#else
    (void)block;
    return 0;
#endif
}

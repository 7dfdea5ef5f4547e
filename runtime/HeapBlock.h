// The heap behind the pool: C library heap blocks that carry their own room.
#pragma once

#include <cstddef>

// Every block the pool takes from the heap starts with a small header that
// records how many bytes the block holds (its room). What the pool hands out
// is the address just behind the header, so a growing buffer can learn whether
// it still fits with one load instead of a call into the C library, on every
// platform alike.
//
// Only blocks from these functions may be given to them: a block from plain
// malloc has no header. The header keeps the caller's address aligned as
// malloc's own results are.
namespace heap_block {

inline constexpr size_t kHeaderBytes = 16;
// The largest room a block can be asked for.
inline constexpr size_t kMaxRoom = static_cast<size_t>(-1) - kHeaderBytes;

// A block with room for bytes (at least 1), or null when the heap has no
// memory for it.
void* Allocate(size_t bytes);
// Gives the block room for bytes (at least 1), keeping its first
// min(room, bytes) bytes; the block may move. Null when the heap cannot serve
// the request, and the block is then left as it was.
void* Resize(void* block, size_t bytes);
// Gives the block back to the heap.
void Release(void* block);

// The bytes the block can hold.
inline size_t Room(const void* block) {
    return *reinterpret_cast<const size_t*>(static_cast<const unsigned char*>(block) -
                                            kHeaderBytes);
}

} // namespace heap_block

#include "runtime/HeapBlock.h"

#include <cstdlib>
#include <cstring>

namespace heap_block {
namespace {

unsigned char* Base(void* block) {
    return static_cast<unsigned char*>(block) - kHeaderBytes;
}

// Records the room in the header at base and returns the caller's address.
void* Stamp(void* base, size_t bytes) {
    if (base == nullptr) {
        return nullptr;
    }
    std::memcpy(base, &bytes, sizeof bytes);
    return static_cast<unsigned char*>(base) + kHeaderBytes;
}

} // namespace

void* Allocate(size_t bytes) {
    if (bytes > kMaxRoom) {
        return nullptr;
    }
    return Stamp(std::malloc(bytes + kHeaderBytes), bytes);
}

void* Resize(void* block, size_t bytes) {
    if (bytes > kMaxRoom) {
        return nullptr;
    }
    return Stamp(std::realloc(Base(block), bytes + kHeaderBytes), bytes);
}

void Release(void* block) {
    std::free(Base(block));
}

} // namespace heap_block

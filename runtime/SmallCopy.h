// CopySmall: a copy of up to 32 bytes in at most two moves of a fixed size.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>

// Copies bytes (0 to kSmallCopyLimit) between areas that do not overlap. The
// two moves of each size may overlap each other inside the area, so any
// length takes at most two loads and two stores, without a call: the short
// pieces that texts and buffers append all the time are copied in place.
inline constexpr size_t kSmallCopyLimit = 32;

// Inlined with a short literal as the source, the compiler warns of the wider
// moves, although their branch is never taken for it.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Warray-bounds"
#endif

template <size_t kWidth>
inline void CopyTwoMoves(unsigned char* to, const unsigned char* from, size_t bytes) {
    unsigned char head[kWidth];
    unsigned char tail[kWidth];
    std::memcpy(head, from, kWidth);
    std::memcpy(tail, from + bytes - kWidth, kWidth);
    std::memcpy(to, head, kWidth);
    std::memcpy(to + bytes - kWidth, tail, kWidth);
}

inline void CopySmall(void* to, const void* from, size_t bytes) {
    auto* out = static_cast<unsigned char*>(to);
    const auto* in = static_cast<const unsigned char*>(from);
    if (bytes >= 16) {
        CopyTwoMoves<16>(out, in, bytes);
    } else if (bytes >= 8) {
        CopyTwoMoves<8>(out, in, bytes);
    } else if (bytes >= 4) {
        CopyTwoMoves<4>(out, in, bytes);
    } else if (bytes >= 2) {
        CopyTwoMoves<2>(out, in, bytes);
    } else if (bytes == 1) {
        *out = *in;
    }
}

#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic pop
#endif

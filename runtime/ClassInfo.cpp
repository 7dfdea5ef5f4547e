#include "runtime/ClassInfo.h"

#include <cstring>

namespace {

bool SameIdentity(const char* name_a, uint64_t length_a, uint32_t hash_a, const char* name_b,
                  uint64_t length_b, uint32_t hash_b) {
    return hash_a == hash_b && length_a == length_b &&
           std::memcmp(name_a, name_b, static_cast<size_t>(length_a)) == 0;
}

} // namespace

uint32_t ClassNameHash(const char* name, uint64_t length) {
    uint64_t h = 0;
    for (uint64_t i = 0; i < length; ++i) {
        // Unsigned arithmetic wraps where the signed form would overflow; the
        // low bits are the same either way.
        h = h * 5 + static_cast<uint64_t>(static_cast<int64_t>(static_cast<int8_t>(name[i])));
    }
    return (static_cast<uint32_t>(h) | 1u) & 0x7FFFFFFFu;
}

ClassInfo MakeClassInfo(CTarnObject* (*create)(), const char* name) {
    const uint64_t length = std::strlen(name);
    return ClassInfo{create, name, length, ClassNameHash(name, length)};
}

LightClassInfo MakeLightClassInfo(const char* name) {
    const uint64_t length = std::strlen(name);
    return LightClassInfo{name, length, ClassNameHash(name, length)};
}

bool SameClass(const ClassInfo& a, const ClassInfo& b) {
    return &a == &b || SameIdentity(a.name, a.name_length, a.hash, b.name, b.name_length, b.hash);
}

bool SameClass(const LightClassInfo& a, const LightClassInfo& b) {
    return &a == &b || SameIdentity(a.name, a.name_length, a.hash, b.name, b.name_length, b.hash);
}

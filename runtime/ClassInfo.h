// Class information records: the name, name hash and (for objects) factory of a runtime class.
#pragma once

#include <cstdint>

// The platform headers map GetClassInfo to their window class query; the
// runtime's operation of that name must keep its name in every translation
// unit, whichever header comes first. Including them here (they guard
// against a second inclusion) and taking the name back settles both orders.
#ifdef _WIN32
#include <windows.h>
#undef GetClassInfo
#endif

class CTarnObject;

// The record of a class derived from CTarnObject. Each class owns exactly one,
// built on first use as a function-local static (so safely against concurrent
// first use) and never freed. Records are compared by address first, then by
// hash, name length and name bytes: two records with equal contents denote the
// same class even when they live at different addresses.
struct ClassInfo {
    // Makes a new instance in its default state (what CreateNew gives).
    CTarnObject* (*create)();
    // The class name, zero-terminated 8-bit text; qualified inside a namespace.
    const char* name;
    // Bytes of name without the terminator.
    uint64_t name_length;
    // ClassNameHash of name: always odd and below 2^31.
    uint32_t hash;
};

// The record of a counted object (CRefObject and its subclasses) and of the
// light text list: the same identity without a factory.
struct LightClassInfo {
    const char* name;
    uint64_t name_length;
    uint32_t hash;
};

// The name hash: h = h * 5 + byte over the name's bytes taken as signed 8-bit
// values, starting from 0 in 64 bits; the low 32 bits with bit 0 set and bit 31
// cleared.
uint32_t ClassNameHash(const char* name, uint64_t length);

// Fills a record for name (which must live for the whole run, as literals do).
ClassInfo MakeClassInfo(CTarnObject* (*create)(), const char* name);
LightClassInfo MakeLightClassInfo(const char* name);

// True when the two records denote the same class: the same address, or the
// same hash, name length and name bytes.
bool SameClass(const ClassInfo& a, const ClassInfo& b);
bool SameClass(const LightClassInfo& a, const LightClassInfo& b);

// UTF-8 to UTF-16 conversion, the same on every platform.
#pragma once

#include <cstdint>

// Converts the zero-terminated UTF-8 text into UTF-16 units, writing at most
// capacity units into out (no terminator; out may be null to measure), and
// returns the number of units of the whole result.
//
// Code points above U+FFFF become surrogate pairs. Input that is not
// well-formed UTF-8 never fails the conversion: each maximal ill-formed part
// becomes one U+FFFD, the replacement character, and decoding resumes at the
// next byte. Ill-formed are the bytes 0x80-0xC1 and 0xF5-0xFF as lead bytes,
// a sequence cut short by a byte that cannot continue it (or by the
// terminator), overlong forms, encoded surrogates (U+D800-U+DFFF) and code
// points beyond U+10FFFF. A null text gives 0 units.
int64_t Utf8ToUtf16(const char* text, char16_t* out, int64_t capacity);

// The edit box's input types: which typed characters pass, and the normalised text on losing focus.
#pragma once

#include <cstdint>

#include "runtime/IntegerText.h"

// The kinds of text an edit box holds (its InputType). Values outside the
// table behave as plain text.
enum class EditInputType : int64_t {
    kText = 0,
    kReadOnly = 1,
    kPassword = 2,
    kIntegerText = 3, // digits and '-', kept as typed
    kDecimalText = 4, // digits, '-' and '.', kept as typed
    kByte = 5,        // 0 to 255
    kShort = 6,       // -32768 to 32767
    kInt32 = 7,
    kInt64 = 8,
    kSingle = 9,
    kDouble = 10,
    kDateChinese = 11,
    kDateNumeric = 12,
    kHex = 13,
};

// True when a typed character may enter an edit of inputType. Control codes
// (below 32) always pass; the number types take only their digits and signs,
// without checking where a '-' or '.' stands or how often it occurs.
bool EditAcceptsChar(int64_t inputType, char16_t unit);

// The text an edit of inputType shows after losing the focus, for the types
// that normalise (5 to 13): the number or date read from text, written back
// in its canonical form, with a lone "0" of the number types shown as the
// empty text and an unreadable date as the empty text. Writes the result with
// its terminator into area (kNumberTextUnits units) and returns true; returns
// false, leaving area untouched, for the types kept as typed. A null text
// reads as empty.
bool NormalizeEditText(int64_t inputType, const char16_t* text, char16_t* area);

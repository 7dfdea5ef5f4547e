// Number text rules beyond the 32-bit ones: 64-bit decimal text.
#pragma once

#include <cstdint>

#include "runtime/IntegerText.h"

// Writes the decimal text of value with its terminator into area (which holds
// kNumberTextUnits units) and returns area; for INT64_MIN, whose magnitude
// cannot be negated, it returns the constant text "-9223372036854775808"
// instead and leaves area untouched.
const char16_t* Int64ToText(int64_t value, char16_t* area);

// CTarnException: the runtime's exception, a code and a description.
#pragma once

#include <cstdint>

#include "runtime/WString.h"

// Thrown by value and caught by reference by programs and runtime parts that
// report a failure this way; the start-up's body runner turns one that
// escapes into a message box and exit code -1. The tool itself throws none.
class CTarnException {
public:
    CTarnException(int32_t code, const char16_t* description)
        : code(code), description(description) {}

    // Chosen by the raiser; printed with its sign.
    int32_t code;
    // Human-readable; may be empty.
    CWString description;
};

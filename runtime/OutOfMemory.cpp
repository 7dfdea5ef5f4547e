#include "runtime/OutOfMemory.h"

#include <cstdlib>

[[noreturn]] void ExitOutOfMemory() {
    std::exit(-1);
}

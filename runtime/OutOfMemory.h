// ExitOutOfMemory, the one way the process ends when memory runs out.
#pragma once

// Ends the process with exit code -1 through the C library's exit, so that exit
// handlers and static destructors still run. Every memory exhaustion ends here:
// the runtime's own, and a standard container's std::bad_alloc that reaches a
// window procedure. It holds no state, so any layer may call it.
[[noreturn]] void ExitOutOfMemory();

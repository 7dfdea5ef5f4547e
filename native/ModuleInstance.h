// The module instance handle under which the runtime registers and creates its windows.
#pragma once

#include <windows.h>

// The instance of the running program: the application object's once it
// exists, the executable's module before. Window classes of the runtime are
// registered for it.
HINSTANCE GetTarnModuleInstance();

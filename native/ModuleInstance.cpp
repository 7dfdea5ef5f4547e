#include "native/ModuleInstance.h"

#include "framework/WinApp.h"

HINSTANCE GetTarnModuleInstance() {
    return AfxGetInstanceHandle();
}

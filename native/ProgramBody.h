// RunProgramBody: runs the program object's body, reporting an escaping exception.
#pragma once

#include <cstdint>

class CTarnUserApp;

// The body of a program object (its RunBody), handed over by the start-up.
using ProgramBody = int32_t (*)(CTarnUserApp& program);

// Runs body on the application instance's current program object and returns
// its result (0 when there is no program object). An exception that escapes
// the body is shown in a message box without owner, caption "运行时异常",
// and the process then ends through exit(-1), so that exit handlers and
// static destructors still run: a CTarnException with its code and
// description, any other C++ exception with a fixed text. With a debugger
// attached the body runs unprotected, so the debugger sees the exception
// where it was thrown.
int32_t RunProgramBody(ProgramBody body);

// As RunProgramBody, with the debugger question answered by the caller.
int32_t RunProgramBodyWith(ProgramBody body, bool debuggerAttached);

// The process entry of the framework's programs.
//
// It has a file of its own so that it is linked only where it is wanted: the
// static library gives an object file to an executable only for a symbol the
// executable still lacks. A program built with -municode has its start-up
// code ask for wWinMain, so it takes this file; to make the linker look for
// it when it reads this library (which comes before the start-up library),
// such a program also links with -Wl,--undefined=wWinMain. The
// tarn_gui_program() function in cmake/TarnGuiProgram.cmake sets both.
// Test executables have their own main() and never ask for wWinMain, so they
// call RunApplication themselves.
#include "framework/WinApp.h"

#include <cstdlib>

// The standard library's default terminate handler writes the type of the
// exception in flight, demangled, to the standard error stream before it
// aborts. A windowed program has no such stream, and the demangler with the
// formatted printing behind it is the largest piece of the standard library
// in the program. Defining the handler here keeps that piece out: the linker
// takes it from the library only while the program lacks it. What remains is
// what std::terminate does by default, abort.
namespace __gnu_cxx {                // NOLINT(bugprone-reserved-identifier): the library's own name
void __verbose_terminate_handler() { // NOLINT(bugprone-reserved-identifier)
    std::abort();
}
} // namespace __gnu_cxx

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
    return RunApplication(instance, showCommand);
}

// The check that a handle given as a drop is a well-formed drop list.
#pragma once

#include <windows.h>

// True when handle is a global memory block of this process that holds a
// drop list whole: the DROPFILES header, and behind it at its offset names
// of its kind of units, each ending with a zero, ended by an empty name, all
// inside the block's size. Anything else is no drop list: a guessed value, a
// block of another kind, a list that runs past its block. Safe for every
// value: nothing outside the block is read, and the block is left as it was.
bool IsDropList(HANDLE handle);

// Key codes of the keyboard events; they live with the native windows, whose keyboard handling
// needs them too.
#pragma once

#include "native/KeyCode.h"

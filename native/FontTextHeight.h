// The height of a line of text in a font on the screen, measured once for each logical font.
#pragma once

#include <windows.h>

#include <cstdint>

// The text height (tmHeight) of font on the screen; 0 for a null font or one
// that cannot be measured. Fonts made from the same logical description
// measure alike, so the heights of the last few descriptions are kept and a
// font like one of them is not selected into a screen context again: a form
// whose edit boxes each have their own copy of one font measures it once.
// GUI thread only.
int32_t FontTextHeight(HFONT font);

// PaintColouredGroupBox, a themed group box drawn with a caption colour of its own.
#pragma once

#include <windows.h>

// With visual styles, the platform's group box draws its caption in the
// theme's colour and never asks for the colour that the colour reflection
// sets. PaintColouredGroupBox paints such a group box as the theme does,
// with the caption in `color`: the themed frame with a gap where the caption
// stands, the caption in the window's font and alignment (BS_LEFT,
// BS_CENTER, BS_RIGHT) over `background`. It paints into dc, which belongs
// to the caller (a paint cycle's or a WM_PRINTCLIENT context), and leaves
// its state as it found it.
//
// CanPaintColouredGroupBox says where that painting applies: a themed,
// enabled window with a caption. Elsewhere the platform's own painting
// honours the colour (classic look) or should stand (the theme's disabled
// caption; no caption).
bool CanPaintColouredGroupBox(HWND hwnd);
void PaintColouredGroupBox(HWND hwnd, HDC dc, COLORREF color, HBRUSH background);

// The rectangle the caption takes inside a client area `clientWidth` wide,
// for a caption `textWidth` by `textHeight` and the window's style.
RECT GroupBoxCaptionRect(LONG style, int clientWidth, int textWidth, int textHeight);

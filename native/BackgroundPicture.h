// Painting a container's background: the colour fill and the picture in its four modes.
#pragma once

#include <windows.h>

#include "native/SystemColor.h"

// A container's background colour that stands for the button-face colour:
// the one system-colour value of every native window.
inline constexpr COLORREF kSystemBackColor = kSystemDefaultColor;

// How a background picture covers its target rectangle.
enum PictureMode : int {
    kPictureAtTopLeft = 0, // once, natural size, at the top-left corner
    kPictureTiled = 1,     // repeated at natural size from the top-left corner
    kPictureFitted = 2,    // shrunk to fit if larger (aspect kept), centred
    kPictureStretched = 3, // stretched over the whole target
};

// Where mode kPictureFitted puts a picture of the given size: a picture
// larger than the target in either dimension is shrunk by the smaller of
// the two ratios (each side capped at the picture's own size first), a
// smaller one keeps its size; either way it is centred. Empty for an empty
// picture or target.
RECT FitPictureRect(int pictureWidth, int pictureHeight, const RECT& target);

// Draws bitmap over target in the given mode, touching only what lies inside
// both target and clip. The blend is source-over with constant alpha 255 and
// uses the bitmap's per-pixel alpha (premultiplied) exactly when it is a
// 32-bit device-independent bitmap. Stretching (modes 2 and 3) uses halftone
// above 16 bits per pixel on the display, colour-on-colour otherwise; a
// bitmap without per-pixel alpha is stretched by a plain copy. The bitmap
// must not be selected into another context. Returns false when nothing was
// drawn: no bitmap, an unknown mode, nothing inside the clip, or a failing
// platform call. Every object it makes is released before it returns.
bool DrawBackgroundPicture(int mode, HDC dc, HBITMAP bitmap, const RECT& target, const RECT& clip);

// A container's paint: the part of updateBox inside client is filled with
// backColor (kSystemBackColor: the button-face colour) unless transparent,
// then the picture, if any, is drawn over the client rectangle in
// pictureMode, clipped to that part. Nothing is drawn when the part is empty.
void PaintContainerBackground(HDC dc, const RECT& client, const RECT& updateBox, COLORREF backColor,
                              bool transparent, HBITMAP picture, int pictureMode);

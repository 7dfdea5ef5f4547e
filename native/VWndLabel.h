// CVWnd_Label, the owner-painted window of a label, and the text format it draws with.
#pragma once

#include <cstdint>

// The DrawText format of a label: left (0), centred (1) or right (2) without
// clipping, then either word-broken lines (wordWrap; vAlign is ignored) or a
// single line at the top (0), middle (1) or bottom (2).
uint32_t LabelDrawTextFormat(int32_t hAlign, int32_t vAlign, bool wordWrap);

// CVWnd_Edit, the native window of an edit box, and its single-line geometry rules.
#pragma once

#include <cstdint>

// The least height of a single-line edit whose characters are textHeight
// pixels high, with edges edgeHeight pixels high above and below.
int32_t EditMinimumHeight(int32_t textHeight, int32_t edgeHeight);

// Centres a single-line edit's client rectangle, proposed as [top, bottom),
// vertically on a line of textHeight pixels. The rectangle never grows past
// the proposal: when the line is higher than the space, the client keeps the
// proposed top and bottom.
void CentreEditClient(int32_t& top, int32_t& bottom, int32_t textHeight);

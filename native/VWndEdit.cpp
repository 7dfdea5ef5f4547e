#include "native/VWndEdit.h"

#include <algorithm>

int32_t EditMinimumHeight(int32_t textHeight, int32_t edgeHeight) {
    return textHeight + 2 * edgeHeight + 2;
}

void CentreEditClient(int32_t& top, int32_t& bottom, int32_t textHeight) {
    const int32_t space = bottom - top;
    const int32_t offset = std::max(0, (space - textHeight) / 2);
    top += offset;
    bottom = top + std::min(textHeight, space);
}

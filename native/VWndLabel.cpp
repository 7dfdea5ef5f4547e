#include "native/VWndLabel.h"

uint32_t LabelDrawTextFormat(int32_t hAlign, int32_t vAlign, bool wordWrap) {
    // DT_NOCLIP with DT_LEFT, DT_CENTER or DT_RIGHT.
    uint32_t format = hAlign == 1 ? 0x101 : hAlign == 2 ? 0x102 : 0x100;
    if (wordWrap) {
        format |= 0x14; // DT_WORDBREAK | DT_VCENTER
    } else {
        // DT_SINGLELINE with DT_VCENTER, DT_BOTTOM or DT_TOP.
        format |= vAlign == 1 ? 0x24 : vAlign == 2 ? 0x28 : 0x20;
    }
    return format;
}

#include "framework/DropList.h"

#include <shlobj.h>

#include <cstring>

namespace {

// Whether the names from offset on end with an empty name inside the size.
bool NamesEndInside(const unsigned char* block, SIZE_T size, SIZE_T offset, SIZE_T unitBytes) {
    bool atNameStart = true;
    for (SIZE_T at = offset; at + unitBytes <= size; at += unitBytes) {
        wchar_t unit = 0;
        std::memcpy(&unit, block + at, unitBytes); // the narrow units fill the low byte
        if (unit == 0) {
            if (atNameStart) {
                return true; // the empty name that ends the list
            }
            atNameStart = true;
        } else {
            atNameStart = false;
        }
    }
    return false;
}

} // namespace

bool IsDropList(HANDLE handle) {
    if (handle == nullptr) {
        return false;
    }
    const SIZE_T size = GlobalSize(handle);
    if (size < sizeof(DROPFILES)) {
        return false;
    }
    const auto* block = static_cast<const unsigned char*>(GlobalLock(handle));
    if (block == nullptr) {
        return false;
    }
    // The lock hands a pointer-like value back unchecked: the block at it
    // must be the very block of handle.
    if (GlobalHandle(block) != handle) {
        GlobalUnlock(handle);
        return false;
    }
    DROPFILES header{};
    std::memcpy(&header, block, sizeof(header));
    const SIZE_T unitBytes = header.fWide ? sizeof(wchar_t) : 1;
    const bool wellFormed = header.pFiles >= sizeof(DROPFILES) && header.pFiles < size &&
                            NamesEndInside(block, size, header.pFiles, unitBytes);
    GlobalUnlock(handle);
    return wellFormed;
}

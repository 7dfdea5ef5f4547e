#include "framework/DialogTemplate.h"

#include <algorithm>

namespace {

WORD SaturatedShort(int value) {
    const int clamped = std::clamp(value, -32768, 32767);
    return static_cast<WORD>(static_cast<short>(clamped));
}

} // namespace

CDialogTemplate::CDialogTemplate(DWORD style, DWORD exStyle, int x, int y, int width, int height,
                                 std::wstring_view caption) {
    AppendDword(style & ~static_cast<DWORD>(DS_SETFONT | DS_SHELLFONT));
    AppendDword(exStyle);
    AppendWord(0); // no controls
    AppendWord(SaturatedShort(x));
    AppendWord(SaturatedShort(y));
    AppendWord(SaturatedShort(width));
    AppendWord(SaturatedShort(height));
    AppendWord(0); // no menu
    AppendWord(0); // the default dialog class
    for (const wchar_t unit : caption) {
        if (unit == L'\0') {
            break; // the caption is zero-terminated in the template
        }
        AppendWord(static_cast<WORD>(unit));
    }
    AppendWord(0);
}

const DLGTEMPLATE* CDialogTemplate::Get() const {
    return reinterpret_cast<const DLGTEMPLATE*>(m_words.data());
}

void CDialogTemplate::AppendDword(DWORD value) {
    AppendWord(LOWORD(value));
    AppendWord(HIWORD(value));
}

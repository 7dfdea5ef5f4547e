// CDialogTemplate: a dialog template without controls, built in memory.
#pragma once

#include <windows.h>

#include <string_view>
#include <vector>

// A dialog template in memory (the DLGTEMPLATE layout) with no controls, no
// menu, the default dialog class and a caption. A value: it owns its bytes,
// and copies are independent. The template has no font block, so the font
// bits DS_SETFONT and DS_SHELLFONT are taken out of the style (a template
// claiming a font without one would be read past its end). Position and
// size are in dialog units and saturate to the template's 16-bit range.
class CDialogTemplate {
public:
    CDialogTemplate(DWORD style, DWORD exStyle, int x, int y, int width, int height,
                    std::wstring_view caption = {});

    const DLGTEMPLATE* Get() const;
    // The size of the template in bytes.
    size_t GetSize() const { return m_words.size() * sizeof(WORD); }

private:
    void AppendWord(WORD word) { m_words.push_back(word); }
    void AppendDword(DWORD value);

    // WORD elements keep the template 16-bit aligned, and the vector's
    // storage is suitably aligned for the DWORD fields at its start.
    std::vector<WORD> m_words;
};

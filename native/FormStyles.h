// The rules of a form's window: creation styles, caption bits, envelope style, shape, tray clicks,
// help path.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <string_view>

// The caption that an empty form text becomes while the form has a control box.
inline constexpr const wchar_t* kDefaultFormCaption = L"Tarn应用程序";

// The form properties that decide the window styles.
struct FormFrameOptions {
    int64_t borderStyle = 2; // 0 none, 1 sizable, 2 fixed, 3/4 tool windows, 5/6 sunken client edge
    bool controlBox = true;
    bool maxButton = false;
    bool minButton = true;
    int64_t startState = 0; // 0 as designed, 1 centred, 2 minimized, 3 maximized
};

struct FormCreationStyles {
    DWORD style;
    DWORD exStyle;
    // The empty text is to be replaced by kDefaultFormCaption.
    bool useDefaultCaption;
};

// The styles a form is created with, from the styles of its holder (already
// given the child bit rule and the control-parent bit) and whether its text
// is empty: clip children, the caption, system menu and dialog frame bits by
// the border style, the frame kind, the minimize and maximize boxes and the
// start state.
FormCreationStyles ComputeFormCreationStyles(const FormFrameOptions& options, DWORD style,
                                             DWORD exStyle, bool textEmpty);

// The bits of a live form window under kCaptionStyleMask that its properties
// and its current text ask for.
inline constexpr DWORD kCaptionStyleMask = 0x00CB0000;
DWORD ComputeCaptionStyleBits(const FormFrameOptions& options, std::wstring_view text);

struct EnvelopeStyles {
    DWORD style;
    DWORD exStyle;
};
// The style of the envelope dialog's template for a modal form created with
// style and exStyle. With a fixed dialog frame the form's frame properties
// are forced (border 2, control box, no minimize or maximize box) and the
// dialog gets a plain fixed frame.
EnvelopeStyles ComputeEnvelopeStyles(DWORD style, DWORD exStyle, bool fixedDialogFrame);

// WindowShape clamped to 0 (rectangle), 1 (ellipse) or 2 (rounded rectangle).
int64_t ClampWindowShape(int64_t shape);
// The corner diameter of the rounded-rectangle shape of a width x height window.
int RoundedCornerDiameter(int width, int height);
// A region of the shape for a width x height window; null for the rectangle.
// The caller owns the region (or hands it to the window).
HRGN CreateWindowShapeRegion(int64_t shape, int width, int height);

// The click kind of a notification-area callback's mouse message: 1 left
// button up, 2 left double click, 3 right button up or context menu, 0 none.
int TrayClickKind(LPARAM mouseMessage);

// The item id a menu selection (WM_MENUSELECT) reports to the form: 0 when
// the menu closed or the item opens a pop-up or belongs to the system menu.
int32_t MenuSelectItem(WPARAM wParam, LPARAM lParam);

// The help file path: a relative path (neither starting with a backslash nor
// with a drive letter, a colon and a backslash) is joined to the directory of
// programPath; other paths stay as they are.
std::wstring ResolveHelpFilePath(std::wstring_view helpFile, std::wstring_view programPath);
// The full path of the running program, of any length.
std::wstring GetProgramPath();

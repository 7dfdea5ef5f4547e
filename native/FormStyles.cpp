#include "native/FormStyles.h"

#include <algorithm>

namespace {

constexpr DWORD kToolWindow = WS_EX_TOOLWINDOW;    // 0x80
constexpr DWORD kClientEdge = WS_EX_CLIENTEDGE;    // 0x200
constexpr DWORD kSystemMenuAndBorder = 0x00880000; // WS_SYSMENU | WS_BORDER

DWORD MinMaxBoxes(const FormFrameOptions& options) {
    DWORD bits = 0;
    if (options.maxButton) {
        bits |= WS_MAXIMIZEBOX;
    }
    if (options.minButton) {
        bits |= WS_MINIMIZEBOX;
    }
    return bits;
}

} // namespace

FormCreationStyles ComputeFormCreationStyles(const FormFrameOptions& options, DWORD style,
                                             DWORD exStyle, bool textEmpty) {
    FormCreationStyles result{style, exStyle, false};
    if (textEmpty && options.controlBox) {
        result.useDefaultCaption = true;
        textEmpty = false;
    }
    result.style |= WS_CLIPCHILDREN;
    if (options.borderStyle != 0) {
        if (!textEmpty || options.controlBox) {
            result.style |= WS_CAPTION;
        }
        if (options.controlBox) {
            result.style |= kSystemMenuAndBorder;
        }
        result.style |= WS_DLGFRAME;
    }
    switch (options.borderStyle) {
    case 1:
        result.style |= WS_THICKFRAME;
        break;
    case 3:
        result.style |= WS_THICKFRAME;
        result.exStyle |= kToolWindow;
        break;
    case 4:
        result.exStyle |= kToolWindow;
        break;
    case 5:
        result.style |= WS_THICKFRAME;
        result.exStyle |= kClientEdge;
        break;
    case 6:
        result.exStyle |= kClientEdge;
        break;
    default:
        break;
    }
    result.style |= MinMaxBoxes(options);
    if (options.startState == 2) {
        result.style |= WS_MINIMIZE;
    } else if (options.startState == 3) {
        result.style |= WS_MAXIMIZE;
    }
    return result;
}

DWORD ComputeCaptionStyleBits(const FormFrameOptions& options, std::wstring_view text) {
    DWORD bits = 0;
    if (options.borderStyle != 0) {
        if (options.controlBox) {
            bits = WS_CAPTION | WS_SYSMENU;
        } else if (!text.empty() && text != kDefaultFormCaption) {
            bits = WS_CAPTION;
        }
        bits |= WS_DLGFRAME;
    }
    return bits | MinMaxBoxes(options);
}

EnvelopeStyles ComputeEnvelopeStyles(DWORD style, DWORD exStyle, bool fixedDialogFrame) {
    if (fixedDialogFrame) {
        return {0x92C80880, 0};
    }
    DWORD envelope = (style & 0x2DFFF7FF) | 0x92000800;
    if ((style & WS_THICKFRAME) == 0) {
        envelope |= DS_MODALFRAME;
    }
    return {envelope, exStyle};
}

int64_t ClampWindowShape(int64_t shape) {
    return std::clamp<int64_t>(shape, 0, 2);
}

int RoundedCornerDiameter(int width, int height) {
    return std::min(width / 5, height / 5);
}

HRGN CreateWindowShapeRegion(int64_t shape, int width, int height) {
    switch (ClampWindowShape(shape)) {
    case 1:
        return CreateEllipticRgn(0, 0, width, height);
    case 2: {
        const int diameter = RoundedCornerDiameter(width, height);
        return CreateRoundRectRgn(0, 0, width, height, diameter, diameter);
    }
    default:
        return nullptr;
    }
}

int TrayClickKind(LPARAM mouseMessage) {
    switch (static_cast<UINT>(mouseMessage)) {
    case WM_LBUTTONUP:
        return 1;
    case WM_LBUTTONDBLCLK:
        return 2;
    case WM_CONTEXTMENU:
    case WM_RBUTTONUP:
        return 3;
    default:
        return 0;
    }
}

int32_t MenuSelectItem(WPARAM wParam, LPARAM lParam) {
    const UINT flags = HIWORD(wParam);
    const bool closed = flags == 0xFFFF && lParam == 0;
    if (closed || (flags & (MF_POPUP | MF_SYSMENU)) != 0) {
        return 0;
    }
    return LOWORD(wParam);
}

std::wstring ResolveHelpFilePath(std::wstring_view helpFile, std::wstring_view programPath) {
    const bool rooted = !helpFile.empty() && helpFile[0] == L'\\';
    const bool driveAbsolute = helpFile.size() >= 3 && helpFile[1] == L':' &&
                               helpFile[2] == L'\\' &&
                               ((helpFile[0] >= L'A' && helpFile[0] <= L'Z') ||
                                (helpFile[0] >= L'a' && helpFile[0] <= L'z'));
    if (rooted || driveAbsolute) {
        return std::wstring(helpFile);
    }
    const size_t slash = programPath.find_last_of(L"\\/");
    std::wstring path(slash == std::wstring_view::npos ? std::wstring_view()
                                                       : programPath.substr(0, slash + 1));
    path.append(helpFile);
    return path;
}

std::wstring GetProgramPath() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length =
            GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        // Cut short: the buffer was too small for the whole path.
        path.resize(path.size() * 2);
    }
}

// The converter's main window written with plain Win32 calls: no runtime
// objects, no framework, no component layer. It is the floor the tool is
// measured against (start-up time, working set, click latency), so it does
// what the tool's window needs and nothing more: the same classes, ids,
// styles, rectangles, texts, fonts, colours, hints and keyboard handling, the
// same two conversions, and the platform set-up that the tool's start-up is
// bound to (OLE, the common controls, an apartment-threaded COM).
#include <windows.h>

#include <commctrl.h>
#include <ole2.h>
#include <uxtheme.h>

#include "app/ConversionRules.h"
#include "runtime/StartupMarks.h"
#include "runtime/WideText.h"

namespace {

constexpr wchar_t kFormClass[] = L"TarnWinForm";
constexpr wchar_t kLabelClass[] = L"TarnLabel";
constexpr wchar_t kCaption[] = L"Qorvath                    Brindlemoor-0571-86835520";
constexpr int kClientWidth = 618;
constexpr int kClientHeight = 382;

// Style bits that every child starts with: visible, clipping its siblings.
constexpr DWORD kChildBase = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
constexpr COLORREF kSilver = 0xC0C0C0;
constexpr COLORREF kWhite = 0xFFFFFF;
constexpr COLORREF kSystemDefault = 0xFF000000; // stands for the button-face colour

enum class Kind { Group, Label, Button, Edit };

// One child of the main window: where it goes and how it looks.
struct ChildDesign {
    int id;
    int parentId; // 0: the form itself
    Kind kind;
    const wchar_t* text;
    int x, y, width, height;
    COLORREF textColor;
    COLORREF backColor;
    const wchar_t* hint; // nullptr: none
};

// In creation order, which is also the id order and the tab order.
constexpr ChildDesign kChildren[] = {
    {101, 0, Kind::Group, L"ABA地址转磁道", 10, 218, 592, 128, 0xFF0000, kSystemDefault, nullptr},
    {102, 101, Kind::Label, L"所在磁道", 256, 45, 96, 32, kSystemDefault, kSystemDefault, nullptr},
    {103, 101, Kind::Label, L"偏移扇区地址", 371, 45, 96, 32, kSystemDefault, kSystemDefault,
     nullptr},
    {104, 101, Kind::Label, L"SPT", 134, 45, 96, 32, kSystemDefault, kSystemDefault, nullptr},
    {105, 101, Kind::Label, L"ABA地址", 13, 45, 96, 32, kSystemDefault, kSystemDefault, L"ABA地址"},
    {106, 101, Kind::Button, L"ABA转换磁道", 480, 77, 96, 32, 0, kSystemDefault, nullptr},
    {107, 101, Kind::Edit, L"", 371, 77, 96, 32, 0, kSilver, nullptr},
    {108, 101, Kind::Edit, L"", 256, 77, 96, 32, 0, kSilver, nullptr},
    {109, 101, Kind::Edit, L"", 134, 77, 96, 32, 0, kWhite, L"SPT"},
    {110, 101, Kind::Edit, L"", 13, 77, 96, 32, 0, kWhite, L"ABA地址"},
    {111, 0, Kind::Group, L"磁道转ABA地址", 10, 45, 592, 128, 0x0000FF, kSystemDefault, nullptr},
    {112, 111, Kind::Label, L"SPT", 134, 38, 96, 32, kSystemDefault, kSystemDefault, nullptr},
    {113, 111, Kind::Label, L"磁道", 13, 38, 96, 32, kSystemDefault, kSystemDefault, nullptr},
    {114, 111, Kind::Edit, L"", 13, 77, 96, 32, 0, kWhite, L"磁道"},
    {115, 111, Kind::Edit, L"", 134, 75, 96, 32, 0, kWhite, L"SPT"},
    {116, 111, Kind::Edit, L"", 256, 75, 96, 32, 0, kSilver, nullptr},
    {117, 111, Kind::Button, L"磁道转ABA", 365, 75, 96, 32, 0, kSystemDefault, nullptr},
    {118, 111, Kind::Label, L"ABA地址", 256, 38, 96, 32, kSystemDefault, kSystemDefault, nullptr},
};
constexpr int kChildCount = sizeof(kChildren) / sizeof(kChildren[0]);

// Everything the program owns: the windows go with the form, the GDI objects
// are deleted after the message loop.
struct Program {
    HINSTANCE instance = nullptr;
    HWND form = nullptr;
    HWND toolTip = nullptr;
    HWND windows[kChildCount] = {};
    HFONT captionFont = nullptr; // 12 points: group boxes, labels, buttons
    HFONT editFont = nullptr;    // 9 points: the edit boxes
    HBRUSH faceBrush = nullptr;  // button face, behind buttons and group boxes
    HBRUSH silverBrush = nullptr;
    HBRUSH whiteBrush = nullptr;
    WNDPROC groupProc = nullptr; // the system's button procedure
    WNDPROC editProc = nullptr;  // the system's edit procedure
    int editTextHeight = 0;      // of editFont: the height of an edit's client area
};

Program g_program;

const ChildDesign* DesignOf(int id) {
    return id >= 101 && id < 101 + kChildCount ? &kChildren[id - 101] : nullptr;
}

HWND Child(int id) {
    return id >= 101 && id < 101 + kChildCount ? g_program.windows[id - 101] : nullptr;
}

COLORREF Resolve(COLORREF color, int systemColor) {
    return color == kSystemDefault ? GetSysColor(systemColor) : color;
}

// The stock GUI font at the given size in points for the screen's pixels
// per inch, as the font descriptions of the tool make it (default character
// set, proof quality).
HFONT MakeFont(int dpiY, double points, bool rounded, bool describedFont) {
    LOGFONTW font = {};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
    const double pixels = dpiY * points / 72.0 + (rounded ? 0.5 : 0.0);
    font.lfHeight = -static_cast<LONG>(pixels);
    if (describedFont) {
        font.lfWeight = FW_NORMAL;
        font.lfItalic = font.lfUnderline = font.lfStrikeOut = 0;
        font.lfEscapement = font.lfOrientation = 0;
        font.lfCharSet = DEFAULT_CHARSET;
        font.lfOutPrecision = 0;
        font.lfClipPrecision = 0;
        font.lfQuality = PROOF_QUALITY;
        font.lfPitchAndFamily = 0;
    }
    return CreateFontIndirectW(&font);
}

// Both fonts, and the height of the edits' text, from one screen context.
void MakeFonts() {
    HDC screen = GetDC(nullptr);
    const int dpiY = GetDeviceCaps(screen, LOGPIXELSY);
    g_program.captionFont = MakeFont(dpiY, 12.0, true, true);
    g_program.editFont = MakeFont(dpiY, 9.0, false, false);
    HGDIOBJ old = SelectObject(screen, g_program.editFont);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(screen, &metrics);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
    g_program.editTextHeight = metrics.tmHeight;
}

// Colours of a child asking its parent before it paints.
LRESULT ChildColors(HDC dc, HWND child) {
    const ChildDesign* design = DesignOf(GetDlgCtrlID(child));
    if (design == nullptr) {
        return 0;
    }
    SetTextColor(dc, Resolve(design->textColor, COLOR_BTNTEXT));
    SetBkColor(dc, Resolve(design->backColor, COLOR_BTNFACE));
    if (design->kind != Kind::Edit || design->backColor == kSystemDefault) {
        return reinterpret_cast<LRESULT>(g_program.faceBrush);
    }
    return reinterpret_cast<LRESULT>(design->backColor == kSilver ? g_program.silverBrush
                                                                  : g_program.whiteBrush);
}

void ReadText(int id, wchar_t* area, int units) {
    area[0] = L'\0';
    GetWindowTextW(Child(id), area, units);
}

// Both buttons' click: one conversion each, between the edit boxes of its group.
void OnButtonClicked(int id) {
    wchar_t first[256];
    wchar_t second[256];
    if (id == 106) {
        ReadText(110, first, 256);  // ABA
        ReadText(109, second, 256); // SPT
        if (auto result = rg_tarn_app::ConvertAbaToTrack(FromWide(first), FromWide(second))) {
            SetWindowTextW(Child(108), ToWide(result->track));
            InvalidateRect(Child(108), nullptr, TRUE);
            SetWindowTextW(Child(107), ToWide(result->offset));
            InvalidateRect(Child(107), nullptr, TRUE);
        }
    } else if (id == 117) {
        ReadText(115, first, 256);  // SPT
        ReadText(114, second, 256); // track
        const auto result = rg_tarn_app::ConvertTrackToAba(FromWide(first), FromWide(second));
        if (result.missingInput) {
            HWND focus = GetFocus();
            MessageBoxW(g_program.form, ToWide(rg_tarn_app::kMissingInputMessage),
                        ToWide(rg_tarn_app::kMissingInputCaption), MB_OK);
            if (focus != nullptr && IsWindow(focus)) {
                SetFocus(focus);
            }
        } else {
            SetWindowTextW(Child(116), ToWide(result.aba));
            InvalidateRect(Child(116), nullptr, TRUE);
        }
    }
}

// Group boxes hold the other controls, so their notifications and colour
// requests arrive here.
LRESULT CALLBACK GroupProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && lParam != 0) {
            OnButtonClicked(LOWORD(wParam));
            return 0;
        }
        break;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        return ChildColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        FillRect(reinterpret_cast<HDC>(wParam), &client, g_program.faceBrush);
        break;
    }
    default:
        break;
    }
    return CallWindowProcW(g_program.groupProc, window, message, wParam, lParam);
}

// Single-line edits keep their text vertically centred in their 32-pixel
// height: the client area is as high as the text, the space around it is
// painted in the edit's background. Every edit has the same font, so one
// text height serves them all.
LRESULT CALLBACK EditProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCCALCSIZE: {
        const LRESULT result = CallWindowProcW(g_program.editProc, window, message, wParam, lParam);
        const int textHeight = g_program.editTextHeight;
        if (textHeight > 0) {
            RECT* rect = reinterpret_cast<RECT*>(lParam); // the first rectangle in both forms
            rect->top += (rect->bottom - rect->top - textHeight) / 2;
            rect->bottom = rect->top + textHeight;
        }
        return result;
    }
    case WM_NCHITTEST: {
        POINT point = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        RECT client;
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        if (!PtInRect(&client, point)) {
            return HTBORDER;
        }
        break;
    }
    case WM_NCPAINT: {
        RECT whole;
        RECT client;
        GetWindowRect(window, &whole);
        GetClientRect(window, &client);
        MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
        OffsetRect(&client, -whole.left, -whole.top);
        OffsetRect(&whole, -whole.left, -whole.top);
        HDC dc = GetWindowDC(window);
        ExcludeClipRect(dc, client.left, client.top, client.right, client.bottom);
        const ChildDesign* design = DesignOf(GetDlgCtrlID(window));
        FillRect(dc, &whole,
                 design != nullptr && design->backColor == kSilver ? g_program.silverBrush
                                                                   : g_program.whiteBrush);
        ReleaseDC(window, dc);
        CallWindowProcW(g_program.editProc, window, WM_NCPAINT, 1, 0);
        return 0;
    }
    default:
        break;
    }
    return CallWindowProcW(g_program.editProc, window, message, wParam, lParam);
}

// The label: its text centred in one line over the button face.
LRESULT CALLBACK LabelProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_SETFONT:
        SetWindowLongPtrW(window, 0, static_cast<LONG_PTR>(wParam));
        if (LOWORD(lParam) != 0) {
            InvalidateRect(window, nullptr, FALSE);
        }
        return 0;
    case WM_GETFONT:
        return GetWindowLongPtrW(window, 0);
    case WM_GETDLGCODE:
        return DLGC_STATIC;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, g_program.faceBrush);
        wchar_t text[64];
        const int length = GetWindowTextW(window, text, 64);
        if (length > 0) {
            HGDIOBJ font = reinterpret_cast<HGDIOBJ>(GetWindowLongPtrW(window, 0));
            HGDIOBJ old =
                SelectObject(dc, font != nullptr ? font : GetStockObject(DEFAULT_GUI_FONT));
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
            DrawTextW(dc, text, length, &client,
                      DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOCLIP);
            SelectObject(dc, old);
        }
        EndPaint(window, &paint);
        return 0;
    }
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void AddHint(HWND control, const wchar_t* text) {
    if (g_program.toolTip == nullptr) {
        g_program.toolTip = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP, CW_USEDEFAULT,
                                            CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                            g_program.form, nullptr, g_program.instance, nullptr);
        if (g_program.toolTip == nullptr) {
            return;
        }
        SetWindowTheme(g_program.toolTip, L"", L""); // the classic look
    }
    // The message loop relays the mouse to the tool tip, as the tool's does,
    // so no control is subclassed for it.
    TOOLINFOW tool = {};
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND;
    tool.hwnd = GetParent(control);
    tool.uId = reinterpret_cast<UINT_PTR>(control);
    tool.lpszText = const_cast<wchar_t*>(text);
    SendMessageW(g_program.toolTip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void CreateChildren(HWND form) {
    for (int i = 0; i < kChildCount; ++i) {
        const ChildDesign& design = kChildren[i];
        HWND parent = design.parentId == 0 ? form : Child(design.parentId);
        const wchar_t* className = L"BUTTON";
        DWORD style = kChildBase;
        DWORD exStyle = 0;
        HFONT font = g_program.captionFont;
        switch (design.kind) {
        case Kind::Group:
            style |= BS_GROUPBOX | BS_MULTILINE | BS_CENTER;
            exStyle = WS_EX_CONTROLPARENT;
            break;
        case Kind::Button:
            style |= WS_TABSTOP | BS_MULTILINE | BS_PUSHBUTTON;
            break;
        case Kind::Label:
            className = kLabelClass;
            break;
        case Kind::Edit:
            className = L"EDIT";
            style |= WS_TABSTOP | ES_AUTOHSCROLL | ES_CENTER;
            exStyle = WS_EX_CLIENTEDGE;
            font = g_program.editFont;
            break;
        }
        HWND window = CreateWindowExW(exStyle, className, design.text, style, design.x, design.y,
                                      design.width, design.height, parent,
                                      reinterpret_cast<HMENU>(static_cast<INT_PTR>(design.id)),
                                      g_program.instance, nullptr);
        g_program.windows[i] = window;
        if (window == nullptr) {
            continue;
        }
        if (design.kind == Kind::Group) {
            g_program.groupProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GroupProc)));
        } else if (design.kind == Kind::Edit) {
            g_program.editProc = reinterpret_cast<WNDPROC>(
                SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(EditProc)));
        }
        SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
        if (design.kind == Kind::Edit) {
            // The edit measured its client area before it was subclassed.
            SetWindowPos(window, nullptr, 0, 0, 0, 0,
                         SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE |
                             SWP_FRAMECHANGED | SWP_NOOWNERZORDER);
        }
        if (design.hint != nullptr) {
            MarkStartup(StartupMark::kHintBegin);
            AddHint(window, design.hint);
            MarkStartup(StartupMark::kHintEnd);
        }
    }
}

LRESULT CALLBACK FormProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        g_program.form = window;
        MarkStartup(StartupMark::kChildrenCreating);
        CreateChildren(window);
        MarkStartup(StartupMark::kChildrenCreated);
        return 0;
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return ChildColors(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_PAINT: {
        PAINTSTRUCT paint;
        HDC dc = BeginPaint(window, &paint);
        RECT client;
        GetClientRect(window, &client);
        FillRect(dc, &client, g_program.faceBrush);
        EndPaint(window, &paint);
        return 0;
    }
    case WM_GETMINMAXINFO: {
        const LRESULT result = DefWindowProcW(window, message, wParam, lParam);
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {1, 1};
        return result;
    }
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

bool RegisterClasses(HINSTANCE instance) {
    WNDCLASSEXW form = {};
    form.cbSize = sizeof(form);
    form.style = CS_VREDRAW | CS_HREDRAW | CS_DBLCLKS;
    form.lpfnWndProc = FormProc;
    form.hInstance = instance;
    form.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    form.hbrBackground = static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    form.lpszClassName = kFormClass;
    WNDCLASSEXW label = form;
    label.lpfnWndProc = LabelProc;
    label.cbWndExtra = sizeof(HFONT);
    label.lpszClassName = kLabelClass;
    return RegisterClassExW(&form) != 0 && RegisterClassExW(&label) != 0;
}

// The mouse over the controls reaches the tool tip that shows their hints.
void RelayToToolTip(MSG& message) {
    const bool mouse = message.message >= WM_MOUSEFIRST && message.message <= WM_MBUTTONUP &&
                       message.message != WM_LBUTTONDBLCLK && message.message != WM_RBUTTONDBLCLK;
    if (mouse && g_program.toolTip != nullptr) {
        SendMessageW(g_program.toolTip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&message));
    }
}

// Keyboard handling of the form: Escape closes it, Tab and the arrows move
// between the controls, Enter does nothing (there is no default button) and
// characters go straight to the focused control.
bool PreTranslate(MSG& message) {
    RelayToToolTip(message);
    if (message.message == WM_KEYDOWN && message.wParam == VK_ESCAPE &&
        IsWindowEnabled(message.hwnd)) {
        PostMessageW(g_program.form, WM_CLOSE, 0, 0);
        return true;
    }
    const bool character = message.message == WM_CHAR || message.message == WM_SYSCHAR ||
                           message.message == WM_DEADCHAR || message.message == WM_SYSDEADCHAR;
    const bool enter = (message.message == WM_KEYDOWN || message.message == WM_KEYUP) &&
                       message.wParam == VK_RETURN;
    if (character || enter || message.message < WM_KEYFIRST || message.message > WM_KEYLAST) {
        return false;
    }
    return IsDialogMessageW(g_program.form, &message) != FALSE;
}

HWND CreateForm(HINSTANCE instance) {
    const DWORD style = WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN | WS_CAPTION | WS_SYSMENU |
                        WS_DLGFRAME | WS_MINIMIZEBOX;
    const DWORD exStyle = WS_EX_CONTROLPARENT;
    RECT frame = {0, 0, kClientWidth, kClientHeight};
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
    const int width = frame.right - frame.left;
    const int height = frame.bottom - frame.top;
    const int x = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    const int y = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
    MarkStartup(StartupMark::kFormCreating);
    HWND form = CreateWindowExW(exStyle, kFormClass, kCaption, style, x, y, width, height, nullptr,
                                nullptr, instance, nullptr);
    MarkStartup(StartupMark::kFormCreated);
    if (form != nullptr) {
        // The group's own small image for the title bar, not the large one shrunk.
        HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(100));
        HANDLE small =
            LoadImageW(instance, MAKEINTRESOURCEW(100), IMAGE_ICON, GetSystemMetrics(SM_CXSMICON),
                       GetSystemMetrics(SM_CYSMICON), LR_SHARED);
        SendMessageW(form, WM_SETICON, ICON_SMALL,
                     reinterpret_cast<LPARAM>(small != nullptr ? small : icon));
        SendMessageW(form, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
        ShowWindow(form, SW_SHOWNORMAL);
    }
    return form;
}

// The message loop until the form is gone; the exit code.
int RunMessageLoop() {
    MSG message;
    BOOL got;
#ifdef QORVATH_STARTUP_MARKS
    // Only the build that reports its start-up looks at the queue first.
    while (PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
        if ((got = GetMessageW(&message, nullptr, 0, 0)) == 0 || got == -1) {
            return got == -1 ? -1 : static_cast<int>(message.wParam);
        }
        if (!PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    MarkStartup(StartupMark::kFirstIdle);
#endif
    while ((got = GetMessageW(&message, nullptr, 0, 0)) != 0 && got != -1) {
        if (!PreTranslate(message)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
    }
    return got == -1 ? -1 : static_cast<int>(message.wParam);
}

} // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    g_program.instance = instance;
    // The tool's start-up in its order: OLE, the common controls, COM.
    const bool ole = SUCCEEDED(OleInitialize(nullptr));
    MarkStartup(StartupMark::kOleInitialised);
    INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);
    MarkStartup(StartupMark::kCommonControls);
    const bool com = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    MarkStartup(StartupMark::kComInitialised);
    int exitCode = -1;
    if (RegisterClasses(instance)) {
        MakeFonts();
        g_program.faceBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
        g_program.silverBrush = CreateSolidBrush(kSilver);
        g_program.whiteBrush = CreateSolidBrush(kWhite);
        if (CreateForm(instance) != nullptr) {
            exitCode = RunMessageLoop();
        }
        DeleteObject(g_program.captionFont);
        DeleteObject(g_program.editFont);
        DeleteObject(g_program.faceBrush);
        DeleteObject(g_program.silverBrush);
        DeleteObject(g_program.whiteBrush);
    }
    if (com) {
        CoUninitialize();
    }
    if (ole) {
        OleUninitialize();
    }
    return exitCode;
}

#include "tests/native/ContainerTestWindows.h"

#include "tests/support/GuiTestSupport.h"

namespace container_test {

const wchar_t* PlainClassName() {
    return test_support::RegisterPlainClass(L"QorvathContainerTest", CS_DBLCLKS,
                                            static_cast<HBRUSH>(GetStockObject(NULL_BRUSH)));
}

bool TwoColourWnd::CreateTopLevel(int x, int y, int width, int height) {
    return CreateEx(0, PlainClassName(), L"parent", WS_POPUP | WS_VISIBLE, x, y, width, height,
                    nullptr, nullptr) != FALSE;
}

bool TwoColourWnd::CreateChild(CWnd& parent, const RECT& rect) {
    return CreateEx(0, PlainClassName(), L"", WS_CHILD | WS_VISIBLE, rect, &parent, 2) != FALSE;
}

LRESULT TwoColourWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT client;
        GetClientRect(&client);
        HDC dc = reinterpret_cast<HDC>(wParam);
        RECT left = client;
        left.right = client.right / 2;
        RECT right = client;
        right.left = left.right;
        HBRUSH leftBrush = CreateSolidBrush(m_left);
        HBRUSH rightBrush = CreateSolidBrush(m_right);
        FillRect(dc, &left, leftBrush);
        FillRect(dc, &right, rightBrush);
        DeleteObject(leftBrush);
        DeleteObject(rightBrush);
        return 1;
    }
    return CWnd::WindowProc(message, wParam, lParam);
}

bool SeeThroughWnd::CreateChild(CWnd& parent, const RECT& rect, DWORD exStyle) {
    return CreateEx(exStyle, PlainClassName(), L"", WS_CHILD | WS_VISIBLE, rect, &parent, 1) !=
           FALSE;
}

LRESULT SeeThroughWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT paint;
        BeginPaint(GetSafeHwnd(), &paint);
        EndPaint(GetSafeHwnd(), &paint);
        return 0;
    }
    default:
        return CWnd::WindowProc(message, wParam, lParam);
    }
}

HWND CreatePlainChild(HWND parent, const wchar_t* className, DWORD style, int id) {
    return CreateWindowExW(0, className, L"", WS_CHILD | style, 0, 0, 40, 20, parent,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                           GetModuleHandleW(nullptr), nullptr);
}

} // namespace container_test

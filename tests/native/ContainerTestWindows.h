// Windows for the container tests: a parent that paints known colours and a transparent child.
#pragma once

#include "framework/Wnd.h"

#include <string>

namespace container_test {

// A window class of the tests whose class procedure is the platform's
// default and whose background is the null brush.
const wchar_t* PlainClassName();

// A top-level or child window that paints its client area in two colours:
// the left half left, the right half right.
class TwoColourWnd : public CWnd {
public:
    TwoColourWnd(COLORREF left, COLORREF right) : m_left(left), m_right(right) {}

    bool CreateTopLevel(int x, int y, int width, int height);
    bool CreateChild(CWnd& parent, const RECT& rect);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    COLORREF m_left;
    COLORREF m_right;
};

// A window that paints nothing at all (not even its background): what shows
// through it is whatever was on the screen there.
class SeeThroughWnd : public CWnd {
public:
    bool CreateChild(CWnd& parent, const RECT& rect, DWORD exStyle = WS_EX_TRANSPARENT);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A plain child window of any class, visible unless style says otherwise.
HWND CreatePlainChild(HWND parent, const wchar_t* className, DWORD style, int id);

} // namespace container_test

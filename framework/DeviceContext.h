// Device contexts: CDC (borrowed), the owning CPaintDC, CClientDC, CWindowDC and CMemoryDC, and
// CSelectedObject.
#pragma once

#include <windows.h>

#include <string_view>

class CWnd;

// Drawing on a device context that someone else owns (a context handed over
// with a message, for example): the wrapper neither releases it nor undoes
// what was set on it. The owning classes below derive from it. Not copyable;
// used by one thread at a time.
class CDC {
public:
    explicit CDC(HDC dc) : m_hDC(dc) {}
    virtual ~CDC() = default;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC GetSafeHdc() const { return m_hDC; }

    // Selects a font, brush, pen or bitmap and returns the one it replaced
    // (null on failure). Regions are clip regions, not selected objects: a
    // region is refused (null), the clip left as it was.
    HGDIOBJ SelectObject(HGDIOBJ object);
    COLORREF SetTextColor(COLORREF color);
    COLORREF SetBkColor(COLORREF color);
    int SetBkMode(int mode);
    int SetStretchBltMode(int mode);

    BOOL FillRect(const RECT& rect, HBRUSH brush);
    int DrawText(std::wstring_view text, RECT* rect, UINT format);
    BOOL GetTextMetrics(TEXTMETRICW* metrics) const;
    int GetDeviceCaps(int index) const;
    // The smallest rectangle around the drawable area; the region kind or ERROR.
    int GetClipBox(RECT* rect) const;

    BOOL BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                DWORD rop);
    BOOL StretchBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, DWORD rop);
    BOOL AlphaBlend(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                    int sourceWidth, int sourceHeight, BLENDFUNCTION blend);

protected:
    CDC() = default;
    // For the owning classes: adopt a context acquired by them and save its
    // state, so that RestoreAndForget can put back every object selected and
    // every setting changed before they release it.
    void Adopt(HDC dc);
    HDC RestoreAndForget();

private:
    HDC m_hDC = nullptr;
    int m_savedState = 0;
};

// The context of a window's paint cycle: BeginPaint in the constructor,
// EndPaint in the destructor, for use in a WM_PAINT handler. A window
// without a handle gives an empty context (GetSafeHdc() is null).
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd& wnd);
    ~CPaintDC() override;

    const PAINTSTRUCT& GetPaintStruct() const { return m_paint; }

private:
    HWND m_hWnd;
    PAINTSTRUCT m_paint = {};
};

// A context that GetDC or GetWindowDC gave for a window (null: the screen),
// released at the end.
class CWindowContextDC : public CDC {
public:
    ~CWindowContextDC() override;

protected:
    CWindowContextDC(HWND window, HDC(WINAPI* acquire)(HWND));

private:
    HWND m_hWnd;
};

// The client-area context of a window (null: the screen), released at the end.
class CClientDC : public CWindowContextDC {
public:
    explicit CClientDC(HWND window) : CWindowContextDC(window, &::GetDC) {}
};

// The whole-window context of a window (null: the screen), released at the end.
class CWindowDC : public CWindowContextDC {
public:
    explicit CWindowDC(HWND window) : CWindowContextDC(window, &::GetWindowDC) {}
};

// A memory context compatible with another (null: the screen), deleted at the end.
class CMemoryDC : public CDC {
public:
    explicit CMemoryDC(HDC compatibleWith);
    ~CMemoryDC() override;
};

// Selects an object into a context for the lifetime of the scope and selects
// the previous one back at its end, so that the object can be deleted
// afterwards. Declare it after both the context and the object. For fonts,
// brushes, pens and bitmaps; a region is refused and nothing is restored.
class CSelectedObject {
public:
    CSelectedObject(CDC& dc, HGDIOBJ object);
    ~CSelectedObject();
    CSelectedObject(const CSelectedObject&) = delete;
    CSelectedObject& operator=(const CSelectedObject&) = delete;

private:
    CDC& m_dc;
    HGDIOBJ m_previous;
};

#include "framework/DeviceContext.h"

#include "framework/Wnd.h"

#include <climits>
#include <utility>

HGDIOBJ CDC::SelectObject(HGDIOBJ object) {
    // Selecting a region sets the clip and answers a region kind, not the
    // object it replaced, so it has no place here.
    if (m_hDC == nullptr || object == nullptr || ::GetObjectType(object) == OBJ_REGION) {
        return nullptr;
    }
    return ::SelectObject(m_hDC, object);
}

COLORREF CDC::SetTextColor(COLORREF color) {
    return m_hDC != nullptr ? ::SetTextColor(m_hDC, color) : CLR_INVALID;
}

COLORREF CDC::SetBkColor(COLORREF color) {
    return m_hDC != nullptr ? ::SetBkColor(m_hDC, color) : CLR_INVALID;
}

int CDC::SetBkMode(int mode) {
    return m_hDC != nullptr ? ::SetBkMode(m_hDC, mode) : 0;
}

int CDC::SetStretchBltMode(int mode) {
    return m_hDC != nullptr ? ::SetStretchBltMode(m_hDC, mode) : 0;
}

BOOL CDC::FillRect(const RECT& rect, HBRUSH brush) {
    return m_hDC != nullptr && brush != nullptr ? ::FillRect(m_hDC, &rect, brush) != 0 : FALSE;
}

int CDC::DrawText(std::wstring_view text, RECT* rect, UINT format) {
    if (m_hDC == nullptr || rect == nullptr || text.size() > static_cast<size_t>(INT_MAX)) {
        return 0;
    }
    // DrawText may write into the text only with DT_MODIFYSTRING, which the
    // borrowed view cannot allow.
    return ::DrawTextW(m_hDC, text.data(), static_cast<int>(text.size()), rect,
                       format & ~static_cast<UINT>(DT_MODIFYSTRING));
}

BOOL CDC::GetTextMetrics(TEXTMETRICW* metrics) const {
    return m_hDC != nullptr && metrics != nullptr ? ::GetTextMetricsW(m_hDC, metrics) : FALSE;
}

int CDC::GetDeviceCaps(int index) const {
    return m_hDC != nullptr ? ::GetDeviceCaps(m_hDC, index) : 0;
}

int CDC::GetClipBox(RECT* rect) const {
    return m_hDC != nullptr && rect != nullptr ? ::GetClipBox(m_hDC, rect) : ERROR;
}

BOOL CDC::BitBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                 DWORD rop) {
    return m_hDC != nullptr ? ::BitBlt(m_hDC, x, y, width, height, source, sourceX, sourceY, rop)
                            : FALSE;
}

BOOL CDC::StretchBlt(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                     int sourceWidth, int sourceHeight, DWORD rop) {
    return m_hDC != nullptr ? ::StretchBlt(m_hDC, x, y, width, height, source, sourceX, sourceY,
                                           sourceWidth, sourceHeight, rop)
                            : FALSE;
}

BOOL CDC::AlphaBlend(int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                     int sourceWidth, int sourceHeight, BLENDFUNCTION blend) {
    // The gdi32 entry point: the same blend without the extra imaging library.
    return m_hDC != nullptr ? ::GdiAlphaBlend(m_hDC, x, y, width, height, source, sourceX, sourceY,
                                              sourceWidth, sourceHeight, blend)
                            : FALSE;
}

void CDC::Adopt(HDC dc) {
    m_hDC = dc;
    m_savedState = dc != nullptr ? ::SaveDC(dc) : 0;
}

HDC CDC::RestoreAndForget() {
    if (m_hDC != nullptr && m_savedState != 0) {
        ::RestoreDC(m_hDC, m_savedState);
    }
    m_savedState = 0;
    return std::exchange(m_hDC, nullptr);
}

CPaintDC::CPaintDC(CWnd& wnd) : m_hWnd(wnd.GetSafeHwnd()) {
    if (m_hWnd != nullptr) {
        Adopt(::BeginPaint(m_hWnd, &m_paint));
    }
}

CPaintDC::~CPaintDC() {
    if (RestoreAndForget() != nullptr) {
        ::EndPaint(m_hWnd, &m_paint);
    }
}

CWindowContextDC::CWindowContextDC(HWND window, HDC(WINAPI* acquire)(HWND)) : m_hWnd(window) {
    Adopt(acquire(window));
}

CWindowContextDC::~CWindowContextDC() {
    if (HDC dc = RestoreAndForget(); dc != nullptr) {
        ::ReleaseDC(m_hWnd, dc);
    }
}

CMemoryDC::CMemoryDC(HDC compatibleWith) {
    Adopt(::CreateCompatibleDC(compatibleWith));
}

CMemoryDC::~CMemoryDC() {
    if (HDC dc = RestoreAndForget(); dc != nullptr) {
        ::DeleteDC(dc);
    }
}

CSelectedObject::CSelectedObject(CDC& dc, HGDIOBJ object)
    : m_dc(dc), m_previous(dc.SelectObject(object)) {}

CSelectedObject::~CSelectedObject() {
    if (m_previous != nullptr) {
        m_dc.SelectObject(m_previous);
    }
}

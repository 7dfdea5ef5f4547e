#include "framework/GdiObject.h"

#include <utility>

CGdiObject::~CGdiObject() {
    DeleteObject();
}

CGdiObject::CGdiObject(CGdiObject&& other) noexcept
    : m_hObject(std::exchange(other.m_hObject, nullptr)) {}

CGdiObject& CGdiObject::operator=(CGdiObject&& other) noexcept {
    if (this != &other) {
        AttachObject(other.DetachObject());
    }
    return *this;
}

BOOL CGdiObject::DeleteObject() {
    if (m_hObject == nullptr) {
        return FALSE;
    }
    return ::DeleteObject(std::exchange(m_hObject, nullptr));
}

int CGdiObject::GetObject(int size, void* buffer) const {
    return m_hObject != nullptr ? ::GetObjectW(m_hObject, size, buffer) : 0;
}

BOOL CGdiObject::AttachObject(HGDIOBJ object) {
    if (object != m_hObject) {
        DeleteObject();
        m_hObject = object;
    }
    return object != nullptr ? TRUE : FALSE;
}

HGDIOBJ CGdiObject::DetachObject() {
    return std::exchange(m_hObject, nullptr);
}

BOOL CGdiObject::AttachCreated(HGDIOBJ created) {
    return created != nullptr ? AttachObject(created) : FALSE;
}

BOOL CFont::CreateFontIndirect(const LOGFONTW& logFont) {
    return AttachCreated(::CreateFontIndirectW(&logFont));
}

BOOL CFont::GetLogFont(LOGFONTW* logFont) const {
    return logFont != nullptr && GetObject(sizeof(LOGFONTW), logFont) != 0 ? TRUE : FALSE;
}

BOOL CBrush::CreateSolidBrush(COLORREF color) {
    return AttachCreated(::CreateSolidBrush(color));
}

BOOL CBitmap::CreateCompatibleBitmap(HDC dc, int width, int height) {
    return AttachCreated(dc != nullptr ? ::CreateCompatibleBitmap(dc, width, height) : nullptr);
}

BOOL CBitmap::CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits) {
    void* pixels = nullptr;
    HBITMAP bitmap =
        info != nullptr ? ::CreateDIBSection(dc, info, usage, &pixels, nullptr, 0) : nullptr;
    if (bitmap != nullptr && bits != nullptr) {
        *bits = pixels;
    }
    return AttachCreated(bitmap);
}

BOOL CBitmap::GetBitmap(BITMAP* bitmap) const {
    return bitmap != nullptr && GetObject(sizeof(BITMAP), bitmap) != 0 ? TRUE : FALSE;
}

BOOL CRgn::CreateRectRgn(int left, int top, int right, int bottom) {
    return AttachCreated(::CreateRectRgn(left, top, right, bottom));
}

BOOL CRgn::CreateEllipticRgn(int left, int top, int right, int bottom) {
    return AttachCreated(::CreateEllipticRgn(left, top, right, bottom));
}

BOOL CRgn::CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth,
                              int cornerHeight) {
    return AttachCreated(::CreateRoundRectRgn(left, top, right, bottom, cornerWidth, cornerHeight));
}

// Owning wrappers of GDI objects: CGdiObject and its fonts, brushes, bitmaps and regions.
#pragma once

#include <windows.h>

// The single owner of one GDI object (or of none).
//
// Ownership: the wrapper deletes its object exactly once: when it is
// destroyed, when it takes another object (Create..., Attach, a move), or on
// DeleteObject. Detach hands the object over to the caller (or to a window
// that takes ownership, as SetWindowRgn does). Wrappers move but do not copy.
// Stock objects are never wrapped: they belong to the system.
//
// A Create... call on a wrapper that already holds an object makes the new
// object first; on success the old one is deleted, on failure it is kept.
// An object still selected into a device context cannot be deleted; select
// it out first (CSelectedObject does this at the end of its scope).
//
// Threads: a wrapper is used by one thread at a time.
class CGdiObject {
public:
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    bool IsEmpty() const { return m_hObject == nullptr; }
    // Deletes the object; TRUE when there was one and it was deleted.
    BOOL DeleteObject();
    // The object's description (GetObject); 0 when empty.
    int GetObject(int size, void* buffer) const;

protected:
    CGdiObject() = default;
    ~CGdiObject();
    CGdiObject(CGdiObject&& other) noexcept;
    CGdiObject& operator=(CGdiObject&& other) noexcept;

    // Takes ownership of object (null empties the wrapper); the previous
    // object, if different, is deleted. FALSE when object is null.
    BOOL AttachObject(HGDIOBJ object);
    HGDIOBJ DetachObject();
    // For Create...: takes ownership of a newly made object like
    // AttachObject; a null one (a failed creation) keeps the old object.
    BOOL AttachCreated(HGDIOBJ created);

private:
    HGDIOBJ m_hObject = nullptr;
};

// The owner of one kind of GDI object, handed out as its own handle type.
template <typename Handle> class CTypedGdiObject : public CGdiObject {
public:
    Handle GetHandle() const { return static_cast<Handle>(GetSafeHandle()); }
    BOOL Attach(Handle object) { return AttachObject(object); }
    Handle Detach() { return static_cast<Handle>(DetachObject()); }

protected:
    CTypedGdiObject() = default;
};

class CFont : public CTypedGdiObject<HFONT> {
public:
    CFont() = default;

    BOOL CreateFontIndirect(const LOGFONTW& logFont);
    BOOL GetLogFont(LOGFONTW* logFont) const;
};

class CBrush : public CTypedGdiObject<HBRUSH> {
public:
    CBrush() = default;

    BOOL CreateSolidBrush(COLORREF color);
};

class CBitmap : public CTypedGdiObject<HBITMAP> {
public:
    CBitmap() = default;

    BOOL CreateCompatibleBitmap(HDC dc, int width, int height);
    // A device-independent bitmap; *bits (if given) receives its pixel memory.
    BOOL CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits);
    BOOL GetBitmap(BITMAP* bitmap) const;
};

class CRgn : public CTypedGdiObject<HRGN> {
public:
    CRgn() = default;

    BOOL CreateRectRgn(int left, int top, int right, int bottom);
    BOOL CreateEllipticRgn(int left, int top, int right, int bottom);
    BOOL CreateRoundRectRgn(int left, int top, int right, int bottom, int cornerWidth,
                            int cornerHeight);
};

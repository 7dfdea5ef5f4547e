// The one bridge between the runtime's UTF-16 units and the Windows API's.
#pragma once

// Portable code holds UTF-16 as char16_t. On Windows, wchar_t is the same
// 16-bit UTF-16 unit, so texts cross to the Win32 API by reinterpreting the
// pointer; this is the only place where that happens.
#ifdef _WIN32
static_assert(sizeof(wchar_t) == sizeof(char16_t), "Windows wchar_t must be a UTF-16 unit");

inline const wchar_t* ToWide(const char16_t* text) {
    return reinterpret_cast<const wchar_t*>(text);
}
inline wchar_t* ToWide(char16_t* text) {
    return reinterpret_cast<wchar_t*>(text);
}
inline const char16_t* FromWide(const wchar_t* text) {
    return reinterpret_cast<const char16_t*>(text);
}
inline char16_t* FromWide(wchar_t* text) {
    return reinterpret_cast<char16_t*>(text);
}
#endif

#include "native/AppInstance.h"

// GDI+ needs the COM declarations that WIN32_LEAN_AND_MEAN leaves out.
#include <objidl.h>

#include <gdiplus.h>

#include <cstring>

#include "native/CriticalSectionScope.h"
#include "native/ProgramClasses.h"
#include "runtime/WideText.h"

namespace {

constexpr int64_t kListGrowStep = 256;
constexpr int kStringStep = 4100;
constexpr COLORREF kImageListMask = RGB(255, 0, 255);

CTarnAppInstance* current_instance = nullptr;

template <typename T> T PointerAt(const CTarnMem& list, int64_t index) {
    T pointer = nullptr;
    std::memcpy(&pointer, list.GetData() + index * static_cast<int64_t>(sizeof(T)), sizeof(T));
    return pointer;
}

template <typename T> int64_t PointerCount(const CTarnMem& list) {
    return list.GetSize() / static_cast<int64_t>(sizeof(T));
}

// The DIB layout a decoded picture gets: premultiplied 32-bit when it has
// alpha (ready for per-pixel alpha blending), its own depth when GDI draws
// that format directly, else 24-bit.
Gdiplus::PixelFormat TargetFormat(Gdiplus::PixelFormat source) {
    using namespace Gdiplus;
    if ((source & PixelFormatAlpha) != 0 || (source & PixelFormatPAlpha) != 0) {
        return PixelFormat32bppPARGB;
    }
    switch (source) {
    case PixelFormat1bppIndexed:
    case PixelFormat4bppIndexed:
    case PixelFormat8bppIndexed:
    case PixelFormat16bppRGB555:
    case PixelFormat16bppRGB565:
    case PixelFormat24bppRGB:
        return source;
    default:
        return PixelFormat24bppRGB;
    }
}

// A BITMAPINFO with room for a 256-entry colour table or three masks.
struct DibHeader {
    BITMAPINFOHEADER header;
    RGBQUAD colors[256];
};

// Fills the header for a top-down DIB of the target format; the palette of
// an indexed picture comes from the decoder.
bool FillDibHeader(Gdiplus::GpBitmap* bitmap, Gdiplus::PixelFormat format, UINT width, UINT height,
                   DibHeader* dib) {
    std::memset(dib, 0, sizeof(*dib));
    dib->header.biSize = sizeof(BITMAPINFOHEADER);
    dib->header.biWidth = static_cast<LONG>(width);
    dib->header.biHeight = -static_cast<LONG>(height);
    dib->header.biPlanes = 1;
    dib->header.biBitCount = static_cast<WORD>(Gdiplus::GetPixelFormatSize(format));
    dib->header.biCompression = BI_RGB;
    if (format == PixelFormat16bppRGB565) {
        dib->header.biCompression = BI_BITFIELDS;
        const DWORD masks[3] = {0xF800, 0x07E0, 0x001F};
        std::memcpy(dib->colors, masks, sizeof(masks));
    }
    if ((format & PixelFormatIndexed) == 0) {
        return true;
    }
    INT paletteBytes = 0;
    if (Gdiplus::DllExports::GdipGetImagePaletteSize(bitmap, &paletteBytes) != Gdiplus::Ok ||
        paletteBytes < static_cast<INT>(sizeof(Gdiplus::ColorPalette))) {
        return false;
    }
    CTarnMem storage;
    auto* palette = reinterpret_cast<Gdiplus::ColorPalette*>(storage.SetSize(paletteBytes));
    if (Gdiplus::DllExports::GdipGetImagePalette(bitmap, palette, paletteBytes) != Gdiplus::Ok) {
        return false;
    }
    const UINT count = palette->Count < 256 ? palette->Count : 256;
    for (UINT i = 0; i < count; ++i) {
        const Gdiplus::ARGB argb = palette->Entries[i];
        dib->colors[i] = RGBQUAD{static_cast<BYTE>(argb), static_cast<BYTE>(argb >> 8),
                                 static_cast<BYTE>(argb >> 16), 0};
    }
    dib->header.biClrUsed = count;
    return true;
}

// Copies the decoded pixels straight into a new DIB section.
HBITMAP DibFromGdiplusBitmap(Gdiplus::GpBitmap* bitmap) {
    using namespace Gdiplus;
    UINT width = 0;
    UINT height = 0;
    PixelFormat source = 0;
    if (DllExports::GdipGetImageWidth(bitmap, &width) != Ok ||
        DllExports::GdipGetImageHeight(bitmap, &height) != Ok ||
        DllExports::GdipGetImagePixelFormat(bitmap, &source) != Ok || width == 0 || height == 0) {
        return nullptr;
    }
    const PixelFormat format = TargetFormat(source);
    DibHeader dib;
    if (!FillDibHeader(bitmap, format, width, height, &dib)) {
        return nullptr;
    }
    void* bits = nullptr;
    HBITMAP result = CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&dib), DIB_RGB_COLORS,
                                      &bits, nullptr, 0);
    if (result == nullptr) {
        return nullptr;
    }
    const UINT stride = ((width * GetPixelFormatSize(format) + 31) / 32) * 4;
    BitmapData data = {};
    data.Width = width;
    data.Height = height;
    data.Stride = static_cast<INT>(stride);
    data.PixelFormat = format;
    data.Scan0 = bits;
    const Rect all(0, 0, static_cast<INT>(width), static_cast<INT>(height));
    if (DllExports::GdipBitmapLockBits(bitmap, &all, ImageLockModeRead | ImageLockModeUserInputBuf,
                                       format, &data) != Ok) {
        DeleteObject(result);
        return nullptr;
    }
    DllExports::GdipBitmapUnlockBits(bitmap, &data);
    GdiFlush();
    return result;
}

// The address of a function of this module, for finding the module itself.
void ModuleAnchor() {}

} // namespace

CTarnAppInstance::CTarnAppInstance() : pool_(ProcessMemPool()) {
    modules_.SetGrowStep(kListGrowStep);
    programs_.SetGrowStep(kListGrowStep);
    InitializeCriticalSection(&gdiplusLock_);
    InitializeCriticalSection(&objectsLock_);
    current_instance = this;
}

CTarnAppInstance::~CTarnAppInstance() {
    workerPool_.Stop();
    while (GetCurrentProgram() != nullptr) {
        FreeCurrentProgram();
    }
    ClearObjects();
    if (comInitialized_) {
        comInitialized_ = false;
        CoUninitialize();
    }
    ShutdownGdiplus();
    // The modules go first, then the list that names them.
    UnloadModules();
    modules_.Clear();
    programs_.Clear();
    DeleteCriticalSection(&objectsLock_);
    DeleteCriticalSection(&gdiplusLock_);
    if (current_instance == this) {
        current_instance = nullptr;
    }
    (void)pool_;
}

CTarnAppInstance* CTarnAppInstance::Current() {
    return current_instance;
}

HINSTANCE CTarnAppInstance::GetInstanceHandle() const {
    if (instance_ != nullptr) {
        return instance_;
    }
    MEMORY_BASIC_INFORMATION info = {};
    if (VirtualQuery(reinterpret_cast<const void*>(&ModuleAnchor), &info, sizeof(info)) == 0) {
        return nullptr;
    }
    return static_cast<HINSTANCE>(info.AllocationBase);
}

int64_t CTarnAppInstance::Reserved() const {
    return 0;
}

CWString& CTarnAppInstance::LoadStringResource(uint32_t id, CWString& text) const {
    text.SetEmpty();
    if (id == 0) {
        return text;
    }
    CTarnMem buffer;
    for (int size = kStringStep;; size += kStringStep) {
        auto* units = reinterpret_cast<wchar_t*>(buffer.SetSize(static_cast<int64_t>(size) * 2));
        const int copied = LoadStringW(GetInstanceHandle(), id, units, size);
        if (copied <= 0) {
            return text;
        }
        // A string that filled the buffer may have been cut: try a larger one.
        if (copied < size - 1) {
            text.SetChars(FromWide(units), copied);
            return text;
        }
    }
}

HANDLE CTarnAppInstance::LoadImageResource(int32_t kind, uint32_t id) {
    if (id == 0) {
        return nullptr;
    }
    switch (kind) {
    case kBitmap:
    case kImageList: {
        CTarnMem bytes;
        if (!LoadDataResource(id, bytes)) {
            return nullptr;
        }
        HBITMAP bitmap = DecodeBitmap(bytes.GetData(), bytes.GetSize());
        return kind == kBitmap ? static_cast<HANDLE>(bitmap) : ImageListFromBitmap(bitmap);
    }
    case kCursor:
        return LoadCursorW(GetInstanceHandle(), MAKEINTRESOURCEW(id));
    case kIcon:
        return LoadIconW(GetInstanceHandle(), MAKEINTRESOURCEW(id));
    default:
        return nullptr;
    }
}

HANDLE CTarnAppInstance::LoadImageFile(int32_t kind, const char16_t* path) {
    if (path == nullptr || path[0] == 0) {
        return nullptr;
    }
    switch (kind) {
    case kBitmap:
    case kImageList: {
        HANDLE file = CreateFileW(ToWide(path), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        LARGE_INTEGER size = {};
        CTarnMem bytes;
        bool read = GetFileSizeEx(file, &size) && size.QuadPart > 0 && size.QuadPart < 0x7FFFFFFF;
        if (read) {
            DWORD got = 0;
            void* area = bytes.SetSize(size.QuadPart);
            read = ReadFile(file, area, static_cast<DWORD>(size.QuadPart), &got, nullptr) &&
                   got == static_cast<DWORD>(size.QuadPart);
        }
        CloseHandle(file);
        if (!read) {
            return nullptr;
        }
        HBITMAP bitmap = DecodeBitmap(bytes.GetData(), bytes.GetSize());
        return kind == kBitmap ? static_cast<HANDLE>(bitmap) : ImageListFromBitmap(bitmap);
    }
    case kCursor:
        return LoadImageW(nullptr, ToWide(path), IMAGE_CURSOR, 0, 0, LR_LOADFROMFILE);
    case kIcon:
        return LoadImageW(nullptr, ToWide(path), IMAGE_ICON, 0, 0, LR_LOADFROMFILE);
    default:
        return nullptr;
    }
}

HBITMAP CTarnAppInstance::BitmapFromMemory(const void* bytes, int64_t count) {
    return DecodeBitmap(bytes, count);
}

bool CTarnAppInstance::LoadResourceBytes(uint32_t id, CTarnMem& buffer, LPCWSTR type) const {
    buffer.Clear();
    if (id == 0) {
        return true;
    }
    HMODULE module = GetInstanceHandle();
    HRSRC info = FindResourceW(module, MAKEINTRESOURCEW(id & 0xFFFF), type);
    if (info == nullptr) {
        return false;
    }
    HGLOBAL loaded = LoadResource(module, info);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr) {
        return false;
    }
    buffer.AppendBytes(bytes, SizeofResource(module, info));
    return true;
}

bool CTarnAppInstance::LoadTextResource(uint32_t id, CWString& text) const {
    text.SetEmpty();
    CTarnMem bytes;
    if (!LoadDataResource(id, bytes)) {
        return false;
    }
    // Four zero bytes end the text whatever the resource's own length.
    bytes.AppendBytesThenZeros(nullptr, 0, 4);
    const char16_t* units = reinterpret_cast<const char16_t*>(bytes.GetData());
    if (units != nullptr && units[0] == 0xFEFF) {
        ++units;
    }
    text = CWString(units);
    return true;
}

bool CTarnAppInstance::LoadDataResource(uint32_t id, CTarnMem& buffer) const {
    return LoadResourceBytes(id, buffer, MAKEINTRESOURCEW(10));
}

void CTarnAppInstance::RecordStartup(int64_t argumentCount, wchar_t** arguments, HINSTANCE instance,
                                     DWORD threadId) {
    argumentCount_ = argumentCount;
    arguments_ = arguments;
    instance_ = instance;
    mainThreadId_ = threadId;
}

void CTarnAppInstance::InitializeCom() {
    comInitialized_ = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
}

double CTarnAppInstance::ScaleFromDpi(uint32_t dpi) {
    const double scale = static_cast<double>(dpi) / 96.0;
    return scale < 1.0 ? 1.0 : scale;
}

void CTarnAppInstance::RecordDisplayScale(const wchar_t* scalingLibrary) {
    // GetDpiForMonitor(monitor, MDT_EFFECTIVE_DPI = 0, &x, &y).
    using DpiForMonitor = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
    UINT dpi = 0;
    if (HMODULE library = LoadLibraryW(scalingLibrary)) {
        auto query = reinterpret_cast<DpiForMonitor>(
            reinterpret_cast<void*>(GetProcAddress(library, "GetDpiForMonitor")));
        if (query != nullptr) {
            UINT x = 0;
            UINT y = 0;
            HMONITOR monitor = MonitorFromWindow(GetDesktopWindow(), MONITOR_DEFAULTTONEAREST);
            if (FAILED(query(monitor, 0, &x, &y))) {
                y = 0;
            }
            dpi = y;
        }
        FreeLibrary(library);
    }
    if (dpi == 0) {
        HWND desktop = GetDesktopWindow();
        if (HDC dc = GetDC(desktop)) {
            dpi = static_cast<UINT>(GetDeviceCaps(dc, LOGPIXELSY));
            ReleaseDC(desktop, dc);
        }
    }
    displayScale_ = ScaleFromDpi(dpi);
}

CTarnUserApp* CTarnAppInstance::GetCurrentProgram() const {
    const int64_t count = PointerCount<CTarnUserApp*>(programs_);
    return count == 0 ? nullptr : PointerAt<CTarnUserApp*>(programs_, count - 1);
}

void CTarnAppInstance::RegisterProgram(CTarnUserApp* program) {
    programs_.AppendBytes(&program, sizeof(program));
}

void CTarnAppInstance::UnregisterProgram(CTarnUserApp* program) {
    for (int64_t i = PointerCount<CTarnUserApp*>(programs_) - 1; i >= 0; --i) {
        if (PointerAt<CTarnUserApp*>(programs_, i) == program) {
            programs_.Remove(i * static_cast<int64_t>(sizeof(program)), sizeof(program));
            return;
        }
    }
}

void CTarnAppInstance::FreeCurrentProgram() {
    CTarnUserApp* program = GetCurrentProgram();
    if (program == nullptr) {
        return;
    }
    // The destructor takes it off the list; should it not be a heap object
    // of ours, take it off here so that the loop in the end terminates.
    UnregisterProgram(program);
    FreeObject(program);
}

bool CTarnAppInstance::StartGdiplus() {
    CriticalSectionScope scope(gdiplusLock_);
    if (gdiplusToken_ != 0) {
        return true;
    }
    Gdiplus::GdiplusStartupInput input; // version 1, no debug callback, background thread, codecs
    ULONG_PTR token = 0;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) {
        return false;
    }
    gdiplusToken_ = token;
    return true;
}

void CTarnAppInstance::ShutdownGdiplus() {
    CriticalSectionScope scope(gdiplusLock_);
    if (gdiplusToken_ != 0) {
        Gdiplus::GdiplusShutdown(gdiplusToken_);
        gdiplusToken_ = 0;
    }
}

bool CTarnAppInstance::IsGdiplusRunning() {
    CriticalSectionScope scope(gdiplusLock_);
    return gdiplusToken_ != 0;
}

HBITMAP CTarnAppInstance::DecodeBitmap(const void* bytes, int64_t count) {
    if (bytes == nullptr || count <= 0 || static_cast<uint64_t>(count) > SIZE_MAX ||
        !StartGdiplus()) {
        return nullptr;
    }
    HGLOBAL global = GlobalAlloc(GMEM_MOVEABLE, static_cast<SIZE_T>(count));
    if (global == nullptr) {
        return nullptr;
    }
    void* area = GlobalLock(global);
    if (area == nullptr) {
        GlobalFree(global);
        return nullptr;
    }
    std::memcpy(area, bytes, static_cast<size_t>(count));
    GlobalUnlock(global);
    IStream* stream = nullptr;
    // The stream owns the memory block from here on.
    if (FAILED(CreateStreamOnHGlobal(global, TRUE, &stream))) {
        GlobalFree(global);
        return nullptr;
    }
    HBITMAP result = nullptr;
    Gdiplus::GpBitmap* bitmap = nullptr;
    if (Gdiplus::DllExports::GdipCreateBitmapFromStream(stream, &bitmap) == Gdiplus::Ok) {
        result = DibFromGdiplusBitmap(bitmap);
        Gdiplus::DllExports::GdipDisposeImage(bitmap);
    }
    stream->Release();
    return result;
}

HIMAGELIST CTarnAppInstance::ImageListFromBitmap(HBITMAP bitmap) {
    if (bitmap == nullptr) {
        return nullptr;
    }
    BITMAP info = {};
    HIMAGELIST list = nullptr;
    if (GetObjectW(bitmap, sizeof(info), &info) != 0 && info.bmHeight > 0) {
        const int height = info.bmHeight;
        const int width = height + (height % 2);
        list = ImageList_Create(width, height, ILC_COLOR32 | ILC_MASK, info.bmWidth / width + 1, 0);
        if (list != nullptr) {
            ImageList_AddMasked(list, bitmap, kImageListMask);
        }
    }
    DeleteObject(bitmap);
    return list;
}

void CTarnAppInstance::AddObject(CTarnObject* object) {
    CriticalSectionScope scope(objectsLock_);
    objects_.Add(object);
}

void CTarnAppInstance::ClearObjects() {
    CriticalSectionScope scope(objectsLock_);
    objects_.RemoveAll();
}

int64_t CTarnAppInstance::GetObjectCount() {
    CriticalSectionScope scope(objectsLock_);
    return objects_.GetCount();
}

void CTarnAppInstance::AddModule(HMODULE module) {
    if (module != nullptr) {
        modules_.AppendBytes(&module, sizeof(module));
    }
}

int64_t CTarnAppInstance::GetModuleCount() const {
    return PointerCount<HMODULE>(modules_);
}

void CTarnAppInstance::UnloadModules() {
    const int64_t count = PointerCount<HMODULE>(modules_);
    for (int64_t i = 0; i < count; ++i) {
        FreeLibrary(PointerAt<HMODULE>(modules_, i));
    }
}

// CTarnAppInstance: the runtime's process-wide state, with its resource loaders.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <cstdint>

#include "native/WorkerPool.h"
#include "runtime/ObjectArray.h"
#include "runtime/TarnMem.h"
#include "runtime/WString.h"

class CTarnUserApp;

// The process's one application instance: the memory pool behind every runtime
// object, the current program object, COM and GDI+ state, the worker pool,
// the global object array, the modules to unload at the end and the values
// recorded at start-up; and the loaders of the program's resources.
//
// Lifetime: a program defines exactly one as a static object, ahead of the
// framework application object in the same translation unit, so that it is
// made first and destroyed last; Current() answers it meanwhile. Tests may
// make one on the stack. Its destruction retires what the program left:
// workers, the program object, objects, COM, GDI+ and loaded modules.
//
// Threads: start-up values and the program object belong to the
// user-interface thread; the GDI+ token, the object array and the worker
// pool have locks of their own.
class CTarnAppInstance : public CTarnCommonBase {
public:
    // Image kinds of LoadImageResource and LoadImageFile.
    static constexpr int32_t kBitmap = 0;
    static constexpr int32_t kCursor = 1;
    static constexpr int32_t kIcon = 2;
    static constexpr int32_t kImageList = 3;

    CTarnAppInstance();
    virtual ~CTarnAppInstance();
    CTarnAppInstance(const CTarnAppInstance&) = delete;
    CTarnAppInstance& operator=(const CTarnAppInstance&) = delete;

    // The instance alive now, or null.
    static CTarnAppInstance* Current();

    // The recorded instance handle, else the module holding this code.
    virtual HINSTANCE GetInstanceHandle() const;
    // Kept in its place for programs that expect it; answers 0 here.
    virtual int64_t Reserved() const;
    // The string resource id in full (any length); empty for id 0 or a missing one.
    virtual CWString& LoadStringResource(uint32_t id, CWString& text) const;
    // A bitmap (kBitmap) or image list (kImageList) decoded from the RT_RCDATA
    // resource id, or a cursor or icon resource; null on failure.
    virtual HANDLE LoadImageResource(int32_t kind, uint32_t id);
    // The same kinds from a file; null for an empty path or on failure.
    virtual HANDLE LoadImageFile(int32_t kind, const char16_t* path);
    // A device-independent bitmap decoded from the bytes; null on failure.
    virtual HBITMAP BitmapFromMemory(const void* bytes, int64_t count);
    // The resource's bytes into buffer (emptied first); false when missing.
    virtual bool LoadResourceBytes(uint32_t id, CTarnMem& buffer, LPCWSTR type) const;
    // A UTF-16 text resource (RT_RCDATA) without a leading U+FEFF.
    virtual bool LoadTextResource(uint32_t id, CWString& text) const;
    virtual bool LoadDataResource(uint32_t id, CTarnMem& buffer) const;

    // Start-up values.
    void RecordStartup(int64_t argumentCount, wchar_t** arguments, HINSTANCE instance,
                       DWORD threadId);
    int64_t GetArgumentCount() const { return argumentCount_; }
    wchar_t** GetArguments() const { return arguments_; }
    DWORD GetMainThreadId() const { return mainThreadId_; }

    // COM for the user-interface thread; remembered so that the end undoes it.
    void InitializeCom();
    bool IsComInitialized() const { return comInitialized_; }

    // The display scale: the nearest monitor's effective DPI from the
    // shell-scaling library (loaded by name at run time), else the screen's
    // LOGPIXELSY, over 96 and never below 1.0.
    void RecordDisplayScale(const wchar_t* scalingLibrary = L"SHCore.dll");
    double GetDisplayScale() const { return displayScale_; }
    static double ScaleFromDpi(uint32_t dpi);

    // The current program object: the most recently made of those still alive.
    CTarnUserApp* GetCurrentProgram() const;
    void RegisterProgram(CTarnUserApp* program);
    void UnregisterProgram(CTarnUserApp* program);
    // Frees the current program object, if any (FreeObject).
    void FreeCurrentProgram();

    // GDI+ on first use; false when it cannot start.
    bool StartGdiplus();
    void ShutdownGdiplus();
    bool IsGdiplusRunning();

    CTarnWorkerPool& GetWorkerPool() { return workerPool_; }

    // The global object array, under its lock.
    void AddObject(CTarnObject* object);
    void ClearObjects();
    int64_t GetObjectCount();

    // A module to unload when the instance ends.
    void AddModule(HMODULE module);
    int64_t GetModuleCount() const;

private:
    HBITMAP DecodeBitmap(const void* bytes, int64_t count);
    static HIMAGELIST ImageListFromBitmap(HBITMAP bitmap);
    void UnloadModules();

    // The process's pool; see ProcessMemPool for why it is made before
    // anything else and given back after every runtime object.
    CPoolMem& pool_;
    CTarnMem modules_;
    bool comInitialized_ = false;
    double displayScale_ = 1.0;
    CRITICAL_SECTION gdiplusLock_;
    ULONG_PTR gdiplusToken_ = 0;
    CTarnWorkerPool workerPool_;
    CRITICAL_SECTION objectsLock_;
    CTarnObjectArray objects_;
    HINSTANCE instance_ = nullptr;
    int64_t argumentCount_ = 0;
    wchar_t** arguments_ = nullptr;
    DWORD mainThreadId_ = 0;
    // Live program objects in the order they were made; the last is current.
    CTarnMem programs_;
};

#pragma once
#include <windows.h>
#include <commctrl.h>
#include <unknwn.h>

#include <utility>

// The owners of everything the library holds from the system: one owner per kind of handle,
// each frees what it holds once, when it goes or when Reset hands it something else. Only the
// crash handler frees by hand: its handles live in static storage and a section shared with other
// modules, set up before any constructor runs.

// How "nothing" looks for most handles: null.
struct NullMeansNone
{
    template <class Handle>
    static bool Holds(Handle handle)
    {
        return handle != nullptr;
    }
};

// A handle that Free frees with its owner. Free also says which values hold nothing.
template <class Handle, class Free>
class ScopedHandle
{
public:
    ScopedHandle() = default;
    explicit ScopedHandle(Handle handle) : m_handle(handle) {}
    ~ScopedHandle() { Reset(); }
    ScopedHandle(ScopedHandle&& other) noexcept : m_handle(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return Free::Holds(m_handle); }
    // Lets go without freeing: for a handle that someone else takes over.
    Handle Release() { return std::exchange(m_handle, Handle()); }
    void Reset(Handle handle = Handle())
    {
        if (Free::Holds(m_handle) && m_handle != handle)
            Free()(m_handle);
        m_handle = handle;
    }
    // A place for a handle that arrives through an out-argument; drops what was held.
    Handle* Receive()
    {
        Reset();
        return &m_handle;
    }

private:
    Handle m_handle = Handle();
};

struct DeleteGdiObject : NullMeansNone
{
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

struct DestroyIconHandle : NullMeansNone
{
    void operator()(HICON icon) const { DestroyIcon(icon); }
};

// A GDI object (bitmap, font, pen, brush, region) that is deleted with its owner.
template <class Handle>
using ScopedGdiObject = ScopedHandle<Handle, DeleteGdiObject>;

using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedFont = ScopedGdiObject<HFONT>;
using ScopedPen = ScopedGdiObject<HPEN>;
using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedRegion = ScopedGdiObject<HRGN>;

// An icon that is destroyed with its owner.
using ScopedIcon = ScopedHandle<HICON, DestroyIconHandle>;

struct DestroyImageListHandle : NullMeansNone
{
    void operator()(HIMAGELIST list) const { ImageList_Destroy(list); }
};

using ScopedImageList = ScopedHandle<HIMAGELIST, DestroyImageListHandle>;

// SetWindowRgn takes a region over only when it succeeds: the owner lets go of it then, and
// deletes it otherwise.
inline bool HandRegionToWindow(HWND window, ScopedRegion region, BOOL redraw)
{
    if (!SetWindowRgn(window, region.Get(), redraw))
        return false;
    region.Release();
    return true;
}

// Kernel objects: events, threads, processes, mutexes, sections.
struct CloseKernelHandle : NullMeansNone
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

using ScopedKernelHandle = ScopedHandle<HANDLE, CloseKernelHandle>;

// A view of a file mapping (MapViewOfFile).
struct UnmapView : NullMeansNone
{
    void operator()(void* view) const { UnmapViewOfFile(view); }
};

using ScopedMappedView = ScopedHandle<void*, UnmapView>;

// A file from CreateFileW, which answers INVALID_HANDLE_VALUE when it fails.
struct CloseFileHandle
{
    static bool Holds(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};

using ScopedFile = ScopedHandle<HANDLE, CloseFileHandle>;

// A directory search from FindFirstFileW (INVALID_HANDLE_VALUE when nothing was found).
struct CloseFindHandle
{
    static bool Holds(HANDLE handle) { return handle && handle != INVALID_HANDLE_VALUE; }
    void operator()(HANDLE handle) const { FindClose(handle); }
};

using ScopedFind = ScopedHandle<HANDLE, CloseFindHandle>;

// An opened registry key; a predefined root (HKEY_CURRENT_USER, ...) is never put in one.
struct CloseRegistryKey : NullMeansNone
{
    void operator()(HKEY key) const { RegCloseKey(key); }
};

using ScopedRegistryKey = ScopedHandle<HKEY, CloseRegistryKey>;

// One reference on a loaded module (LoadLibraryW, GetModuleHandleExW without
// GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT).
struct FreeLibraryHandle : NullMeansNone
{
    void operator()(HMODULE module) const { FreeLibrary(module); }
};

using ScopedLibrary = ScopedHandle<HMODULE, FreeLibraryHandle>;

// One reference on this library's own module, held by an object whose last Release may come from
// a client after the host has freed the library (a COM object handed out to a screen reader).
// Freeing it inside that call would unmap the code the call returns into: the system's thread pool
// frees it once its callback has returned. A reference the pool cannot take stays: the library
// stays loaded, which is safe.
struct FreeLibraryAfterCall : NullMeansNone
{
    void operator()(HMODULE module) const { TrySubmitThreadpoolCallback(&FreeLibraryAfterCall::Free, module, nullptr); }

    static void CALLBACK Free(PTP_CALLBACK_INSTANCE instance, void* module)
    {
        FreeLibraryWhenCallbackReturns(instance, static_cast<HMODULE>(module));
    }
};

using ScopedLibraryReleasedLater = ScopedHandle<HMODULE, FreeLibraryAfterCall>;

// A memory DC (CreateCompatibleDC), deleted with its owner.
class ScopedMemoryDC
{
public:
    explicit ScopedMemoryDC(HDC compatibleWith) : m_dc(CreateCompatibleDC(compatibleWith)) {}
    ~ScopedMemoryDC()
    {
        if (m_dc)
            DeleteDC(m_dc);
    }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HDC m_dc;
};

// A window's DC (GetDC or GetWindowDC; null window = the screen), released with its owner.
class ScopedWindowDC
{
public:
    enum Area { Client, Whole };
    explicit ScopedWindowDC(HWND window, Area area = Client)
        : m_window(window), m_dc(area == Client ? GetDC(window) : GetWindowDC(window))
    {
    }
    ~ScopedWindowDC()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

    HDC Get() const { return m_dc; }
    explicit operator bool() const { return m_dc != nullptr; }

private:
    HWND m_window;
    HDC m_dc;
};

// The DC of a WM_PAINT: BeginPaint on construction, EndPaint with its owner.
class ScopedPaintDC
{
public:
    explicit ScopedPaintDC(HWND window) : m_window(window), m_dc(BeginPaint(window, &m_paint)) {}
    ~ScopedPaintDC()
    {
        if (m_dc)
            EndPaint(m_window, &m_paint);
    }
    ScopedPaintDC(const ScopedPaintDC&) = delete;
    ScopedPaintDC& operator=(const ScopedPaintDC&) = delete;

    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint = {};
    HDC m_dc;
};

// Selects an object into a DC for the owner's lifetime, then puts the previous one back.
class ScopedSelection
{
public:
    ScopedSelection(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(object ? SelectObject(dc, object) : nullptr) {}
    ~ScopedSelection()
    {
        if (m_previous && m_previous != HGDI_ERROR)
            SelectObject(m_dc, m_previous);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

    // False when the object could not be selected (an invalid handle).
    bool Succeeded() const { return m_previous && m_previous != HGDI_ERROR; }

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// Saves a DC's whole state (clip region, colours, modes, selections) and restores it on exit,
// so that drawing into a caller's DC leaves it as it came.
class ScopedDCState
{
public:
    explicit ScopedDCState(HDC dc) : m_dc(dc), m_saved(SaveDC(dc)) {}
    ~ScopedDCState()
    {
        if (m_saved)
            RestoreDC(m_dc, m_saved);
    }
    ScopedDCState(const ScopedDCState&) = delete;
    ScopedDCState& operator=(const ScopedDCState&) = delete;

private:
    HDC m_dc;
    int m_saved;
};

// One counted COM reference, released once.
template <class T>
class ComRef
{
public:
    ComRef() = default;
    ~ComRef() { Reset(); }
    ComRef(const ComRef& other) : m_p(other.m_p)
    {
        if (m_p)
            m_p->AddRef();
    }
    ComRef(ComRef&& other) noexcept : m_p(other.m_p) { other.m_p = nullptr; }
    ComRef& operator=(ComRef other) noexcept
    {
        std::swap(m_p, other.m_p);
        return *this;
    }

    // Takes over a count the caller already holds (an interface that came back as a result).
    static ComRef Adopt(T* p)
    {
        ComRef ref;
        ref.m_p = p;
        return ref;
    }
    // Takes a count of its own on a reference that someone else keeps.
    static ComRef Copy(T* p)
    {
        if (p)
            p->AddRef();
        return Adopt(p);
    }

    T* Get() const { return m_p; }
    T* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }

    // A place for a result that arrives counted (T** out-arguments); drops what was held.
    T** Receive()
    {
        Reset();
        return &m_p;
    }
    void Reset()
    {
        T* p = m_p;
        m_p = nullptr;
        if (p)
            p->Release();
    }

private:
    T* m_p = nullptr;
};

#pragma once
#include <windows.h>

#include <utility>

// Owners of GDI handles and device contexts: each frees what it holds once, when it goes.

// A handle that Free frees with its owner.
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
    explicit operator bool() const { return m_handle != nullptr; }
    Handle Release() { return std::exchange(m_handle, nullptr); }
    void Reset(Handle handle = nullptr)
    {
        if (m_handle && m_handle != handle)
            Free()(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

struct DeleteGdiObject
{
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};

struct DestroyIconHandle
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

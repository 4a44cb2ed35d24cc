#pragma once
#include <windows.h>

#include <utility>

// Owners of GDI handles and device contexts: each frees what it holds when it goes.

// A GDI object (font, brush, bitmap, pen, region) that is deleted with its owner.
template <class Handle>
class CGdiObject
{
public:
    CGdiObject() = default;
    explicit CGdiObject(Handle handle) : m_handle(handle) {}
    ~CGdiObject() { Reset(); }
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;
    CGdiObject(CGdiObject&& other) noexcept : m_handle(other.Release()) {}
    CGdiObject& operator=(CGdiObject&& other) noexcept
    {
        if (this != &other)
            Reset(other.Release());
        return *this;
    }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    void Reset(Handle handle = nullptr)
    {
        if (m_handle && m_handle != handle)
            DeleteObject(m_handle);
        m_handle = handle;
    }

    // Gives the handle away (to a window that takes ownership, for example).
    Handle Release() { return std::exchange(m_handle, nullptr); }

private:
    Handle m_handle = nullptr;
};

// A memory device context compatible with another one.
class CMemoryDC
{
public:
    explicit CMemoryDC(HDC compatible) : m_dc(CreateCompatibleDC(compatible)) {}
    ~CMemoryDC()
    {
        if (m_dc)
            DeleteDC(m_dc);
    }
    CMemoryDC(const CMemoryDC&) = delete;
    CMemoryDC& operator=(const CMemoryDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HDC m_dc;
};

// Selects an object into a device context and puts the previous one back on leaving.
class CSelectedObject
{
public:
    CSelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(dc && object ? SelectObject(dc, object) : nullptr) {}
    ~CSelectedObject()
    {
        if (m_previous)
            SelectObject(m_dc, m_previous);
    }
    CSelectedObject(const CSelectedObject&) = delete;
    CSelectedObject& operator=(const CSelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// A window's device context from GetDC, given back with ReleaseDC.
class CWindowDC
{
public:
    explicit CWindowDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~CWindowDC()
    {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// The device context of a WM_PAINT: BeginPaint on construction, EndPaint on leaving.
class CPaintDC
{
public:
    explicit CPaintDC(HWND window) : m_window(window), m_dc(BeginPaint(window, &m_paint)) {}
    ~CPaintDC()
    {
        if (m_dc)
            EndPaint(m_window, &m_paint);
    }
    CPaintDC(const CPaintDC&) = delete;
    CPaintDC& operator=(const CPaintDC&) = delete;
    HDC Get() const { return m_dc; }

private:
    HWND m_window;
    PAINTSTRUCT m_paint = {};
    HDC m_dc;
};

#include "winframe/WindowSubclass.h"

#include "winframe/BoundaryGuard.h"
#include "winframe/ObjectBinding.h"

namespace {
const wchar_t kWindowProc[] = L"CWindowSubclass::WindowProc";
}

CWindowSubclass::~CWindowSubclass()
{
    UnsubclassWindow();
}

bool CWindowSubclass::SubclassWindow(HWND window)
{
    if (m_hWnd || !IsWindow(window) || winframe::BoundObject(window))
        return false;
    winframe::BindObject(window, this);
    const LONG_PTR previous = SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetWindowProc()));
    if (!previous)
    {
        winframe::UnbindObject(window);
        return false;
    }
    m_original = reinterpret_cast<WNDPROC>(previous);
    m_hWnd = window;
    return true;
}

HWND CWindowSubclass::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    HWND window = m_hWnd;
    // Only undo our own link: someone who subclassed after us still needs the chain.
    if (GetWindowLongPtrW(window, GWLP_WNDPROC) == reinterpret_cast<LONG_PTR>(GetWindowProc()))
        SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_original));
    winframe::UnbindObject(window);
    m_hWnd = nullptr;
    m_original = nullptr;
    return window;
}

LRESULT CWindowSubclass::CallDefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(m_original, m_hWnd, message, wParam, lParam);
}

WNDPROC CWindowSubclass::GetWindowProc()
{
    return &CWindowSubclass::WindowProc;
}

void CWindowSubclass::OnFinalMessage(HWND)
{
}

LRESULT CALLBACK CWindowSubclass::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<CWindowSubclass*>(winframe::BoundObject(window));
    if (!self)
        return ::DefWindowProcW(window, message, wParam, lParam);

    // A handler that fails leaves the message to the window's own procedure; the window's end
    // still lets the object go, whatever its handlers did.
    LRESULT result = 0;
    const bool handled = CallGuarded(kWindowProc, false, [&] {
        return self->ProcessWindowMessage(window, message, wParam, lParam, result);
    });
    if (!handled)
        result = self->CallDefaultProc(message, wParam, lParam);

    if (message == WM_NCDESTROY)
    {
        self->UnsubclassWindow();
        CallGuarded(kWindowProc, false, [&] {
            self->OnFinalMessage(window);
            return true;
        });
    }
    return result;
}

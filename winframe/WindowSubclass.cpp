#include "winframe/WindowSubclass.h"

#include "winframe/BoundaryGuard.h"
#include "winframe/ObjectBinding.h"

namespace {
const wchar_t kWindowProc[] = L"CWindowSubclass::WindowProc";
// The procedure our link in a window's chain hands messages on to; there while the link is.
const wchar_t kOriginalProperty[] = L"winframe.subclass.original";

WNDPROC LinkedOriginal(HWND window)
{
    return reinterpret_cast<WNDPROC>(GetPropW(window, kOriginalProperty));
}
} // namespace

CWindowSubclass::~CWindowSubclass()
{
    UnsubclassWindow();
}

bool CWindowSubclass::SubclassWindow(HWND window)
{
    if (m_hWnd || !IsWindow(window) || winframe::BoundObject(window))
        return false;
    // A link of ours that another party still holds under its own is taken up again.
    WNDPROC original = LinkedOriginal(window);
    if (!original)
    {
        original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(window, GWLP_WNDPROC));
        if (!original || !SetPropW(window, kOriginalProperty, reinterpret_cast<HANDLE>(original)))
            return false;
        if (!SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWindowSubclass::WindowProc)))
        {
            RemovePropW(window, kOriginalProperty);
            return false;
        }
    }
    winframe::BindObject(window, this);
    m_original = original;
    m_hWnd = window;
    return true;
}

HWND CWindowSubclass::UnsubclassWindow()
{
    if (!m_hWnd)
        return nullptr;
    HWND window = m_hWnd;
    winframe::UnbindObject(window);
    UnlinkIfOnTop(window);
    m_hWnd = nullptr;
    m_original = nullptr;
    return window;
}

// Only a link on top can leave the chain: one below another party's stays in it, passing on.
void CWindowSubclass::UnlinkIfOnTop(HWND window)
{
    WNDPROC original = LinkedOriginal(window);
    if (!original ||
        GetWindowLongPtrW(window, GWLP_WNDPROC) != reinterpret_cast<LONG_PTR>(&CWindowSubclass::WindowProc))
        return;
    SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    RemovePropW(window, kOriginalProperty);
}

LRESULT CWindowSubclass::CallDefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcW(m_original, m_hWnd, message, wParam, lParam);
}

void CWindowSubclass::OnFinalMessage(HWND)
{
}

// A link no object holds: the message goes on to the window's own procedure untouched.
LRESULT CWindowSubclass::PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    WNDPROC original = LinkedOriginal(window);
    if (!original)
        return ::DefWindowProcW(window, message, wParam, lParam);
    UnlinkIfOnTop(window);
    const LRESULT result = CallWindowProcW(original, window, message, wParam, lParam);
    if (message == WM_NCDESTROY)
        RemovePropW(window, kOriginalProperty);
    return result;
}

LRESULT CALLBACK CWindowSubclass::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<CWindowSubclass*>(winframe::BoundObject(window));
    if (!self)
        return PassOn(window, message, wParam, lParam);

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
        RemovePropW(window, kOriginalProperty);
        CallGuarded(kWindowProc, false, [&] {
            self->OnFinalMessage(window);
            return true;
        });
    }
    return result;
}

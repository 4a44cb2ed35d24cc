#include "winframe/Dialog.h"

#include "winframe/BoundaryGuard.h"
#include "winframe/ObjectBinding.h"

namespace {

const wchar_t kDialogProc[] = L"CDialogImplBase::DialogProc";

// The object whose dialog is being created on this thread: its first messages
// (WM_SETFONT, WM_INITDIALOG) arrive before CreateDialogParamW returns.
thread_local CDialogImplBase* t_creating = nullptr;

// Messages whose answer a dialog procedure returns itself instead of through DWLP_MSGRESULT.
bool ReturnsDirectly(UINT message)
{
    switch (message)
    {
    case WM_INITDIALOG:
    case WM_CTLCOLORMSGBOX:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_QUERYDRAGICON:
        return true;
    default:
        return false;
    }
}

} // namespace

CDialogImplBase::~CDialogImplBase()
{
    // A window must not outlive the object that answers its messages. The derived classes that
    // handle them are already gone here, so the window is let go before it is destroyed.
    if (m_hWnd)
    {
        HWND window = m_hWnd;
        winframe::UnbindObject(window);
        m_hWnd = nullptr;
        ::DestroyWindow(window);
    }
}

template <class MakeWindow>
HWND CDialogImplBase::CreateWith(MakeWindow makeWindow)
{
    if (m_hWnd)
        return nullptr;
    CDialogImplBase* outer = t_creating;
    t_creating = this;
    HWND window = makeWindow();
    t_creating = outer;
    return window;
}

HWND CDialogImplBase::Create(HINSTANCE instance, WORD templateId, HWND parent, LPARAM initParam)
{
    return CreateWith([&] {
        return CreateDialogParamW(instance, MAKEINTRESOURCEW(templateId), parent, GetDialogProc(), initParam);
    });
}

HWND CDialogImplBase::CreateIndirect(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND parent,
                                     LPARAM initParam)
{
    if (!dialogTemplate)
        return nullptr;
    return CreateWith([&] {
        return CreateDialogIndirectParamW(instance, dialogTemplate, parent, GetDialogProc(), initParam);
    });
}

BOOL CDialogImplBase::DestroyWindow()
{
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

DLGPROC CDialogImplBase::GetDialogProc()
{
    return &CDialogImplBase::DialogProc;
}

void CDialogImplBase::OnWindowRelease(HWND)
{
}

void CDialogImplBase::OnFinalMessage(HWND)
{
}

INT_PTR CALLBACK CDialogImplBase::DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    auto* self = static_cast<CDialogImplBase*>(winframe::BoundObject(window));
    if (!self && t_creating)
    {
        self = t_creating;
        t_creating = nullptr;
        self->m_hWnd = window;
        winframe::BindObject(window, self);
    }
    if (!self)
        return FALSE;

    // A handler that fails leaves the message to the dialog manager; the window's end still
    // releases the object, whatever its handlers did.
    LRESULT result = 0;
    const bool handled = CallGuarded(kDialogProc, false, [&] {
        return self->ProcessWindowMessage(window, message, wParam, lParam, result);
    });

    if (message == WM_NCDESTROY)
    {
        CallGuarded(kDialogProc, false, [&] {
            self->OnWindowRelease(window);
            return true;
        });
        winframe::UnbindObject(window);
        self->m_hWnd = nullptr;
        CallGuarded(kDialogProc, false, [&] {
            self->OnFinalMessage(window);
            return true;
        });
        return FALSE;
    }
    if (!handled)
        return FALSE;
    if (ReturnsDirectly(message))
        return static_cast<INT_PTR>(result);
    SetWindowLongPtrW(window, DWLP_MSGRESULT, result);
    return TRUE;
}

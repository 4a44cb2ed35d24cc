#pragma once
#include "winframe/MessageMap.h"
#include "winframe/ModuleInstance.h"

// A modeless dialog made from a dialog template. Messages reach ProcessWindowMessage;
// what it leaves gets the dialog manager's default processing.
class CDialogImplBase : public CMessageMap
{
public:
    CDialogImplBase() = default;
    virtual ~CDialogImplBase();
    CDialogImplBase(const CDialogImplBase&) = delete;
    CDialogImplBase& operator=(const CDialogImplBase&) = delete;

    // initParam arrives as the lParam of WM_INITDIALOG.
    HWND Create(HINSTANCE instance, WORD templateId, HWND parent, LPARAM initParam);
    // The same from a template in memory (DWORD-aligned, as CreateDialogIndirectParamW wants it).
    HWND CreateIndirect(HINSTANCE instance, const DLGTEMPLATE* dialogTemplate, HWND parent, LPARAM initParam);
    BOOL DestroyWindow();

    HWND m_hWnd = nullptr;

protected:
    virtual DLGPROC GetDialogProc();
    // Runs on WM_NCDESTROY while the handle is still valid, before it is released.
    virtual void OnWindowRelease(HWND window);
    // Runs after the window's last message; the object may delete itself here.
    virtual void OnFinalMessage(HWND window);

private:
    template <class MakeWindow>
    HWND CreateWith(MakeWindow makeWindow);
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
};

// T supplies IDD, its template id in the library's own resources.
template <class T>
class CDialogImpl : public CDialogImplBase
{
public:
    HWND Create(HWND parent, LPARAM initParam = 0)
    {
        return CDialogImplBase::Create(ModuleInstance(), static_cast<WORD>(T::IDD), parent, initParam);
    }
};

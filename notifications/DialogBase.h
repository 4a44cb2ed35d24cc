#pragma once
#include "jnCommonGUI/DialogScaler.h"
#include "notifications/DialogPages.h"
#include "jnCommonGUI/NonSkinnable.h"
#include "winframe/Dialog.h"
#include "winframe/Owners.h"

#include <map>
#include <memory>

// Private messages of the page protocol and the dialog's own hook.
constexpr UINT WM_PAGE_CAN_LEAVE = WM_APP + 1;   // to the active page; 0 keeps it
constexpr UINT WM_PAGE_CAN_ENTER = WM_APP + 2;   // to the coming page; 0 refuses
constexpr UINT WM_DIALOG_PRIVATE = WM_APP + 0x43;

// The base of the library's dialogs: the 96-DPI scaler, a white background brush, a table of
// child pages that it can switch between, and hooks for the derived dialogs. A page is any dialog
// object of the framework; the table owns its pages.
template <class T>
class CDialogBase : public CDialogImpl<T>
{
public:
    CDialogBase() : m_background(CreateSolidBrush(0xFFFFFF)) {}
    ~CDialogBase() override { m_pages.clear(); }

    bool ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        switch (message)
        {
        case WM_DIALOG_PRIVATE:
            result = OnPrivateMessage(wParam, lParam);
            return true;
        case WM_CTLCOLORDLG:
            result = reinterpret_cast<LRESULT>(OnCtlColorDlg(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
            return true;
        case WM_CTLCOLORSTATIC:
            result = reinterpret_cast<LRESULT>(
                OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
            return true;
        case WM_INITDIALOG:
            result = OnInitDialog(wParam, lParam);
            return true;
        case WM_DESTROY:
            OnDestroy();
            return false;  // the dialog manager has its own work to do
        case WM_SIZE:
            return OnSize(wParam, LOWORD(lParam), HIWORD(lParam));
        default:
            return false;
        }
    }

    // Hooks: nothing here.
    virtual void PrepareDialog() {}
    virtual void HandlePrivateMessage() {}

    // Shows the page of the key. False, with nothing changed, for an unknown key, a page without a
    // window, the page already shown, while a dialog owned by this one is open, or when the shown
    // page or the coming one refuses.
    virtual bool SelectPage(int key)
    {
        auto found = m_pages.find(key);
        if (found == m_pages.end())
            return false;
        CDialogImplBase* page = found->second.get();
        if (!page || !IsWindow(page->m_hWnd) || page == m_activePage)
            return false;
        if (m_activePage && IsWindow(m_activePage->m_hWnd))
        {
            if (HasOpenOwnedDialog(this->m_hWnd))
                return false;
            if (!SendMessageW(m_activePage->m_hWnd, WM_PAGE_CAN_LEAVE, 0, 0))
                return false;
            ShowWindow(m_activePage->m_hWnd, SW_HIDE);
        }
        m_activeKey = -1;
        m_activePage = nullptr;
        if (!SendMessageW(page->m_hWnd, WM_PAGE_CAN_ENTER, 0, 0))
            return false;
        SetFocus(page->m_hWnd);
        SetActivePage(page);
        m_activeKey = key;
        ShowWindow(page->m_hWnd, SW_SHOW);
        return true;
    }

    virtual void SetActivePage(CDialogImplBase* page)
    {
        m_activePage = page;
        LayoutPage();
    }

    // Stretches the shown page to the margins, without moving it.
    virtual void LayoutPage()
    {
        if (!m_activePage || !IsWindow(m_activePage->m_hWnd))
            return;
        RECT page = {};
        RECT client = {};
        GetWindowRect(m_activePage->m_hWnd, &page);
        MapWindowPoints(nullptr, this->m_hWnd, reinterpret_cast<POINT*>(&page), 2);
        GetClientRect(this->m_hWnd, &client);
        const SIZE size = PageSizeWithin(page, client, m_pageMarginRight, m_pageMarginBottom);
        SetWindowPos(m_activePage->m_hWnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    virtual HBRUSH OnCtlColorDlg(HDC, HWND) { return m_background.Get(); }
    virtual LRESULT OnInitDialog(WPARAM, LPARAM) { return 0; }
    // Unhandled, so that a resizing layer after this one sees the message too.
    virtual bool OnSize(WPARAM, int, int) { return false; }
    virtual void OnDestroy()
    {
        for (auto& entry : m_pages)
            if (entry.second && IsWindow(entry.second->m_hWnd))
                ::DestroyWindow(entry.second->m_hWnd);
    }
    virtual HBRUSH OnCtlColorStatic(HDC dc, HWND)
    {
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, 0x000000);
        return m_background.Get();
    }
    virtual LRESULT OnPrivateMessage(WPARAM, LPARAM)
    {
        HandlePrivateMessage();
        return 1;
    }

    int ActivePageKey() const { return m_activeKey; }
    CDialogImplBase* ActivePage() const { return m_activePage; }
    HBRUSH BackgroundBrush() const { return m_background.Get(); }
    CDialogScaler& Scaler() { return m_scaler; }

protected:
    // Adds a page (its window made by the caller, as a child of this dialog); the table owns it.
    void AddPage(int key, std::unique_ptr<CDialogImplBase> page)
    {
        if (m_activeKey == key)
        {
            m_activeKey = -1;
            m_activePage = nullptr;
        }
        m_pages[key] = std::move(page);
    }

    int m_pageMarginRight = 0;
    int m_pageMarginBottom = 0;

private:
    ScopedBrush m_background;
    CDialogImplBase* m_activePage = nullptr;
    int m_activeKey = -1;
    std::map<int, std::unique_ptr<CDialogImplBase>> m_pages;
    CDialogScaler m_scaler;
};

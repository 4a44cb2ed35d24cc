// PLACEHOLDER for the logon-detect pop-up until the real one exists: a plain topmost tool window
// in the corner of the work area with its texts, command ids and callback, so that the export
// keeps its contract meanwhile. Delete this file when it lands.
#pragma once
#include "app/HostCallback.h"
#include "winframe/ModuleInstance.h"

#include <windows.h>

#include <vector>

class PlaceholderPopup
{
public:
    // A command closes it and calls the callback (Stop 1381 -> 1, anything else -> 0).
    PlaceholderPopup(XJNLogonDetectCallback callback, DWORD context) : m_callback(callback), m_context(context) {}
    ~PlaceholderPopup() { Hide(); }
    PlaceholderPopup(const PlaceholderPopup&) = delete;
    PlaceholderPopup& operator=(const PlaceholderPopup&) = delete;

    // Shows the window on the calling thread and returns at once.
    HWND Show(HWND parent)
    {
        if (m_window)
            return m_window;
        const std::vector<WORD> dialog = BuildTemplate();
        CreateDialogIndirectParamW(ModuleInstance(), reinterpret_cast<const DLGTEMPLATE*>(dialog.data()), parent,
                                   &PlaceholderPopup::DialogProc, reinterpret_cast<LPARAM>(this));
        return m_window;
    }

    // Destroys the window at once.
    void Hide()
    {
        if (m_window)
            DestroyWindow(m_window);
    }

private:
    static const WORD kFirstButton = 1381;

    // An in-memory dialog template: caption line, title, message, two buttons. A plain bordered
    // pop-up without a title bar, like the real ones.
    std::vector<WORD> BuildTemplate() const
    {
        std::vector<WORD> words;
        auto add = [&words](WORD value) { words.push_back(value); };
        auto addDword = [&add](DWORD value) { add(LOWORD(value)); add(HIWORD(value)); };
        auto addText = [&add](const wchar_t* text) { for (; *text; ++text) add(*text); add(0); };
        auto addItem = [&](DWORD style, short x, short y, short cx, short cy, WORD id, WORD classAtom,
                           const wchar_t* text) {
            if (words.size() % 2)
                add(0);  // items start on a DWORD boundary
            addDword(WS_CHILD | WS_VISIBLE | style);
            addDword(0);
            for (short v : {x, y, cx, cy})
                add(static_cast<WORD>(v));
            add(id);
            add(0xFFFF);
            add(classAtom);
            addText(text);
            add(0);
        };
        const WORD button = 0x0080, staticText = 0x0082;
        addDword(WS_POPUP | WS_BORDER | DS_SETFONT);
        addDword(WS_EX_TOPMOST | WS_EX_TOOLWINDOW);
        add(5);
        for (short v : {0, 0, 180, 96})
            add(static_cast<WORD>(v));
        add(0);  // no menu
        add(0);  // the dialog class
        addText(L"Lumeris");
        add(8);
        addText(L"Tahoma");
        addItem(SS_LEFT, 6, 4, 168, 9, 1385, staticText, L"Lumeris");
        addItem(SS_LEFT, 12, 18, 156, 10, 1383, staticText, L"Logon Detecting");
        addItem(SS_LEFT, 12, 32, 156, 34, 1384, staticText,
                L"Please wait when your system completely starts.\nPlease do not run any programs.");
        addItem(BS_PUSHBUTTON | WS_TABSTOP, 12, 72, 70, 16, kFirstButton, button, L"Stop");
        addItem(BS_PUSHBUTTON | WS_TABSTOP, 98, 72, 70, 16, 1382, button, L"Hide");
        return words;
    }

    void OnInitDialog(HWND window)
    {
        m_window = window;
        SetPropW(window, L"NON_SKINABLE_2809%s!fgj", reinterpret_cast<HANDLE>(1));
        RECT work{}, frame{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(window, &frame);
        SetWindowPos(window, HWND_TOPMOST, work.right - (frame.right - frame.left) - 8,
                     work.bottom - (frame.bottom - frame.top) - 8, 0, 0,
                     SWP_NOSIZE | SWP_NOACTIVATE | SWP_SHOWWINDOW);
    }

    // The window goes first, then the host hears the choice; the callback may delete this object.
    void OnCommand(WORD id)
    {
        const XJNLogonDetectCallback callback = m_callback;
        const DWORD context = m_context;
        const DWORD choice = id == kFirstButton ? 1 : 0;
        DestroyWindow(m_window);
        CallHostCallback(callback, context, choice);
    }

    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
    {
        if (message == WM_INITDIALOG)
        {
            auto* self = reinterpret_cast<PlaceholderPopup*>(lParam);
            SetWindowLongPtrW(window, DWLP_USER, lParam);
            self->OnInitDialog(window);
            return FALSE;  // not activated
        }
        auto* self = reinterpret_cast<PlaceholderPopup*>(GetWindowLongPtrW(window, DWLP_USER));
        if (!self)
            return FALSE;
        switch (message)
        {
        case WM_COMMAND:
            if (HIWORD(wParam) != 0)
                return FALSE;
            self->OnCommand(LOWORD(wParam));  // may delete self
            return TRUE;
        case WM_NCDESTROY:
            RemovePropW(window, L"NON_SKINABLE_2809%s!fgj");
            SetWindowLongPtrW(window, DWLP_USER, 0);
            self->m_window = nullptr;
            return FALSE;
        default:
            return FALSE;
        }
    }

    XJNLogonDetectCallback m_callback;
    DWORD m_context;
    HWND m_window = nullptr;
};

// PLACEHOLDER for the three notification pop-ups until the real ones exist: a plain topmost tool
// window in the corner of the work area with the pop-ups' texts, command ids, answers and display
// times, so that the exports keep their contract meanwhile. Delete this file when they land.
#pragma once
#include "app/HostCallback.h"
#include "winframe/ModuleInstance.h"

#include <windows.h>

#include <vector>

class PlaceholderPopup
{
public:
    enum class Kind
    {
        ShutdownWarning,     // blocking; 1381/IDCANCEL/1095 -> 1, 1382 -> 0, 30 s unanswered -> 0
        ShutdownAfterTasks,  // blocking; 1381 -> 1, 1382/IDCANCEL/1095 -> 0, 29 s unanswered -> 1
        LogonDetect,         // modeless; a command closes it and calls the callback (Stop 1381 -> 1)
    };

    explicit PlaceholderPopup(Kind kind, XJNLogonDetectCallback callback = nullptr, DWORD context = 0)
        : m_kind(kind), m_callback(callback), m_context(context),
          m_result(kind == Kind::ShutdownAfterTasks ? 1 : 0)
    {
    }
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

    // Shows the window and pumps the thread's messages until it is gone.
    void ShowBlocking()
    {
        if (!Show(nullptr))
            return;
        bool quit = false;
        WPARAM quitCode = 0;
        MSG message;
        while (m_window)
        {
            const BOOL got = GetMessageW(&message, nullptr, 0, 0);
            if (got == -1)
                break;
            if (got == 0)
            {
                // Not ours to end: hand the host's quit request back after the pop-up.
                quit = true;
                quitCode = message.wParam;
                continue;
            }
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (quit)
            PostQuitMessage(static_cast<int>(quitCode));
    }

    // Destroys the window at once.
    void Hide()
    {
        if (m_window)
            DestroyWindow(m_window);
    }

    DWORD GetResult() const { return m_result; }

private:
    static const UINT_PTR kDisplayTimer = 259;
    static const WORD kFirstButton = 1381;
    static const WORD kSecondButton = 1382;
    static const WORD kCloseButton = 1095;

    struct Texts
    {
        const wchar_t* title;
        const wchar_t* message;
        const wchar_t* first;
        const wchar_t* second;
    };

    Texts GetTexts() const
    {
        switch (m_kind)
        {
        case Kind::ShutdownWarning:
            return {L"System shutdown", L"There are incomplete tasks in execution queue.", L"Cancel", L"Shutdown"};
        case Kind::ShutdownAfterTasks:
            return {L"System shutdown", L"Your system will shut down.", L"Shutdown", L"Cancel"};
        case Kind::LogonDetect:
            break;
        }
        return {L"Logon Detecting", L"Please wait when your system completely starts.\nPlease do not run any programs.",
                L"Stop", L"Hide"};
    }

    UINT DisplayTime() const
    {
        return m_kind == Kind::ShutdownWarning ? 30000 : m_kind == Kind::ShutdownAfterTasks ? 29000 : 0;
    }

    DWORD ResultAfter(WORD id) const
    {
        switch (id)
        {
        case kFirstButton:
            return 1;
        case kSecondButton:
            return 0;
        case IDCANCEL:
        case kCloseButton:
            return m_kind == Kind::ShutdownWarning ? 1 : 0;
        default:
            return m_result;
        }
    }

    // An in-memory dialog template: caption line, title, message, two buttons. A plain bordered
    // pop-up without a title bar, like the real ones.
    std::vector<WORD> BuildTemplate() const
    {
        const Texts texts = GetTexts();
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
        addItem(SS_LEFT, 12, 18, 156, 10, 1383, staticText, texts.title);
        addItem(SS_LEFT, 12, 32, 156, 34, 1384, staticText, texts.message);
        addItem(BS_PUSHBUTTON | WS_TABSTOP, 12, 72, 70, 16, kFirstButton, button, texts.first);
        addItem(BS_PUSHBUTTON | WS_TABSTOP, 98, 72, 70, 16, kSecondButton, button, texts.second);
        return words;
    }

    void OnInitDialog(HWND window)
    {
        m_window = window;
        SetPropW(window, L"NON_SKINABLE_2809%s!fgj", reinterpret_cast<HANDLE>(1));
        if (const UINT time = DisplayTime())
            SetTimer(window, kDisplayTimer, time, nullptr);
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
        m_result = ResultAfter(id);
        const bool callBack = m_kind == Kind::LogonDetect;
        const XJNLogonDetectCallback callback = m_callback;
        const DWORD context = m_context;
        const DWORD choice = m_result;
        DestroyWindow(m_window);
        if (callBack)
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
        case WM_TIMER:
            if (wParam != kDisplayTimer)
                return FALSE;
            DestroyWindow(window);  // unanswered: the answer stays as it is
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

    Kind m_kind;
    XJNLogonDetectCallback m_callback;
    DWORD m_context;
    DWORD m_result;
    HWND m_window = nullptr;
};

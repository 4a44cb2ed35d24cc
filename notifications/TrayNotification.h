#pragma once
#include "notifications/DialogBase.h"
#include "notifications/PopupAccess.h"
#include "notifications/SlideGeometry.h"
#include "notifications/TaskbarSearch.h"
#include "winframe/BufferedPaint.h"
#include "winframe/PaintWindow.h"
#include "winframe/Reflection.h"

#include "Logvane.h"

// Timers on a pop-up's window. The ids are fixed: the pop-ups' own timers (260, 261, 271) are
// numbered around them, and a window has one timer per id.
constexpr UINT_PTR kSlideInTimer = 257;
constexpr UINT_PTR kSlideOutTimer = 258;
constexpr UINT_PTR kDisplayTimer = 259;

// The notification pop-up: a borderless topmost tool window the size of its background bitmap,
// placed against the taskbar's inner edge beside the notification area. It slides out of the
// taskbar one step per tick, stays for its display time and slides back before it closes.
//
// Every message of a pop-up takes one path, through this class's ProcessWindowMessage, to the
// handler T overrides: OnInitDialog (which ends with this class's), OnCtlColorStatic, OnCommand,
// OnDestroy, OnTimer and DrawContent. T calls SetBackgroundBitmap while it initialises. The dialog
// base's own message map is not part of this chain. Screen readers and keyboard users are served
// first (CPopupAccess), from the texts T gives in DescribeAlert.
template <class T>
class CTrayNotification : public CDialogBase<T>
{
public:
    CTrayNotification() = default;
    ~CTrayNotification() override = default;

    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (m_access.ProcessWindowMessage(window, message, wParam, lParam, result))
            return true;
        switch (message)
        {
        case WM_INITDIALOG:
            result = this->OnInitDialog(wParam, lParam);
            return true;
        case WM_CTLCOLORSTATIC:
            result = reinterpret_cast<LRESULT>(
                this->OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam)));
            return true;
        case WM_COMMAND:
            if (HIWORD(wParam) != 0)
                break;  // a control's notification: reflected back to the control below
            m_access.ReturnKeyboard(window);  // answered: also while the pop-up stays its display time
            result = OnCommand(LOWORD(wParam));  // the pop-up may be gone now: nothing after this
            return true;
        case WM_DESTROY:
            this->OnDestroy();
            return false;  // the dialog manager has its own work to do
        case WM_PAINT:
            OnPaint(reinterpret_cast<HDC>(wParam));
            result = 0;
            return true;
        case WM_TIMER:
            OnTimer(wParam);
            result = 0;
            return true;
        case WM_ERASEBKGND:
            result = 1;  // the paint covers everything
            return true;
        default:
            break;
        }
        return ReflectNotification(window, message, wParam, lParam, result);
    }

    // Hidden until Show places it; a topmost tool window has no taskbar button.
    LRESULT OnInitDialog(WPARAM, LPARAM) override
    {
        HWND window = this->m_hWnd;
        SetWindowLongW(window, GWL_STYLE, GetWindowLongW(window, GWL_STYLE) & ~WS_VISIBLE);
        SetWindowLongW(window, GWL_EXSTYLE, GetWindowLongW(window, GWL_EXSTYLE) | WS_EX_TOOLWINDOW | WS_EX_TOPMOST);
        return 0;
    }

    // Background and content are composed off screen and copied in one go.
    virtual LRESULT OnPaint(HDC dc)
    {
        PaintWindow(this->m_hWnd, dc, [this](HDC target) { Compose(target); });
        return 1;
    }

    // The window takes the region of the visible rectangle and owns it from then on.
    virtual BOOL ApplyRegion(BOOL redraw)
    {
        return HandRegionToWindow(this->m_hWnd, ScopedRegion(CreateRectRgnIndirect(&m_frame.visible)), redraw);
    }

    virtual LRESULT OnTimer(UINT_PTR id)
    {
        switch (id)
        {
        case kSlideInTimer:
            SlideInTick();
            break;
        case kDisplayTimer:
            KillTimer(this->m_hWnd, kDisplayTimer);
            m_answered = true;  // unanswered in time: the pop-up's own answer
            StartSlideOut();
            break;
        case kSlideOutTimer:
            SlideOutTick();
            break;
        default:
            break;
        }
        return 1;
    }

    virtual void DrawContent(HDC dc) = 0;

    // What a screen reader hears of the pop-up: its title, its message and a value that changes.
    virtual AlertTexts DescribeAlert() const { return {}; }

    // A button or a request to close (IDCANCEL): every command answers the pop-up and starts the
    // way out. A pop-up with answers records its own first. Returns the message's answer.
    virtual LRESULT OnCommand(WORD)
    {
        m_answered = true;
        Hide();
        return 1;
    }

    virtual void Close() { this->DestroyWindow(); }

    // Creates the window, places its first strip against the taskbar and starts the slide-in.
    virtual LRESULT Show(HWND parent)
    {
        if (this->m_hWnd)
            return 0;
        m_fullyShown = false;
        m_slidingOut = false;
        m_answered = false;
        m_shown = this->Create(parent, 0) != nullptr;
        if (!m_shown)
        {
            WriteTraceEx(TRACE_ERROR, L"CTrayNotification::Show - cannot create the dialog", L".\\TrayNotification",
                         __LINE__);
            return 0;
        }
        m_slide.taskbar = FindTaskbarRect(m_probes);
        m_slide.edge = FindTaskbarEdge(m_probes);
        BITMAP bitmap = {};
        if (m_background && GetObjectW(m_background.Get(), sizeof(bitmap), &bitmap))
        {
            m_slide.height = bitmap.bmHeight;
            m_slide.width = bitmap.bmWidth;
        }
        m_frame = InitialPlacement(m_slide);
        ApplyRegion(FALSE);
        SetWindowPos(this->m_hWnd, HWND_TOPMOST, m_frame.position.x, m_frame.position.y, m_slide.width, m_slide.height,
                     SWP_NOZORDER | SWP_NOACTIVATE | SWP_SHOWWINDOW | SWP_NOOWNERZORDER);
        SetTimer(this->m_hWnd, kSlideInTimer, m_tickPeriod, nullptr);
        return 0;
    }

    // Starts the slide-out once the pop-up is fully shown; before that it changes nothing.
    virtual bool Hide()
    {
        if (!m_fullyShown || !this->m_hWnd)
            return false;
        KillTimer(this->m_hWnd, kSlideInTimer);
        KillTimer(this->m_hWnd, kDisplayTimer);
        StartSlideOut();
        return true;
    }

    void SetDisplayTime(DWORD milliseconds) { m_displayTime = milliseconds; }

    void SetBackgroundBitmap(UINT id)
    {
        m_background.Reset(static_cast<HBITMAP>(
            LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, 0)));
    }

    // Where the time of the pop-up's announcements comes from; tests drive their own.
    void SetAnnouncementClock(CPopupAccess::Clock clock) { m_access.SetClock(std::move(clock)); }
    bool HasHotKey() const { return m_access.HasHotKey(); }

    // Where the taskbar search asks; tests put their own sources here.
    void SetTaskbarProbes(TaskbarProbes probes) { m_probes = std::move(probes); }

    DWORD DisplayTime() const { return m_displayTime; }
    // The last Show made its window (false: no desktop heap, no desktop to show it on, ...).
    bool WasShown() const { return m_shown; }
    bool IsFullyShown() const { return m_fullyShown; }
    // There is an answer to report: a command came (a button, even during the slide-in) or the
    // display time ran out. A window that something else destroyed before that leaves none.
    bool HasAnswer() const { return m_answered; }
    const SlideParams& Slide() const { return m_slide; }
    const SlideFrame& Frame() const { return m_frame; }
    UINT TickPeriod() const { return m_tickPeriod; }
    HBITMAP BackgroundBitmap() const { return m_background.Get(); }

protected:
    // The timers and the hot key go with the window: end them while the handle is still valid.
    void OnWindowRelease(HWND window) override
    {
        for (UINT_PTR id : {kSlideInTimer, kSlideOutTimer, kDisplayTimer})
            KillTimer(window, id);
        m_access.Release(window);
        CDialogBase<T>::OnWindowRelease(window);
    }

    // The part of the background bitmap under part, drawn in its place.
    void PaintBackground(HDC dc, const RECT& part) const
    {
        if (!m_background)
            return;
        ScopedMemoryDC source(dc);
        ScopedSelection selectedBackground(source.Get(), m_background.Get());
        BitBlt(dc, part.left, part.top, part.right - part.left, part.bottom - part.top, source.Get(), part.left,
               part.top, SRCCOPY);
    }

    // The value DescribeAlert gives has changed (at most every five seconds a screen reader hears it).
    void AnnounceValueChange() { m_access.AnnounceValueChange(this->m_hWnd); }

private:
    void SlideInTick()
    {
        if (m_fullyShown || m_slidingOut)
            return;  // a tick that was already on its way
        const bool finished = SlideInStep(m_slide, m_frame);
        ApplyRegion(FALSE);
        SetWindowPos(this->m_hWnd, nullptr, m_frame.position.x, m_frame.position.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
        InvalidateRect(this->m_hWnd, nullptr, TRUE);
        if (!finished)
            return;
        KillTimer(this->m_hWnd, kSlideInTimer);
        m_fullyShown = true;
        if (m_displayTime > 0)
            SetTimer(this->m_hWnd, kDisplayTimer, m_displayTime, nullptr);
        m_access.Announce(this->m_hWnd);
    }

    // An activated pop-up gives the keyboard back as it leaves.
    void StartSlideOut()
    {
        m_access.ReturnKeyboard(this->m_hWnd);
        m_slidingOut = true;
        SetTimer(this->m_hWnd, kSlideOutTimer, m_tickPeriod, nullptr);
    }

    void SlideOutTick()
    {
        if (!m_slidingOut)
            return;
        if (SlideOutStep(m_slide, m_frame))
        {
            KillTimer(this->m_hWnd, kSlideOutTimer);
            Close();
            return;
        }
        ApplyRegion(TRUE);
        SetWindowPos(this->m_hWnd, nullptr, m_frame.position.x, m_frame.position.y, 0, 0,
                     SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOCOPYBITS | SWP_NOOWNERZORDER);
    }

    void Compose(HDC target)
    {
        RECT client = {};
        GetClientRect(this->m_hWnd, &client);
        PaintBuffered(target, client, [this](HDC dc) {
            PaintBackground(dc, RECT{0, 0, m_slide.width, m_slide.height});
            DrawContent(dc);
        });
    }

    DWORD m_displayTime = 0;         // 0: shown until Hide
    SlideParams m_slide;             // edge, taskbar, size, step 10, margin 0
    SlideFrame m_frame;              // position and visible rectangle
    bool m_fullyShown = false;
    bool m_slidingOut = false;
    bool m_answered = false;
    bool m_shown = false;
    UINT m_tickPeriod = 10;
    ScopedBitmap m_background;
    TaskbarProbes m_probes = SystemTaskbarProbes();
    CPopupAccess m_access{[this] { return DescribeAlert(); }};
};

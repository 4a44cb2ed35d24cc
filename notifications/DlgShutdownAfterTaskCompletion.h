#pragma once
#include "jnCommonGUI/ScrollEdit.h"
#include "jnCommonGUI/SkinButton.h"
#include "notifications/ColouredText.h"
#include "notifications/TrayNotification.h"
#include "res/resource.h"
#include "winframe/Owners.h"

#include <string>
#include <vector>

// Timers of the countdown on the pop-up's window. The ids are fixed, beside the slide timers of
// every pop-up (257 to 259): a window has one timer per id, so they must never meet.
constexpr UINT_PTR kCountdownTimer = 260;   // the seconds
constexpr UINT_PTR kAnimationTimer = 261;   // the next frame of the icon
constexpr UINT kCountdownPeriodMs = 1000;
constexpr UINT kAnimationPeriodMs = 100;    // 23 frames: one turn in 2.3 s

// The notice that the system will shut down now that the tasks are done: an animated icon with
// the seconds counting down over it, a button to shut down (answer true) and one to cancel
// (false). Unanswered it slides back after 29 seconds with the answer true.
class CDlgShutdownAfterTaskCompletion : public CTrayNotification<CDlgShutdownAfterTaskCompletion>
{
public:
    enum { IDD = IDD_SHUTDOWN_AFTER_TASKS };
    static constexpr DWORD kDisplayTimeMs = 29000;
    static constexpr int kFrameCount = IDI_COUNTDOWN_FRAMES;
    static constexpr COLORREF kCounterColour = 0x64AAB4;

    CDlgShutdownAfterTaskCompletion();
    ~CDlgShutdownAfterTaskCompletion() override;

    // Shows the pop-up and serves the calling thread's messages until it has slid back and
    // closed; returns 0. The answer is GetResult's then, when WasShown says a window was made.
    LRESULT Show(HWND parent) override;
    // Starts the slide-out once fully shown; always reports success.
    bool Hide() override;
    // Destroys the window and lets the animation frames go.
    void Close() override;
    // The icon's current frame with the seconds over it; with no DC, straight onto the window.
    void DrawContent(HDC dc) override;
    LRESULT OnTimer(UINT_PTR id) override;
    // The title, the notice, and the seconds left as the value.
    AlertTexts DescribeAlert() const override;

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void PrepareDialog() override;
    HBRUSH OnCtlColorStatic(HDC dc, HWND control) override;
    void OnDestroy() override;
    LRESULT OnCommand(WORD id) override;

    // true: shut down; false: cancel.
    bool GetResult() const { return m_result; }
    int SecondsLeft() const { return m_secondsLeft; }
    int FrameIndex() const { return m_frameIndex; }
    size_t FrameCount() const { return m_frames.size(); }
    POINT IconPosition() const { return m_iconPosition; }
    SIZE IconSize() const { return m_iconSize; }
    HFONT CounterFont() const { return m_counterFont.Get(); }

protected:
    void OnWindowRelease(HWND window) override;

private:
    void LoadTexts();
    void InitStatics();
    void InitButtons();
    void PaintIcon(HDC target);

    CSkinButton m_okButton;
    CSkinButton m_cancelButton;
    CSkinButton m_closeButton;
    HWND m_mainTextWindow = nullptr;
    HWND m_subTextWindow = nullptr;
    CScrollEdit m_captionLine;
    ColouredText m_mainText;
    ColouredText m_subText;
    ColouredText m_caption;
    std::wstring m_okCaption;
    std::wstring m_cancelCaption;
    std::vector<ScopedIcon> m_frames;
    int m_frameIndex = 0;
    ScopedFont m_counterFont;
    POINT m_iconPosition = {};
    SIZE m_iconSize = {};
    bool m_quit = false;
    int m_secondsLeft = 0;
    bool m_result = true;
};

#include "notifications/DlgShutdownAfterTaskCompletion.h"

#include "jnCommonGUI/NonSkinnable.h"
#include "jnCommonGUI/Imaging.h"
#include "notifications/CountdownSteps.h"
#include "notifications/PopupAnswers.h"
#include "notifications/PopupControls.h"
#include "notifications/PopupMessageLoop.h"
#include "winframe/BufferedPaint.h"
#include "winframe/ModuleInstance.h"

namespace {

// Source and line of the trace line for a window that cannot be marked. Fixed: readers of the
// product's trace logs know it by source and line number, whatever this file looks like today.
constexpr wchar_t kTraceSource[] = L".\\DlgShutdownAfterTaskCompletion";
constexpr int kMarkFailedTraceLine = 125;

} // namespace

CDlgShutdownAfterTaskCompletion::CDlgShutdownAfterTaskCompletion()
    : m_counterFont(CreateFontW(38, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH, L"Arial"))
{
}

CDlgShutdownAfterTaskCompletion::~CDlgShutdownAfterTaskCompletion() = default;

LRESULT CDlgShutdownAfterTaskCompletion::Show(HWND parent)
{
    LoadTexts();
    SetDisplayTime(kDisplayTimeMs);
    m_quit = false;
    CTrayNotification<CDlgShutdownAfterTaskCompletion>::Show(parent);
    if (WasShown())  // without a window nothing would ever end the loop
        RunPopupMessageLoop([this] { return m_quit; });
    return 0;
}

void CDlgShutdownAfterTaskCompletion::LoadTexts()
{
    m_okCaption = PopupText(L"XJNS_TRAY_SHUTDOWN_BUTTON_OK_TEXT");
    m_cancelCaption = PopupText(L"XJNS_TRAY_SHUTDOWN_BUTTON_CANCEL_TEXT");
    m_mainText = {PopupText(L"XJNS_TRAY_SHUTDOWN_MAIN_TEXT"), kBodyTextColour};
    m_subText = {PopupText(L"XJNS_TRAY_SHUTDOWN_SUB_TEXT"), kBodyTextColour};
    m_caption = {kProductCaption, kCaptionTextColour};
}

bool CDlgShutdownAfterTaskCompletion::Hide()
{
    CTrayNotification<CDlgShutdownAfterTaskCompletion>::Hide();
    return true;
}

void CDlgShutdownAfterTaskCompletion::Close()
{
    CTrayNotification<CDlgShutdownAfterTaskCompletion>::Close();
    m_quit = true;
    m_frames.clear();
}

LRESULT CDlgShutdownAfterTaskCompletion::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    Scaler().Apply(ModuleInstance(), m_hWnd, IDD, 96.0, 0);
    if (!MarkNonSkinnable(m_hWnd))
        WriteTraceEx(TRACE_ERROR,
                     L"CDlgShutdownAfterTaskCompletion::OnInitDialog - cannot create window property NON_SKINABLE_STR",
                     kTraceSource, kMarkFailedTraceLine);
    PrepareDialog();
    InitStatics();
    InitButtons();
    SetBackgroundBitmap(IDB_POPUP_BACKGROUND);
    CTrayNotification<CDlgShutdownAfterTaskCompletion>::OnInitDialog(wParam, lParam);
    m_secondsLeft = CountdownStart(DisplayTime());
    SetTimer(m_hWnd, kCountdownTimer, kCountdownPeriodMs, nullptr);
    // Topmost without being activated: the user's window keeps the keyboard.
    SetWindowPos(m_hWnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    return 0;
}

// The animation: its frames, where the icon goes, and its timer.
void CDlgShutdownAfterTaskCompletion::PrepareDialog()
{
    m_frames.clear();
    for (int i = 0; i < kFrameCount; ++i)
        m_frames.emplace_back(static_cast<HICON>(
            LoadImageW(ModuleInstance(), MAKEINTRESOURCEW(IDI_COUNTDOWN_FIRST + i), IMAGE_ICON, 0, 0, 0)));
    HWND place = GetDlgItem(m_hWnd, IDC_ANIMATION_PLACE);
    ShowWindow(place, SW_HIDE);
    m_frameIndex = 0;
    m_iconSize = {};
    GetIconSize(m_frames.front().Get(), m_iconSize);
    RECT placeRect = {};
    GetWindowRect(place, &placeRect);
    m_iconPosition = {placeRect.left, placeRect.top};
    ScreenToClient(m_hWnd, &m_iconPosition);
    SetTimer(m_hWnd, kAnimationTimer, kAnimationPeriodMs, nullptr);
}

void CDlgShutdownAfterTaskCompletion::InitStatics()
{
    InitHeaderTexts(m_hWnd, m_mainText.text, m_subText.text, m_caption.text, m_mainTextWindow, m_subTextWindow,
                    m_captionLine);
}

void CDlgShutdownAfterTaskCompletion::InitButtons()
{
    PrepareHiddenCloseButton(m_closeButton, m_hWnd);
    PreparePushButton(m_okButton, m_hWnd, IDC_FIRST_BUTTON, m_okCaption);
    PreparePushButton(m_cancelButton, m_hWnd, IDC_SECOND_BUTTON, m_cancelCaption);
}

HBRUSH CDlgShutdownAfterTaskCompletion::OnCtlColorStatic(HDC dc, HWND control)
{
    return ColourPopupStatic(dc, control,
                             {{m_mainTextWindow, m_mainText.colour},
                              {m_subTextWindow, m_subText.colour},
                              {m_captionLine.m_hWnd, m_caption.colour}});
}

void CDlgShutdownAfterTaskCompletion::OnDestroy()
{
    KillTimer(m_hWnd, kCountdownTimer);
}

// Every command starts the way out; a pop-up still sliding in keeps the answer and leaves after
// its display time.
LRESULT CDlgShutdownAfterTaskCompletion::OnCommand(WORD id)
{
    m_result = ShutdownAfterTasksAnswer(id, m_result);
    return CTrayNotification<CDlgShutdownAfterTaskCompletion>::OnCommand(id);
}

LRESULT CDlgShutdownAfterTaskCompletion::OnTimer(UINT_PTR id)
{
    switch (id)
    {
    case kCountdownTimer:
    {
        const int next = NextSecondsLeft(m_secondsLeft);
        if (next != m_secondsLeft)
        {
            m_secondsLeft = next;
            DrawContent(nullptr);
            AnnounceValueChange();
        }
        return 0;
    }
    case kAnimationTimer:
        m_frameIndex = NextAnimationFrame(m_frameIndex, kFrameCount);
        DrawContent(nullptr);
        return 0;
    default:
        return CTrayNotification<CDlgShutdownAfterTaskCompletion>::OnTimer(id);
    }
}

AlertTexts CDlgShutdownAfterTaskCompletion::DescribeAlert() const
{
    return {m_mainText.text, m_subText.text, std::to_wstring(m_secondsLeft)};
}

void CDlgShutdownAfterTaskCompletion::DrawContent(HDC dc)
{
    if (dc)
    {
        PaintIcon(dc);
        return;
    }
    if (!m_hWnd)
        return;
    ScopedWindowDC windowDC(m_hWnd);
    if (windowDC)
        PaintIcon(windowDC.Get());
}

// Background, frame and counter are composed off screen and copied in one go, so the counter
// does not flicker over the animation.
void CDlgShutdownAfterTaskCompletion::PaintIcon(HDC target)
{
    const int left = m_iconPosition.x, top = m_iconPosition.y;
    RECT area = {left, top, left + m_iconSize.cx, top + m_iconSize.cy};
    PaintBuffered(target, area, [&](HDC dc) {
        PaintBackground(dc, area);
        const size_t frame = static_cast<size_t>(m_frameIndex);
        if (frame < m_frames.size() && m_frames[frame].Get())
            DrawIconEx(dc, left, top, m_frames[frame].Get(), 0, 0, 0, nullptr, DI_NORMAL);
        ScopedSelection selectedFont(dc, m_counterFont.Get());
        SetTextColor(dc, kCounterColour);
        SetBkMode(dc, TRANSPARENT);
        const std::wstring seconds = std::to_wstring(m_secondsLeft);
        DrawTextW(dc, seconds.c_str(), -1, &area, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    });
}

// A window that goes another way than Close must still end the blocking loop.
void CDlgShutdownAfterTaskCompletion::OnWindowRelease(HWND window)
{
    m_quit = true;
    CTrayNotification<CDlgShutdownAfterTaskCompletion>::OnWindowRelease(window);
}

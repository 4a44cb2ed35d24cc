#include "notifications/DialogTrayMessage.h"

#include "jnCommonGUI/NonSkinnable.h"
#include "notifications/GUIObjects.h"
#include "notifications/PopupAnswers.h"
#include "notifications/PopupControls.h"
#include "notifications/PopupMessageLoop.h"
#include "winframe/ModuleInstance.h"

namespace {

constexpr DWORD kInfoLinkStyle = kLinkCommandButton | kLinkNoTooltip;  // 0x44

// Source and line of the trace line for a window that cannot be marked. Fixed: readers of the
// product's trace logs know it by source and line number, whatever this file looks like today.
constexpr wchar_t kTraceSource[] = L".\\DialogTrayMessage";
constexpr int kMarkFailedTraceLine = 89;

} // namespace

DialogTrayMessage::DialogTrayMessage() = default;

DialogTrayMessage::~DialogTrayMessage() = default;

int DialogTrayMessage::ShowModal()
{
    LoadTexts();
    SetDisplayTime(kDisplayTimeMs);
    m_closed = 0;
    Show(nullptr);
    if (!WasShown())
        return 0;  // without a window nothing would ever close the loop
    RunPopupMessageLoop([this] { return m_closed != 0; });
    return 1;
}

void DialogTrayMessage::LoadTexts()
{
    m_firstCaption = PopupText(L"XJNS_SHUTDOWN_YES");
    m_secondCaption = PopupText(L"XJNS_SHUTDOWN_NO");
    m_title = {PopupText(L"XJNS_SHUTDOWN_WARNING_TITLE"), kBodyTextColour};
    m_warning = {PopupText(L"XJNS_SHUTDOWN_WARNING"), kBodyTextColour};
    m_explanation = {PopupText(L"XJNS_SHUTDOWN_WARNINGTIP"), kBodyTextColour};
    m_caption = {kProductCaption, kCaptionTextColour};
}

LRESULT DialogTrayMessage::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    Scaler().Apply(ModuleInstance(), m_hWnd, IDD, 96.0, 0);
    if (!MarkNonSkinnable(m_hWnd))
        WriteTraceEx(TRACE_ERROR, L"DialogTrayMessage::OnInitDialog - cannot create window property NON_SKINABLE_STR",
                     kTraceSource, kMarkFailedTraceLine);
    PrepareDialog();
    InitStatics();
    InitButtons();
    SetBackgroundBitmap(IDB_POPUP_BACKGROUND);
    return CTrayNotification<DialogTrayMessage>::OnInitDialog(wParam, lParam);
}

void DialogTrayMessage::InitStatics()
{
    const CGUIObjects& gui = GUIObjects();

    m_titleWindow = GetDlgItem(m_hWnd, IDC_TITLE);
    SetWindowTextW(m_titleWindow, m_title.text.c_str());
    SetControlFont(m_titleWindow, gui.GetArial18Bold());

    m_warningWindow = GetDlgItem(m_hWnd, IDC_MESSAGE);
    SetWindowTextW(m_warningWindow, m_warning.text.c_str());
    SetControlFont(m_warningWindow, gui.GetArial14Bold());

    m_textBox.Attach(GetDlgItem(m_hWnd, IDC_SCROLL_TEXT));
    m_textBox.SetTextAndScrollBars(m_explanation.text.c_str());
    SetControlFont(m_textBox.m_hWnd, gui.GetArial14());

    // Prepared as a command link but left hidden, as the template has it.
    m_infoLink.SubclassWindow(GetDlgItem(m_hWnd, IDC_INFO_LINK));
    m_infoLink.SetLinkExtendedStyle(kInfoLinkStyle);
    m_infoLink.SetIcon(IDI_INFO, 16, 16);
    m_infoLink.SetIconFlags(false, true);
    m_infoLink.SetIconPosition(0, 0, 5, 0);
    m_infoLink.SetLabel(PopupText(L"XJNS_TRAY_INFO").c_str());

    m_captionWindow = GetDlgItem(m_hWnd, IDC_CAPTION);
    SetWindowTextW(m_captionWindow, m_caption.text.c_str());
    SetControlFont(m_captionWindow, gui.GetArial14Bold());
}

void DialogTrayMessage::InitButtons()
{
    PreparePushButton(m_firstButton, m_hWnd, IDC_FIRST_BUTTON, m_firstCaption);
    PreparePushButton(m_secondButton, m_hWnd, IDC_SECOND_BUTTON, m_secondCaption);
}

HBRUSH DialogTrayMessage::OnCtlColorStatic(HDC dc, HWND control)
{
    return ColourPopupStatic(dc, control,
                             {{m_titleWindow, m_title.colour},
                              {m_warningWindow, m_warning.colour},
                              {m_textBox.m_hWnd, m_explanation.colour},
                              {m_captionWindow, m_caption.colour}});
}

// Every command starts the way out; a pop-up still sliding in keeps the answer and leaves after
// its display time.
LRESULT DialogTrayMessage::OnCommand(WORD id)
{
    m_result = ShutdownWarningAnswer(id, m_result);
    return CTrayNotification<DialogTrayMessage>::OnCommand(id);
}

void DialogTrayMessage::DrawContent(HDC)
{
    // The background and the controls are the whole picture.
}

AlertTexts DialogTrayMessage::DescribeAlert() const
{
    return {m_title.text, JoinLines(m_warning.text, m_explanation.text), {}};
}

void DialogTrayMessage::Close()
{
    m_closed = 1;
    CTrayNotification<DialogTrayMessage>::Close();
}

// A window that goes another way than Close must still end the blocking loop.
void DialogTrayMessage::OnWindowRelease(HWND window)
{
    m_closed = 1;
    CTrayNotification<DialogTrayMessage>::OnWindowRelease(window);
}

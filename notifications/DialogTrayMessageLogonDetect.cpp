#include "notifications/DialogTrayMessageLogonDetect.h"

#include "jnCommonGUI/NonSkinnable.h"
#include "notifications/ModuleReference.h"
#include "notifications/PopupAnswers.h"
#include "notifications/PopupControls.h"
#include "winframe/ModuleInstance.h"

namespace {

// Source and line of the trace line for a window that cannot be marked. Fixed: readers of the
// product's trace logs know it by source and line number, whatever this file looks like today.
constexpr wchar_t kTraceSource[] = L".\\DialogTrayMessageLogonDetect";
constexpr int kMarkFailedTraceLine = 77;
constexpr UINT kIdleTimerPeriodMs = 700;

} // namespace

CDialogTrayMessageLogonDetect::CDialogTrayMessageLogonDetect(XJNLogonDetectCallback callback, DWORD context)
    : m_callback(callback), m_context(context)
{
}

CDialogTrayMessageLogonDetect::~CDialogTrayMessageLogonDetect() = default;

LRESULT CDialogTrayMessageLogonDetect::Show(HWND parent)
{
    LoadTexts();
    SetDisplayTime(kDisplayTimeMs);
    return CTrayNotification<CDialogTrayMessageLogonDetect>::Show(parent);
}

void CDialogTrayMessageLogonDetect::LoadTexts()
{
    m_stopCaption = PopupText(L"XJNS_LOGONDETECT_YES");
    m_hideCaption = PopupText(L"XJNS_LOGONDETECT_NO");
    m_title = {PopupText(L"XJNS_LOGONDETECT_TITLE"), kBodyTextColour};
    m_message = {PopupText(L"XJNS_LOGONDETECT_MESSAGE"), kBodyTextColour};
    m_caption = {kProductCaption, kCaptionTextColour};
}

bool CDialogTrayMessageLogonDetect::Hide()
{
    CTrayNotification<CDialogTrayMessageLogonDetect>::Hide();
    DestroyWindow();
    return true;
}

void CDialogTrayMessageLogonDetect::DrawContent(HDC)
{
    // The background and the controls are the whole picture.
}

AlertTexts CDialogTrayMessageLogonDetect::DescribeAlert() const
{
    return {m_title.text, m_message.text, {}};
}

LRESULT CDialogTrayMessageLogonDetect::OnTimer(UINT_PTR id)
{
    if (id == kLogonDetectIdleTimer)
        return 0;
    return CTrayNotification<CDialogTrayMessageLogonDetect>::OnTimer(id);
}

LRESULT CDialogTrayMessageLogonDetect::OnInitDialog(WPARAM wParam, LPARAM lParam)
{
    Scaler().Apply(ModuleInstance(), m_hWnd, IDD, 96.0, 0);
    if (!MarkNonSkinnable(m_hWnd))
        WriteTraceEx(TRACE_ERROR,
                     L"CDialogTrayMessageLogonDetect::OnInitDialog - cannot create window property NON_SKINABLE_STR",
                     kTraceSource, kMarkFailedTraceLine);
    PrepareDialog();
    InitHeaderTexts(m_hWnd, m_title.text, m_message.text, m_caption.text, m_titleWindow, m_messageWindow,
                    m_captionLine);
    InitButtons();
    SetBackgroundBitmap(IDB_POPUP_BACKGROUND);
    SetTimer(m_hWnd, kLogonDetectIdleTimer, kIdleTimerPeriodMs, nullptr);
    return CTrayNotification<CDialogTrayMessageLogonDetect>::OnInitDialog(wParam, lParam);
}

// The graph takes over its place-holder and connects to the engine.
void CDialogTrayMessageLogonDetect::PrepareDialog()
{
    m_graph.SubclassWindow(GetDlgItem(m_hWnd, IDC_USAGE_GRAPH));
}

void CDialogTrayMessageLogonDetect::InitButtons()
{
    PrepareHiddenCloseButton(m_closeButton, m_hWnd);
    PreparePushButton(m_stopButton, m_hWnd, IDC_FIRST_BUTTON, m_stopCaption);
    PreparePushButton(m_hideButton, m_hWnd, IDC_SECOND_BUTTON, m_hideCaption);
}

HBRUSH CDialogTrayMessageLogonDetect::OnCtlColorStatic(HDC dc, HWND control)
{
    return ColourPopupStatic(dc, control,
                             {{m_titleWindow, m_title.colour},
                              {m_messageWindow, m_message.colour},
                              {m_captionLine.m_hWnd, m_caption.colour}});
}

LRESULT CDialogTrayMessageLogonDetect::OnCommand(WORD id)
{
    m_choice = LogonDetectAnswer(id, m_choice);
    const XJNLogonDetectCallback callback = m_callback;
    const DWORD context = m_context;
    const DWORD choice = m_choice ? 1 : 0;
    Hide();
    CallHostKeepingLibrary(callback, context, choice);
    return 1;
}

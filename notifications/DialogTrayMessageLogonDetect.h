#pragma once
#include "XJNTrayNotifications.h"
#include "jnCommonGUI/ScrollEdit.h"
#include "jnCommonGUI/SkinButton.h"
#include "monitor/UsageHistory.h"
#include "notifications/ColouredText.h"
#include "notifications/TrayNotification.h"
#include "res/resource.h"

#include <string>

// A timer the pop-up has always run; it has no effect and its ticks are swallowed.
constexpr UINT_PTR kLogonDetectIdleTimer = 271;

// The modeless notice shown while the system is still starting after a logon: a title, a
// message, the live processor and disk usage graph, and Stop (choice 1) and Hide (choice 0). It
// stays until the host removes it; a button closes the window at once and then tells the host
// through its callback.
class CDialogTrayMessageLogonDetect : public CTrayNotification<CDialogTrayMessageLogonDetect>
{
public:
    enum { IDD = IDD_LOGON_DETECT };
    // Shown until the host removes it (SetTimer clamps this to its maximum).
    static constexpr DWORD kDisplayTimeMs = 0xFFFFFFFF;

    CDialogTrayMessageLogonDetect(XJNLogonDetectCallback callback, DWORD context);
    ~CDialogTrayMessageLogonDetect() override;

    // Creates the window and starts the slide-in; returns at once.
    LRESULT Show(HWND parent) override;
    // Destroys the window at once, without a slide-out; always reports success.
    bool Hide() override;
    void DrawContent(HDC dc) override;
    LRESULT OnTimer(UINT_PTR id) override;
    // The title and the message.
    AlertTexts DescribeAlert() const override;

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    void PrepareDialog() override;
    HBRUSH OnCtlColorStatic(HDC dc, HWND control) override;
    // Closes the window, then calls the host back; touches nothing of this object afterwards,
    // since the callback may delete it.
    LRESULT OnCommand(WORD id) override;

    // true: Stop.
    bool GetChoice() const { return m_choice; }
    const CJNUsageHistory& Graph() const { return m_graph; }

private:
    void LoadTexts();
    void InitButtons();

    CSkinButton m_stopButton;
    CSkinButton m_hideButton;
    CSkinButton m_closeButton;
    HWND m_titleWindow = nullptr;
    HWND m_messageWindow = nullptr;
    CScrollEdit m_captionLine;
    ColouredText m_title;
    ColouredText m_message;
    ColouredText m_caption;
    std::wstring m_stopCaption;
    std::wstring m_hideCaption;
    CJNUsageHistory m_graph;
    XJNLogonDetectCallback m_callback;
    DWORD m_context;
    bool m_choice = false;
};

#pragma once
#include "jnCommonGUI/HyperLinkIcon.h"
#include "jnCommonGUI/ScrollEdit.h"
#include "jnCommonGUI/SkinButton.h"
#include "notifications/ColouredText.h"
#include "notifications/TrayNotification.h"
#include "res/resource.h"

#include <string>

// The warning shown when Windows shuts down while disk tasks are still queued. It offers to
// cancel the shutdown (first button, answer 1) or to let it go on (second button, answer 0);
// unanswered it slides back after 30 seconds with the answer 0.
class DialogTrayMessage : public CTrayNotification<DialogTrayMessage>
{
public:
    enum { IDD = IDD_SHUTDOWN_WARNING };
    static constexpr DWORD kDisplayTimeMs = 30000;

    DialogTrayMessage();
    ~DialogTrayMessage() override;

    // Shows the pop-up and serves the calling thread's messages until it has slid back and
    // closed; returns 1, or 0 at once when its window cannot be made.
    int ShowModal();
    // 1: cancel the shutdown; 0: let it go on.
    int GetResult() const { return m_result; }
    const CHyperLinkIcon& InfoLink() const { return m_infoLink; }

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override;
    HBRUSH OnCtlColorStatic(HDC dc, HWND control) override;
    LRESULT OnCommand(WORD id) override;
    void DrawContent(HDC dc) override;
    void Close() override;
    // The title; the warning line and the explanation below it.
    AlertTexts DescribeAlert() const override;

protected:
    void OnWindowRelease(HWND window) override;

private:
    void LoadTexts();
    void InitStatics();
    void InitButtons();

    CSkinButton m_firstButton;
    CSkinButton m_secondButton;
    CHyperLinkIcon m_infoLink;
    HWND m_titleWindow = nullptr;
    HWND m_warningWindow = nullptr;
    CScrollEdit m_textBox;
    HWND m_captionWindow = nullptr;
    ColouredText m_title;
    ColouredText m_warning;
    ColouredText m_explanation;
    std::wstring m_firstCaption;
    std::wstring m_secondCaption;
    ColouredText m_caption;
    int m_closed = 0;
    int m_result = 0;
};

#pragma once
// A pop-up for the framework's tests and benchmarks (not shipped): template 666 with the texts
// of a shutdown notice, the shared fonts and the skin background.
#include "notifications/GUIObjects.h"
#include "notifications/PopupControls.h"
#include "notifications/TrayNotification.h"
#include "res/resource.h"
#include "winframe/ModuleInstance.h"

#include <vector>

class CTestPopup : public CTrayNotification<CTestPopup>
{
public:
    enum { IDD = IDD_SHUTDOWN_WARNING };

    // Every message this class saw, in order, before the template's handlers.
    std::vector<UINT> seen;
    // A message this class answers itself (0: none), to show that the template then never sees it.
    UINT swallow = 0;
    int drawCalls = 0;
    HDC lastDrawTarget = nullptr;
    int closeCalls = 0;
    bool marked = false;
    std::vector<WORD> commands;

    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        seen.push_back(message);
        if (swallow && message == swallow)
        {
            result = 0;
            return true;
        }
        return CTrayNotification<CTestPopup>::ProcessWindowMessage(window, message, wParam, lParam, result);
    }

    HBRUSH OnCtlColorStatic(HDC dc, HWND control) override
    {
        return ColourPopupStatic(dc, control, {{GetDlgItem(m_hWnd, IDC_CAPTION), 0x000000}, {control, 0x222222}});
    }

    LRESULT OnCommand(WORD id) override
    {
        commands.push_back(id);
        Hide();
        return 1;
    }

    LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam) override
    {
        Scaler().Apply(ModuleInstance(), m_hWnd, IDD, 96.0, 0);
        marked = MarkNonSkinnable(m_hWnd);
        PrepareDialog();
        SetText(IDC_CAPTION, L"Lumeris", GUIObjects().GetArial14Bold());
        SetText(IDC_TITLE, L"System shutdown", GUIObjects().GetArial18Bold());
        SetText(IDC_MESSAGE, L"There are incomplete tasks in execution queue.", GUIObjects().GetArial14Bold());
        SetText(IDC_SCROLL_TEXT,
                L"Shutdown will interrupt execution of these tasks that can cause to data loss. Cancel shutdown?",
                GUIObjects().GetArial14());
        SetText(IDC_FIRST_BUTTON, L"Cancel", nullptr);
        SetText(IDC_SECOND_BUTTON, L"Shutdown", nullptr);
        SetBackgroundBitmap(IDB_POPUP_BACKGROUND);
        return CTrayNotification<CTestPopup>::OnInitDialog(wParam, lParam);
    }

    // A small mark in the footer's right corner, so a test can see the content in the picture.
    void DrawContent(HDC dc) override
    {
        ++drawCalls;
        lastDrawTarget = dc;
        RECT mark = {kMarkLeft, kMarkTop, kMarkLeft + 4, kMarkTop + 4};
        HBRUSH red = CreateSolidBrush(kMarkColour);
        FillRect(dc, &mark, red);
        DeleteObject(red);
    }

    void Close() override
    {
        ++closeCalls;
        CTrayNotification<CTestPopup>::Close();
    }

    static constexpr int kMarkLeft = 234;
    static constexpr int kMarkTop = 266;
    static constexpr COLORREF kMarkColour = RGB(200, 0, 0);

private:
    void SetText(int id, const wchar_t* text, HFONT font)
    {
        HWND control = GetDlgItem(m_hWnd, id);
        SetWindowTextW(control, text);
        if (font)
            SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
};

// A chain of probes that reports a taskbar of the given edge and thickness on a 1280 x 1024 screen.
inline TaskbarProbes TaskbarAt(int edge, int thickness = 40)
{
    RECT rect = {0, 0, 1280, 1024};
    switch (edge)
    {
    case kEdgeLeft: rect.right = thickness; break;
    case kEdgeTop: rect.bottom = thickness; break;
    case kEdgeRight: rect.left = 1280 - thickness; break;
    default: rect.top = 1024 - thickness; break;
    }
    TaskbarProbes probes;
    probes.appBar = [rect, edge](RECT& r, UINT& e) {
        r = rect;
        e = static_cast<UINT>(edge);
        return true;
    };
    return probes;
}

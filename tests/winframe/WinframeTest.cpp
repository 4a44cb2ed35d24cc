#include "res/resource.h"
#include "support/TraceCapture.h"
#include "winframe/BoundaryGuard.h"
#include "winframe/Dialog.h"
#include "winframe/Owners.h"
#include "winframe/PaintWindow.h"
#include "winframe/Reflection.h"
#include "winframe/WindowSubclass.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT kBoth = WM_APP + 1;      // both layers handle it
constexpr UINT kInnerOnly = WM_APP + 2; // only the inner layer handles it
constexpr UINT kNobody = WM_APP + 3;

class Outer;

// The inner layer of a dialog class, as a template base would be.
class Inner : public CDialogImpl<Outer>
{
public:
    std::vector<std::string> log;

    bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result) override
    {
        if (message == kBoth || message == kInnerOnly)
        {
            log.push_back("inner");
            result = message == kBoth ? 11 : 22;
            return true;
        }
        return false;
    }

protected:
    void OnWindowRelease(HWND window) override
    {
        log.push_back(IsWindow(window) && m_hWnd == window ? "release with handle" : "release without handle");
    }
    void OnFinalMessage(HWND) override { log.push_back(m_hWnd ? "final with handle" : "final"); }
};

class Outer : public Inner
{
public:
    enum { IDD = IDD_SHUTDOWN_WARNING };

    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        if (message == kBoth)
        {
            log.push_back("outer");
            result = 1;
            return true;
        }
        return Inner::ProcessWindowMessage(window, message, wParam, lParam, result);
    }
};

TEST(DialogImpl, TheDerivedClassAnswersFirstAndChainsTheRest)
{
    Outer dialog;
    ASSERT_NE(dialog.Create(nullptr), nullptr);
    EXPECT_EQ(SendMessageW(dialog.m_hWnd, kBoth, 0, 0), 1);
    EXPECT_EQ(SendMessageW(dialog.m_hWnd, kInnerOnly, 0, 0), 22);
    EXPECT_EQ(SendMessageW(dialog.m_hWnd, kNobody, 0, 0), 0) << "default dialog processing";
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"outer", "inner"}));
}

TEST(DialogImpl, ReleaseRunsWithTheHandleAndTheFinalMessageAfterIt)
{
    Outer dialog;
    HWND window = dialog.Create(nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(dialog.Create(nullptr), nullptr) << "one window per object";
    dialog.log.clear();
    ASSERT_TRUE(dialog.DestroyWindow());
    EXPECT_EQ(dialog.log, (std::vector<std::string>{"release with handle", "final"}));
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_FALSE(dialog.DestroyWindow()) << "nothing left to destroy";
}

TEST(DialogImpl, AMissingTemplateMakesNoWindow)
{
    class Missing : public CDialogImpl<Missing>
    {
    public:
        enum { IDD = 4711 };
        bool ProcessWindowMessage(HWND, UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
    } dialog;
    EXPECT_EQ(dialog.Create(nullptr), nullptr);
    EXPECT_EQ(dialog.CreateIndirect(ModuleInstance(), nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(dialog.m_hWnd, nullptr);
}

// Records what reaches a window and can answer one message itself.
class Recorder : public CWindowSubclass
{
public:
    std::vector<UINT> messages;
    UINT answer = 0;
    int finals = 0;

    bool ProcessWindowMessage(HWND, UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override
    {
        messages.push_back(message);
        if (message == answer)
        {
            result = CallDefaultProc(message, wParam, lParam) + 1000;
            return true;
        }
        return false;
    }

protected:
    void OnFinalMessage(HWND) override { ++finals; }
};

TEST(WindowSubclass, SeesMessagesFirstAndPassesTheRestOn)
{
    Outer dialog;
    ASSERT_NE(dialog.Create(nullptr), nullptr);
    HWND button = GetDlgItem(dialog.m_hWnd, IDC_FIRST_BUTTON);
    const LONG_PTR ownProc = GetWindowLongPtrW(button, GWLP_WNDPROC);
    Recorder recorder;
    ASSERT_TRUE(recorder.SubclassWindow(button));
    Recorder second;
    EXPECT_FALSE(second.SubclassWindow(button)) << "a window has one object";
    EXPECT_FALSE(recorder.SubclassWindow(button)) << "an object has one window";

    SetWindowTextW(button, L"Go");
    wchar_t text[8] = {};
    GetWindowTextW(button, text, 8);
    EXPECT_STREQ(text, L"Go") << "the window's own procedure still ran";
    EXPECT_NE(std::find(recorder.messages.begin(), recorder.messages.end(), UINT(WM_SETTEXT)), recorder.messages.end());

    recorder.answer = WM_GETTEXTLENGTH;
    EXPECT_EQ(SendMessageW(button, WM_GETTEXTLENGTH, 0, 0), 1002);

    EXPECT_EQ(recorder.UnsubclassWindow(), button);
    EXPECT_EQ(GetWindowLongPtrW(button, GWLP_WNDPROC), ownProc);
    EXPECT_EQ(recorder.UnsubclassWindow(), nullptr);
}

TEST(WindowSubclass, TheFinalMessageComesWithTheWindowsEnd)
{
    Recorder recorder;
    {
        Outer dialog;
        ASSERT_NE(dialog.Create(nullptr), nullptr);
        ASSERT_TRUE(recorder.SubclassWindow(GetDlgItem(dialog.m_hWnd, IDC_SECOND_BUTTON)));
    }
    EXPECT_EQ(recorder.finals, 1);
    EXPECT_EQ(recorder.m_hWnd, nullptr);
}

TEST(BoundaryGuard, AnEscapingExceptionBecomesTheFailureValueAndATraceLine)
{
    struct Case
    {
        const char* label;
        void (*body)();
        const wchar_t* traced;  // null: the body's own answer, no trace
    };
    const Case cases[] = {
        {"the body answers", [] {}, nullptr},
        {"out of memory", [] { throw std::bad_alloc(); }, L"Where - out of memory, answered as a failure"},
        {"a standard exception", [] { throw std::runtime_error("x"); },
         L"Where - a standard exception, answered as a failure"},
        {"anything else", [] { throw 1L; }, L"Where - an exception, answered as a failure"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        testsupport::TraceCapture traces;
        const int answer = CallGuarded(L"Where", -1, [&] {
            c.body();
            return 7;
        });
        EXPECT_EQ(answer, c.traced ? -1 : 7);
        const auto records = traces.Records();
        if (!c.traced)
        {
            EXPECT_TRUE(records.empty());
            continue;
        }
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].message, c.traced);
        EXPECT_EQ(records[0].type, TRACE_ERROR);
    }
}

constexpr UINT kThrow = WM_APP + 9;

// Handlers that run out of memory, in a dialog and in a subclassed control.
class ThrowingDialog : public CDialogImpl<ThrowingDialog>
{
public:
    enum { IDD = IDD_SHUTDOWN_WARNING };
    bool throwOnRelease = false;

    bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT& result) override
    {
        if (message == kThrow)
            throw std::bad_alloc();
        result = 0;
        return false;
    }

protected:
    void OnWindowRelease(HWND) override
    {
        if (throwOnRelease)
            throw std::bad_alloc();
    }
};

class ThrowingSubclass : public CWindowSubclass
{
public:
    bool ProcessWindowMessage(HWND, UINT message, WPARAM, LPARAM, LRESULT&) override
    {
        if (message == WM_GETTEXTLENGTH || message == WM_NCDESTROY)
            throw std::bad_alloc();
        return false;
    }
};

TEST(BoundaryGuard, WindowProceduresLetNoExceptionOut)
{
    testsupport::TraceCapture traces;
    ThrowingDialog dialog;
    ASSERT_NE(dialog.Create(nullptr), nullptr);
    EXPECT_EQ(SendMessageW(dialog.m_hWnd, kThrow, 0, 0), 0) << "the dialog manager's answer";

    ThrowingSubclass control;
    HWND button = GetDlgItem(dialog.m_hWnd, IDC_FIRST_BUTTON);
    ASSERT_TRUE(control.SubclassWindow(button));
    SetWindowTextW(button, L"Four");
    EXPECT_EQ(SendMessageW(button, WM_GETTEXTLENGTH, 0, 0), 4) << "the control's own procedure answered";

    // The window's end still lets both objects go.
    dialog.throwOnRelease = true;
    EXPECT_TRUE(dialog.DestroyWindow());
    EXPECT_EQ(dialog.m_hWnd, nullptr);
    EXPECT_EQ(control.m_hWnd, nullptr);

    EXPECT_EQ(traces.Messages(), (std::vector<std::wstring>{
                                     L"CDialogImplBase::DialogProc - out of memory, answered as a failure",
                                     L"CWindowSubclass::WindowProc - out of memory, answered as a failure",
                                     L"CWindowSubclass::WindowProc - out of memory, answered as a failure",
                                     L"CDialogImplBase::DialogProc - out of memory, answered as a failure",
                                 }));
}

// Records what a ScopedHandle frees, for handles that are plain numbers.
std::vector<int> g_freed;

struct RecordFree : NullMeansNone
{
    void operator()(int* handle) const { g_freed.push_back(*handle); }
};

TEST(ScopedHandle, FreesWhatItHoldsExactlyOnce)
{
    int one = 1, two = 2, three = 3;
    g_freed.clear();
    {
        ScopedHandle<int*, RecordFree> owner(&one);
        owner.Reset(&one);
        EXPECT_TRUE(g_freed.empty()) << "the same handle again is kept";
        owner.Reset(&two);
        EXPECT_EQ(g_freed, std::vector<int>{1});

        ScopedHandle<int*, RecordFree> moved(std::move(owner));
        EXPECT_FALSE(owner);
        EXPECT_EQ(moved.Get(), &two);
        owner = ScopedHandle<int*, RecordFree>(&three);
        owner = std::move(moved);
        EXPECT_EQ(g_freed, (std::vector<int>{1, 3})) << "assignment frees what the target held";
        EXPECT_EQ(owner.Release(), &two);
    }
    EXPECT_EQ(g_freed, (std::vector<int>{1, 3})) << "a released handle is the caller's";

    HICON icon = CopyIcon(LoadIconW(nullptr, IDI_APPLICATION));
    ICONINFO info = {};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    {
        ScopedIcon owner(icon);
    }
    EXPECT_FALSE(GetIconInfo(icon, &info)) << "the icon was destroyed with its owner";
}

TEST(PaintWindow, PaintsIntoTheGivenDCOrBetweenBeginAndEndPaint)
{
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP | WS_VISIBLE, 0, 0, 40, 30, nullptr, nullptr, nullptr,
                                  nullptr);
    ASSERT_NE(window, nullptr);
    HDC memory = CreateCompatibleDC(nullptr);
    std::vector<HDC> painted;
    const auto record = [&](HDC dc) { painted.push_back(dc); };

    InvalidateRect(window, nullptr, FALSE);
    PaintWindow(window, memory, record);
    ASSERT_EQ(painted.size(), 1u);
    EXPECT_EQ(painted[0], memory);
    EXPECT_TRUE(GetUpdateRect(window, nullptr, FALSE)) << "a given DC leaves the update region alone";

    PaintWindow(window, nullptr, record);
    ASSERT_EQ(painted.size(), 2u);
    EXPECT_NE(painted[1], nullptr);
    EXPECT_NE(painted[1], memory);
    EXPECT_FALSE(GetUpdateRect(window, nullptr, FALSE)) << "BeginPaint and EndPaint validated the window";

    DeleteDC(memory);
    DestroyWindow(window);
    PaintWindow(window, nullptr, record);
    EXPECT_EQ(painted.size(), 2u) << "no paint DC for a window that is gone";
}

TEST(Reflection, NotificationsGoBackToTheControlThatSentThem)
{
    Outer dialog;
    ASSERT_NE(dialog.Create(nullptr), nullptr);
    HWND edit = GetDlgItem(dialog.m_hWnd, IDC_SCROLL_TEXT);
    Recorder recorder;
    ASSERT_TRUE(recorder.SubclassWindow(edit));
    NMHDR header = {edit, IDC_SCROLL_TEXT, 12};
    HDC dc = GetDC(edit);

    struct Case
    {
        const char* name;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        bool reflected;
    };
    const Case cases[] = {
        {"command from the control", WM_COMMAND, MAKEWPARAM(IDC_SCROLL_TEXT, EN_CHANGE), reinterpret_cast<LPARAM>(edit), true},
        {"notify", WM_NOTIFY, IDC_SCROLL_TEXT, reinterpret_cast<LPARAM>(&header), true},
        {"colour", WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(edit), true},
        {"scroll", WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(edit), true},
        {"menu command", WM_COMMAND, IDCANCEL, 0, false},
        {"not a notification", WM_SIZE, 0, 0, false},
        {"a window that is no control", WM_COMMAND, 0, 0x1234, false},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        recorder.messages.clear();
        LRESULT result = 0;
        EXPECT_EQ(ReflectNotification(dialog.m_hWnd, c.message, c.wParam, c.lParam, result), c.reflected);
        const bool arrived = !recorder.messages.empty() && recorder.messages.back() == OCM_BASE + c.message;
        EXPECT_EQ(arrived, c.reflected);
    }
    ReleaseDC(edit, dc);
    recorder.UnsubclassWindow();
}

} // namespace

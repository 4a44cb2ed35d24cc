// ShowLogonDetectDialog and HideLogonDetectDialog through the loaded library: the slot, the
// owning thread, the callback in both calling conventions.
#include "ExportsTestSupport.h"
#include "support/PopupAnswerer.h"

#include <gtest/gtest.h>

namespace {

using testsupport::FindMarkedWindow;
using testsupport::PopupAnswerer;
using testsupport::PumpMessagesUntil;

const DWORD kContext = 0xC0FFEE;

class LogonDetectExports : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(library.Complete());
        g_callbackCalls.clear();
    }

    HWND PopupWindow() const { return FindMarkedWindow(GetCurrentThreadId(), false); }

    // Answers the shown pop-up and pumps this thread's messages until the callback came.
    void AnswerAndWaitForCallback(UINT message, WPARAM wParam)
    {
        PopupAnswerer answerer(GetCurrentThreadId(), message, wParam);
        EXPECT_TRUE(PumpMessagesUntil([] { return !g_callbackCalls.empty(); }, 20000)) << "no callback";
        answerer.Wait();
        EXPECT_TRUE(answerer.Answered());
        EXPECT_FALSE(IsWindow(answerer.Window()));
    }

    TrayLibrary library;
};

TEST_F(LogonDetectExports, OneAtATimeUntilHidden)
{
    EXPECT_EQ(library.showLogonDetect(&RecordingStdcallCallback, kContext), TRUE);
    HWND first = PopupWindow();
    ASSERT_NE(first, nullptr) << "the pop-up must belong to the calling thread";
    EXPECT_TRUE(GetWindowLongPtrW(first, GWL_EXSTYLE) & WS_EX_TOPMOST);

    EXPECT_EQ(library.showLogonDetect(&RecordingStdcallCallback, 1), FALSE);
    EXPECT_EQ(PopupWindow(), first);
    EXPECT_TRUE(IsWindow(first));

    library.hideLogonDetect();
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(PopupWindow(), nullptr);

    EXPECT_EQ(library.showLogonDetect(&RecordingStdcallCallback, kContext), TRUE);
    EXPECT_NE(PopupWindow(), nullptr);
    library.hideLogonDetect();
    EXPECT_TRUE(g_callbackCalls.empty()) << "no button, no callback";
}

TEST_F(LogonDetectExports, HideWithNothingShownDoesNothing)
{
    library.hideLogonDetect();
    library.hideLogonDetect();
    EXPECT_EQ(library.showLogonDetect(nullptr, 0), TRUE);
    library.hideLogonDetect();
    library.hideLogonDetect();
}

TEST_F(LogonDetectExports, HideRemovesThePopupAtOnce)
{
    EXPECT_EQ(library.showLogonDetect(&RecordingStdcallCallback, kContext), TRUE);
    HWND window = PopupWindow();
    library.hideLogonDetect();  // no message pumped in between: still appearing
    EXPECT_FALSE(IsWindow(window));
}

TEST_F(LogonDetectExports, EachCommandClosesThePopupThenCallsBack)
{
    struct Case
    {
        const char* label;
        UINT message;
        WPARAM wParam;
        DWORD expectedChoice;
    };
    const Case cases[] = {
        {"Stop", WM_COMMAND, PopupAnswerer::Command(1381), 1},
        {"Hide", WM_COMMAND, PopupAnswerer::Command(1382), 0},
        {"IDCANCEL", WM_COMMAND, PopupAnswerer::Command(IDCANCEL), 0},
        {"close id 1095", WM_COMMAND, PopupAnswerer::Command(1095), 0},
        {"a request to close the window", WM_CLOSE, 0, 0},
        {"another id leaves the choice", WM_COMMAND, PopupAnswerer::Command(IDOK), 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        g_callbackCalls.clear();
        ASSERT_EQ(library.showLogonDetect(&RecordingStdcallCallback, kContext), TRUE);
        AnswerAndWaitForCallback(c.message, c.wParam);
        ASSERT_EQ(g_callbackCalls.size(), 1u);
        EXPECT_EQ(g_callbackCalls[0].context, kContext);
        EXPECT_EQ(g_callbackCalls[0].choice, c.expectedChoice);
        EXPECT_TRUE(g_callbackCalls[0].windowGone);

        // The object waits in the slot until the host hides it; hiding calls back no more.
        EXPECT_EQ(library.showLogonDetect(&RecordingStdcallCallback, kContext), FALSE);
        library.hideLogonDetect();
        EXPECT_EQ(g_callbackCalls.size(), 1u);
    }
}

TEST_F(LogonDetectExports, CallbacksOfEitherConventionWork)
{
    struct Case
    {
        const char* label;
        XJNLogonDetectCallback callback;
    };
    const Case cases[] = {
        {"__stdcall", &RecordingStdcallCallback},
        {"__cdecl", reinterpret_cast<XJNLogonDetectCallback>(&RecordingCdeclCallback)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        g_callbackCalls.clear();
        ASSERT_EQ(library.showLogonDetect(c.callback, kContext), TRUE);
        AnswerAndWaitForCallback(WM_COMMAND, PopupAnswerer::Command(1381));
        ASSERT_EQ(g_callbackCalls.size(), 1u);
        EXPECT_EQ(g_callbackCalls[0].context, kContext);
        EXPECT_EQ(g_callbackCalls[0].choice, 1u);
        library.hideLogonDetect();
    }
}

TEST_F(LogonDetectExports, WithoutACallbackTheChoiceOnlyClosesThePopup)
{
    ASSERT_EQ(library.showLogonDetect(nullptr, kContext), TRUE);
    PopupAnswerer answerer(GetCurrentThreadId(), WM_COMMAND, PopupAnswerer::Command(1381));
    EXPECT_TRUE(PumpMessagesUntil([&answerer] { return answerer.Answered() && !IsWindow(answerer.Window()); }, 20000));
    EXPECT_EQ(library.showLogonDetect(nullptr, kContext), FALSE);
    library.hideLogonDetect();
}

// A host may hide the pop-up from inside its callback.
TrayLibrary::HideLogonDetectCall g_hideFromCallback = nullptr;

void WINAPI HidingCallback(DWORD context, DWORD choice)
{
    g_callbackCalls.push_back({context, choice, true});
    g_hideFromCallback();
}

TEST_F(LogonDetectExports, TheCallbackMayHideThePopup)
{
    g_hideFromCallback = library.hideLogonDetect;
    ASSERT_EQ(library.showLogonDetect(&HidingCallback, kContext), TRUE);
    AnswerAndWaitForCallback(WM_COMMAND, PopupAnswerer::Command(1382));
    ASSERT_EQ(g_callbackCalls.size(), 1u);
    EXPECT_EQ(g_callbackCalls[0].choice, 0u);
    EXPECT_EQ(library.showLogonDetect(&RecordingStdcallCallback, kContext), TRUE);  // the slot is empty again
    library.hideLogonDetect();
}

} // namespace

namespace {

// A host that unloads the library with the pop-up still shown must not be left with a window
// whose procedure has gone.
TEST(LogonDetectUnload, UnloadingTheLibraryTakesThePopupWithIt)
{
    HWND window = nullptr;
    {
        TrayLibrary library;
        ASSERT_TRUE(library.Complete());
        ASSERT_EQ(library.showLogonDetect(&RecordingStdcallCallback, kContext), TRUE);
        window = FindMarkedWindow(GetCurrentThreadId(), false);
        ASSERT_NE(window, nullptr);
        library.hideLogonDetect = nullptr;  // leave it to the unload
    }
    EXPECT_EQ(GetModuleHandleW(L"XJNTrayNotifications.dll"), nullptr);
    EXPECT_FALSE(IsWindow(window));
    PumpMessagesUntil([] { return false; }, 100);
}

} // namespace

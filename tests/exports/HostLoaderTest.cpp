// The host-side loader functions: the library by name, unloaded after each blocking call and
// kept while a logon-detect pop-up exists.
#include "ExportsTestSupport.h"
#include "support/PopupAnswerer.h"

#include <gtest/gtest.h>

namespace {

using testsupport::PopupAnswerer;
using testsupport::PumpMessagesUntil;

bool LibraryLoaded()
{
    return GetModuleHandleW(L"XJNTrayNotifications.dll") != nullptr;
}

class HostLoader : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_FALSE(LibraryLoaded()) << "another test left the library loaded";
        g_callbackCalls.clear();
    }
};

TEST_F(HostLoader, BlockingCallsLoadAndUnloadTheLibrary)
{
    struct Case
    {
        const char* label;
        BOOL (*call)(DWORD*);
        WORD button;
        DWORD expectedChoice;
    };
    const Case cases[] = {
        {"shutdown warning", &CallShowShutdownDialog, 1381, 1},
        {"shutdown after tasks", &CallShowShutdownAfterTaskCompletionDialog, 1382, 0},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        DWORD choice = 0xDEAD;
        PopupAnswerer answerer(GetCurrentThreadId(), WM_COMMAND, PopupAnswerer::Command(c.button));
        EXPECT_EQ(c.call(&choice), TRUE);
        EXPECT_EQ(choice, c.expectedChoice);
        EXPECT_FALSE(LibraryLoaded());

        EXPECT_EQ(c.call(nullptr), FALSE);
        EXPECT_FALSE(LibraryLoaded());
    }
}

TEST_F(HostLoader, TheLibraryStaysWhileTheLogonDetectPopupExists)
{
    EXPECT_EQ(CallShowLogonDetectDialog(&RecordingStdcallCallback, 9), TRUE);
    EXPECT_TRUE(LibraryLoaded());
    EXPECT_EQ(CallShowLogonDetectDialog(&RecordingStdcallCallback, 10), FALSE);

    PopupAnswerer answerer(GetCurrentThreadId(), WM_COMMAND, PopupAnswerer::Command(1381));
    EXPECT_TRUE(PumpMessagesUntil([] { return !g_callbackCalls.empty(); }, 20000));
    ASSERT_EQ(g_callbackCalls.size(), 1u);
    EXPECT_EQ(g_callbackCalls[0].context, 9u);
    EXPECT_EQ(g_callbackCalls[0].choice, 1u);
    EXPECT_TRUE(LibraryLoaded());

    CallHideLogonDetectDialog();
    EXPECT_FALSE(LibraryLoaded()) << "a refused second call must not keep a reference";
    CallHideLogonDetectDialog();
}

// The host hides the notice through the loader inside its callback: the loader's FreeLibrary
// waits until the host's loop is out of the library's code, then the library goes.
void RecordAndHide(DWORD context, DWORD choice)
{
    g_callbackCalls.push_back({context, choice, true});
    CallHideLogonDetectDialog();
}

void WINAPI HideThroughTheLoader(DWORD context, DWORD choice)
{
    RecordAndHide(context, choice);
}

void __cdecl HideThroughTheLoaderCdecl(DWORD context, DWORD choice)
{
    RecordAndHide(context, choice);
}

TEST_F(HostLoader, ACallbackThatHidesThroughTheLoaderReturnsSafelyAndTheLibraryGoesAfterwards)
{
    struct Case
    {
        const char* label;
        XJNLogonDetectCallback callback;
    };
    const Case cases[] = {
        {"__stdcall", &HideThroughTheLoader},
        {"__cdecl", reinterpret_cast<XJNLogonDetectCallback>(&HideThroughTheLoaderCdecl)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        g_callbackCalls.clear();
        ASSERT_EQ(CallShowLogonDetectDialog(c.callback, 5), TRUE);
        PopupAnswerer answerer(GetCurrentThreadId(), WM_COMMAND, PopupAnswerer::Command(1382));
        EXPECT_TRUE(PumpMessagesUntil([] { return !g_callbackCalls.empty(); }, 20000));
        answerer.Wait();
        ASSERT_EQ(g_callbackCalls.size(), 1u);
        EXPECT_EQ(g_callbackCalls[0].context, 5u);
        EXPECT_EQ(g_callbackCalls[0].choice, 0u);
        EXPECT_TRUE(PumpMessagesUntil([] { return !LibraryLoaded(); }, 5000)) << "the deferred FreeLibrary never came";
    }
}

// The loader hands the library a callback of its own; a host callback of either convention
// still gets its arguments.
TEST_F(HostLoader, TheHostsCallbackOfEitherConventionGetsItsAnswer)
{
    const XJNLogonDetectCallback callbacks[] = {&RecordingStdcallCallback,
                                                reinterpret_cast<XJNLogonDetectCallback>(&RecordingCdeclCallback)};
    for (XJNLogonDetectCallback callback : callbacks)
    {
        g_callbackCalls.clear();
        ASSERT_EQ(CallShowLogonDetectDialog(callback, 7), TRUE);
        PopupAnswerer answerer(GetCurrentThreadId(), WM_COMMAND, PopupAnswerer::Command(1381));
        EXPECT_TRUE(PumpMessagesUntil([] { return !g_callbackCalls.empty(); }, 20000));
        answerer.Wait();
        ASSERT_EQ(g_callbackCalls.size(), 1u);
        EXPECT_EQ(g_callbackCalls[0].context, 7u);
        EXPECT_EQ(g_callbackCalls[0].choice, 1u);
        CallHideLogonDetectDialog();
        EXPECT_FALSE(LibraryLoaded());
    }
}

TEST_F(HostLoader, HidingWithoutAPopupDoesNothing)
{
    CallHideLogonDetectDialog();
    EXPECT_FALSE(LibraryLoaded());
}

} // namespace

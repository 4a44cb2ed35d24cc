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

TEST_F(HostLoader, HidingWithoutAPopupDoesNothing)
{
    CallHideLogonDetectDialog();
    EXPECT_FALSE(LibraryLoaded());
}

} // namespace

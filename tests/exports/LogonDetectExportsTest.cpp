// ShowLogonDetectDialog and HideLogonDetectDialog through the loaded library: the slot, the
// owning thread, the callback in both calling conventions.
#include "ExportsTestSupport.h"
#include "support/PopupAnswerer.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

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

bool LibraryLoaded()
{
    return GetModuleHandleW(L"XJNTrayNotifications.dll") != nullptr;
}

// The notice pins the library: a host that frees it while the notice is up, on its own thread or
// on another, leaves the library loaded and the notice working, instead of a window whose code
// has gone (a foreign thread could not even destroy it). Hiding it lets the library go.
TEST(LogonDetectUnload, FreeingTheLibraryWhileTheNoticeIsUpLeavesItLoadedUntilHidden)
{
    struct Case
    {
        const char* label;
        bool otherThread;
    };
    const Case cases[] = {{"on the notice's thread", false}, {"on another thread", true}};
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        g_callbackCalls.clear();
        HMODULE module = LoadLibraryW(L"XJNTrayNotifications.dll");
        ASSERT_NE(module, nullptr);
        auto show = xjnhost::LibraryExport<TrayLibrary::ShowLogonDetectCall>(module, "ShowLogonDetectDialog");
        ASSERT_EQ(show(&RecordingStdcallCallback, kContext), TRUE);
        HWND window = FindMarkedWindow(GetCurrentThreadId(), false);
        ASSERT_NE(window, nullptr);

        if (c.otherThread)
        {
            // This thread keeps serving its messages meanwhile, as a host's would.
            std::atomic<bool> freed{false};
            std::thread unloader([module, &freed] {
                FreeLibrary(module);
                freed = true;
            });
            EXPECT_TRUE(PumpMessagesUntil([&freed] { return freed.load(); }, 20000));
            unloader.join();
        }
        else
        {
            FreeLibrary(module);
        }
        EXPECT_TRUE(LibraryLoaded());
        EXPECT_TRUE(IsWindow(window));

        // Still served: a button closes it and calls back.
        PopupAnswerer answerer(GetCurrentThreadId(), WM_COMMAND, PopupAnswerer::Command(1381));
        EXPECT_TRUE(PumpMessagesUntil([] { return !g_callbackCalls.empty(); }, 20000));
        answerer.Wait();
        ASSERT_EQ(g_callbackCalls.size(), 1u);
        EXPECT_EQ(g_callbackCalls[0].choice, 1u);

        TrayLibrary library;  // a host that loads it again to hide the notice
        ASSERT_TRUE(library.Complete());
        library.hideLogonDetect();
        library.hideLogonDetect = nullptr;
    }
    EXPECT_FALSE(LibraryLoaded());
}

// Hiding on a thread that does not own the window is refused: the window stays and works, and
// the owner can still hide it.
TEST(LogonDetectThreads, HidingFromAnotherThreadIsRefused)
{
    TrayLibrary library;
    ASSERT_TRUE(library.Complete());
    g_callbackCalls.clear();
    ASSERT_EQ(library.showLogonDetect(&RecordingStdcallCallback, kContext), TRUE);
    HWND window = FindMarkedWindow(GetCurrentThreadId(), false);
    ASSERT_NE(window, nullptr);

    std::thread other([&library] { library.hideLogonDetect(); });
    other.join();
    EXPECT_TRUE(IsWindow(window));
    EXPECT_EQ(library.showLogonDetect(&RecordingStdcallCallback, kContext), FALSE) << "the slot is still taken";

    PopupAnswerer answerer(GetCurrentThreadId(), WM_COMMAND, PopupAnswerer::Command(1382));
    EXPECT_TRUE(PumpMessagesUntil([] { return !g_callbackCalls.empty(); }, 20000));
    answerer.Wait();
    ASSERT_EQ(g_callbackCalls.size(), 1u);
    EXPECT_EQ(g_callbackCalls[0].choice, 0u);

    library.hideLogonDetect();
    EXPECT_EQ(library.showLogonDetect(&RecordingStdcallCallback, kContext), TRUE) << "hidden by its owner";
}

// A host that hides the notice and frees the library inside its callback: the call returns
// through code that is still mapped (the library kept itself loaded across the callback). The
// reference it kept goes with the host's next call into it.
HMODULE g_freedInCallback = nullptr;

void WINAPI HideAndFreeCallback(DWORD context, DWORD choice)
{
    g_callbackCalls.push_back({context, choice, true});
    xjnhost::LibraryExport<TrayLibrary::HideLogonDetectCall>(g_freedInCallback, "HideLogonDetectDialog")();
    FreeLibrary(g_freedInCallback);
}

TEST(LogonDetectUnload, ACallbackThatFreesTheLibraryReturnsSafely)
{
    ASSERT_FALSE(LibraryLoaded());
    g_callbackCalls.clear();
    g_freedInCallback = LoadLibraryW(L"XJNTrayNotifications.dll");
    ASSERT_NE(g_freedInCallback, nullptr);
    auto show = xjnhost::LibraryExport<TrayLibrary::ShowLogonDetectCall>(g_freedInCallback, "ShowLogonDetectDialog");
    ASSERT_EQ(show(&HideAndFreeCallback, kContext), TRUE);
    PopupAnswerer answerer(GetCurrentThreadId(), WM_COMMAND, PopupAnswerer::Command(1381));
    EXPECT_TRUE(PumpMessagesUntil([] { return !g_callbackCalls.empty(); }, 20000));
    answerer.Wait();
    PumpMessagesUntil([] { return false; }, 100);  // the process is still here
    ASSERT_EQ(g_callbackCalls.size(), 1u);
    EXPECT_TRUE(LibraryLoaded()) << "kept until it is safe to let go";
    {
        TrayLibrary library;
        ASSERT_TRUE(library.Complete());
        library.hideLogonDetect();  // gives back what the library kept
        library.hideLogonDetect = nullptr;
    }
    EXPECT_FALSE(LibraryLoaded());
}

} // namespace

// Accessible objects that a client holds after their pop-up has gone: they answer that they are
// not connected, they keep the library's code loaded while held, and once let go the library
// unloads. A screen reader on another thread reads the pop-up through COM while it is up.
#include "accessibility/AccessTestSupport.h"
#include "accessibility/PopupRuns.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace {

using namespace accesstest;
using popuptest::IsFullyOut;

const wchar_t kLibrary[] = L"XJNTrayNotifications.dll";

class HeldAccessibleObjects : public EnglishPopupTest
{
};

// Every call a client can make, each answering CO_E_OBJNOTCONNECTED.
void ExpectNotConnected(IAccessible* object)
{
    BSTR text = nullptr;
    VARIANT number;
    VariantInit(&number);
    EXPECT_EQ(object->get_accName(Self(), &text), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(text, nullptr);
    EXPECT_EQ(object->get_accDescription(Self(), &text), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->get_accValue(Self(), &text), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->get_accDefaultAction(Self(), &text), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->get_accKeyboardShortcut(Self(), &text), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->get_accRole(Self(), &number), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->get_accState(Self(), &number), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->accDoDefaultAction(Self()), CO_E_OBJNOTCONNECTED);
    long left = 0, top = 0, width = 0, height = 0, count = 0;
    EXPECT_EQ(object->accLocation(&left, &top, &width, &height, Self()), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->get_accChildCount(&count), CO_E_OBJNOTCONNECTED);
    IDispatch* parent = nullptr;
    EXPECT_EQ(object->get_accParent(&parent), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(parent, nullptr);
    EXPECT_EQ(object->accHitTest(0, 0, &number), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->get_accFocus(&number), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(object->put_accName(Self(), nullptr), CO_E_OBJNOTCONNECTED);
}

TEST_F(HeldAccessibleObjects, AnswerNotConnectedAfterThePopupAndKeepTheLibraryLoadedUntilLetGo)
{
    std::vector<ComRef<IAccessible>> held;
    {
        TrayExports library;
        ASSERT_TRUE(library.Complete());
        const long answer = RunPopup(library, kShutdownWarning, [&](HWND popup) {
            if (!IsFullyOut(popup))
                return false;
            for (HWND window : {popup, GetDlgItem(popup, 1381), GetDlgItem(popup, 1347)})
                held.push_back(AccessibleOf(window));
            popuptest::PostCommand(popup, 1382);
            return true;
        });
        EXPECT_EQ(answer, 0);
        ASSERT_EQ(held.size(), 3u);
        for (const ComRef<IAccessible>& object : held)
        {
            ASSERT_TRUE(object);
            ExpectNotConnected(object.Get());
        }
    }
    // The host has freed the library; the objects still held keep its code mapped.
    ASSERT_NE(GetModuleHandleW(kLibrary), nullptr) << "the library went while its objects were held";
    for (const ComRef<IAccessible>& object : held)
        ExpectNotConnected(object.Get());
    held.clear();
    EXPECT_TRUE(testsupport::PumpMessagesUntil([] { return GetModuleHandleW(kLibrary) == nullptr; }, 5000))
        << "the library stayed loaded after the last object was let go";
}

// A library that handed out no object unloads at once, as before.
TEST_F(HeldAccessibleObjects, WithoutAScreenReaderTheLibraryUnloadsAtOnce)
{
    // Objects of earlier tests give their references back from the thread pool.
    ASSERT_TRUE(testsupport::PumpMessagesUntil([] { return GetModuleHandleW(kLibrary) == nullptr; }, 5000));
    {
        TrayExports library;
        ASSERT_TRUE(library.Complete());
        EXPECT_EQ(RunPopup(library, kShutdownAfterTasks,
                           [](HWND popup) {
                               if (!IsFullyOut(popup))
                                   return false;
                               popuptest::PostCommand(popup, 1381);
                               return true;
                           }),
                  1);
    }
    EXPECT_EQ(GetModuleHandleW(kLibrary), nullptr);
}

// A screen reader in its own apartment: its calls reach the pop-up's thread through COM while the
// pop-up's loop runs, and fail cleanly (no crash) once the pop-up has gone.
TEST_F(HeldAccessibleObjects, AReaderOnAnotherThreadReadsThroughComAndIsCutOffWhenThePopupGoes)
{
    TrayExports library;
    ASSERT_TRUE(library.Complete());
    struct Reader
    {
        HANDLE readAgain = CreateEventW(nullptr, TRUE, FALSE, nullptr);
        LONG role = -1;
        std::wstring name;
        std::wstring buttonName;
        HRESULT afterwards = S_OK;
        std::atomic<bool> read{false};
    };
    auto reader = std::make_shared<Reader>();
    std::thread thread;
    HWND shown = nullptr;
    const long answer = RunPopup(library, kLogonDetect, [&](HWND popup) {
        if (!IsFullyOut(popup))
            return false;
        if (!shown)
        {
            shown = popup;
            const HWND stop = GetDlgItem(popup, 1381);
            thread = std::thread([reader, popup, stop] {
                CoInitializeEx(nullptr, COINIT_MULTITHREADED);
                {
                    ComRef<IAccessible> alert = AccessibleOf(popup);
                    if (alert)
                    {
                        reader->role = RoleOf(alert.Get());
                        reader->name = NameOf(alert.Get());
                        ComRef<IAccessible> button = AccessibleOf(stop);
                        if (button)
                            reader->buttonName = NameOf(button.Get());
                    }
                    reader->read = true;
                    WaitForSingleObject(reader->readAgain, 10000);
                    if (alert)
                    {
                        BSTR name = nullptr;
                        reader->afterwards = alert->get_accName(Self(), &name);
                        SysFreeString(name);
                    }
                }
                CoUninitialize();
            });
            return false;
        }
        if (!reader->read)
            return false;  // the reader's calls are served here, by this loop, meanwhile
        popuptest::PostCommand(popup, 1382);
        return true;
    });
    EXPECT_EQ(answer, 0);
    SetEvent(reader->readAgain);
    thread.join();
    CloseHandle(reader->readAgain);
    EXPECT_EQ(reader->role, ROLE_SYSTEM_ALERT);
    EXPECT_EQ(reader->name, kLogonDetect.title);
    EXPECT_EQ(reader->buttonName, L"Stop");
    EXPECT_TRUE(FAILED(reader->afterwards)) << std::hex << reader->afterwards;
}

} // namespace

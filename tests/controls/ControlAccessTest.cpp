// The skin button and the hyperlink for people without a mouse: what a screen reader reads of them
// and how it presses them, and the dialog keys a skin button answers where no dialog manager runs.
#include "TestSupport.h"
#include "accessibility/AccessTestSupport.h"

#include "jnCommonGUI/HyperLinkIcon.h"
#include "jnCommonGUI/SkinButton.h"

#include <gtest/gtest.h>

using namespace testing_controls;
using namespace accesstest;

namespace {

constexpr int kFirstId = 1381;
constexpr int kSecondId = 1382;
constexpr int kLinkId = 1347;

// Key messages as the keyboard driver makes them: the first press, or one repeated while held.
constexpr LPARAM kFirstPress = 0x00000001;
constexpr LPARAM kRepeated = 0x40000001;

// The Shift key held down for this thread while the object lives.
class ShiftHeld
{
public:
    ShiftHeld()
    {
        GetKeyboardState(m_saved);
        BYTE held[256];
        GetKeyboardState(held);
        held[VK_SHIFT] = 0x80;
        SetKeyboardState(held);
    }
    ~ShiftHeld() { SetKeyboardState(m_saved); }
    ShiftHeld(const ShiftHeld&) = delete;
    ShiftHeld& operator=(const ShiftHeld&) = delete;

private:
    BYTE m_saved[256] = {};
};

class ControlAccess : public ::testing::Test
{
protected:
    void SetUp() override
    {
        dialog->Clear();
        SetCursorPos(1270, 1010);
        PumpMessages(1);
    }
    void TearDown() override { dialog->Clear(); }

    HWND MakeButton(CSkinButton& button, const wchar_t* caption, int id, int left)
    {
        HWND window = dialog->AddControl(L"BUTTON", caption, BS_PUSHBUTTON | WS_TABSTOP, left, 20, 75, 23, id);
        EXPECT_TRUE(button.SubclassWindow(window));
        ScopedBitmap strip(MakeStrip(18, 21, 5));
        EXPECT_TRUE(button.SetBitmapStrip(strip.Get(), 18, 21, 3, 2, 0));
        return window;
    }

    TestDialog* dialog = &TestDialog::Shared();
};

TEST_F(ControlAccess, AFocusedSkinButtonAnswersEnterEscapeAndTabAsADialogWould)
{
    CSkinButton first;
    CSkinButton second;
    HWND firstWindow = MakeButton(first, L"OK", kFirstId, 20);
    HWND secondWindow = MakeButton(second, L"Cancel", kSecondId, 110);
    SetFocus(firstWindow);

    SendMessageW(firstWindow, WM_KEYDOWN, VK_RETURN, kFirstPress);
    ASSERT_EQ(dialog->commands.size(), 1u);
    EXPECT_EQ(dialog->commands[0], kFirstId) << "Enter: the click's command";
    SendMessageW(firstWindow, WM_KEYDOWN, VK_RETURN, kRepeated);
    SendMessageW(firstWindow, WM_KEYDOWN, VK_ESCAPE, kRepeated);
    EXPECT_EQ(dialog->commands.size(), 1u) << "a held key answers once";

    SendMessageW(firstWindow, WM_KEYDOWN, VK_ESCAPE, kFirstPress);
    ASSERT_EQ(dialog->commands.size(), 2u);
    EXPECT_EQ(dialog->commands[1], IDCANCEL) << "Escape: the dialog's IDCANCEL";

    SendMessageW(firstWindow, WM_KEYDOWN, VK_TAB, kFirstPress);
    EXPECT_EQ(GetFocus(), secondWindow) << "Tab: the next control";
    {
        ShiftHeld shift;
        SendMessageW(secondWindow, WM_KEYDOWN, VK_TAB, kFirstPress);
    }
    EXPECT_EQ(GetFocus(), firstWindow) << "Shift+Tab: the one before";
    EXPECT_EQ(dialog->commands.size(), 2u);

    // Space keeps its own way: pressed while down, clicked when it comes up.
    SendMessageW(firstWindow, WM_KEYDOWN, VK_SPACE, kFirstPress);
    EXPECT_EQ(first.GetState(), StatePressed);
    SendMessageW(firstWindow, WM_KEYUP, VK_SPACE, 0xC0000001);
    PumpMessages(1);
    ASSERT_EQ(dialog->commands.size(), 3u);
    EXPECT_EQ(dialog->commands[2], kFirstId);
}

TEST_F(ControlAccess, AScreenReaderReadsASkinButtonAndPressesItAsAClick)
{
    CSkinButton button;
    HWND window = MakeButton(button, L"OK && more", kFirstId, 20);
    HWND other = dialog->AddControl(L"BUTTON", L"other", BS_PUSHBUTTON | WS_TABSTOP, 200, 20, 75, 23, kSecondId);
    SetFocus(other);
    ComRef<IAccessible> object = AccessibleOf(window);
    ASSERT_TRUE(object);

    EXPECT_EQ(RoleOf(object.Get()), ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(NameOf(object.Get()), L"OK && more") << "the caption as drawn";
    EXPECT_EQ(DefaultActionOf(object.Get()), L"Press");
    EXPECT_EQ(StateOf(object.Get()), STATE_SYSTEM_FOCUSABLE);

    SetFocus(window);
    EXPECT_EQ(StateOf(object.Get()), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED);
    SendMessageW(window, WM_KEYDOWN, VK_SPACE, kFirstPress);
    EXPECT_EQ(StateOf(object.Get()), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_FOCUSED | STATE_SYSTEM_PRESSED);
    SendMessageW(window, WM_KEYUP, VK_SPACE, 0xC0000001);
    PumpMessages(1);
    dialog->commands.clear();
    SetFocus(other);
    SendMessageW(window, BM_SETSTYLE, BS_DEFPUSHBUTTON, TRUE);
    EXPECT_EQ(StateOf(object.Get()), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_DEFAULT);
    SendMessageW(window, BM_SETSTYLE, BS_PUSHBUTTON, TRUE);

    // The default action is the click's command, posted: it comes after the call, and the focus stays.
    EXPECT_EQ(object->accDoDefaultAction(Self()), S_OK);
    EXPECT_TRUE(dialog->commands.empty());
    PumpMessages(1);
    ASSERT_EQ(dialog->commands.size(), 1u);
    EXPECT_EQ(dialog->commands[0], kFirstId);
    EXPECT_EQ(GetFocus(), other);

    // What no user can press, a screen reader cannot either.
    EnableWindow(window, FALSE);
    EXPECT_EQ(StateOf(object.Get()), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_UNAVAILABLE);
    EXPECT_EQ(object->accDoDefaultAction(Self()), E_FAIL);
    EnableWindow(window, TRUE);
    ShowWindow(window, SW_HIDE);
    EXPECT_EQ(StateOf(object.Get()), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE);
    EXPECT_EQ(object->accDoDefaultAction(Self()), E_FAIL);
    PumpMessages(1);
    EXPECT_EQ(dialog->commands.size(), 1u);

    // Where it is comes from its window.
    ShowWindow(window, SW_SHOW);
    RECT frame = {};
    GetWindowRect(window, &frame);
    EXPECT_TRUE(LocationOf(object.Get()) == frame);

    // Bad arguments are refused, not followed.
    EXPECT_EQ(object->get_accName(Self(), nullptr), E_POINTER);
    EXPECT_EQ(object->get_accRole(Self(), nullptr), E_POINTER);
    long top = 0, width = 0, height = 0;
    EXPECT_EQ(object->accLocation(nullptr, &top, &width, &height, Self()), E_POINTER);
}

// A client that holds the object longer than the button: the object forgets it, whether the window
// went or the button let it go.
TEST_F(ControlAccess, AHeldButtonObjectIsCutOffWhenTheButtonGoes)
{
    ComRef<IAccessible> ofDestroyedWindow;
    ComRef<IAccessible> ofReleasedButton;
    HWND kept = nullptr;
    {
        CSkinButton destroyed;
        CSkinButton released;
        HWND window = MakeButton(destroyed, L"gone", kFirstId, 20);
        kept = MakeButton(released, L"kept", kSecondId, 110);
        ofDestroyedWindow = AccessibleOf(window);
        ofReleasedButton = AccessibleOf(kept);
        ASSERT_TRUE(ofDestroyedWindow);
        ASSERT_TRUE(ofReleasedButton);
        DestroyWindow(window);
        BSTR name = nullptr;
        EXPECT_EQ(ofDestroyedWindow->get_accName(Self(), &name), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(ofDestroyedWindow->accDoDefaultAction(Self()), CO_E_OBJNOTCONNECTED);
        EXPECT_EQ(NameOf(ofReleasedButton.Get()), L"kept");
    }
    ASSERT_TRUE(IsWindow(kept));
    BSTR name = nullptr;
    EXPECT_EQ(ofReleasedButton->get_accName(Self(), &name), CO_E_OBJNOTCONNECTED);
    EXPECT_EQ(ofReleasedButton->accDoDefaultAction(Self()), CO_E_OBJNOTCONNECTED);
    PumpMessages(1);
    EXPECT_TRUE(dialog->commands.empty());
}

TEST_F(ControlAccess, AScreenReaderReadsTheLinkAndFollowsIt)
{
    CHyperLinkIcon link;
    HWND window = dialog->AddControl(L"STATIC", L"#Click here", 0, 20, 60, 200, 20, kLinkId);
    ASSERT_TRUE(link.SubclassWindow(window));
    link.SetLinkExtendedStyle(kLinkCommandButton | kLinkNoTooltip);
    link.SetLabel(L"Click here for more information");
    ComRef<IAccessible> object = AccessibleOf(window);
    ASSERT_TRUE(object);
    EXPECT_EQ(RoleOf(object.Get()), ROLE_SYSTEM_LINK);
    EXPECT_EQ(NameOf(object.Get()), L"Click here for more information");
    EXPECT_EQ(ValueOf(object.Get()), L"") << "a command link has no target";
    EXPECT_EQ(DefaultActionOf(object.Get()), L"Jump");
    EXPECT_EQ(StateOf(object.Get()), STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_LINKED);

    EXPECT_EQ(object->accDoDefaultAction(Self()), S_OK);
    EXPECT_TRUE(dialog->commands.empty()) << "followed inside the screen reader's call";
    PumpMessages(1);
    ASSERT_EQ(dialog->commands.size(), 1u);
    EXPECT_EQ(dialog->commands[0], kLinkId);

    // A link without a label is named and valued by its target.
    link.SetLabel(L"");
    link.SetHyperLink(L"https://example.invalid/info");
    EXPECT_EQ(NameOf(object.Get()), L"https://example.invalid/info");
    EXPECT_EQ(ValueOf(object.Get()), L"https://example.invalid/info");

    DestroyWindow(window);
    BSTR name = nullptr;
    EXPECT_EQ(object->get_accName(Self(), &name), CO_E_OBJNOTCONNECTED);
}

} // namespace

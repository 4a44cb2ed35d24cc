// Where the pop-ups' texts come from: the language named in the registry (the user's first, then
// the machine's), its file in the "Language" folder beside the host, and the fall-backs: the
// built-in English text when the file is missing, "*" and the key for a key the file lacks.
#include "popups/PopupTestSupport.h"
#include "support/FileBytes.h"
#include "support/RegistrySandbox.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

using namespace popuptest;
using testsupport::RegistryValueOverride;

const wchar_t kLanguageKey[] = L"Software\\Orvanta\\Orvanta Utilities\\Language";

// Control id -> text, of each pop-up.
typedef std::map<int, std::wstring> Texts;

struct Expected
{
    Texts warning;
    Texts afterTasks;
    Texts logonDetect;
};

const Expected kEnglish = {
    {{1383, L"System shutdown"},
     {1384, L"There are incomplete tasks in execution queue."},
     {1208, L"Shutdown will interrupt execution of these tasks that can cause to data loss. Cancel shutdown?"},
     {1381, L"Cancel"},
     {1382, L"Shutdown"},
     {1385, L"Lumeris"}},
    {{1383, L"System shutdown"},
     {1384, L"Your system will shut down."},
     {1381, L"Shutdown"},
     {1382, L"Cancel"},
     {1208, L"Lumeris"}},
    {{1383, L"Logon Detecting"},
     {1384, L"Please wait when your system completely starts.\nPlease do not run any programs."},
     {1381, L"Stop"},
     {1382, L"Hide"},
     {1208, L"Lumeris"}},
};

const Expected kGerman = {
    {{1383, L"Herunterfahren"},
     {1384, L"Die Warteschlange enth\u00e4lt unerledigte Aufgaben."},
     {1208, L"Das Herunterfahren unterbricht diese Aufgaben und kann zu Datenverlust f\u00fchren. Herunterfahren "
            L"abbrechen?"},
     {1381, L"Abbrechen"},
     {1382, L"Ausschalten"},
     {1385, L"Lumeris"}},
    {{1383, L"Herunterfahren"},
     {1384, L"Das System wird heruntergefahren."},
     {1381, L"Ausschalten"},
     {1382, L"Abbrechen"},
     {1208, L"Lumeris"}},
    {{1383, L"Anmeldung l\u00e4uft"},
     {1384, L"Warten Sie, bis das System vollst\u00e4ndig gestartet ist.\nStarten Sie keine Programme."},
     {1381, L"Stopp"},
     {1382, L"Ausblenden"},
     {1208, L"Lumeris"}},
};

// A language file of the test's own, UTF-8 with its mark on an empty first line; two keys are
// missing and one line of another section uses a pop-up key.
const char kProbeFile[] =
    "\xEF\xBB\xBF\r\n"
    "[XJNTrayNotifications]\r\n"
    "XJNS_SHUTDOWN_YES=Keep on\r\n"
    "XJNS_SHUTDOWN_NO=Switch off\r\n"
    "XJNS_SHUTDOWN_WARNING_TITLE=Probe title \xC3\xA9t\xC3\xA9\r\n"
    "XJNS_SHUTDOWN_WARNING=Probe warning\r\n"
    "XJNS_TRAY_SHUTDOWN_BUTTON_OK_TEXT=Go\r\n"
    "XJNS_TRAY_SHUTDOWN_BUTTON_CANCEL_TEXT=Stay\r\n"
    "XJNS_TRAY_SHUTDOWN_MAIN_TEXT=Probe main\r\n"
    "[Other]\r\n"
    "XJNS_TRAY_SHUTDOWN_SUB_TEXT=not in the pop-ups' section\r\n";

const Expected kProbe = {
    {{1383, L"Probe title \u00e9t\u00e9"},
     {1384, L"Probe warning"},
     {1208, L"*XJNS_SHUTDOWN_WARNINGTIP"},
     {1381, L"Keep on"},
     {1382, L"Switch off"},
     {1385, L"Lumeris"}},
    {{1383, L"Probe main"},
     {1384, L"*XJNS_TRAY_SHUTDOWN_SUB_TEXT"},
     {1381, L"Go"},
     {1382, L"Stay"},
     {1208, L"Lumeris"}},
    {{1383, L"*XJNS_LOGONDETECT_TITLE"},
     {1384, L"*XJNS_LOGONDETECT_MESSAGE"},
     {1381, L"*XJNS_LOGONDETECT_YES"},
     {1382, L"*XJNS_LOGONDETECT_NO"},
     {1208, L"Lumeris"}},
};

// The "Language" folder beside this program, where the library looks for the file.
std::wstring LanguageFolder()
{
    wchar_t executable[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, executable, MAX_PATH);
    const std::wstring path = executable;
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"Language\\";
}

// A language file that exists for the object's lifetime.
class LanguageFile
{
public:
    LanguageFile(const std::wstring& name, const std::string& bytes) : m_path(LanguageFolder() + name + L".lng")
    {
        testsupport::WriteFileBytes(m_path, bytes);
    }
    ~LanguageFile() { DeleteFileW(m_path.c_str()); }

private:
    std::wstring m_path;
};

Texts ReadTexts(HWND popup, const Texts& wanted)
{
    Texts found;
    for (const auto& entry : wanted)
        found[entry.first] = WindowText(GetDlgItem(popup, entry.first));
    return found;
}

// Shows the pop-up, reads the texts of the wanted controls and answers it without waiting.
Texts TextsShown(TrayExports::ChoiceCall show, const Texts& wanted)
{
    Texts found;
    PopupWatch watch(WhenShown([&](HWND popup) {
        found = ReadTexts(popup, wanted);
        DriveSlideIn(popup);
        AnswerAndDriveOut(popup, 1382);
    }));
    DWORD choice = 0;
    show(&choice);
    return found;
}

// The logon-detect notice sets its texts when its window is made: read at once, then hidden.
Texts LogonDetectTextsShown(const TrayExports& library, const Texts& wanted)
{
    Texts found;
    if (library.showLogonDetect(nullptr, 0))
    {
        found = ReadTexts(xjnhost::FindMarkedWindow(GetCurrentThreadId(), false), wanted);
        library.hideLogonDetect();
    }
    return found;
}

TEST(PopupLanguage, TextsComeFromTheLanguageTheRegistryNamesOrFallBack)
{
    const std::wstring probeName = L"XJNPopupProbe-" + std::to_wstring(GetCurrentProcessId());
    LanguageFile probe(probeName, kProbeFile);
    struct Case
    {
        const char* label;
        std::optional<std::wstring> user;
        std::optional<std::wstring> machine;
        const Expected& expected;
    };
    const Case cases[] = {
        {"the user's language", L"German", L"English", kGerman},
        {"the machine's language when the user has none", std::nullopt, L"German", kGerman},
        {"a language file nobody has seen", probeName, std::nullopt, kProbe},
        {"a file that does not exist: built-in English", L"NoSuchLanguage", std::nullopt, kEnglish},
        {"no language anywhere: English", std::nullopt, std::nullopt, kEnglish},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        RegistryValueOverride user(HKEY_CURRENT_USER, kLanguageKey, L"default");
        RegistryValueOverride machine(HKEY_LOCAL_MACHINE, kLanguageKey, L"default");
        if (c.user)
            ASSERT_TRUE(user.SetString(*c.user));
        else
            user.Remove();
        if (c.machine)
            ASSERT_TRUE(machine.SetString(*c.machine));
        else
            machine.Remove();

        TrayExports library;  // loaded now, so it reads the settings above
        ASSERT_TRUE(library.Complete());
        EXPECT_EQ(TextsShown(library.showShutdown, c.expected.warning), c.expected.warning);
        EXPECT_EQ(TextsShown(library.showAfterTasks, c.expected.afterTasks), c.expected.afterTasks);
        EXPECT_EQ(LogonDetectTextsShown(library, c.expected.logonDetect), c.expected.logonDetect);
    }
}

} // namespace

// Where the language comes from: the folder beside the host and the name in the registry.
#include "app/LanguageSetup.h"
#include "app/XJNTrayNotificationsApp.h"
#include "base/Registry.h"
#include "support/RegistrySandbox.h"
#include "support/TraceCapture.h"
#include "support/TraceLogSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using testsupport::RegistrySandbox;
using testsupport::TraceCapture;

const wchar_t kLanguageKey[] = L"Software\\Orvanta\\Orvanta Utilities\\Language";

// The executable's folder with "Language\" behind it, for any folder this program runs from.
std::wstring ExpectedLanguageFolder()
{
    wchar_t executable[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, executable, MAX_PATH);
    std::wstring folder = executable;
    return folder.substr(0, folder.find_last_of(L'\\') + 1) + L"Language\\";
}

TEST(LanguageSetup, TheLanguageFolderLiesBesideTheExecutable)
{
    EXPECT_EQ(HostLanguageDirectory(), ExpectedLanguageFolder());
}

TEST(LanguageSetup, TheUsersLanguageComesFirstThenTheMachines)
{
    struct Case
    {
        const char* label;
        std::function<void(const RegistrySandbox& user, const RegistrySandbox& machine)> store;
        bool found;
        const wchar_t* name;
    };
    const Case cases[] = {
        {"user and machine",
         [](const RegistrySandbox& u, const RegistrySandbox& m) {
             u.SetString(kLanguageKey, L"default", L"German");
             m.SetString(kLanguageKey, L"default", L"French");
         },
         true, L"German"},
        {"machine only",
         [](const RegistrySandbox&, const RegistrySandbox& m) { m.SetString(kLanguageKey, L"default", L"French"); },
         true, L"French"},
        {"an empty value is a value",
         [](const RegistrySandbox& u, const RegistrySandbox& m) {
             u.SetString(kLanguageKey, L"default", L"");
             m.SetString(kLanguageKey, L"default", L"French");
         },
         true, L""},
        {"another value name does not count",
         [](const RegistrySandbox& u, const RegistrySandbox&) { u.SetString(kLanguageKey, L"Default2", L"German"); },
         false, L""},
        {"neither", [](const RegistrySandbox&, const RegistrySandbox&) {}, false, L""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        RegistrySandbox user(L"LangUser");
        RegistrySandbox machine(L"LangMachine");
        c.store(user, machine);
        std::wstring name = L"untouched";
        EXPECT_EQ(ReadLanguageName(Registry(user.Key()), Registry(machine.Key()), name), c.found);
        EXPECT_EQ(name, c.found ? c.name : L"untouched");
    }
}

TEST(LanguageSetup, InitLanguageTracesTheFolderAndAMissingName)
{
    RecordingSink sink;
    const std::wstring folder = ExpectedLanguageFolder();

    for (bool named : {false, true})
    {
        SCOPED_TRACE(named ? "a language in the registry" : "no language in the registry");
        RegistrySandbox user(L"InitLangUser");
        RegistrySandbox machine(L"InitLangMachine");
        if (named)
            machine.SetString(kLanguageKey, L"default", L"German");
        CXJNTrayNotificationsApp app(sink, user.Key(), machine.Key());
        TraceCapture capture;
        app.InitLanguage();

        const auto records = capture.Records();
        ASSERT_EQ(records.size(), named ? 1u : 2u);
        EXPECT_EQ(records[0].type, static_cast<unsigned>(TRACE_INFO));
        EXPECT_EQ(records[0].message,
                  L"CXJNTrayNotificationsApp::InitLanguage() - Language directory is (" + folder + L")");
        EXPECT_EQ(records[0].source, L".\\XJNTrayNotificationApp");
        EXPECT_EQ(records[0].line, 184u);
        if (named)
            continue;
        EXPECT_EQ(records[1].type, static_cast<unsigned>(TRACE_ERROR));
        EXPECT_EQ(records[1].message, L"CXJNTrayNotificationsApp::InitLanguage() - Failed to receive language from "
                                      L"registry, using English as default.");
        EXPECT_EQ(records[1].source, L".\\XJNTrayNotificationApp");
        EXPECT_EQ(records[1].line, 193u);
    }
}

} // namespace

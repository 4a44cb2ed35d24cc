#include <gtest/gtest.h>
#include <windows.h>

TEST(Smoke, LibraryLoadsAndExportsItsCalls)
{
    HMODULE library = LoadLibraryW(L"XJNTrayNotifications.dll");
    ASSERT_NE(library, nullptr);
    for (const char* name : {"ShowShutdownDialog", "ShowLogonDetectDialog", "HideLogonDetectDialog",
                             "ShowShutdownAfterTaskCompletionDialog"})
        EXPECT_NE(GetProcAddress(library, name), nullptr) << name;
    FreeLibrary(library);
}

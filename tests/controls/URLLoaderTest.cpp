// Opening the product pages: the request the shell gets, and a real launch.
#include "TestSupport.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "support/TraceCapture.h"

#include "jnCommonGUI/URLLoader.h"
#include "lang/Language.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace testing_controls;
using testsupport::FileExists;
using testsupport::TempFolder;
using testsupport::TraceCapture;

namespace {

struct ShellRequest
{
    ULONG mask;
    std::wstring verb, file, parameters;
    int show;
};

std::vector<ShellRequest> g_requests;
BOOL g_shellAnswer = TRUE;

BOOL WINAPI RecordingShell(SHELLEXECUTEINFOW* request)
{
    g_requests.push_back({request->fMask, request->lpVerb ? request->lpVerb : L"<null>",
                          request->lpFile ? request->lpFile : L"<null>",
                          request->lpParameters ? request->lpParameters : L"<null>", request->nShow});
    request->hProcess = nullptr;
    return g_shellAnswer;
}

class URLLoaderTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        g_requests.clear();
        g_shellAnswer = TRUE;
    }
};

} // namespace

TEST_F(URLLoaderTest, OpensTheLanguageTextOfEachKey)
{
    struct Case
    {
        void (URLLoader::*open)() const;
        const wchar_t* key;
    } cases[] = {{&URLLoader::OpenProductInfo, L"XJNS_URL_PRODUCT_INFO"},
                 {&URLLoader::OpenProductSupport, L"XJNS_URL_PRODUCT_SUPPORT"}};
    const URLLoader loader{CDocumentLauncher(&RecordingShell)};
    for (const Case& c : cases)
    {
        g_requests.clear();
        (loader.*c.open)();
        ASSERT_EQ(g_requests.size(), 1u);
        const ShellRequest& request = g_requests[0];
        EXPECT_EQ(request.file, Language::GetInstance()->GetString(c.key, L"XJNMainGUI"));
        EXPECT_EQ(request.verb, L"open");
        EXPECT_EQ(request.parameters, L"");
        EXPECT_EQ(request.mask, static_cast<ULONG>(0x440));
        EXPECT_EQ(request.show, SW_SHOWNORMAL);
    }
}

TEST_F(URLLoaderTest, AFailedLaunchIsSilent)
{
    g_shellAnswer = FALSE;
    const URLLoader loader{CDocumentLauncher(&RecordingShell)};
    TraceCapture trace;
    loader.OpenProductSupport();
    EXPECT_EQ(g_requests.size(), 1u);
    EXPECT_TRUE(trace.Records().empty());
}

TEST_F(URLLoaderTest, LauncherRefusesAnEmptyDocument)
{
    const CDocumentLauncher launcher(&RecordingShell);
    EXPECT_FALSE(launcher.Launch(nullptr));
    EXPECT_FALSE(launcher.Launch(L""));
    EXPECT_TRUE(g_requests.empty());
}

TEST(DocumentLauncher, TheShellOpensTheDocument)
{
    TempFolder folder;
    const std::wstring marker = folder.File(L"launched.txt");
    const std::wstring script = folder.File(L"launch.bat");
    ASSERT_TRUE(WriteMarkerScript(script, marker));
    const CDocumentLauncher launcher;
    HANDLE process = nullptr;
    ASSERT_TRUE(launcher.Launch(script.c_str(), &process, true));
    EXPECT_TRUE(FileExists(marker)) << "waited for the started process";
    if (process)
        CloseHandle(process);

    // Without asking for anything, the launch still happens and nothing is left open.
    DeleteFileW(marker.c_str());
    ASSERT_TRUE(launcher.Launch(script.c_str()));
    for (int i = 0; i < 150 && !FileExists(marker); ++i)
        Sleep(20);
    EXPECT_TRUE(FileExists(marker));
}

TEST(DocumentLauncher, AMissingDocumentFailsWithoutAMessage)
{
    const CDocumentLauncher launcher;
    HANDLE process = reinterpret_cast<HANDLE>(1);
    EXPECT_FALSE(launcher.Launch(L"C:\\no\\such\\place\\nothing.xjnnothing", &process));
    EXPECT_EQ(process, nullptr);
}

// The blocking exports when memory runs out: in a child process whose address space is taken but
// for small holes, each export is made to read a language file larger than any hole. The
// allocation fails inside the library; the export answers 0, leaves the choice alone and says why
// in the trace log instead of ending the process.
#include "ExportsTestSupport.h"
#include "support/ChildProcess.h"
#include "support/FileBytes.h"
#include "support/RegistrySandbox.h"
#include "support/TraceCapture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kChildVariable[] = "XJN_OUT_OF_MEMORY_CHILD";
const wchar_t kLanguageName[] = L"XjnOutOfMemoryTest";
// Larger than any hole left in the address space, smaller than the library's limit for a file.
const size_t kLanguageFileBytes = 8 * 1024 * 1024;
const SIZE_T kLargestHoleLeft = 4 * 1024 * 1024;

// What the child found wrong, as bits of its exit code.
enum ChildFinding : DWORD
{
    kReturnedTrue = 1,
    kWroteTheChoice = 2,
    kNoTraceLine = 4,
    kNothingTaken = 8,
};

// Reserves the free address space in blocks, largest first, down to the given size, so that no
// block of that size can be had until it goes; the smaller holes keep the heap's everyday
// allocations going.
class AddressSpaceTaken
{
public:
    explicit AddressSpaceTaken(SIZE_T smallest)
    {
        for (SIZE_T size = 256 * 1024 * 1024; size >= smallest; size /= 4)
            while (void* taken = VirtualAlloc(nullptr, size, MEM_RESERVE, PAGE_NOACCESS))
                m_taken.push_back(taken);
    }
    ~AddressSpaceTaken()
    {
        for (void* taken : m_taken)
            VirtualFree(taken, 0, MEM_RELEASE);
    }
    AddressSpaceTaken(const AddressSpaceTaken&) = delete;
    AddressSpaceTaken& operator=(const AddressSpaceTaken&) = delete;

    bool Any() const { return !m_taken.empty(); }

private:
    std::vector<void*> m_taken;
};

// Runs only in the child: loads the library, takes the address space, calls the export that
// XJN_OUT_OF_MEMORY_CHILD names, and reports what it found in its exit code.
TEST(OutOfMemoryChild, DISABLED_Run)
{
    const char* what = std::getenv(kChildVariable);
    ASSERT_NE(what, nullptr);
    TrayLibrary library;
    ASSERT_TRUE(library.Complete());
    const std::string name = what;
    TrayLibrary::ChoiceCall show = name == "ShowShutdownDialog" ? library.showShutdown : library.showAfterTasks;
    testsupport::TraceCapture traces;
    DWORD findings = 0;
    DWORD choice = 0xDEAD;
    {
        AddressSpaceTaken taken(kLargestHoleLeft);
        if (!taken.Any())
            findings |= kNothingTaken;
        if (show(&choice))
            findings |= kReturnedTrue;
    }
    if (choice != 0xDEAD)
        findings |= kWroteTheChoice;
    const std::wstring expected = std::wstring(name.begin(), name.end()) + L" - out of memory, answered as a failure";
    const auto messages = traces.Messages();
    if (std::find(messages.begin(), messages.end(), expected) == messages.end())
        findings |= kNoTraceLine;
    ExitProcess(findings);
}

std::wstring ProgramFolder()
{
    wchar_t program[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring folder(program);
    return folder.substr(0, folder.find_last_of(L'\\') + 1);
}

TEST(OutOfMemory, TheBlockingExportsAnswerAsAFailureAndTheProcessLivesOn)
{
    // The language file beside the program, where the library looks for it.
    const std::wstring languageFile = ProgramFolder() + L"Language\\" + kLanguageName + L".lng";
    std::string text = "\xEF\xBB\xBF[XJNTrayNotifications]\r\nXJNS_SHUTDOWN_YES=Yes\r\n;";
    text.resize(kLanguageFileBytes, ' ');
    ASSERT_TRUE(testsupport::WriteFileBytes(languageFile, text));
    testsupport::RegistryValueOverride language(HKEY_CURRENT_USER, L"Software\\Orvanta\\Orvanta Utilities\\Language",
                                                L"default");
    ASSERT_TRUE(language.SetString(kLanguageName));
    for (const char* name : {"ShowShutdownDialog", "ShowShutdownAfterTaskCompletionDialog"})
    {
        SCOPED_TRACE(name);
        EXPECT_EQ(testsupport::RunChildTest("OutOfMemoryChild.DISABLED_Run", kChildVariable, name, 120000), 0u)
            << "bits: 1 returned TRUE, 2 wrote the choice, 4 no trace line, 8 nothing taken; 3 the process ended";
    }
    DeleteFileW(languageFile.c_str());
}

} // namespace

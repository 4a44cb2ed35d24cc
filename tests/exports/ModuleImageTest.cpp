// What the built modules export and import, read from their loaded images.
#include "ExportsTestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <set>
#include <string>

namespace {

const IMAGE_DATA_DIRECTORY& Directory(HMODULE module, int entry)
{
    auto* base = reinterpret_cast<const BYTE*>(module);
    auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS32*>(base + dos->e_lfanew);
    return nt->OptionalHeader.DataDirectory[entry];
}

std::set<std::string> ExportNames(HMODULE module)
{
    auto* base = reinterpret_cast<const BYTE*>(module);
    const IMAGE_DATA_DIRECTORY& directory = Directory(module, IMAGE_DIRECTORY_ENTRY_EXPORT);
    std::set<std::string> names;
    if (!directory.VirtualAddress)
        return names;
    auto* exports = reinterpret_cast<const IMAGE_EXPORT_DIRECTORY*>(base + directory.VirtualAddress);
    auto* nameTable = reinterpret_cast<const DWORD*>(base + exports->AddressOfNames);
    for (DWORD i = 0; i < exports->NumberOfNames; ++i)
        names.insert(reinterpret_cast<const char*>(base + nameTable[i]));
    return names;
}

std::string Lower(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

std::set<std::string> ImportedLibraries(HMODULE module)
{
    auto* base = reinterpret_cast<const BYTE*>(module);
    const IMAGE_DATA_DIRECTORY& directory = Directory(module, IMAGE_DIRECTORY_ENTRY_IMPORT);
    std::set<std::string> names;
    for (auto* import = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + directory.VirtualAddress);
         directory.VirtualAddress && import->Name; ++import)
        names.insert(Lower(reinterpret_cast<const char*>(base + import->Name)));
    return names;
}

// Windows' own libraries that the library may use, and the trace library beside it.
const std::set<std::string> kAllowedImports = {
    "kernel32.dll", "user32.dll",  "gdi32.dll",    "advapi32.dll", "msvcrt.dll",   "shell32.dll",
    "shlwapi.dll",  "ole32.dll",   "oleaut32.dll", "oleacc.dll",   "comctl32.dll", "msimg32.dll",  "gdiplus.dll",
    "dbghelp.dll",  "psapi.dll",   "uxtheme.dll",  "faultrep.dll", "version.dll",  "logvane.dll",
};

TEST(ModuleImage, TheLibraryExportsExactlyItsFourCallsByName)
{
    TrayLibrary library;
    ASSERT_NE(library.module, nullptr);
    EXPECT_EQ(ExportNames(library.module),
              (std::set<std::string>{"HideLogonDetectDialog", "ShowLogonDetectDialog",
                                     "ShowShutdownAfterTaskCompletionDialog", "ShowShutdownDialog"}));
}

TEST(ModuleImage, BothLibrariesImportOnlySystemLibrariesAndTheTraceLibrary)
{
    for (const wchar_t* name : {L"XJNTrayNotifications.dll", L"Logvane.dll"})
    {
        HMODULE module = LoadLibraryW(name);
        ASSERT_NE(module, nullptr);
        const auto imports = ImportedLibraries(module);
        EXPECT_TRUE(imports.count("kernel32.dll"));
        for (const std::string& import : imports)
            EXPECT_TRUE(kAllowedImports.count(import)) << "unexpected import " << import;
        FreeLibrary(module);
    }
}

} // namespace

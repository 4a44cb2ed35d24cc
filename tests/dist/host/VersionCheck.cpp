// Reads the version resource of each module named on the command line and checks that it
// carries the expected version: the fixed file and product version and the "FileVersion" and
// "ProductVersion" texts. Usage: VersionCheck <a.b.c.d> <module>...
// Prints one line per module; exit status 0 when every module agrees, else 1.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <string>
#include <vector>

namespace {

std::wstring FixedText(DWORD high, DWORD low)
{
    wchar_t text[64];
    std::swprintf(text, 64, L"%u.%u.%u.%u", HIWORD(high), LOWORD(high), HIWORD(low), LOWORD(low));
    return text;
}

std::wstring StringValue(const std::vector<BYTE>& block, const wchar_t* name)
{
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    void* value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length) || !value)
        return L"(none)";
    return static_cast<const wchar_t*>(value);
}

// The versions the module states, or a reason why there are none.
bool ModuleVersions(const wchar_t* module, std::vector<std::wstring>& versions)
{
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeW(module, &ignored);
    if (size == 0)
        return false;
    std::vector<BYTE> block(size);
    if (!GetFileVersionInfoW(module, 0, size, block.data()))
        return false;
    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed)
        return false;
    versions = {FixedText(fixed->dwFileVersionMS, fixed->dwFileVersionLS),
                FixedText(fixed->dwProductVersionMS, fixed->dwProductVersionLS),
                StringValue(block, L"FileVersion"), StringValue(block, L"ProductVersion")};
    return true;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: VersionCheck <a.b.c.d> <module>...\n");
        return 2;
    }
    const std::wstring expected = argv[1];
    int status = 0;
    for (int i = 2; i < argc; ++i)
    {
        std::vector<std::wstring> versions;
        if (!ModuleVersions(argv[i], versions))
        {
            std::printf("%ls: no version resource\n", argv[i]);
            status = 1;
            continue;
        }
        bool agrees = true;
        for (const auto& version : versions)
            agrees = agrees && version == expected;
        std::printf("%ls: file %ls, product %ls, FileVersion \"%ls\", ProductVersion \"%ls\"%s\n", argv[i],
                    versions[0].c_str(), versions[1].c_str(), versions[2].c_str(), versions[3].c_str(),
                    agrees ? "" : "  <- differs");
        if (!agrees)
            status = 1;
    }
    return status;
}

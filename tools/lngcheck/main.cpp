// lngcheck: tells a translator what the tray notifications will make of a language file.
// Usage: lngcheck <file.lng>...
// Exit status: 0 when no file has a problem that changes what the pop-ups show, 1 when one has,
// 2 when a file cannot be read or no file was given.
#include <cstdio>
#include <string>

#include <windows.h>

#include "base/BaseException.h"
#include "lang/ByteArray.h"
#include "lang/LanguageFileCheck.h"
#include "lang/ResourceString.h"

namespace {

const wchar_t kSection[] = L"XJNTrayNotifications";

void Print(const std::wstring& text)
{
    const std::string bytes = stdstr::fromUNICODE(text + L"\n", CP_UTF8);
    fwrite(bytes.data(), 1, bytes.size(), stdout);
}

const wchar_t* SeverityName(CheckSeverity severity)
{
    switch (severity)
    {
    case CheckSeverity::Note:
        return L"note";
    case CheckSeverity::Warning:
        return L"warning";
    case CheckSeverity::Problem:
        return L"problem";
    }
    return L"";
}

// The built-in English section the library falls back to, from the resource this tool carries.
bool LoadReference(LanguageSection& reference)
{
    CResourceString builtIn;
    if (!builtIn.loadResource(L"DEFAULTENGLANG", 237))
        return false;
    LanguageTable table;
    ParseLanguageText(builtIn, table);
    const auto section = table.find(kSection);
    if (section == table.end())
        return false;
    reference = section->second;
    return true;
}

// 0: fine, 1: problems, 2: unreadable.
int CheckFile(const wchar_t* path, const LanguageSection& reference)
{
    ByteArray bytes;
    try
    {
        bytes.FromFile(path);
    }
    catch (const BaseException&)
    {
        Print(std::wstring(path) + L": cannot be read");
        return 2;
    }
    const std::string content = bytes.GetSize() ? std::string(reinterpret_cast<const char*>(bytes.GetPtr(0)),
                                                              bytes.GetSize())
                                                : std::string();
    const LanguageFileReport report = CheckLanguageFile(content, reference, kSection);
    Print(std::wstring(path) + L": encoding " + report.encoding + L"; line ends " + report.lineEnds);
    for (const CheckFinding& finding : report.findings)
    {
        const std::wstring where = finding.line ? L"(" + std::to_wstring(finding.line) + L")" : L"";
        Print(std::wstring(path) + where + L": " + SeverityName(finding.severity) + L": " + finding.text);
    }
    Print(std::wstring(path) + L": " + std::to_wstring(report.Count(CheckSeverity::Problem)) + L" problem(s), " +
          std::to_wstring(report.Count(CheckSeverity::Warning)) + L" warning(s)");
    return report.HasProblems() ? 1 : 0;
}

} // namespace

int main()
{
    int argc = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    if (!argv || argc < 2)
    {
        Print(L"usage: lngcheck <file.lng>...");
        return 2;
    }
    LanguageSection reference;
    if (!LoadReference(reference))
    {
        Print(L"lngcheck: the built-in English text is missing");
        return 2;
    }
    int status = 0;
    for (int i = 1; i < argc; ++i)
    {
        const int result = CheckFile(argv[i], reference);
        if (result > status)
            status = result;
    }
    LocalFree(argv);
    return status;
}

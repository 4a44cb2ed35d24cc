// Loading a language file of about 1,300 keys and looking up the pop-ups' 21 texts through the
// library's own loader, against the same 21 lookups through GetPrivateProfileStringW on the same
// file. Prints figures; fails nothing.
#include <cstdio>
#include <string>
#include <vector>

#include <windows.h>

#include "BenchSupport.h"
#include "base/Path.h"
#include "lang/Language.h"
#include "lang/LanguageCatalog.h"

namespace {

const wchar_t kSection[] = L"XJNTrayNotifications";
const wchar_t* const kKeys[] = {
    L"XJNS_SHUTDOWN_WARNING",       L"XJNS_SHUTDOWN_YES",           L"XJNS_SHUTDOWN_NO",
    L"XJNS_SHUTDOWN_WARNING_TITLE", L"XJNS_SHUTDOWN_WARNINGTIP",    L"XJNS_TRAY_INFO",
    L"XJNS_NETLOGIN_WARNING",       L"XJNS_NETLOGIN_YES",           L"XJNS_NETLOGIN_NO",
    L"XJNS_NETLOGIN_WARNING_TITLE", L"XJNS_NETLOGIN_WARNINGTIP",    L"XJNS_LOGONDETECT_YES",
    L"XJNS_LOGONDETECT_NO",         L"XJNS_LOGONDETECT_TITLE",      L"XJNS_LOGONDETECT_MESSAGE",
    L"XJNS_DEFRAG_TOTAL_CPU_USAGE", L"XJNS_DEFRAG_TOTAL_DISK_USAGE", L"XJNS_TRAY_SHUTDOWN_BUTTON_OK_TEXT",
    L"XJNS_TRAY_SHUTDOWN_BUTTON_CANCEL_TEXT", L"XJNS_TRAY_SHUTDOWN_MAIN_TEXT", L"XJNS_TRAY_SHUTDOWN_SUB_TEXT"};
const int kRuns = 50;

// A file shaped like the product's: 1,214 + 44 keys in two sections, then the 21 of the pop-ups.
size_t WriteLanguageFile(const std::wstring& path)
{
    std::string text = "\xEF\xBB\xBF\r\n[XJNMainGUI]\r\n";
    for (int i = 0; i < 1214; ++i)
        text += "XJNS_MAIN_TEXT_" + std::to_string(i) + "=Main window text number " + std::to_string(i) +
                " with some words in it\r\n";
    text += "[XJNTrayGUI]\r\n";
    for (int i = 0; i < 44; ++i)
        text += "XJNS_TRAY_TEXT_" + std::to_string(i) + "=Tray text number " + std::to_string(i) + "\r\n";
    text += "[XJNTrayNotifications]\r\n";
    for (const wchar_t* key : kKeys)
    {
        const std::string narrow(key, key + wcslen(key));
        text += narrow + "=Text of " + narrow + "\r\n";
    }
    FILE* file = _wfopen(path.c_str(), L"wb");
    if (!file)
        return 0;
    fwrite(text.data(), 1, text.size(), file);
    fclose(file);
    return text.size();
}

struct Figures
{
    double best;
    double median;
    double first;
};

template <typename Run>
Figures Measure(Run run)
{
    std::vector<double> times;
    for (int i = 0; i < kRuns; ++i)
    {
        const double start = SecondsNow();
        run();
        times.push_back(SecondsNow() - start);
    }
    const Spread spread = SpreadOf(times);
    return {spread.best, spread.median, times.front()};
}

void Print(const char* what, const Figures& figures)
{
    printf("  %-46s first %8.1f us   best %8.1f us   median %8.1f us\n", what, figures.first * 1e6, figures.best * 1e6,
           figures.median * 1e6);
}

} // namespace

int main()
{
    CPath folder(CPath::TempDirectory);
    if (!folder.MakeUniqueTempDirectory(L"xjnb", 20) || !folder.CreateDirectory(false))
    {
        printf("cannot make a temporary folder\n");
        return 1;
    }
    const std::wstring directory = folder.GetPath();
    const std::wstring path = directory + L"Bench.lng";
    const size_t bytes = WriteLanguageFile(path);
    printf("language file: 1,279 keys in 3 sections, %u bytes; %d runs each\n", static_cast<unsigned>(bytes), kRuns);

    int misses = 0;
    const Figures ours = Measure([&] {
        LanguageCatalog catalog;
        catalog.SetLanguageFile(directory, L"Bench", 237, L"DEFAULTENGLANG", L"");
        catalog.Load();
        for (const wchar_t* key : kKeys)
            if (catalog.Lookup(key, kSection)[0] == L'*')
                ++misses;
    });
    const Figures profile = Measure([&] {
        wchar_t value[1024];
        for (const wchar_t* key : kKeys)
            if (GetPrivateProfileStringW(kSection, key, L"*", value, 1024, path.c_str()) == 0 || value[0] == L'*')
                ++misses;
    });
    Print("load + parse + 21 lookups (LanguageCatalog)", ours);
    Print("21 x GetPrivateProfileStringW", profile);
    printf("  the library's whole load costs %.2f (median) / %.2f (best) of the 21 profile calls%s\n",
           ours.median / profile.median, ours.best / profile.best, misses ? "  -- SOME LOOKUPS MISSED" : "");

    // One lookup through the process-wide object, as every pop-up makes it: key and section as
    // text; then with both as strings made beforehand.
    Language::SetLanguageFile(directory, L"Bench", 237, L"DEFAULTENGLANG", L"");
    Language::GetInstance();
    const int lookups = 200000;
    size_t length = 0;
    const double startText = SecondsNow();
    for (int i = 0; i < lookups; ++i)
        length += Language::GetInstance()->GetString(kKeys[i % 21], kSection).size();
    const double perTextLookup = (SecondsNow() - startText) / lookups;

    const std::vector<std::wstring> keys(std::begin(kKeys), std::end(kKeys));
    const std::wstring section = kSection;
    const double startStrings = SecondsNow();
    for (int i = 0; i < lookups; ++i)
        length += Language::GetInstance()->GetString(keys[i % 21], section).size();
    const double perStringLookup = (SecondsNow() - startStrings) / lookups;
    printf("  one lookup after the load (Language::GetInstance()->GetString): %.0f ns with text arguments, "
           "%.0f ns with string arguments (%u characters read)\n",
           perTextLookup * 1e9, perStringLookup * 1e9, static_cast<unsigned>(length));

    // Most of a lookup is the copy it returns: one heap allocation, slow under Wine.
    const double startCopy = SecondsNow();
    for (int i = 0; i < lookups; ++i)
        length += std::wstring(L"Text of XJNS_TRAY_SHUTDOWN_MAIN_TEXT").size();
    printf("  of which making a returned copy of that size alone: %.0f ns\n",
           (SecondsNow() - startCopy) / lookups * 1e9);

    folder.RemoveDirectory(true);
    return 0;
}

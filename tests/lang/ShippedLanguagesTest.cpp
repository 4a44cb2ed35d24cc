#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "EnglishTexts.h"
#include "base/Path.h"
#include "lang/LanguageCatalog.h"
#include "support/TraceCapture.h"

namespace {

using testsupport::TraceCapture;

const wchar_t* const kShipped[] = {L"English", L"German",  L"French",   L"Spanish",  L"Italian",
                                   L"PortugueseBrazil", L"Polish", L"Russian", L"Japanese", L"ChineseSimplified"};

// The "Language" folder the build puts beside the programs.
std::wstring LanguageFolder()
{
    CPath folder(CPath::ModuleDirectory);
    folder.AppendDirectory(L"Language");
    return folder.GetPath();
}

LanguageTable LoadShipped(const wchar_t* name, std::vector<std::wstring>& traces)
{
    TraceCapture capture;
    LanguageCatalog catalog;
    catalog.SetLanguageFile(LanguageFolder(), name, 237, L"DEFAULTENGLANG", L"");
    catalog.Load();
    traces = capture.Messages();
    return catalog.GetTable();
}

// Measures text as the pop-ups draw it.
class TextMeasure
{
public:
    TextMeasure() : m_dc(CreateCompatibleDC(nullptr)) {}
    ~TextMeasure() { DeleteDC(m_dc); }

    SIZE Extent(HFONT font, const std::wstring& text) const
    {
        const HGDIOBJ old = SelectObject(m_dc, font);
        SIZE size = {};
        GetTextExtentPoint32W(m_dc, text.c_str(), static_cast<int>(text.size()), &size);
        SelectObject(m_dc, old);
        return size;
    }
    int WrappedLines(HFONT font, const std::wstring& text, int width) const
    {
        const HGDIOBJ old = SelectObject(m_dc, font);
        RECT box = {0, 0, width, 0};
        const int height = DrawTextW(m_dc, text.c_str(), static_cast<int>(text.size()), &box,
                                     DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
        TEXTMETRICW metrics;
        GetTextMetricsW(m_dc, &metrics);
        SelectObject(m_dc, old);
        return (height + metrics.tmHeight - 1) / metrics.tmHeight;
    }

private:
    HDC m_dc;
};

struct Font
{
    explicit Font(HFONT handle) : handle(handle) {}
    ~Font() { DeleteObject(handle); }
    HFONT handle;
};

HFONT MakeFont(int height, int weight, const wchar_t* face)
{
    return CreateFontW(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

} // namespace

TEST(ShippedLanguages, EveryFileLoadsAndHasEveryBuiltInKey)
{
    LanguageCatalog builtIn;
    builtIn.SetLanguageFile(L"C:\\nowhere\\", L"None", 237, L"DEFAULTENGLANG", L"");
    builtIn.Load();
    const LanguageSection& english = builtIn.GetTable().at(kTraySection);
    ASSERT_EQ(english.size(), EnglishTrayTexts().size());

    for (const wchar_t* name : kShipped)
    {
        std::vector<std::wstring> traces;
        const LanguageTable table = LoadShipped(name, traces);
        EXPECT_TRUE(traces.empty()) << name << " was not used: " << (traces.empty() ? L"" : traces[0]).c_str();
        ASSERT_EQ(table.count(kTraySection), 1u) << name;
        const LanguageSection& section = table.at(kTraySection);
        for (const auto& entry : english)
        {
            ASSERT_EQ(section.count(entry.first), 1u) << name << " lacks " << entry.first.c_str();
            EXPECT_FALSE(section.at(entry.first).empty()) << name << " " << entry.first.c_str();
        }
        EXPECT_EQ(section.size(), english.size()) << name;
        if (std::wstring(name) != L"English")
        {
            // Translated: the long texts are not the English ones.
            EXPECT_NE(section.at(L"XJNS_SHUTDOWN_WARNINGTIP"), english.at(L"XJNS_SHUTDOWN_WARNINGTIP")) << name;
            EXPECT_NE(section.at(L"XJNS_LOGONDETECT_MESSAGE"), english.at(L"XJNS_LOGONDETECT_MESSAGE")) << name;
        }
        EXPECT_NE(section.at(L"XJNS_LOGONDETECT_MESSAGE").find(L'\n'), std::wstring::npos) << name;
    }
}

TEST(ShippedLanguages, TextsFitThePopups)
{
    // Captions in the dialog font on 75-pixel buttons with a 3-pixel border; titles on one line of
    // the 163-pixel title control; the short texts in the 200-pixel text controls in no more lines
    // than the control holds or the English needs. Under Wine every face falls back to a wider
    // one, so what fits here fits in the real fonts too.
    const Font buttonFont(MakeFont(-MulDiv(8, 96, 72), FW_NORMAL, L"Microsoft Sans Serif"));
    const Font titleFont(MakeFont(18, FW_BOLD, L"Arial"));
    const Font bodyFont(MakeFont(14, FW_BOLD, L"Arial"));
    const TextMeasure measure;
    const wchar_t* const buttons[] = {L"XJNS_SHUTDOWN_YES",    L"XJNS_SHUTDOWN_NO",
                                      L"XJNS_NETLOGIN_YES",    L"XJNS_NETLOGIN_NO",
                                      L"XJNS_LOGONDETECT_YES", L"XJNS_LOGONDETECT_NO",
                                      L"XJNS_TRAY_SHUTDOWN_BUTTON_OK_TEXT", L"XJNS_TRAY_SHUTDOWN_BUTTON_CANCEL_TEXT"};
    const wchar_t* const titles[] = {L"XJNS_SHUTDOWN_WARNING_TITLE", L"XJNS_NETLOGIN_WARNING_TITLE",
                                     L"XJNS_LOGONDETECT_TITLE", L"XJNS_TRAY_SHUTDOWN_MAIN_TEXT"};
    struct Body
    {
        const wchar_t* key;
        int heightInDialogUnits;
    };
    const Body bodies[] = {{L"XJNS_SHUTDOWN_WARNING", 16}, {L"XJNS_LOGONDETECT_MESSAGE", 25},
                           {L"XJNS_TRAY_SHUTDOWN_SUB_TEXT", 25}};
    const int bodyLineHeight = measure.Extent(bodyFont.handle, L"Xg").cy;

    std::vector<std::wstring> traces;
    const LanguageSection english = LoadShipped(L"English", traces).at(kTraySection);
    for (const wchar_t* name : kShipped)
    {
        const LanguageSection section = LoadShipped(name, traces).at(kTraySection);
        for (const wchar_t* key : buttons)
            EXPECT_LE(measure.Extent(buttonFont.handle, section.at(key)).cx, 75 - 2 * 3) << name << " " << key;
        for (const wchar_t* key : titles)
            EXPECT_LE(measure.Extent(titleFont.handle, section.at(key)).cx, 163) << name << " " << key;
        for (const Body& body : bodies)
        {
            // 194 dialog units are the 274 pixels of the pop-up's height.
            const int controlLines = MulDiv(body.heightInDialogUnits, 274, 194) / bodyLineHeight;
            const int englishLines = measure.WrappedLines(bodyFont.handle, english.at(body.key), 200);
            EXPECT_LE(measure.WrappedLines(bodyFont.handle, section.at(body.key), 200),
                      std::max(controlLines, englishLines))
                << name << " " << body.key;
        }
    }
}

// A host built from the host bundle alone: the public header and the import library (the
// library is bound at load time, not loaded by name), plus the bundle's pop-up finder.
// Usage: ArchiveHost <expected warning text> <button id> [screenshot.png]
// Shows the shutdown warning, checks that it says the expected text, takes the picture, presses
// the button and prints the answer. Exit status 0 when the warning showed its text and the call
// answered, else 1.
#include "PopupAutomation.h"
#include "Screenshot.h"
#include "XJNTrayNotifications.h"

#include <cstdio>
#include <cwchar>
#include <functional>
#include <thread>

namespace {

struct TextSearch
{
    const wchar_t* text;
    bool found;
};

BOOL CALLBACK CheckChildText(HWND child, LPARAM param)
{
    auto* search = reinterpret_cast<TextSearch*>(param);
    wchar_t text[512] = {};
    GetWindowTextW(child, text, 512);
    search->found = std::wcscmp(text, search->text) == 0;
    return search->found ? FALSE : TRUE;
}

// Acts as the user: waits for the pop-up to come out, reads it, photographs it, presses. True
// when the pop-up showed the expected text.
void Answer(DWORD hostThread, const wchar_t* expectedText, WORD buttonId, const wchar_t* screenshot, bool& shown)
{
    HWND popup = xjnhost::WaitForSettledPopup(hostThread, 20000);
    if (!popup)
    {
        std::printf("no pop-up appeared\n");
        return;  // the warning times out by itself
    }
    TextSearch search{expectedText, false};
    EnumChildWindows(popup, &CheckChildText, reinterpret_cast<LPARAM>(&search));
    shown = search.found;
    std::printf("pop-up %s the warning text\n", shown ? "shows" : "does NOT show");
    if (screenshot)
    {
        GdiPlusSession gdiplus;
        std::printf("screenshot: %s\n", SaveWindowPng(popup, screenshot) ? "saved" : "FAILED");
    }
    std::printf("pressing %u\n", buttonId);
    std::fflush(stdout);
    PostMessageW(popup, WM_COMMAND, MAKEWPARAM(buttonId, 0), 0);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc < 3)
    {
        std::fprintf(stderr, "usage: ArchiveHost <expected warning text> <button id> [screenshot.png]\n");
        return 2;
    }
    const WORD buttonId = static_cast<WORD>(std::wcstoul(argv[2], nullptr, 10));
    bool shown = false;
    std::thread user(Answer, GetCurrentThreadId(), argv[1], buttonId, argc > 3 ? argv[3] : nullptr,
                     std::ref(shown));
    DWORD choice = 0xFFFFFFFF;
    const BOOL result = ShowShutdownDialog(&choice);
    user.join();
    std::printf("ShowShutdownDialog returned %d, choice %lu\n", result, choice);
    return result && shown ? 0 : 1;
}

#include "notifications/DialogPages.h"

#include <cwchar>

namespace {

struct Search
{
    HWND dialog;
    bool found;
};

bool HasAncestor(HWND window, HWND ancestor)
{
    for (HWND up = GetParent(window); up; up = GetParent(up))
        if (up == ancestor)
            return true;
    return false;
}

BOOL CALLBACK CheckWindow(HWND window, LPARAM param)
{
    auto* search = reinterpret_cast<Search*>(param);
    wchar_t className[16] = {};
    if (!IsWindowVisible(window) || (GetWindowLongW(window, GWL_STYLE) & WS_CHILD) ||
        (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return TRUE;
    if (!GetClassNameW(window, className, 16) || std::wcscmp(className, L"#32770") != 0)
        return TRUE;
    if (!HasAncestor(window, search->dialog))
        return TRUE;
    search->found = true;
    return FALSE;
}

} // namespace

bool HasOpenOwnedDialog(HWND dialog)
{
    Search search = {dialog, false};
    EnumWindows(CheckWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

SIZE PageSizeWithin(const RECT& page, const RECT& client, int rightMargin, int bottomMargin)
{
    return {client.right - rightMargin - page.left, client.bottom - bottomMargin - page.top};
}

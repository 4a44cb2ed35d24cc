#include "base/OSErrorText.h"

stdstr GetOSErrorText(DWORD errorCode)
{
    stdstr text(L"Windows OS Error: ");
    wchar_t* message = nullptr;
    // No arguments are passed, so inserts stay as raw text instead of being read from nowhere.
    const DWORD flags = FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                        FORMAT_MESSAGE_ARGUMENT_ARRAY | FORMAT_MESSAGE_IGNORE_INSERTS;
    const DWORD length = FormatMessageW(flags, nullptr, errorCode, 0, reinterpret_cast<wchar_t*>(&message), 0,
                                        nullptr);
    if (length == 0 || !message)
    {
        if (message)
            LocalFree(message);
        return stdstr().Format(L"%d", static_cast<int>(errorCode));
    }
    text.append(message, length);
    LocalFree(message);
    size_t cut = text.find(L"\r\n");
    if (cut == stdstr::npos)
        cut = text.find(L'\n');
    if (cut != stdstr::npos)
        text.erase(cut);
    return text;
}

stdstr GetLastOSErrorText()
{
    return GetOSErrorText(GetLastError());
}

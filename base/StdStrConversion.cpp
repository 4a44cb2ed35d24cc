// The conversions of stdstr, which the system's code-page tables do.
#include "base/StdStr.h"

#include <memory>

#include "base/BaseException.h"
#include "base/MessageConstants.h"
#include "base/OSErrorText.h"

namespace {

const wchar_t kSource[] = L".\\std string";

[[noreturn]] void ThrowConversionError(unsigned line, const wchar_t* operation, const wchar_t* systemFunction)
{
    const DWORD code = GetLastError();
    throw BaseException(kSource, line, code, operation, MessageFormat::Fields3, MessageKey::FWFuncFailed,
                        systemFunction, GetOSErrorText(code).c_str());
}

stdstr WideFromUtf8(const char* text, const wchar_t* operation, unsigned line)
{
    const char* input = text ? text : "";
    const int needed = MultiByteToWideChar(CP_UTF8, 0, input, -1, nullptr, 0);
    if (needed == 0)
        ThrowConversionError(line, operation, L"MultiByteToWideChar");
    std::unique_ptr<wchar_t[]> buffer(new wchar_t[needed + 1]());
    if (MultiByteToWideChar(CP_UTF8, 0, input, -1, buffer.get(), needed) == 0)
        ThrowConversionError(line, operation, L"MultiByteToWideChar");
    return stdstr(buffer.get());
}

std::string NarrowFromWide(const wchar_t* text, UINT codePage, const wchar_t* operation, unsigned line)
{
    const wchar_t* input = text ? text : L"";
    const int needed = WideCharToMultiByte(codePage, 0, input, -1, nullptr, 0, nullptr, nullptr);
    if (needed == 0)
        ThrowConversionError(line, operation, L"WideCharToMultiByte");
    std::unique_ptr<char[]> buffer(new char[needed + 1]());
    if (WideCharToMultiByte(codePage, 0, input, -1, buffer.get(), needed, nullptr, nullptr) == 0)
        ThrowConversionError(line, operation, L"WideCharToMultiByte");
    return std::string(buffer.get());
}

} // namespace

stdstr stdstr::toUNICODE(const std::string& text)
{
    return WideFromUtf8(text.c_str(), L"stdstr::toUNICODE()", __LINE__);
}

stdstr stdstr::toTString(const char* text)
{
    return WideFromUtf8(text, L"stdstr::toTString()", __LINE__);
}

std::string stdstr::fromUNICODE(const std::wstring& text, UINT codePage)
{
    return NarrowFromWide(text.c_str(), codePage, L"stdstr::fromUNICODE()", __LINE__);
}

std::string stdstr::fromTString(const wchar_t* text, UINT codePage)
{
    return NarrowFromWide(text, codePage, L"stdstr::fromTString()", __LINE__);
}

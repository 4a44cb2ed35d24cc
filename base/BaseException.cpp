#include "base/BaseException.h"

#include <cstdarg>

#include "base/StringHelper.h"

BaseException::BaseException(const wchar_t* file, unsigned line, const wchar_t* message, DWORD errorCode)
    : m_errorCode(errorCode), m_line(line), m_file(file), m_message(message)
{
}

BaseException::BaseException(const wchar_t* file, unsigned line, DWORD errorCode, const wchar_t* function,
                             const wchar_t* format, ...)
    : m_errorCode(errorCode), m_line(line), m_file(file), m_functions(function)
{
    va_list args;
    va_start(args, format);
    const bool formatted = StringHelper::TryFormatV(format, args, m_message);
    va_end(args);
    if (!formatted)
        m_message.Format(L"Invalid message format. file = (%s), line = %d", m_file.c_str(), m_line);
}

BaseException::~BaseException() = default;

const stdstr& BaseException::GetMessage() const
{
    return m_message;
}

DWORD BaseException::GetErrorCode() const
{
    return m_errorCode;
}

const stdstr& BaseException::GetFile() const
{
    return m_file;
}

unsigned BaseException::GetLine() const
{
    return m_line;
}

void BaseException::AddMessage(bool prepend, const wchar_t* format, ...)
{
    std::wstring text;
    va_list args;
    va_start(args, format);
    const bool formatted = StringHelper::TryFormatV(format, args, text);
    va_end(args);
    if (formatted)
        m_message = prepend ? text + m_message : m_message + text;
    else if (prepend)
        m_message.insert(0, L"Invalid message format");
    else
        m_message += L", Invalid message format description was added";
}

void BaseException::AddFunction(bool prepend, const wchar_t* format, ...)
{
    std::wstring text;
    va_list args;
    va_start(args, format);
    const bool formatted = StringHelper::TryFormatV(format, args, text);
    va_end(args);
    if (formatted)
        m_functions = prepend ? text + m_functions : m_functions + text;
    else if (prepend)
        m_functions.insert(0, L"Invalid message format");
    else
        m_functions.Format(L"BaseException::AddFunction() - Invalid message format. (%s)", format ? format : L"");
}

stdstr BaseException::GetFullMessage() const
{
    if (m_functions.empty())
    {
        stdstr prefix;
        prefix.Format(L"Exception on File = (%s), line = (%d): ", m_file.c_str(), m_line);
        return prefix + m_message;
    }
    return m_functions + L" - " + m_message;
}

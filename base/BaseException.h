#pragma once
#include "base/StdStr.h"
#include "base/Win32Names.h"

// The one exception class of the library's own code: where it was raised, the operating
// system's error code (-1 when there is none), a message and the chain of functions it passed.
// Thrown by value, caught by reference.
class BaseException
{
public:
    static constexpr DWORD NoErrorCode = static_cast<DWORD>(-1);

    BaseException(const wchar_t* file, unsigned line, const wchar_t* message, DWORD errorCode);
    // The message is the format applied to the arguments; the chain starts with the function.
    BaseException(const wchar_t* file, unsigned line, DWORD errorCode, const wchar_t* function,
                  const wchar_t* format, ...);
    BaseException(const BaseException&) = default;
    BaseException& operator=(const BaseException&) = default;
    virtual ~BaseException();

    virtual const stdstr& GetMessage() const;
    virtual DWORD GetErrorCode() const;
    virtual const stdstr& GetFile() const;
    virtual unsigned GetLine() const;
    // Prepends or appends the formatted text to the message.
    virtual void AddMessage(bool prepend, const wchar_t* format, ...);
    // Prepends or appends the formatted text to the function chain.
    virtual void AddFunction(bool prepend, const wchar_t* format, ...);
    virtual stdstr GetFullMessage() const;

private:
    DWORD m_errorCode;
    unsigned m_line;
    stdstr m_file;
    stdstr m_message;
    stdstr m_functions;
};

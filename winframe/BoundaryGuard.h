#pragma once
#include <utility>

// Code that the host or the system calls (exports, window procedures, callbacks) runs its body
// through CallGuarded: no C++ exception may unwind into their frames, which have no way to
// handle it (the process would end). An exception that reaches here, out of memory as a rule,
// is written to the trace log and the call answers with its failure value instead.
void TraceEscapedException(const wchar_t* where) noexcept;

template <class Result, class Body>
Result CallGuarded(const wchar_t* where, Result failure, Body&& body) noexcept
{
    try
    {
        return std::forward<Body>(body)();
    }
    catch (...)
    {
        TraceEscapedException(where);
        return failure;
    }
}

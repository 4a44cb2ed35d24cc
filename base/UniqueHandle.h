#pragma once
#include <windows.h>

// Owns one kernel handle (a file as a rule) and closes it once.
class UniqueHandle
{
public:
    explicit UniqueHandle(HANDLE handle = INVALID_HANDLE_VALUE) : m_handle(handle) {}
    ~UniqueHandle() { Close(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    bool IsValid() const { return m_handle != INVALID_HANDLE_VALUE && m_handle != nullptr; }
    HANDLE Get() const { return m_handle; }
    // Closes now; false when the system refused (or there was nothing to close).
    bool Close()
    {
        if (!IsValid())
            return false;
        const bool closed = CloseHandle(m_handle) != FALSE;
        m_handle = INVALID_HANDLE_VALUE;
        return closed;
    }

private:
    HANDLE m_handle;
};

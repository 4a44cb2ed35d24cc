// A trace log in a UTF-8 file that rolls over to "<name>.1" when it reaches its size limit.
#include "Logvane.h"

#include <string>

namespace {

const unsigned kDefaultMaxSize = 0x500000;
const size_t kBufferedBytes = 16 * 1024;

std::string ToUtf8(const wchar_t* text)
{
    const int length = static_cast<int>(wcslen(text));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, &out[0], bytes, nullptr, nullptr);
    return out;
}

} // namespace

struct CTraceFileLog::State
{
    std::wstring path;
    ICoreLogErrors* sink;
    bool flushOnWrite;
    unsigned maxSize;
    HANDLE file = INVALID_HANDLE_VALUE;
    unsigned long long size = 0;   // bytes in the file, buffered ones included
    std::string pending;           // lines not yet written when flushing is off
    bool failing = false;          // the last error was reported; stay quiet until a success
    CRITICAL_SECTION lock;

    void Report(void (ICoreLogErrors::*what)(unsigned long), DWORD error)
    {
        if (!failing && sink)
            (sink->*what)(error);
        failing = true;
    }

    bool Open(bool append)
    {
        file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                           append ? OPEN_ALWAYS : CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
        {
            Report(&ICoreLogErrors::OnOpenError, GetLastError());
            return false;
        }
        LARGE_INTEGER end{};
        SetFilePointerEx(file, end, &end, FILE_END);
        size = static_cast<unsigned long long>(end.QuadPart);
        return true;
    }

    void Close()
    {
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
    }

    bool WritePending()
    {
        if (pending.empty())
            return true;
        if (file == INVALID_HANDLE_VALUE && !Open(true))
            return false;
        DWORD written = 0;
        const BOOL ok = WriteFile(file, pending.data(), static_cast<DWORD>(pending.size()), &written, nullptr);
        if (!ok || written != pending.size())
        {
            Report(&ICoreLogErrors::OnWriteError, ok ? ERROR_HANDLE_DISK_FULL : GetLastError());
            pending.clear();
            return false;
        }
        pending.clear();
        if (flushOnWrite)
            FlushFileBuffers(file);
        failing = false;
        return true;
    }

    // Keeps one previous file: the current one becomes "<name>.1" and a new one starts.
    void RollOver()
    {
        WritePending();
        Close();
        const std::wstring previous = path + L".1";
        MoveFileExW(path.c_str(), previous.c_str(), MOVEFILE_REPLACE_EXISTING);
        Open(false);
    }

    void Append(const std::string& line)
    {
        if (size > 0 && size + line.size() > maxSize)
            RollOver();
        pending += line;
        size += line.size();
        if (flushOnWrite || pending.size() >= kBufferedBytes)
            WritePending();
    }
};

CTraceFileLog::CTraceFileLog(const wchar_t* filePath, ICoreLogErrors* errorSink, bool flushOnWrite,
                             LOG_OPEN_MODE openMode, unsigned level, unsigned maxSize)
    : CTraceModule(level), m_state(new State)
{
    m_state->path = filePath ? filePath : L"";
    m_state->sink = errorSink;
    m_state->flushOnWrite = flushOnWrite;
    m_state->maxSize = maxSize ? maxSize : kDefaultMaxSize;
    InitializeCriticalSection(&m_state->lock);
    m_state->Open(openMode == LOG_OPEN_APPEND);
}

CTraceFileLog::~CTraceFileLog()
{
    m_state->WritePending();
    m_state->Close();
    DeleteCriticalSection(&m_state->lock);
    delete m_state;
}

void CTraceFileLog::Write(const wchar_t* text)
{
    std::string line = ToUtf8(text ? text : L"");
    line += "\r\n";
    EnterCriticalSection(&m_state->lock);
    m_state->Append(line);
    LeaveCriticalSection(&m_state->lock);
}

// A trace log in a UTF-8 file that rolls over to "<name>.1" when it reaches its size limit.
#include "Logvane.h"

#include <string>

namespace {

const unsigned kDefaultMaxSize = 0x500000;
const size_t kHeldBackBytes = 16 * 1024;

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

// Everything below runs under the lock.
struct CTraceFileLog::State
{
    std::wstring path;
    ICoreLogErrors* sink = nullptr;
    bool flushOnWrite = true;
    unsigned long long maxSize = kDefaultMaxSize;
    HANDLE file = INVALID_HANDLE_VALUE;
    unsigned long long size = 0;  // bytes in the file
    std::string heldBack;         // lines not yet written while flushing is off
    bool failing = false;         // a failure was reported; quiet until a write succeeds
    CRITICAL_SECTION lock;

    void Report(void (ICoreLogErrors::*what)(unsigned long), DWORD error)
    {
        if (!failing && sink)
            (sink->*what)(error);
        failing = true;
    }

    bool Open(DWORD disposition)
    {
        file = CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr, disposition,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        size = 0;
        if (file == INVALID_HANDLE_VALUE)
        {
            Report(&ICoreLogErrors::OnOpenError, GetLastError());
            return false;
        }
        LARGE_INTEGER zero{}, end{};
        if (SetFilePointerEx(file, zero, &end, FILE_END))
            size = static_cast<unsigned long long>(end.QuadPart);
        return true;
    }

    void Close()
    {
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
    }

    void WriteHeldBack()
    {
        if (heldBack.empty() || file == INVALID_HANDLE_VALUE)
            return;
        DWORD written = 0;
        const BOOL ok = WriteFile(file, heldBack.data(), static_cast<DWORD>(heldBack.size()), &written, nullptr);
        size += written;
        if (!ok || written != heldBack.size())
            Report(&ICoreLogErrors::OnWriteError, ok ? ERROR_DISK_FULL : GetLastError());
        else
        {
            if (flushOnWrite)
                FlushFileBuffers(file);
            failing = false;
        }
        heldBack.clear();
    }

    // The current file becomes "<name>.1" (replacing the one before) and a new one starts.
    // When the rename fails the current file starts again empty: its size stays bounded.
    void RollOver()
    {
        WriteHeldBack();
        Close();
        const std::wstring previous = path + L".1";
        if (!MoveFileExW(path.c_str(), previous.c_str(), MOVEFILE_REPLACE_EXISTING))
            Report(&ICoreLogErrors::OnWriteError, GetLastError());
        Open(CREATE_ALWAYS);
    }

    void Append(const std::string& line)
    {
        if (file == INVALID_HANDLE_VALUE && !Open(OPEN_ALWAYS))
            return;  // the line is lost; the sink has heard why
        const unsigned long long inFile = size + heldBack.size();
        if (inFile > 0 && inFile + line.size() > maxSize)
        {
            RollOver();
            if (file == INVALID_HANDLE_VALUE)
                return;
        }
        heldBack += line;
        if (flushOnWrite || heldBack.size() >= kHeldBackBytes)
            WriteHeldBack();
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
    m_state->Open(openMode == LOG_OPEN_NEW ? CREATE_ALWAYS : OPEN_ALWAYS);
}

CTraceFileLog::~CTraceFileLog()
{
    EnterCriticalSection(&m_state->lock);
    m_state->WriteHeldBack();
    m_state->Close();
    LeaveCriticalSection(&m_state->lock);
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

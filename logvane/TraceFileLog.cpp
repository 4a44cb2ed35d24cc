// A trace log in a UTF-8 file that rolls over to "<name>.1" when it reaches its size limit.
// Several logs, in this process or others, may share one file: it is opened for appending only,
// with reading and writing shared, and every write is one WriteFile of whole lines. Writers of
// one file also take a mutex named after the file's identity around each write: where the
// system's append is a size query and a write (Wine's is), two processes could otherwise put
// their lines at the same place.
#include "Logvane.h"
#include "LockGuard.h"

#include <string>

namespace {

const unsigned kDefaultMaxSize = 0x500000;
const size_t kHeldBackBytes = 16 * 1024;
const DWORD kShareAll = FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE;

std::string ToUtf8(const wchar_t* text)
{
    const int length = static_cast<int>(wcslen(text));
    const int bytes = WideCharToMultiByte(CP_UTF8, 0, text, length, nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(bytes > 0 ? bytes : 0), '\0');
    if (bytes > 0)
        WideCharToMultiByte(CP_UTF8, 0, text, length, &out[0], bytes, nullptr, nullptr);
    return out;
}

// The same file, by volume and index, behind both handles.
bool SameFile(HANDLE one, HANDLE other)
{
    BY_HANDLE_FILE_INFORMATION first{}, second{};
    return GetFileInformationByHandle(one, &first) && GetFileInformationByHandle(other, &second) &&
           first.dwVolumeSerialNumber == second.dwVolumeSerialNumber &&
           first.nFileIndexHigh == second.nFileIndexHigh && first.nFileIndexLow == second.nFileIndexLow;
}

// A mutex that every writer of the file opened by this handle shares, in any process: named
// after the file's volume and index, which stay the same whatever path the writers used.
HANDLE OpenWriterMutex(HANDLE file)
{
    BY_HANDLE_FILE_INFORMATION info{};
    if (!GetFileInformationByHandle(file, &info))
        return nullptr;
    wchar_t name[64];
    _snwprintf(name, sizeof(name) / sizeof(name[0]), L"Logvane.TraceFile.%08lX.%08lX%08lX",
               info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow);
    name[sizeof(name) / sizeof(name[0]) - 1] = L'\0';
    return CreateMutexW(nullptr, FALSE, name);
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
    HANDLE writers = nullptr;     // the file's mutex, null when it could not be had
    bool startNew = false;        // the file is still to be emptied before the first line
    std::string heldBack;         // lines not yet written while flushing is off
    bool failing = false;         // a failure was reported; quiet until a write succeeds
    CRITICAL_SECTION lock;

    void Report(void (ICoreLogErrors::*what)(unsigned long), DWORD error)
    {
        if (!failing && sink)
            (sink->*what)(error);
        failing = true;
    }

    // A log that starts a new file empties it once, on its first open that succeeds; until then
    // every try starts it anew, so a failed first open never turns into appending to old lines.
    bool Open()
    {
        if (startNew)
        {
            HANDLE emptied = CreateFileW(path.c_str(), GENERIC_WRITE, kShareAll, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
            if (emptied == INVALID_HANDLE_VALUE)
            {
                Report(&ICoreLogErrors::OnOpenError, GetLastError());
                return false;
            }
            CloseHandle(emptied);
        }
        // Append access alone: every write goes to the end of the file as it is then.
        file = CreateFileW(path.c_str(), FILE_APPEND_DATA | SYNCHRONIZE, kShareAll, nullptr, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE)
        {
            Report(&ICoreLogErrors::OnOpenError, GetLastError());
            return false;
        }
        startNew = false;
        writers = OpenWriterMutex(file);
        return true;
    }

    void Close()
    {
        if (writers)
            CloseHandle(writers);
        writers = nullptr;
        if (file != INVALID_HANDLE_VALUE)
            CloseHandle(file);
        file = INVALID_HANDLE_VALUE;
    }

    // What the file holds now, other writers' lines included.
    unsigned long long FileSize() const
    {
        LARGE_INTEGER size{};
        return GetFileSizeEx(file, &size) ? static_cast<unsigned long long>(size.QuadPart) : 0;
    }

    // Another writer of the same file may have rolled it over already: then the path names a
    // new file and this handle still holds the old one.
    bool PathStillNamesOurFile() const
    {
        HANDLE named = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES, kShareAll, nullptr, OPEN_EXISTING,
                                   FILE_ATTRIBUTE_NORMAL, nullptr);
        if (named == INVALID_HANDLE_VALUE)
            return false;
        const bool same = SameFile(named, file);
        CloseHandle(named);
        return same;
    }

    // Whole lines in one write.
    void WriteHeldBack()
    {
        if (heldBack.empty() || file == INVALID_HANDLE_VALUE)
            return;
        DWORD written = 0;
        BOOL ok = FALSE;
        {
            MutexGuard otherWriters(writers);
            ok = WriteFile(file, heldBack.data(), static_cast<DWORD>(heldBack.size()), &written, nullptr);
        }
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
        const bool ours = PathStillNamesOurFile();
        Close();
        if (ours)
        {
            const std::wstring previous = path + L".1";
            if (!MoveFileExW(path.c_str(), previous.c_str(), MOVEFILE_REPLACE_EXISTING))
            {
                Report(&ICoreLogErrors::OnWriteError, GetLastError());
                startNew = true;
            }
        }
        Open();
    }

    void Append(const std::string& line)
    {
        if (file == INVALID_HANDLE_VALUE && !Open())
            return;  // the line is lost; the sink has heard why
        const unsigned long long inFile = FileSize() + heldBack.size();
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
    m_state->startNew = openMode == LOG_OPEN_NEW;
    InitializeCriticalSection(&m_state->lock);
    m_state->Open();
}

CTraceFileLog::~CTraceFileLog()
{
    {
        LockGuard guard(m_state->lock);
        m_state->WriteHeldBack();
        m_state->Close();
    }
    DeleteCriticalSection(&m_state->lock);
    delete m_state;
}

void CTraceFileLog::Write(const wchar_t* text)
{
    std::string line = ToUtf8(text ? text : L"");
    line += "\r\n";
    LockGuard guard(m_state->lock);
    m_state->Append(line);
}

// Logvane: the trace library. Trace lines go to every registered trace module;
// CTraceFileLog writes them to a UTF-8 file.
//
// A trace line, as a module's Write receives it (the file log adds "\r\n"):
//   2026-12-09 22:10:11.123 pid 1234 tid 5678 INFO  .\XJNTrayNotificationApp(184): message
// local time to the millisecond, process and thread id (decimal), the trace type, the source
// name with its line, and the message. Line breaks inside a message become spaces.
#pragma once
#include <windows.h>

#ifdef LOGVANE_BUILD
#define LOGVANE_API __declspec(dllexport)
#else
#define LOGVANE_API __declspec(dllimport)
#endif

// Trace types are bits. A module's level says which types it keeps:
//   level 0: none
//   level 1: TRACE_ERROR
//   level 2: TRACE_ERROR, TRACE_WARNING
//   level 3: TRACE_ERROR, TRACE_WARNING, TRACE_NOTICE, TRACE_INFO   (the tray's default)
//   level 4 and above: every type, TRACE_DEBUG and unnamed bits included
// A type made of several bits is kept when the level keeps all of them; type 0 is never kept.
enum TraceType : unsigned
{
    TRACE_ERROR   = 1,
    TRACE_WARNING = 2,
    TRACE_NOTICE  = 4,
    TRACE_INFO    = 8,
    TRACE_DEBUG   = 16,
};

enum LOG_OPEN_MODE
{
    LOG_OPEN_NEW    = 0,  // start a new, empty file
    LOG_OPEN_APPEND = 1,  // append to the existing file (any value but LOG_OPEN_NEW appends)
};

// Receives the failures of a trace log that cannot be reported anywhere else.
// Both operations take the Win32 error code of the failing call.
class ICoreLogErrors
{
public:
    // The log file could not be opened or created.
    virtual void OnOpenError(unsigned long errorCode) = 0;
    // Lines could not be written (disk full, ...) or the file could not roll over.
    virtual void OnWriteError(unsigned long errorCode) = 0;

protected:
    ~ICoreLogErrors() = default;
};

class LOGVANE_API CTraceModule
{
public:
    explicit CTraceModule(unsigned level);
    virtual ~CTraceModule();

    // Filters by level, formats one line and hands it to Write.
    virtual void Trace(TraceType type, const wchar_t* message, const wchar_t* source, unsigned line);
    // Receives one formatted line, without line end.
    virtual void Write(const wchar_t* text) = 0;

    unsigned GetLevel() const { return m_level; }
    static bool LevelAccepts(unsigned level, TraceType type);

private:
    unsigned m_level;
};

// A trace log in a UTF-8 file.
// - flushOnWrite: every line reaches the disk before Write returns. Without it lines are held
//   back in memory (at most 16 KiB) and written in blocks, and at the latest when the log is
//   deleted.
// - maxSize: when the next line would take the file past this many bytes, the file is renamed to
//   "<filePath>.1" (replacing the one before) and a new file starts; so at most one previous file
//   is kept and a file never holds more than maxSize bytes, or one line when a single line is
//   longer. 0 means the default of 5 MiB.
// - Failures go to errorSink (may be null): the first failure of a run is reported, repeats are
//   not until a write succeeds again. Lines that cannot be written are dropped. While the file
//   cannot be opened, each new line tries again.
// Safe to use from many threads, and several logs, in any process, may write one file: it is
// opened for appending with reading and writing shared, and whole lines go out in one write
// under a mutex named after the file. A new file (LOG_OPEN_NEW) is emptied on the first open that
// succeeds, also when the first try failed.
class LOGVANE_API CTraceFileLog : public CTraceModule
{
public:
    CTraceFileLog(const wchar_t* filePath, ICoreLogErrors* errorSink, bool flushOnWrite,
                  LOG_OPEN_MODE openMode, unsigned level, unsigned maxSize);
    ~CTraceFileLog() override;
    CTraceFileLog(const CTraceFileLog&) = delete;
    CTraceFileLog& operator=(const CTraceFileLog&) = delete;

    void Write(const wchar_t* text) override;

private:
    struct State;
    State* m_state;
};

// Registers a module: from now on it receives every trace. Returns the module (null for null).
LOGVANE_API CTraceModule* AddTraceModule(CTraceModule* module);
// Unregisters a module; returns it, or null when it was not registered. Once this returns, the
// module receives nothing more and may be deleted.
LOGVANE_API CTraceModule* RemoveTraceModule(CTraceModule* module);
// Hands one trace to every registered module; with none registered it does nothing.
LOGVANE_API void WriteTraceEx(TraceType type, const wchar_t* message, const wchar_t* source, unsigned line);
// printf-style with the Microsoft convention: "%s" takes a wide string.
LOGVANE_API void WriteTraceF(const wchar_t* source, unsigned line, TraceType type, const wchar_t* format, ...);

// Logvane: the trace library. Trace lines go to every registered trace module;
// CTraceFileLog writes them to a UTF-8 file.
#pragma once
#include <windows.h>

#ifdef LOGVANE_BUILD
#define LOGVANE_API __declspec(dllexport)
#else
#define LOGVANE_API __declspec(dllimport)
#endif

// Trace types are bits. A module's level says which types it keeps:
//   level 0: none; 1: errors; 2: + warnings; 3: + notices and information; 4 and above: everything.
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
    LOG_OPEN_NEW    = 0,  // start a new file
    LOG_OPEN_APPEND = 1,  // append to the existing file
};

// Receives the failures of a trace log that cannot be reported anywhere else.
// Both operations take the Win32 error code of the failing call.
class ICoreLogErrors
{
public:
    virtual void OnOpenError(unsigned long errorCode) = 0;
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

LOGVANE_API CTraceModule* AddTraceModule(CTraceModule* module);
LOGVANE_API CTraceModule* RemoveTraceModule(CTraceModule* module);
LOGVANE_API void WriteTraceEx(TraceType type, const wchar_t* message, const wchar_t* source, unsigned line);
// printf-style with the Microsoft convention: "%s" takes a wide string.
LOGVANE_API void WriteTraceF(const wchar_t* source, unsigned line, TraceType type, const wchar_t* format, ...);

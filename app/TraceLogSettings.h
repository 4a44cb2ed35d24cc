#pragma once
#include <windows.h>

#include <string>

class Registry;

// The trace log settings under HKLM "Software\Orvanta\Brevik\TraySettings".
struct TraceLogSettings
{
    bool activate = false;                   // LogActivate present and non-zero
    std::wstring filePath = L"XJNTrayApp.log";  // LogFilePath
    DWORD level = 3;                         // LogLevel
    DWORD append = 1;                        // LogAppend
    DWORD flushOnWrite = 1;                  // LogFlushOnWrite
    DWORD maxSize = 0x500000;                // LogMaxSize
};

// Reads the settings through the machine accessor. A DWORD that is absent, not a REG_DWORD or
// unreadable keeps its default; a present one is used as it is, 0 included. The path is read
// as text whatever its type. Without LogActivate nothing else is read.
TraceLogSettings ReadTraceLogSettings(const Registry& machine);

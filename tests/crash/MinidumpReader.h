// A small reader of the minidump format: what a crash dump says about the crash, read from the
// file itself (not through the library that wrote it).
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct MinidumpSummary
{
    bool valid = false;           // "MDMP" signature and a directory inside the file
    bool hasException = false;    // an exception stream
    DWORD exceptionThread = 0;
    DWORD exceptionCode = 0;
    bool hasThreadList = false;
    std::vector<DWORD> threads;   // ids in the thread list
    ULONG32 memoryStream = 0;     // MemoryListStream (5) or Memory64ListStream (9); 0 if none
    size_t memoryRanges = 0;
};

MinidumpSummary ReadMinidump(const std::wstring& path);

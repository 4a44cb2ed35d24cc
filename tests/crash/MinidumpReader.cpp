#include "crash/MinidumpReader.h"

#include "winframe/Owners.h"

#include <dbghelp.h>

#include <cstring>

namespace {

// The signature in the header's first four bytes: "MDMP".
const ULONG32 kSignature = 0x504D444D;

// The file's bytes, mapped for reading, with bounds-checked access by offset.
class DumpBytes
{
public:
    explicit DumpBytes(const std::wstring& path)
        : m_file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr))
    {
        LARGE_INTEGER size = {};
        if (!m_file || !GetFileSizeEx(m_file.Get(), &size) || size.QuadPart == 0 || size.HighPart != 0)
            return;
        m_mapping.Reset(CreateFileMappingW(m_file.Get(), nullptr, PAGE_READONLY, 0, 0, nullptr));
        if (m_mapping)
            m_view.Reset(MapViewOfFile(m_mapping.Get(), FILE_MAP_READ, 0, 0, 0));
        if (m_view)
            m_size = size.LowPart;
    }
    DumpBytes(const DumpBytes&) = delete;
    DumpBytes& operator=(const DumpBytes&) = delete;

    template <typename Record>
    bool Read(ULONG64 offset, Record& record) const
    {
        if (offset > m_size || m_size - offset < sizeof(Record))
            return false;
        std::memcpy(&record, static_cast<const BYTE*>(m_view.Get()) + offset, sizeof(Record));
        return true;
    }

private:
    ScopedFile m_file;
    ScopedKernelHandle m_mapping;
    ScopedMappedView m_view;
    ULONG64 m_size = 0;
};

void ReadThreads(const DumpBytes& bytes, RVA at, MinidumpSummary& summary)
{
    ULONG32 count = 0;
    if (!bytes.Read(at, count))
        return;
    summary.hasThreadList = true;
    for (ULONG32 i = 0; i < count; ++i)
    {
        MINIDUMP_THREAD thread;
        if (!bytes.Read(at + sizeof(count) + static_cast<ULONG64>(i) * sizeof(thread), thread))
            return;
        summary.threads.push_back(thread.ThreadId);
    }
}

} // namespace

MinidumpSummary ReadMinidump(const std::wstring& path)
{
    MinidumpSummary summary;
    DumpBytes bytes(path);
    MINIDUMP_HEADER header;
    if (!bytes.Read(0, header) || header.Signature != kSignature)
        return summary;
    summary.valid = true;
    for (ULONG32 i = 0; i < header.NumberOfStreams; ++i)
    {
        MINIDUMP_DIRECTORY entry;
        if (!bytes.Read(header.StreamDirectoryRva + static_cast<ULONG64>(i) * sizeof(entry), entry))
        {
            summary.valid = false;
            return summary;
        }
        const RVA at = entry.Location.Rva;
        switch (entry.StreamType)
        {
        case ExceptionStream:
        {
            MINIDUMP_EXCEPTION_STREAM exception;
            if (bytes.Read(at, exception))
            {
                summary.hasException = true;
                summary.exceptionThread = exception.ThreadId;
                summary.exceptionCode = exception.ExceptionRecord.ExceptionCode;
            }
            break;
        }
        case ThreadListStream:
            ReadThreads(bytes, at, summary);
            break;
        case MemoryListStream:
        {
            ULONG32 ranges = 0;
            if (bytes.Read(at, ranges))
            {
                summary.memoryStream = MemoryListStream;
                summary.memoryRanges = ranges;
            }
            break;
        }
        case Memory64ListStream:
        {
            ULONG64 ranges = 0;
            if (bytes.Read(at, ranges))
            {
                summary.memoryStream = Memory64ListStream;
                summary.memoryRanges = static_cast<size_t>(ranges);
            }
            break;
        }
        default:
            break;
        }
    }
    return summary;
}

// Registers itself with the trace library and keeps every trace it receives, unfiltered.
#pragma once
#include "Logvane.h"

#include <mutex>
#include <string>
#include <vector>

namespace testsupport {

struct TraceRecord
{
    TraceType type;
    std::wstring message;
    std::wstring source;
    unsigned line;
};

class TraceCapture : public CTraceModule
{
public:
    TraceCapture() : CTraceModule(~0u) { AddTraceModule(this); }
    ~TraceCapture() override { RemoveTraceModule(this); }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    void Trace(TraceType type, const wchar_t* message, const wchar_t* source, unsigned line) override
    {
        std::lock_guard<std::mutex> hold(m_lock);
        m_records.push_back({type, message ? message : L"", source ? source : L"", line});
    }
    void Write(const wchar_t*) override {}

    std::vector<TraceRecord> Records() const
    {
        std::lock_guard<std::mutex> hold(m_lock);
        return m_records;
    }
    // The messages alone, in the order they came.
    std::vector<std::wstring> Messages() const
    {
        std::vector<std::wstring> messages;
        for (const TraceRecord& record : Records())
            messages.push_back(record.message);
        return messages;
    }

private:
    mutable std::mutex m_lock;
    std::vector<TraceRecord> m_records;
};

} // namespace testsupport

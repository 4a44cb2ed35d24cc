#pragma once
#include <string>
#include <vector>

#include "Logvane.h"

// Collects the trace lines written while it exists: message and source of each.
class TraceCapture : public CTraceModule
{
public:
    struct Line
    {
        TraceType type;
        std::wstring message;
        std::wstring source;
    };

    TraceCapture() : CTraceModule(4) { AddTraceModule(this); }
    ~TraceCapture() override { RemoveTraceModule(this); }
    TraceCapture(const TraceCapture&) = delete;
    TraceCapture& operator=(const TraceCapture&) = delete;

    void Trace(TraceType type, const wchar_t* message, const wchar_t* source, unsigned) override
    {
        m_lines.push_back({type, message ? message : L"", source ? source : L""});
    }
    void Write(const wchar_t*) override {}

    const std::vector<Line>& Lines() const { return m_lines; }
    std::vector<std::wstring> Messages() const
    {
        std::vector<std::wstring> messages;
        for (const Line& line : m_lines)
            messages.push_back(line.message);
        return messages;
    }

private:
    std::vector<Line> m_lines;
};

// Test helpers for trace logs: an error sink that records, and the lines of a log file.
#pragma once
#include "Logvane.h"

#include <string>
#include <vector>

// Keeps what a trace log reports to its error sink.
class RecordingSink final : public ICoreLogErrors
{
public:
    void OnOpenError(unsigned long errorCode) override { openErrors.push_back(errorCode); }
    void OnWriteError(unsigned long errorCode) override { writeErrors.push_back(errorCode); }

    std::vector<unsigned long> openErrors;
    std::vector<unsigned long> writeErrors;
};

// The file's lines without their "\r\n"; a last line without one is kept as it is.
inline std::vector<std::string> SplitLines(const std::string& bytes)
{
    std::vector<std::string> lines;
    size_t start = 0;
    while (start < bytes.size())
    {
        const size_t end = bytes.find("\r\n", start);
        if (end == std::string::npos)
        {
            lines.push_back(bytes.substr(start));
            break;
        }
        lines.push_back(bytes.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

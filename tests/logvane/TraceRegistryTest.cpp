// Registering trace modules and the two trace entry points.
#include "support/TraceLogSupport.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"
#include "support/TraceCapture.h"

#include <gtest/gtest.h>

#include <regex>
#include <set>
#include <thread>

namespace {

using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::TraceCapture;

class CountingModule : public CTraceModule
{
public:
    CountingModule() : CTraceModule(4) {}
    void Write(const wchar_t*) override { ++written; }
    int written = 0;
};

TEST(TraceRegistry, WritingWithNoModuleRegisteredDoesNothingHarmful)
{
    WriteTraceEx(TRACE_ERROR, L"nobody listens", L"src", 1);
    WriteTraceEx(TRACE_ERROR, nullptr, nullptr, 2);
    WriteTraceF(L"src", 3, TRACE_INFO, L"%s and %d", L"text", 4);
    WriteTraceF(nullptr, 4, TRACE_INFO, nullptr);
}

TEST(TraceRegistry, AddAndRemove)
{
    CountingModule module;
    EXPECT_EQ(AddTraceModule(&module), &module);
    EXPECT_EQ(AddTraceModule(&module), &module);  // registered once all the same
    WriteTraceEx(TRACE_ERROR, L"m", L"s", 1);
    EXPECT_EQ(module.written, 1);

    EXPECT_EQ(RemoveTraceModule(&module), &module);
    EXPECT_EQ(RemoveTraceModule(&module), nullptr);
    WriteTraceEx(TRACE_ERROR, L"m", L"s", 1);
    EXPECT_EQ(module.written, 1);

    EXPECT_EQ(AddTraceModule(nullptr), nullptr);
    EXPECT_EQ(RemoveTraceModule(nullptr), nullptr);
}

TEST(TraceRegistry, EveryRegisteredModuleReceivesEveryTrace)
{
    TraceCapture first;
    TraceCapture second;
    WriteTraceEx(TRACE_ERROR, L"message", L".\\Source", 42);
    for (const TraceCapture* capture : {&first, &second})
    {
        const auto records = capture->Records();
        ASSERT_EQ(records.size(), 1u);
        EXPECT_EQ(records[0].type, static_cast<unsigned>(TRACE_ERROR));
        EXPECT_EQ(records[0].message, L"message");
        EXPECT_EQ(records[0].source, L".\\Source");
        EXPECT_EQ(records[0].line, 42u);
    }
}

TEST(TraceRegistry, WriteTraceFFormatsInTheWideConvention)
{
    TraceCapture capture;
    WriteTraceF(L".\\Src", 184, TRACE_INFO, L"dir is (%s), %d, %u, %ls, 100%%", L"C:\\x\\", -3, 7u, L"wide");
    const std::wstring longText(5000, L'w');
    WriteTraceF(L".\\Src", 185, TRACE_ERROR, L"[%s]", longText.c_str());
    WriteTraceF(L".\\Src", 186, TRACE_ERROR, L"no arguments");

    const auto records = capture.Records();
    ASSERT_EQ(records.size(), 3u);
    EXPECT_EQ(records[0].message, L"dir is (C:\\x\\), -3, 7, wide, 100%");
    EXPECT_EQ(records[0].type, static_cast<unsigned>(TRACE_INFO));
    EXPECT_EQ(records[0].source, L".\\Src");
    EXPECT_EQ(records[0].line, 184u);
    EXPECT_EQ(records[1].message, L"[" + longText + L"]");
    EXPECT_EQ(records[2].message, L"no arguments");
}

TEST(TraceRegistry, ManyThreadsTraceIntoOneLogWithoutMixingLines)
{
    TempFolder folder;
    const std::wstring path = folder.File(L"threads.log");
    RecordingSink sink;
    {
        CTraceFileLog log(path.c_str(), &sink, false, LOG_OPEN_NEW, 3, 0);
        AddTraceModule(&log);
        const int threads = 6;
        std::vector<std::thread> writers;
        for (int t = 0; t < threads; ++t)
            writers.emplace_back([t] {
                for (int i = 0; i < 300; ++i)
                {
                    if (i % 2)
                        WriteTraceF(L".\\Worker", static_cast<unsigned>(t), TRACE_INFO, L"thread %d item %d", t, i);
                    else
                        WriteTraceEx(TRACE_ERROR, (L"thread " + std::to_wstring(t) + L" item " + std::to_wstring(i)).c_str(),
                                     L".\\Worker", static_cast<unsigned>(t));
                    WriteTraceEx(TRACE_DEBUG, L"filtered out at level 3", L".\\Worker", 0);
                }
            });
        for (auto& writer : writers)
            writer.join();
        RemoveTraceModule(&log);
    }
    const auto lines = SplitLines(ReadFileBytes(path));
    ASSERT_EQ(lines.size(), 6u * 300);
    const std::regex format(R"(^\S+ \S+ pid \d+ tid \d+ (ERROR|INFO) +\.\\Worker\((\d)\): thread (\d) item (\d+)$)");
    std::set<std::pair<int, int>> seen;
    for (const auto& line : lines)
    {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, format)) << line;
        EXPECT_EQ(m[2], m[3]);
        seen.insert({std::stoi(m[3]), std::stoi(m[4])});
    }
    EXPECT_EQ(seen.size(), lines.size());
    EXPECT_TRUE(sink.writeErrors.empty());
}

} // namespace

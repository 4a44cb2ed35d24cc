// The trace log file: line format, UTF-8, open modes, flushing, rollover, errors, threads.
#include "support/TraceLogSupport.h"
#include "support/ChildProcess.h"
#include "support/FileBytes.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <regex>
#include <set>
#include <thread>

namespace {

using testsupport::FileExists;
using testsupport::ReadFileBytes;
using testsupport::TempFolder;
using testsupport::WriteFileBytes;

std::unique_ptr<CTraceFileLog> MakeLog(const std::wstring& path, ICoreLogErrors* sink, bool flush = true,
                                       LOG_OPEN_MODE mode = LOG_OPEN_APPEND, unsigned level = 4,
                                       unsigned maxSize = 0)
{
    return std::make_unique<CTraceFileLog>(path.c_str(), sink, flush, mode, level, maxSize);
}

unsigned long long FileSize(const std::wstring& path)
{
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data))
        return 0;
    return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

class TraceFileLogTest : public ::testing::Test
{
protected:
    TempFolder folder;
    std::wstring path = folder.File(L"trace.log");
    RecordingSink sink;
};

TEST_F(TraceFileLogTest, OneLineHoldsTimePidTidTypeSourceLineAndMessage)
{
    auto log = MakeLog(path, &sink);
    SYSTEMTIME before;
    GetLocalTime(&before);
    log->Trace(TRACE_INFO, L"the message (with brackets)", L".\\SomeSource", 184);
    log.reset();

    const auto lines = SplitLines(ReadFileBytes(path));
    ASSERT_EQ(lines.size(), 1u);
    const std::regex format(R"(^(\d{4})-(\d\d)-(\d\d) (\d\d):(\d\d):(\d\d)\.(\d{3}) pid (\d+) tid (\d+) (\S+) +(.*)\((\d+)\): (.*)$)");
    std::smatch m;
    ASSERT_TRUE(std::regex_match(lines[0], m, format)) << lines[0];
    EXPECT_EQ(std::stoul(m[1]), before.wYear);
    EXPECT_EQ(std::stoul(m[2]), before.wMonth);
    EXPECT_EQ(std::stoul(m[3]), before.wDay);
    const int minutesThen = before.wHour * 60 + before.wMinute;
    const int minutesLogged = std::stoi(m[4]) * 60 + std::stoi(m[5]);
    EXPECT_LE(minutesLogged - minutesThen, 1);
    EXPECT_GE(minutesLogged - minutesThen, 0);
    EXPECT_LT(std::stoul(m[6]), 60u);
    EXPECT_EQ(std::stoul(m[8]), GetCurrentProcessId());
    EXPECT_EQ(std::stoul(m[9]), GetCurrentThreadId());
    EXPECT_EQ(m[10], "INFO");
    EXPECT_EQ(m[11], ".\\SomeSource");
    EXPECT_EQ(m[12], "184");
    EXPECT_EQ(m[13], "the message (with brackets)");
    EXPECT_TRUE(sink.openErrors.empty());
    EXPECT_TRUE(sink.writeErrors.empty());
}

TEST_F(TraceFileLogTest, EveryTypeIsNamed)
{
    struct Case
    {
        unsigned type;
        const char* name;
    };
    const Case cases[] = {{TRACE_ERROR, " ERROR "}, {TRACE_WARNING, " WARN  "}, {TRACE_NOTICE, " NOTE  "},
                          {TRACE_INFO, " INFO  "},  {TRACE_DEBUG, " DEBUG "},  {0x40, " 0x40 "}};
    auto log = MakeLog(path, &sink);
    for (const Case& c : cases)
        log->Trace(static_cast<TraceType>(c.type), L"m", L"s", 1);
    log.reset();
    const auto lines = SplitLines(ReadFileBytes(path));
    ASSERT_EQ(lines.size(), std::size(cases));
    for (size_t i = 0; i < lines.size(); ++i)
        EXPECT_NE(lines[i].find(cases[i].name), std::string::npos) << lines[i];
}

TEST_F(TraceFileLogTest, AMessageWithLineBreaksStaysOnOneLine)
{
    auto log = MakeLog(path, &sink);
    log->Trace(TRACE_ERROR, L"first\r\nsecond\nthird\r", L"s", 7);
    log.reset();
    const auto lines = SplitLines(ReadFileBytes(path));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("s(7): first  second third "), std::string::npos) << lines[0];
}

TEST_F(TraceFileLogTest, NullTextsGiveEmptyFields)
{
    auto log = MakeLog(path, &sink);
    log->Trace(TRACE_ERROR, nullptr, nullptr, 3);
    log->Write(nullptr);
    log.reset();
    const auto lines = SplitLines(ReadFileBytes(path));
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_NE(lines[0].find(" ERROR (3): "), std::string::npos) << lines[0];
    EXPECT_EQ(lines[1], "");
}

TEST_F(TraceFileLogTest, TheFileIsUtf8)
{
    auto log = MakeLog(path, &sink);
    log->Write(L"Gr\u00F6\u00DFe \u20AC \U0001F600 \u0416");
    log.reset();
    EXPECT_EQ(ReadFileBytes(path), "Gr\xC3\xB6\xC3\x9F" "e \xE2\x82\xAC \xF0\x9F\x98\x80 \xD0\x96\r\n");
}

TEST_F(TraceFileLogTest, OpenModeAppendsOrStartsANewFile)
{
    struct Case
    {
        const char* label;
        LOG_OPEN_MODE mode;
        bool fileExists;
        std::string expected;
    };
    const Case cases[] = {
        {"append to an existing file", LOG_OPEN_APPEND, true, "old\r\nnew\r\n"},
        {"new file over an existing one", LOG_OPEN_NEW, true, "new\r\n"},
        {"append without a file", LOG_OPEN_APPEND, false, "new\r\n"},
        {"new file without a file", LOG_OPEN_NEW, false, "new\r\n"},
        {"another mode value appends", static_cast<LOG_OPEN_MODE>(7), true, "old\r\nnew\r\n"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        DeleteFileW(path.c_str());
        if (c.fileExists)
        {
            ASSERT_TRUE(WriteFileBytes(path, "old\r\n"));
        }
        auto log = MakeLog(path, &sink, true, c.mode);
        log->Write(L"new");
        log.reset();
        EXPECT_EQ(ReadFileBytes(path), c.expected);
    }
}

TEST_F(TraceFileLogTest, NewModeEmptiesTheFileAtOnce)
{
    ASSERT_TRUE(WriteFileBytes(path, "old\r\n"));
    auto log = MakeLog(path, &sink, true, LOG_OPEN_NEW);
    EXPECT_EQ(ReadFileBytes(path), "");
}

// A log that is to start a new file but cannot open it at first (another program holds it) still
// starts it new once it can: the old lines must not come back.
TEST_F(TraceFileLogTest, ANewFileWhoseFirstOpenFailedIsStillStartedNew)
{
    ASSERT_TRUE(WriteFileBytes(path, "old\r\n"));
    HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    auto log = MakeLog(path, &sink, true, LOG_OPEN_NEW);
    log->Write(L"lost");
    EXPECT_EQ(sink.openErrors, std::vector<unsigned long>{ERROR_SHARING_VIOLATION});
    CloseHandle(holder);
    log->Write(L"kept");
    log->Write(L"appended");
    log.reset();
    EXPECT_EQ(ReadFileBytes(path), "kept\r\nappended\r\n");
}

// Another program may read the log while it is written, and another log may write it too.
TEST_F(TraceFileLogTest, TheFileIsSharedForReadingAndAppending)
{
    auto first = MakeLog(path, &sink, true, LOG_OPEN_NEW);
    auto second = MakeLog(path, &sink, true, LOG_OPEN_APPEND);
    first->Write(L"one");
    second->Write(L"two");
    first->Write(L"three");
    HANDLE reader = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    EXPECT_NE(reader, INVALID_HANDLE_VALUE);
    CloseHandle(reader);
    first.reset();
    second.reset();
    EXPECT_EQ(ReadFileBytes(path), "one\r\ntwo\r\nthree\r\n") << "each line at the end, none over another";
    EXPECT_TRUE(sink.openErrors.empty());
}

const char kWriterVariable[] = "XJN_TRACE_WRITER_CHILD";
const int kLinesPerWriter = 1500;

// Lines of one writer: its name, the number, a tail of varying length, "end".
void WriteTaggedLines(CTraceFileLog& log, const std::wstring& writer)
{
    for (int i = 0; i < kLinesPerWriter; ++i)
    {
        const std::wstring text = writer + L" line " + std::to_wstring(i) +
                                  std::wstring(static_cast<size_t>((i * 7) % 300), L'-') + L"end";
        log.Write(text.c_str());
    }
}

// The name of the event by which the child says that it writes now.
std::wstring WritingEventName(DWORD parent)
{
    return L"xjn-trace-writer-" + std::to_wstring(parent);
}

// Runs only in the child: appends its lines to the file that XJN_TRACE_WRITER_CHILD names
// ("<parent pid>|<path>"), saying when it starts.
TEST(TraceWriterChild, DISABLED_Run)
{
    const char* what = std::getenv(kWriterVariable);
    ASSERT_NE(what, nullptr);
    const std::string value = what;
    const size_t bar = value.find('|');
    ASSERT_NE(bar, std::string::npos);
    const DWORD parent = std::stoul(value.substr(0, bar));
    const std::wstring file(value.begin() + bar + 1, value.end());
    auto log = MakeLog(file, nullptr, true, LOG_OPEN_APPEND);
    HANDLE writing = OpenEventW(EVENT_MODIFY_STATE, FALSE, WritingEventName(parent).c_str());
    ASSERT_NE(writing, nullptr);
    SetEvent(writing);
    CloseHandle(writing);
    WriteTaggedLines(*log, L"child");
}

TEST_F(TraceFileLogTest, TwoProcessesAppendWholeLinesToOneFile)
{
    HANDLE writing = CreateEventW(nullptr, TRUE, FALSE, WritingEventName(GetCurrentProcessId()).c_str());
    ASSERT_NE(writing, nullptr);
    auto log = MakeLog(path, &sink, true, LOG_OPEN_NEW);
    const std::string value = std::to_string(GetCurrentProcessId()) + "|" + std::string(path.begin(), path.end());
    testsupport::ChildTest child("TraceWriterChild.DISABLED_Run", kWriterVariable, value.c_str());
    ASSERT_EQ(WaitForSingleObject(writing, 120000), WAIT_OBJECT_0) << "the child did not start writing";
    CloseHandle(writing);
    WriteTaggedLines(*log, L"parent");
    EXPECT_EQ(child.Wait(120000), 0u);
    log.reset();

    const auto lines = SplitLines(ReadFileBytes(path));
    EXPECT_EQ(lines.size(), static_cast<size_t>(2 * kLinesPerWriter));
    const std::regex format(R"(^(parent|child) line (\d+)(-*)end$)");
    std::set<std::pair<std::string, int>> seen;
    for (const auto& line : lines)
    {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, format)) << "a line cut or mixed: " << line;
        const int number = std::stoi(m[2]);
        EXPECT_EQ(m[3].length(), static_cast<std::ptrdiff_t>((number * 7) % 300)) << line;
        seen.insert({m[1], number});
    }
    EXPECT_EQ(seen.size(), lines.size());
    EXPECT_TRUE(sink.openErrors.empty());
    EXPECT_TRUE(sink.writeErrors.empty());
}

TEST_F(TraceFileLogTest, FlushOnWriteMakesEachLineVisibleAtOnce)
{
    auto log = MakeLog(path, &sink, true);
    log->Write(L"one");
    EXPECT_EQ(ReadFileBytes(path), "one\r\n");
    log->Write(L"two");
    EXPECT_EQ(ReadFileBytes(path), "one\r\ntwo\r\n");
}

TEST_F(TraceFileLogTest, WithoutFlushLinesAreHeldBackBoundedAndWrittenAtTheEnd)
{
    auto log = MakeLog(path, &sink, false);
    log->Write(L"one");
    EXPECT_EQ(ReadFileBytes(path), "");

    // Held-back lines are written in blocks: after 32 KiB most of them are in the file.
    const std::wstring line(99, L'x');
    for (int i = 0; i < 320; ++i)
        log->Write(line.c_str());
    const auto visible = ReadFileBytes(path).size();
    EXPECT_GE(visible, 16u * 1024);
    EXPECT_LT(visible, 5u + 320 * 101);

    log.reset();
    EXPECT_EQ(ReadFileBytes(path).size(), 5u + 320 * 101);
}

// Lines "line 0000" .. ; returns how many bytes each takes in the file.
size_t WriteNumberedLines(CTraceFileLog& log, int count, int width = 40)
{
    for (int i = 0; i < count; ++i)
    {
        wchar_t text[16];
        _snwprintf(text, 16, L"line %04d ", i);
        std::wstring line(text);
        line.resize(static_cast<size_t>(width), L'.');
        log.Write(line.c_str());
    }
    return static_cast<size_t>(width) + 2;
}

int LineNumber(const std::string& line)
{
    return std::stoi(line.substr(5, 4));
}

TEST_F(TraceFileLogTest, PastTheLimitTheFileRollsOverKeepingOnePreviousFile)
{
    const unsigned limit = 1000;
    auto log = MakeLog(path, &sink, true, LOG_OPEN_NEW, 4, limit);
    const size_t lineBytes = WriteNumberedLines(*log, 200);
    log.reset();

    const std::wstring previous = path + L".1";
    EXPECT_LE(FileSize(path), limit);
    EXPECT_LE(FileSize(previous), limit);
    EXPECT_GT(FileSize(previous), limit - lineBytes);
    EXPECT_FALSE(FileExists(path + L".2"));

    // The two files hold the newest lines without a gap.
    const auto older = SplitLines(ReadFileBytes(previous));
    const auto newer = SplitLines(ReadFileBytes(path));
    ASSERT_FALSE(older.empty());
    ASSERT_FALSE(newer.empty());
    EXPECT_EQ(LineNumber(newer.back()), 199);
    EXPECT_EQ(LineNumber(older.back()) + 1, LineNumber(newer.front()));
    for (size_t i = 1; i < older.size(); ++i)
        EXPECT_EQ(LineNumber(older[i]), LineNumber(older[i - 1]) + 1);
    EXPECT_TRUE(sink.writeErrors.empty());
}

TEST_F(TraceFileLogTest, RolloverWithoutFlushStillBoundsTheFile)
{
    const unsigned limit = 3000;
    auto log = MakeLog(path, &sink, false, LOG_OPEN_NEW, 4, limit);
    WriteNumberedLines(*log, 500);
    log.reset();
    EXPECT_LE(FileSize(path), limit);
    EXPECT_LE(FileSize(path + L".1"), limit);
    EXPECT_EQ(LineNumber(SplitLines(ReadFileBytes(path)).back()), 499);
}

TEST_F(TraceFileLogTest, AnAppendedFileAlreadyPastTheLimitRollsOverAtTheFirstLine)
{
    ASSERT_TRUE(WriteFileBytes(path, std::string(2000, 'o')));
    ASSERT_TRUE(WriteFileBytes(path + L".1", "older\r\n"));
    auto log = MakeLog(path, &sink, true, LOG_OPEN_APPEND, 4, 1000);
    log->Write(L"new");
    log.reset();
    EXPECT_EQ(ReadFileBytes(path), "new\r\n");
    EXPECT_EQ(ReadFileBytes(path + L".1"), std::string(2000, 'o'));
}

TEST_F(TraceFileLogTest, ALineLongerThanTheLimitGetsAFileOfItsOwn)
{
    auto log = MakeLog(path, &sink, true, LOG_OPEN_NEW, 4, 100);
    log->Write(L"short");
    const std::wstring longLine(300, L'L');
    log->Write(longLine.c_str());
    EXPECT_EQ(ReadFileBytes(path), std::string(300, 'L') + "\r\n");
    log->Write(L"after");
    log.reset();
    EXPECT_EQ(ReadFileBytes(path), "after\r\n");
    EXPECT_EQ(ReadFileBytes(path + L".1"), std::string(300, 'L') + "\r\n");
}

TEST_F(TraceFileLogTest, ALimitOfZeroMeansFiveMebibytes)
{
    auto log = MakeLog(path, &sink, false, LOG_OPEN_NEW, 4, 0);
    const std::wstring line(1022, L'z');
    for (int i = 0; i < 5 * 1024 + 100; ++i)  // 100 KiB past 5 MiB
        log->Write(line.c_str());
    log.reset();
    EXPECT_EQ(FileSize(path + L".1"), 5u * 1024 * 1024);
    EXPECT_EQ(FileSize(path), 100u * 1024);
}

TEST_F(TraceFileLogTest, AFileThatCannotBeOpenedIsReportedOnceAndTriedAgain)
{
    struct Case
    {
        const char* label;
        std::wstring path;
        unsigned long error;
    };
    const Case cases[] = {
        {"folder missing", folder.File(L"missing\\trace.log"), ERROR_PATH_NOT_FOUND},
        {"a folder, not a file", folder.Path(), ERROR_ACCESS_DENIED},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        RecordingSink errors;
        auto log = MakeLog(c.path, &errors, true);
        for (int i = 0; i < 5; ++i)
            log->Write(L"lost");
        EXPECT_EQ(errors.openErrors, std::vector<unsigned long>{c.error});
        EXPECT_TRUE(errors.writeErrors.empty());
    }

    // Once the folder exists the next line opens the file; the lost lines stay lost.
    RecordingSink errors;
    auto log = MakeLog(cases[0].path, &errors, true);
    log->Write(L"lost");
    ASSERT_TRUE(CreateDirectoryW(folder.File(L"missing").c_str(), nullptr));
    log->Write(L"kept");
    log.reset();
    EXPECT_EQ(ReadFileBytes(cases[0].path), "kept\r\n");
    EXPECT_EQ(errors.openErrors.size(), 1u);
}

TEST_F(TraceFileLogTest, AFullDiskReachesTheSinkOnce)
{
    // The Linux device that answers every write with "no space left".
    auto log = MakeLog(L"Z:\\dev\\full", &sink, true);
    if (!sink.openErrors.empty())
        GTEST_SKIP() << "no full device here (open error " << sink.openErrors[0] << ")";
    for (int i = 0; i < 3; ++i)
        log->Write(L"nowhere to go");
    ASSERT_EQ(sink.writeErrors.size(), 1u);
    EXPECT_EQ(sink.writeErrors[0], static_cast<unsigned long>(ERROR_DISK_FULL));
}

TEST_F(TraceFileLogTest, AFailedRolloverIsReportedAndTheFileStaysBounded)
{
    // A folder with content where the previous file should go: the rename cannot replace it.
    ASSERT_TRUE(CreateDirectoryW((path + L".1").c_str(), nullptr));
    ASSERT_TRUE(WriteFileBytes(path + L".1\\keep", "x"));
    auto log = MakeLog(path, &sink, true, LOG_OPEN_NEW, 4, 500);
    WriteNumberedLines(*log, 100);
    log.reset();
    // Every failed rollover is a failure of its own: lines were written in between.
    EXPECT_GE(sink.writeErrors.size(), 1u);
    for (unsigned long error : sink.writeErrors)
        EXPECT_NE(error, 0u);
    EXPECT_LE(FileSize(path), 500u);
    EXPECT_EQ(LineNumber(SplitLines(ReadFileBytes(path)).back()), 99);
}

TEST_F(TraceFileLogTest, FailuresWithoutASinkAreHarmless)
{
    auto log = MakeLog(folder.File(L"missing\\trace.log"), nullptr, true);
    log->Write(L"lost");
    log->Trace(TRACE_ERROR, L"lost", L"s", 1);
    auto unnamed = std::make_unique<CTraceFileLog>(nullptr, nullptr, true, LOG_OPEN_APPEND, 3, 0);
    unnamed->Write(L"lost");
}

TEST_F(TraceFileLogTest, ManyThreadsWriteWholeLines)
{
    const int threads = 8;
    const int perThread = 250;
    auto log = MakeLog(path, &sink, true, LOG_OPEN_NEW, 4, 0);
    std::vector<std::thread> writers;
    for (int t = 0; t < threads; ++t)
        writers.emplace_back([&log, t] {
            for (int i = 0; i < perThread; ++i)
            {
                const std::wstring text = L"thread " + std::to_wstring(t) + L" line " + std::to_wstring(i) +
                                          std::wstring(static_cast<size_t>(i % 37), L'-') + L"end";
                log->Write(text.c_str());
            }
        });
    for (auto& writer : writers)
        writer.join();
    log.reset();

    const auto lines = SplitLines(ReadFileBytes(path));
    ASSERT_EQ(lines.size(), static_cast<size_t>(threads * perThread));
    const std::regex format(R"(^thread (\d+) line (\d+)-*end$)");
    std::set<std::pair<int, int>> seen;
    for (const auto& line : lines)
    {
        std::smatch m;
        ASSERT_TRUE(std::regex_match(line, m, format)) << line;
        seen.insert({std::stoi(m[1]), std::stoi(m[2])});
    }
    EXPECT_EQ(seen.size(), lines.size());
}

} // namespace

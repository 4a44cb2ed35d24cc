// Which trace types a module's level lets through.
#include "Logvane.h"

#include <gtest/gtest.h>

namespace {

TEST(TraceLevel, EachLevelKeepsItsTypes)
{
    struct Case
    {
        unsigned level;
        bool error, warning, notice, info, debug;
    };
    const Case cases[] = {
        {0, false, false, false, false, false},
        {1, true, false, false, false, false},
        {2, true, true, false, false, false},
        {3, true, true, true, true, false},
        {4, true, true, true, true, true},
        {0xFFFFFFFF, true, true, true, true, true},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.level);
        EXPECT_EQ(CTraceModule::LevelAccepts(c.level, TRACE_ERROR), c.error);
        EXPECT_EQ(CTraceModule::LevelAccepts(c.level, TRACE_WARNING), c.warning);
        EXPECT_EQ(CTraceModule::LevelAccepts(c.level, TRACE_NOTICE), c.notice);
        EXPECT_EQ(CTraceModule::LevelAccepts(c.level, TRACE_INFO), c.info);
        EXPECT_EQ(CTraceModule::LevelAccepts(c.level, TRACE_DEBUG), c.debug);
    }
}

TEST(TraceLevel, CombinedAndUnnamedTypes)
{
    const auto type = [](unsigned bits) { return static_cast<TraceType>(bits); };
    EXPECT_TRUE(CTraceModule::LevelAccepts(2, type(TRACE_ERROR | TRACE_WARNING)));
    EXPECT_FALSE(CTraceModule::LevelAccepts(2, type(TRACE_ERROR | TRACE_INFO)));
    EXPECT_FALSE(CTraceModule::LevelAccepts(3, type(32)));
    EXPECT_TRUE(CTraceModule::LevelAccepts(4, type(32)));
    for (unsigned level : {0u, 1u, 3u, 4u})
        EXPECT_FALSE(CTraceModule::LevelAccepts(level, type(0))) << level;
}

// A module of level 1 hands only error lines to Write.
class CountingModule : public CTraceModule
{
public:
    explicit CountingModule(unsigned level) : CTraceModule(level) {}
    void Write(const wchar_t*) override { ++written; }
    int written = 0;
};

TEST(TraceLevel, TraceFiltersBeforeWriting)
{
    CountingModule module(1);
    module.Trace(TRACE_INFO, L"info", L"src", 1);
    module.Trace(TRACE_ERROR, L"error", L"src", 2);
    module.Trace(TRACE_DEBUG, L"debug", L"src", 3);
    EXPECT_EQ(module.written, 1);
    EXPECT_EQ(module.GetLevel(), 1u);
}

} // namespace

// The library as a host loads it, with the engine double beside it: what its engine client asks of
// the engine while the library loads, and that it gives everything back at unload.
#include "DoubleSupport.h"
#include "monitor/EngineClient.h"
#include "support/TraceCapture.h"

#include <algorithm>
#include <cstdio>
#include <string>

namespace {

using namespace enginedouble;
using testsupport::EngineDouble;

const wchar_t kLibrary[] = L"XJNTrayNotifications.dll";

struct LoadingCase
{
    const char* name;
    int failures;
    bool noObject;
    bool objectOnFailure;
    bool noInterfaces;
    ProbeAnswer probe;
    int expectedEntryCalls;
    bool engineKept; // Start(1) called and the engine held until unload
};

const LoadingCase kLoadingCases[] = {
    {"first call succeeds, no probe", 0, false, false, false, kProbeMissing, 1, true},
    {"probe answers 0", 0, false, false, false, kProbeAnswersZero, 1, true},
    {"probe answers non-zero", 0, false, false, false, kProbeAnswersNonZero, 1, false},
    {"QueryInterface refused everywhere", 0, false, false, true, kProbeAnswersZero, 1, true},
    {"success without an object", 0, true, false, false, kProbeMissing, 1, false},
    {"three failures, then success", 3, false, false, false, kProbeMissing, 4, true},
    {"four failures", 4, false, false, false, kProbeMissing, 4, false},
    {"four failures, each with an object", 4, false, true, false, kProbeMissing, 4, true},
};

TEST(EngineLoading, WhatTheLibraryAsksOfTheEngineWhileItLoads)
{
    for (const LoadingCase& c : kLoadingCases)
    {
        SCOPED_TRACE(c.name);
        EngineDouble engine;
        ASSERT_TRUE(engine.Ready());
        Script script = DefaultScript();
        script.failures = c.failures;
        script.noObject = c.noObject;
        script.objectOnFailure = c.objectOnFailure;
        script.noInterfaces = c.noInterfaces;
        script.probe = c.probe;
        engine.SetScript(script);

        const ULONGLONG before = GetTickCount64();
        HMODULE library = LoadLibraryW(kLibrary);
        const ULONGLONG took = GetTickCount64() - before;
        ASSERT_NE(library, nullptr);
        const Record loaded = engine.Record();
        EXPECT_EQ(std::count_if(loaded.calls, loaded.calls + loaded.callCount,
                                [](const Call& call) { return call.object == kEngine && call.position == -1; }),
                  c.expectedEntryCalls);
        EXPECT_EQ(EngineDouble::Called(loaded, kEngine, 15), c.engineKept);
        EXPECT_EQ(EngineDouble::Called(loaded, kProbe, 3), !c.noObject && !c.noInterfaces && c.probe != kProbeMissing);
        EXPECT_EQ(loaded.live[kEngine], c.engineKept ? 1 : 0);
        EXPECT_EQ(loaded.live[kProbe], 0);
        for (const Call& call : EngineDouble::Calls(loaded))
        {
            if (call.position == 15)
            {
                EXPECT_EQ(call.argument, 1u);
            }
        }
        for (int i = 1; i < c.expectedEntryCalls; ++i)
        {
            const ULONGLONG gap = loaded.getJanvekTimes[i] - loaded.getJanvekTimes[i - 1];
            EXPECT_GE(gap, static_cast<ULONGLONG>(EngineEntryRetryWait(i - 1)) - 20) << "wait before call " << i;
        }
        if (c.expectedEntryCalls == 4)
        {
            EXPECT_GE(took, 1780u);
            std::printf("[ figures ] %s: LoadLibrary took %llu ms\n", c.name, took);
        }
        ASSERT_TRUE(FreeLibrary(library));
        EngineDouble::ExpectNothingHeld(engine.Record());
    }
}

TEST(EngineLoading, TheEngineLibraryStaysLoadedUntilTheLibraryUnloads)
{
    for (int failures : {0, 4})
    {
        SCOPED_TRACE(failures);
        EngineDouble engine;
        Script script = DefaultScript();
        script.failures = failures;
        engine.SetScript(script);
        HMODULE library = LoadLibraryW(kLibrary);
        ASSERT_NE(library, nullptr);
        engine.Unload();
        EXPECT_NE(GetModuleHandleW(L"aJNClient.dll"), nullptr);
        ASSERT_TRUE(FreeLibrary(library));
        EXPECT_EQ(GetModuleHandleW(L"aJNClient.dll"), nullptr);
    }
}

// Direct uses of the client class: libraries that are not there or have no entry.
TEST(EngineClient, NoLibraryOrNoEntryMeansNoEngineAndNothingTraced)
{
    testsupport::TraceCapture traces;
    {
        CEngineClient missing(L"no-such-engine-library.dll");
        EXPECT_EQ(missing.GetLibrary(), nullptr);
        EXPECT_EQ(missing.GetEngine(), nullptr);
    }
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring entryless = exe;
    entryless = entryless.substr(0, entryless.rfind(L'\\'));
    entryless = entryless.substr(0, entryless.rfind(L'\\')) + L"\\enginenoentry\\aJNClient.dll";
    {
        CEngineClient noEntry(entryless.c_str());
        EXPECT_NE(noEntry.GetLibrary(), nullptr) << "kept until the client goes";
        EXPECT_EQ(noEntry.GetEngine(), nullptr);
    }
    EXPECT_TRUE(traces.Records().empty());
    EXPECT_EQ(EngineClientEngine(), nullptr) << "no module-wide client in this program";
}

TEST(EngineClient, RetryWaitsGrowBy300Ms)
{
    EXPECT_EQ(EngineEntryRetryWait(0), 300u);
    EXPECT_EQ(EngineEntryRetryWait(1), 600u);
    EXPECT_EQ(EngineEntryRetryWait(2), 900u);
    EXPECT_EQ(kEngineEntryRetries, 3);
}

} // namespace

// The logon-detect callback works whichever convention the host wrote it in.
#include "base/HostCallback.h"

#include <gtest/gtest.h>

namespace {

struct Call
{
    DWORD context;
    DWORD choice;
};
std::vector<Call> g_calls;

void WINAPI StdcallCallee(DWORD context, DWORD choice)
{
    g_calls.push_back({context, choice});
}

void __cdecl CdeclCallee(DWORD context, DWORD choice)
{
    g_calls.push_back({context, choice});
}

// Callers that keep values in callee-saved registers across the call notice a broken stack.
__attribute__((noinline)) DWORD CallManyTimes(XJNLogonDetectCallback callback, DWORD times)
{
    volatile DWORD sum = 0;
    for (DWORD i = 0; i < times; ++i)
    {
        CallHostCallback(callback, i, i * 2);
        sum = sum + i;
    }
    return sum;
}

TEST(HostCallback, BothConventionsGetTheirArgumentsAndKeepTheStack)
{
    struct Case
    {
        const char* label;
        XJNLogonDetectCallback callback;
    };
    const Case cases[] = {
        {"__stdcall", &StdcallCallee},
        {"__cdecl", reinterpret_cast<XJNLogonDetectCallback>(&CdeclCallee)},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.label);
        g_calls.clear();
        CallHostCallback(c.callback, 0xC0FFEE, 1);
        ASSERT_EQ(g_calls.size(), 1u);
        EXPECT_EQ(g_calls[0].context, 0xC0FFEEu);
        EXPECT_EQ(g_calls[0].choice, 1u);

        g_calls.clear();
        EXPECT_EQ(CallManyTimes(c.callback, 10000), 10000u * 9999 / 2);
        ASSERT_EQ(g_calls.size(), 10000u);
        EXPECT_EQ(g_calls[9999].context, 9999u);
        EXPECT_EQ(g_calls[9999].choice, 19998u);
    }
}

TEST(HostCallback, NoCallbackIsNoCall)
{
    CallHostCallback(nullptr, 1, 1);
}

} // namespace

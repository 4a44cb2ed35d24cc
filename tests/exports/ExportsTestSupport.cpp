#include "ExportsTestSupport.h"

#include "support/PopupAnswerer.h"

std::vector<CallbackCall> g_callbackCalls;

namespace {
void Record(DWORD context, DWORD choice)
{
    g_callbackCalls.push_back({context, choice, !testsupport::FindMarkedWindow(GetCurrentThreadId(), false)});
}
} // namespace

void WINAPI RecordingStdcallCallback(DWORD context, DWORD choice)
{
    Record(context, choice);
}

void __cdecl RecordingCdeclCallback(DWORD context, DWORD choice)
{
    Record(context, choice);
}

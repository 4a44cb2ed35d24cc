// The module's entry point, placed around the compiler runtime's own (the link names it with
// the linker's entry option): it sets the crash handler up before any of the module's code runs
// and routes every fault inside the runtime's start-up, the module's own entry and its
// shut-down to it.
#include "app/CrashHandler.h"

#include <windows.h>

extern "C" BOOL WINAPI DllMainCRTStartup(HANDLE instance, DWORD reason, LPVOID reserved);
extern "C" BOOL WINAPI XjnDllEntry(HANDLE instance, DWORD reason, LPVOID reserved);

namespace {

// EXCEPTION_EXIT_UNWIND: the frame is being unwound, not asked to handle an exception.
const DWORD kExitUnwind = 4;

// A record of the thread's exception-frame chain (fs:[0] on i686).
struct ExceptionFrame
{
    ExceptionFrame* next;
    void* handler;
};

// Whether the runtime's start-up ran at process attach. Zeroed by the loader, so it is right
// before any constructor has run.
bool g_runtimeAttached;

EXCEPTION_DISPOSITION __cdecl CrashFrameHandler(EXCEPTION_RECORD* record, void*, CONTEXT* context, void*)
{
    if ((record->ExceptionFlags & kExitUnwind) == 0)
    {
        EXCEPTION_POINTERS pointers = {record, context};
        HandleCrash(&pointers);
    }
    return ExceptionContinueSearch;
}

// The head of the thread's frame chain, the first word of the thread's information block.
ExceptionFrame* FrameChainHead()
{
    ExceptionFrame* head;
    asm volatile("movl %%fs:0, %0" : "=r"(head));
    return head;
}

void SetFrameChainHead(const volatile ExceptionFrame* head)
{
    asm volatile("movl %0, %%fs:0" : : "r"(head) : "memory");
}

} // namespace

// Without a crash handler the module does not start at all: the runtime never runs, so it gets
// none of the later calls either, and the exports refuse (ModuleStarted()).
BOOL WINAPI XjnDllEntry(HANDLE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH)
        g_runtimeAttached = CrashHandler::Obtain() != nullptr;
    if (!g_runtimeAttached)
        return TRUE;

    volatile ExceptionFrame frame = {FrameChainHead(), reinterpret_cast<void*>(&CrashFrameHandler)};
    SetFrameChainHead(&frame);

    CrashHandler* handler = CrashHandler::Obtain();
    if (handler)
        handler->SetEntryRunning(true);
    const BOOL result = DllMainCRTStartup(instance, reason, reserved);
    if (handler)
        handler->SetEntryRunning(false);
    // Unloaded while the process goes on (no reserved pointer): nothing may point into this
    // module's code afterwards.
    if (handler && reason == DLL_PROCESS_DETACH && !reserved)
        handler->Release();

    SetFrameChainHead(frame.next);
    return result;
}

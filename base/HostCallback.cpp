#include "base/HostCallback.h"

// function(first, second) through a frame pointer: ESP comes back from EBP, which both
// conventions preserve, so it does not matter who cleans the arguments up.
extern "C" void XJNCallWithTwoArguments(void* function, DWORD first, DWORD second);

asm(R"(
    .text
    .globl _XJNCallWithTwoArguments
    .def _XJNCallWithTwoArguments; .scl 2; .type 32; .endef
_XJNCallWithTwoArguments:
    pushl %ebp
    movl %esp, %ebp
    pushl 16(%ebp)
    pushl 12(%ebp)
    call *8(%ebp)
    movl %ebp, %esp
    popl %ebp
    ret
)");

void CallHostCallback(XJNLogonDetectCallback callback, DWORD context, DWORD choice)
{
    if (callback)
        XJNCallWithTwoArguments(reinterpret_cast<void*>(callback), context, choice);
}

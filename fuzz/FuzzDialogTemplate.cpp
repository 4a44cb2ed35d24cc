// libFuzzer entry for FuzzDialogTemplate (FuzzTargets.cpp).
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzDialogTemplate(data, size);
    return 0;
}

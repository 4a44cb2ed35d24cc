// libFuzzer entry for FuzzPathText (FuzzTargets.cpp).
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzPathText(data, size);
    return 0;
}

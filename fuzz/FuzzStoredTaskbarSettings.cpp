// libFuzzer entry for FuzzStoredTaskbarSettings (FuzzTargets.cpp).
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzStoredTaskbarSettings(data, size);
    return 0;
}

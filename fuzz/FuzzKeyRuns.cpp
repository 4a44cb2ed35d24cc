// libFuzzer entry for FuzzKeyRuns (FuzzTargets.cpp).
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzKeyRuns(data, size);
    return 0;
}

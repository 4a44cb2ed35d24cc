// libFuzzer entry for FuzzLanguageFileCheck (FuzzTargets.cpp).
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzLanguageFileCheck(data, size);
    return 0;
}

// libFuzzer entry for FuzzLanguageText (FuzzTargets.cpp).
#include "FuzzTargets.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzLanguageText(data, size);
    return 0;
}

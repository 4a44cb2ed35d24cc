#include "jnCommonGUI/GreyScale.h"

void GreyPixels(std::uint32_t* pixels, std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
    {
        const std::uint32_t pixel = pixels[i];
        const std::uint8_t grey = GreyValue(static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
                                            static_cast<std::uint8_t>(pixel));
        pixels[i] = (pixel & 0xFF000000u) | (grey << 16) | (grey << 8) | grey;
    }
}

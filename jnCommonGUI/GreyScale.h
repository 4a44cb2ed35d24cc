#pragma once
#include <cstddef>
#include <cstdint>

// The grey of a colour, weighted by how bright each primary looks: 77, 151 and 28 of 256.
constexpr std::uint8_t GreyValue(std::uint8_t red, std::uint8_t green, std::uint8_t blue)
{
    return static_cast<std::uint8_t>((red * 77 + green * 151 + blue * 28) / 256);
}

// Turns 32-bit pixels (bytes blue, green, red, alpha) grey in place; alpha stays.
void GreyPixels(std::uint32_t* pixels, std::size_t count);

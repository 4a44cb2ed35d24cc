// The colour-key scan behind the window regions and the nine-part stretch, on plain data.
#include "jnCommonGUI/KeyRuns.h"
#include "jnCommonGUI/NinePartGrid.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Rows of 24-bit pixels from a picture: '#' an opaque pixel, 'm' the magenta key.
std::vector<std::uint8_t> Rows(const std::vector<std::string>& picture, int& stride)
{
    const int width = static_cast<int>(picture[0].size());
    stride = Dib24Stride(width);
    std::vector<std::uint8_t> rows(static_cast<std::size_t>(stride) * picture.size(), 0xEE);  // padding noise
    for (std::size_t y = 0; y < picture.size(); ++y)
        for (int x = 0; x < width; ++x)
        {
            std::uint8_t* pixel = &rows[y * stride + x * 3];
            const bool key = picture[y][x] == 'm';
            pixel[0] = key ? 255 : 10;  // blue
            pixel[1] = key ? 0 : 20;    // green
            pixel[2] = key ? 255 : 30;  // red
        }
    return rows;
}

std::string Describe(const std::vector<RECT>& runs)
{
    std::string text;
    for (const RECT& r : runs)
        text += "(" + std::to_string(r.left) + "," + std::to_string(r.top) + "," + std::to_string(r.right) + "," +
                std::to_string(r.bottom) + ")";
    return text;
}

} // namespace

TEST(KeyRuns, CutsRowsIntoRunsAroundKeyPixels)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> picture;
        const char* runs;
    } cases[] = {
        {"no key", {"####"}, "(0,0,4,1)"},
        {"all key", {"mmmm"}, ""},
        {"key at both ends", {"m##m"}, "(1,0,3,1)"},
        {"key in the middle splits", {"##m#"}, "(0,0,2,1)(3,0,4,1)"},
        {"adjacent keys make no empty run", {"#mm#"}, "(0,0,1,1)(3,0,4,1)"},
        {"rounded corners", {"mm###mm", "m#####m", "#######"}, "(2,0,5,1)(1,1,6,2)(0,2,7,3)"},
        {"odd width with padding", {"#####"}, "(0,0,5,1)"},
    };
    for (const Case& c : cases)
    {
        int stride = 0;
        const std::vector<std::uint8_t> rows = Rows(c.picture, stride);
        const auto runs = ScanKeyRuns(rows.data(), static_cast<int>(c.picture[0].size()),
                                      static_cast<int>(c.picture.size()), stride, RGB(255, 0, 255));
        EXPECT_EQ(Describe(runs), c.runs) << c.name;
    }
}

TEST(KeyRuns, ComparesAllThreeChannelsOfTheKey)
{
    // Pixels that share two channels with the key are not the key.
    const std::uint8_t row[12] = {255, 0, 255, /**/ 255, 1, 255, /**/ 254, 0, 255, /**/ 255, 0, 254};
    const auto runs = ScanKeyRuns(row, 4, 1, 12, RGB(255, 0, 255));
    EXPECT_EQ(Describe(runs), "(1,0,4,1)");
    EXPECT_TRUE(ScanKeyRuns(nullptr, 4, 1, 12, RGB(255, 0, 255)).empty());
}

TEST(NinePartGrid, KeepsCornersAndStretchesTheRest)
{
    // An 18 by 21 frame with a 3-pixel border drawn on a 75 by 23 button.
    const auto pieces = NinePartGrid(18, 21, 75, 23, 3);
    const GridPiece expected[9] = {
        {{3, 3, 69, 17}, {3, 3, 12, 15}},   // centre
        {{0, 0, 3, 3}, {0, 0, 3, 3}},       // top-left
        {{72, 0, 3, 3}, {15, 0, 3, 3}},     // top-right
        {{72, 20, 3, 3}, {15, 18, 3, 3}},   // bottom-right
        {{0, 20, 3, 3}, {0, 18, 3, 3}},     // bottom-left
        {{0, 3, 3, 17}, {0, 3, 3, 15}},     // left
        {{3, 0, 69, 3}, {3, 0, 12, 3}},     // top
        {{72, 3, 3, 17}, {15, 3, 3, 15}},   // right
        {{3, 20, 69, 3}, {3, 18, 12, 3}},   // bottom
    };
    for (int i = 0; i < 9; ++i)
    {
        EXPECT_TRUE(pieces[i].target == expected[i].target) << "target of piece " << i;
        EXPECT_TRUE(pieces[i].source == expected[i].source) << "source of piece " << i;
    }
}

// The shell's stored taskbar settings, decoded from their bytes.
#include "notifications/SlideGeometry.h"
#include "notifications/StoredTaskbarSettings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

// A value as the shell writes it: header words, then edge, width, height and the rectangle.
std::vector<BYTE> Value(DWORD edge, DWORD width, DWORD height, RECT rect, size_t size = 40)
{
    std::vector<BYTE> data(size, 0xAB);
    const DWORD words[] = {0x28, 0xFFFFFFFE, 3, edge, width, height, static_cast<DWORD>(rect.left),
                           static_cast<DWORD>(rect.top), static_cast<DWORD>(rect.right),
                           static_cast<DWORD>(rect.bottom)};
    std::memcpy(data.data(), words, std::min(size, sizeof(words)));
    return data;
}

bool Same(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

} // namespace

TEST(StoredTaskbarSettings, DecodesOnlyWholeBinaryValuesWithAnEdge)
{
    struct Case
    {
        const char* name;
        std::vector<BYTE> data;
        DWORD type;
        bool decoded;
    };
    const Case cases[] = {
        {"bottom", Value(kEdgeBottom, 0, 40, {0, 984, 1280, 1024}), REG_BINARY, true},
        {"left", Value(kEdgeLeft, 60, 0, {0, 0, 60, 1024}), REG_BINARY, true},
        {"longer value", Value(kEdgeTop, 0, 44, {}, 48), REG_BINARY, true},
        {"39 bytes", Value(kEdgeBottom, 0, 40, {}, 39), REG_BINARY, false},
        {"empty", {}, REG_BINARY, false},
        {"wrong type", Value(kEdgeBottom, 0, 40, {}), 4, false},
        {"edge 4", Value(4, 0, 40, {}), REG_BINARY, false},
        {"edge all bits", Value(0xFFFFFFFF, 0, 40, {}), REG_BINARY, false},
    };
    for (const Case& c : cases)
    {
        StoredTaskbarSettings settings;
        EXPECT_EQ(ParseStoredTaskbarSettings(c.data, c.type, settings), c.decoded) << c.name;
    }
    StoredTaskbarSettings settings;
    ASSERT_TRUE(ParseStoredTaskbarSettings(Value(kEdgeRight, 62, 7, {1218, 0, 1280, 1024}), REG_BINARY, settings));
    EXPECT_EQ(settings.edge, static_cast<unsigned long>(kEdgeRight));
    EXPECT_EQ(settings.width, 62);
    EXPECT_EQ(settings.height, 7);
    EXPECT_TRUE(Same(settings.rect, RECT{1218, 0, 1280, 1024}));
}

TEST(StoredTaskbarSettings, CutTheMonitorDownAlongTheEdge)
{
    const RECT monitor = {0, 0, 1600, 1200};
    struct Case
    {
        int edge;
        RECT expected;
    };
    const Case cases[] = {
        {kEdgeLeft, {0, 0, 60, 1200}},
        {kEdgeTop, {0, 0, 1600, 40}},
        {kEdgeRight, {1540, 0, 1600, 1200}},
        {kEdgeBottom, {0, 1160, 1600, 1200}},
    };
    for (const Case& c : cases)
    {
        StoredTaskbarSettings settings;
        settings.edge = static_cast<unsigned long>(c.edge);
        settings.width = 60;
        settings.height = 40;
        EXPECT_TRUE(Same(TaskbarOnMonitor(monitor, settings), c.expected)) << c.edge;
    }
}

// Found by fuzzing: a damaged thickness overflowed the rectangle's sums.
TEST(StoredTaskbarSettings, ADamagedThicknessStaysOnTheMonitor)
{
    struct Case
    {
        int edge;
        int width, height;
        RECT monitor;
        RECT expected;
    };
    const Case cases[] = {
        {kEdgeLeft, 0x7FFFFFFF, 40, {0, 0, 1600, 1200}, {0, 0, 1600, 1200}},
        {kEdgeRight, -5, 40, {0, 0, 1600, 1200}, {1600, 0, 1600, 1200}},
        {kEdgeTop, 60, static_cast<int>(0x80000000), {0, 0, 1600, 1200}, {0, 0, 1600, 0}},
        {kEdgeBottom, 60, 0x7FFFFFFF, {-1600, -2147483647, 0, 2147483647}, {-1600, 0, 0, 2147483647}},
        {kEdgeLeft, 60, 40, {10, 0, 5, 100}, {10, 0, 10, 100}},
    };
    for (const Case& c : cases)
    {
        StoredTaskbarSettings settings;
        settings.edge = static_cast<unsigned long>(c.edge);
        settings.width = c.width;
        settings.height = c.height;
        EXPECT_TRUE(Same(TaskbarOnMonitor(c.monitor, settings), c.expected)) << c.edge;
    }
}

#include "notifications/SlideGeometry.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

bool SameRect(const RECT& a, const RECT& b)
{
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

constexpr RECT kBottomBar = {0, 984, 1280, 1024};
constexpr RECT kLeftBar = {0, 0, 40, 1024};
constexpr RECT kTopBar = {0, 0, 1280, 40};
constexpr RECT kRightBar = {1240, 0, 1280, 1024};

SlideParams Params(int edge, RECT taskbar, int width, int height, int margin = 0)
{
    SlideParams p;
    p.edge = edge;
    p.taskbar = taskbar;
    p.width = width;
    p.height = height;
    p.margin = margin;
    return p;
}

// The shown part in screen coordinates.
RECT OnScreen(const SlideFrame& f)
{
    return {f.position.x + f.visible.left, f.position.y + f.visible.top, f.position.x + f.visible.right,
            f.position.y + f.visible.bottom};
}

// The shown part always lies right against the taskbar's inner edge.
void ExpectAgainstTaskbar(const SlideParams& p, const SlideFrame& f)
{
    const RECT shown = OnScreen(f);
    switch (p.edge)
    {
    case kEdgeLeft: EXPECT_EQ(shown.left, p.taskbar.right); break;
    case kEdgeTop: EXPECT_EQ(shown.top, p.taskbar.bottom); break;
    case kEdgeRight: EXPECT_EQ(shown.right, p.taskbar.left); break;
    default: EXPECT_EQ(shown.bottom, p.taskbar.top); break;
    }
}

// The pop-up's extent across the taskbar (the direction it slides in).
int ShownDepth(const SlideParams& p, const SlideFrame& f)
{
    return p.edge == kEdgeLeft || p.edge == kEdgeRight ? f.visible.right - f.visible.left
                                                       : f.visible.bottom - f.visible.top;
}

int Depth(const SlideParams& p)
{
    return p.edge == kEdgeLeft || p.edge == kEdgeRight ? p.width : p.height;
}

struct PlacementCase
{
    const char* name;
    SlideParams params;
    POINT position;
    RECT visible;
};

TEST(SlideGeometry, InitialPlacementShowsOneStepBesideTheNotificationArea)
{
    const PlacementCase cases[] = {
        {"bottom", Params(kEdgeBottom, kBottomBar, 242, 274), {1038, 974}, {0, 0, 242, 10}},
        {"bottom with margin", Params(kEdgeBottom, kBottomBar, 242, 274, 6), {1032, 974}, {0, 0, 242, 10}},
        {"left", Params(kEdgeLeft, kLeftBar, 242, 274), {-192, 750}, {232, 0, 242, 274}},
        {"left with margin", Params(kEdgeLeft, kLeftBar, 242, 274, 6), {-192, 744}, {232, 0, 242, 274}},
        {"top", Params(kEdgeTop, kTopBar, 242, 274), {1038, -224}, {0, 264, 242, 274}},
        {"right", Params(kEdgeRight, kRightBar, 242, 274), {1230, 750}, {0, 0, 10, 274}},
    };
    for (const PlacementCase& c : cases)
    {
        SCOPED_TRACE(c.name);
        const SlideFrame f = InitialPlacement(c.params);
        EXPECT_EQ(f.position.x, c.position.x);
        EXPECT_EQ(f.position.y, c.position.y);
        EXPECT_TRUE(SameRect(f.visible, c.visible));
        ExpectAgainstTaskbar(c.params, f);
    }
}

struct SlideCase
{
    const char* name;
    SlideParams params;
    std::vector<int> inSteps;  // visible depth after each slide-in step
    POINT finalPosition;
};

class SlideSequence : public testing::TestWithParam<SlideCase>
{
};

TEST_P(SlideSequence, SlidesOutStepByStepAndEndsFlushAgainstTheTaskbar)
{
    const SlideCase& c = GetParam();
    SlideFrame f = InitialPlacement(c.params);
    std::vector<int> depths;
    bool finished = false;
    while (!finished && depths.size() < 100)
    {
        const POINT before = f.position;
        finished = SlideInStep(c.params, f);
        depths.push_back(ShownDepth(c.params, f));
        const int moved = abs(f.position.x - before.x) + abs(f.position.y - before.y);
        EXPECT_EQ(moved, depths.size() == 1 ? depths[0] - c.params.step : depths.back() - depths[depths.size() - 2]);
        ExpectAgainstTaskbar(c.params, f);
    }
    EXPECT_EQ(depths, c.inSteps);
    EXPECT_EQ(f.position.x, c.finalPosition.x);
    EXPECT_EQ(f.position.y, c.finalPosition.y);
    const RECT whole = {0, 0, c.params.width, c.params.height};
    EXPECT_TRUE(SameRect(f.visible, whole));
}

TEST_P(SlideSequence, SlidesBackUntilLessThanOneStepShows)
{
    const SlideCase& c = GetParam();
    SlideFrame f = InitialPlacement(c.params);
    while (!SlideInStep(c.params, f))
    {
    }
    int expectedDepth = Depth(c.params);
    int steps = 0;
    for (;;)
    {
        const SlideFrame before = f;
        if (SlideOutStep(c.params, f))
        {
            // The step that finds the pop-up gone changes nothing.
            EXPECT_EQ(f.position.x, before.position.x);
            EXPECT_EQ(f.position.y, before.position.y);
            EXPECT_TRUE(SameRect(f.visible, before.visible));
            break;
        }
        ++steps;
        expectedDepth -= c.params.step;
        EXPECT_EQ(ShownDepth(c.params, f), expectedDepth);
        ExpectAgainstTaskbar(c.params, f);
        ASSERT_LT(steps, 100);
    }
    EXPECT_LT(ShownDepth(c.params, f), c.params.step);
    EXPECT_GE(ShownDepth(c.params, f), 0);
    EXPECT_EQ(steps, Depth(c.params) / c.params.step);
}

std::vector<int> Depths(std::initializer_list<int> firstAndLast, int step)
{
    // From the first value up by step to the last value (which may be a shorter step away).
    const int first = *firstAndLast.begin();
    const int last = *(firstAndLast.end() - 1);
    std::vector<int> out;
    for (int d = first; d < last; d += step)
        out.push_back(d);
    out.push_back(last);
    return out;
}

INSTANTIATE_TEST_SUITE_P(
    AllEdges, SlideSequence,
    testing::Values(
        // 274 rows: 26 full steps after the first strip, then a last step of 4.
        SlideCase{"bottom", Params(kEdgeBottom, kBottomBar, 242, 274), Depths({20, 274}, 10), {1038, 710}},
        SlideCase{"bottom_even", Params(kEdgeBottom, kBottomBar, 240, 270), Depths({20, 270}, 10), {1040, 714}},
        // 242 columns: the last step is 2.
        SlideCase{"left", Params(kEdgeLeft, kLeftBar, 242, 274), Depths({20, 242}, 10), {40, 750}},
        SlideCase{"top", Params(kEdgeTop, kTopBar, 242, 274, 3), Depths({20, 274}, 10), {1035, 40}},
        SlideCase{"right", Params(kEdgeRight, kRightBar, 242, 274), Depths({20, 242}, 10), {998, 750}},
        SlideCase{"right_even", Params(kEdgeRight, kRightBar, 250, 100), Depths({20, 250}, 10), {990, 924}}),
    [](const testing::TestParamInfo<SlideCase>& info) { return std::string(info.param.name); });

TEST(SlideGeometry, OnlyTheFourShellEdgesAreEdges)
{
    for (unsigned long edge : {0ul, 1ul, 2ul, 3ul})
        EXPECT_TRUE(IsTaskbarEdge(edge));
    for (unsigned long edge : {4ul, 17ul, 0xFFFFFFFFul})
        EXPECT_FALSE(IsTaskbarEdge(edge));
}

} // namespace

// The engine's plain parts: the bounded history and the busy share.
#include "engine/SampleRing.h"
#include "engine/UsageSources.h"

#include <gtest/gtest.h>

TEST(SampleRing, KeepsTheNewestSamplesAndWalksBackToTheOldestKept)
{
    SampleRing ring(3);
    SampleValue sample;
    EXPECT_FALSE(ring.Newest(sample));
    for (ULONGLONG t = 1; t <= 5; ++t)
        ring.Push(t * 1000, static_cast<LONG>(t));
    EXPECT_EQ(ring.Size(), 3u);
    ASSERT_TRUE(ring.Newest(sample));
    EXPECT_EQ(sample.time, 5000u);
    EXPECT_EQ(sample.value, 5);
    LONG seen[3] = {sample.value};
    int count = 1;
    while (ring.Before(sample.sequence, sample))
        seen[count++] = sample.value;
    EXPECT_EQ(count, 3);
    EXPECT_EQ(seen[1], 4);
    EXPECT_EQ(seen[2], 3);
    EXPECT_FALSE(ring.Before(100, sample)) << "a sequence never handed out";
    EXPECT_FALSE(ring.Before(0, sample));
}

TEST(BusyPercent, CasesOfIdleAndTotal)
{
    struct Case
    {
        ULONGLONG idle, total;
        LONG percent;
    } cases[] = {{0, 0, -1}, {0, 100, 100}, {100, 100, 0}, {150, 100, 0}, {25, 100, 75}, {1, 3, 66}};
    for (const Case& c : cases)
        EXPECT_EQ(BusyPercent(c.idle, c.total), c.percent) << c.idle << "/" << c.total;
}

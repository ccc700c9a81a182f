#include "common/ProgressStepper.h"

#include <gtest/gtest.h>
#include <utility>
#include <vector>

#include "tests/support/ExpectSequence.h"

TEST(ProgressStepperTest, CompositionPositions)
{
    // 10 from the first page on, 11 from page 11651 on, ..., 99 at the end: each once.
    static const std::vector<int> kCompositionPositions = expectsequence::Run(10, 99);
    const uint32_t total = 1024u * 1024u;
    CProgressStepper stepper(10, 100, total);
    std::vector<int32_t> sent;
    int32_t position = -1;
    for (uint32_t k = 0; k < total; ++k) {
        const bool changed = stepper.Next(position);
        if (k == 0) {
            EXPECT_EQ(position, 10);
            EXPECT_TRUE(changed);
        }
        if (k == 11650) {
            EXPECT_EQ(position, 10);
        }
        if (k == 11651) {
            EXPECT_EQ(position, 11);
            EXPECT_TRUE(changed);
        }
        if (changed) {
            sent.push_back(position);
        }
    }
    EXPECT_EQ(position, 99);
    EXPECT_SEQUENCE(kCompositionPositions, sent);

    CProgressStepper empty(10, 100, 0);
    EXPECT_TRUE(empty.Next(position));
    EXPECT_EQ(position, 10);
    EXPECT_FALSE(empty.Next(position));
}

// NextChange must find exactly the pages where Next, page by page, reports a change: rising,
// standing and falling ranges, more steps than pages, and spans whose running sum wraps.
TEST(ProgressStepperTest, NextChangeFindsThePagesThatNextReports)
{
    struct Range
    {
        int32_t start, end;
        uint32_t total;
    };
    const Range ranges[] = {{10, 100, 1024u * 1024u}, {0, 100, 1000}, {10, 10, 500},
                            {100, 10, 1000},          {0, 5000, 7},   {3, 4, 1},
                            {0, 0x40000000, 64},      {10, 100, 0}};
    for (const Range& range : ranges) {
        std::vector<std::pair<uint32_t, int32_t>> expected, found;
        CProgressStepper byPage(range.start, range.end, range.total);
        for (uint32_t k = 0; k < range.total; ++k) {
            int32_t position = 0;
            if (byPage.Next(position)) {
                expected.emplace_back(k, position);
            }
        }
        CProgressStepper byChange(range.start, range.end, range.total);
        uint32_t page = 0;
        int32_t position = 0;
        while (byChange.NextChange(page, position)) {
            found.emplace_back(page, position);
        }
        EXPECT_SEQUENCE(expected, found)
            << range.start << ".." << range.end << " over " << range.total;
    }
}

TEST(ProgressStepperTest, SearchPositions)
{
    EXPECT_EQ(SearchProgressPosition(0), 0);
    EXPECT_EQ(SearchProgressPosition(0x028F5C28), 0);
    EXPECT_EQ(SearchProgressPosition(0x028F5C29), 1);
    EXPECT_EQ(SearchProgressPosition(0x80000000), 50);
    EXPECT_EQ(SearchProgressPosition(0xFFFFE000), 99);
}

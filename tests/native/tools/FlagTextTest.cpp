#include "tools/FlagText.h"

#include <gtest/gtest.h>

TEST(FlagTextTest, WordsInBitOrder)
{
    EXPECT_EQ(PageFlagText(0), "");
    EXPECT_EQ(PageFlagText(0x843), "Read-Write-Committed-Private");
    EXPECT_EQ(PageFlagText(0x080), "Free");
    EXPECT_EQ(PageFlagText(0x010), "Gaurded");
    EXPECT_EQ(PageFlagText(0xFFF),
              "Read-Write-Execute-Copy-On-Write-Gaurded-NoCache-Committed-Free-Reserved-"
              "Image-Mapped-Private");
    // Bits beyond the twelve known ones add nothing.
    EXPECT_EQ(PageFlagText(0xF000), "");
    EXPECT_EQ(PageFlagText(0x1000 | 0x400), "Mapped");
}

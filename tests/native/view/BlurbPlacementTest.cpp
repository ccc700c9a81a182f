#include "view/BlurbPlacement.h"

#include <gtest/gtest.h>

TEST(BlurbPlacementTest, BoxAndFlips)
{
    const PlainRect parent{0, 0, 800, 600};
    // Fits: text starts at (x, y), box 2 wider and taller.
    EXPECT_EQ(PlaceBlurb(100, 50, 150, 16, parent), (PlainRect{99, 49, 251, 67}));
    // Right edge reached: box spans x - w - 3 .. x - 1.
    EXPECT_EQ(PlaceBlurb(700, 50, 99, 16, parent), (PlainRect{700 - 99 - 3, 49, 699, 67}));
    EXPECT_EQ(PlaceBlurb(700, 50, 98, 16, parent), (PlainRect{699, 49, 799, 67}));
    // Bottom edge reached.
    EXPECT_EQ(PlaceBlurb(10, 590, 50, 16, parent), (PlainRect{9, 589 - 18, 61, 589}));
    // Both.
    EXPECT_EQ(PlaceBlurb(790, 590, 50, 16, parent), (PlainRect{789 - 52, 589 - 18, 789, 589}));
}

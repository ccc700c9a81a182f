#include "app/FramePlacement.h"

#include <gtest/gtest.h>

TEST(FramePlacementTest, ProcessTreeTakesTheRightThird)
{
    const WindowPlacement p = PlaceProcessTree(PlainRect{100, 50, 1000, 650});
    EXPECT_EQ(p.x, 600);
    EXPECT_EQ(p.y, 50);
    EXPECT_EQ(p.width, 400);
    EXPECT_EQ(p.height, 600);

    const WindowPlacement q = PlaceProcessTree(PlainRect{0, 0, 901, 700});
    EXPECT_EQ(q.x, 600);
    EXPECT_EQ(q.width, 301);
    EXPECT_EQ(q.height, 700);

    // A frame partly off the left screen edge: the width alone decides x.
    const WindowPlacement r = PlaceProcessTree(PlainRect{-8, -8, 1288, 1032});
    EXPECT_EQ(r.x, 864);
    EXPECT_EQ(r.y, -8);
    EXPECT_EQ(r.width, 1288 - 864);
}

// The edge a dropped bar docks on, and where a bar's items end their rows.
#include "common/DockLayout.h"

#include <gtest/gtest.h>

namespace {

PlainRect Area()
{
    PlainRect area;
    area.left = 100;
    area.top = 50;
    area.right = 700;
    area.bottom = 450;
    return area;
}

const unsigned kAllSides = kDockSideTop | kDockSideBottom | kDockSideLeft | kDockSideRight;

TEST(DockLayoutTest, APointNearAnEdgeChoosesItAndTheMiddleChoosesNone)
{
    EXPECT_EQ(kDockSideTop, ChooseDockSide(Area(), 400, 60, 30, kAllSides));
    EXPECT_EQ(kDockSideTop, ChooseDockSide(Area(), 400, 30, 30, kAllSides)); // just outside
    EXPECT_EQ(kDockSideBottom, ChooseDockSide(Area(), 400, 440, 30, kAllSides));
    EXPECT_EQ(kDockSideLeft, ChooseDockSide(Area(), 105, 250, 30, kAllSides));
    EXPECT_EQ(kDockSideRight, ChooseDockSide(Area(), 690, 250, 30, kAllSides));
    EXPECT_EQ(kDockSideNone, ChooseDockSide(Area(), 400, 250, 30, kAllSides));
    EXPECT_EQ(kDockSideNone, ChooseDockSide(Area(), 400, 10, 30, kAllSides)); // too far out
    // In a corner the nearer edge wins.
    EXPECT_EQ(kDockSideLeft, ChooseDockSide(Area(), 102, 60, 30, kAllSides));
}

TEST(DockLayoutTest, OnlyAllowedEdgesAreChosen)
{
    EXPECT_EQ(kDockSideNone, ChooseDockSide(Area(), 690, 250, 30, kAllSides & ~kDockSideRight));
    EXPECT_EQ(kDockSideTop, ChooseDockSide(Area(), 102, 60, 30, kDockSideTop));
    EXPECT_EQ(kDockSideNone, ChooseDockSide(Area(), 400, 60, 30, kDockSideNone));
}

TEST(DockLayoutTest, ItemsWrapBeforeTheFirstThatDoesNotFit)
{
    const std::vector<WrapItem> items = {
        {23, false}, {23, false}, {6, true}, {23, false}, {23, false}};
    EXPECT_EQ(std::vector<bool>(5, false), WrapItems(items, 200));
    // 23 + 23 + 6 fit in 60, the next button does not: the separator ends the first row.
    EXPECT_EQ((std::vector<bool>{false, false, true, false, false}), WrapItems(items, 60));
    // In 50 the separator does not fit after two buttons: it ends their row itself.
    EXPECT_EQ((std::vector<bool>{false, false, true, false, false}), WrapItems(items, 50));
    // Narrower than one button: one button per row, and the last item never wraps.
    EXPECT_EQ((std::vector<bool>{true, false, true, true, false}), WrapItems(items, 10));
    EXPECT_TRUE(WrapItems({}, 100).empty());
}

} // namespace

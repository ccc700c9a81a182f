#include "common/LayoutFractions.h"

#include <gtest/gtest.h>

TEST(LayoutFractionsTest, CaptureAndApplyExamples)
{
    LayoutFractions fresh;
    EXPECT_EQ(fresh.top, 0.0f);
    EXPECT_EQ(fresh.left, 0.0f);
    EXPECT_EQ(fresh.right, 0.0f);
    EXPECT_EQ(fresh.bottom, 0.0f);

    LayoutFractions f;
    CaptureLayout(f, PlainRect{0, 0, 400, 200}, PlainRect{10, 20, 390, 180});
    EXPECT_EQ(f.top, 0.1f);
    EXPECT_EQ(f.left, 0.025f);
    EXPECT_EQ(f.right, 0.975f);
    EXPECT_EQ(f.bottom, 0.9f);

    EXPECT_EQ(ApplyLayout(f, PlainRect{0, 0, 800, 400}), (PlainRect{20, 40, 780, 360}));
    EXPECT_EQ(ApplyLayout(f, PlainRect{0, 0, 401, 201}), (PlainRect{10, 20, 391, 181}));
    EXPECT_EQ(ApplyLayout(f, PlainRect{0, 0, 399, 199}), (PlainRect{10, 20, 389, 179}));

    // Minimised and restored.
    EXPECT_EQ(ApplyLayout(f, PlainRect{0, 0, 0, 0}), (PlainRect{0, 0, 0, 0}));
    EXPECT_EQ(ApplyLayout(f, PlainRect{0, 0, 400, 200}), (PlainRect{10, 20, 390, 180}));

    // Exact halves are raised.
    LayoutFractions g;
    CaptureLayout(g, PlainRect{0, 0, 300, 100}, PlainRect{7, 7, 293, 93});
    EXPECT_EQ(ApplyLayout(g, PlainRect{0, 0, 450, 150}), (PlainRect{11, 11, 440, 140}));

    // The result is relative to the parent's origin.
    EXPECT_EQ(ApplyLayout(f, PlainRect{100, 100, 500, 300}), (PlainRect{10, 20, 390, 180}));
}

TEST(LayoutFractionsTest, EmptyParentGivesZeroFractions)
{
    LayoutFractions f;
    CaptureLayout(f, PlainRect{0, 0, 0, 200}, PlainRect{10, 20, 390, 180});
    EXPECT_EQ(f.left, 0.0f);
    EXPECT_EQ(f.right, 0.0f);
    EXPECT_EQ(f.top, 0.1f);
    EXPECT_EQ(f.bottom, 0.9f);

    CaptureLayout(f, PlainRect{0, 0, 0, 0}, PlainRect{10, 20, 390, 180});
    EXPECT_EQ(ApplyLayout(f, PlainRect{0, 0, 400, 200}), (PlainRect{0, 0, 0, 0}));
}

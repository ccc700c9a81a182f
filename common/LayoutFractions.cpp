#include "common/LayoutFractions.h"

namespace {

float Fraction(int32_t edge, int32_t extent)
{
    if (extent <= 0) {
        return 0.0f;
    }
    return static_cast<float>(static_cast<double>(edge) / static_cast<double>(extent));
}

int32_t Edge(double extent, float fraction)
{
    return static_cast<int32_t>(extent * static_cast<double>(fraction) + 0.5);
}

} // namespace

void CaptureLayout(LayoutFractions& fractions, const PlainRect& parent, const PlainRect& control)
{
    const int32_t width = parent.Width();
    const int32_t height = parent.Height();
    fractions.top = Fraction(control.top, height);
    fractions.left = Fraction(control.left, width);
    fractions.bottom = Fraction(control.bottom, height);
    fractions.right = Fraction(control.right, width);
}

PlainRect ApplyLayout(const LayoutFractions& fractions, const PlainRect& parent)
{
    const double height = parent.Height();
    const double width = static_cast<float>(parent.Width());
    PlainRect control;
    control.top = Edge(height, fractions.top);
    control.bottom = Edge(height, fractions.bottom);
    control.left = Edge(width, fractions.left);
    control.right = Edge(width, fractions.right);
    return control;
}

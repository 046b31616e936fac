#include "render/painters.h"

#include <cmath>

namespace tessarion::render {

namespace {
constexpr double curveHeight = 0.95;
constexpr std::int16_t widePen = 2;
constexpr std::int16_t penLine = flags::firstPoint;
constexpr std::int16_t whiteDot = flags::colourGiven;
constexpr std::int16_t relativeWhiteDot = flags::relative | flags::colourGiven;

// With no amplitude there is no elongation to scale, so the marker has no height
// instead of 0/0.
double markerHeight(double displacement, double amplitude)
{
    if (amplitude == 0)
        return 0;
    return (curveHeight * displacement) / amplitude;
}
} // namespace

void P4_paint(const core::OscillationState& state, Surface& p4)
{
    const double pi = core::circleConstant();
    p4.Scale(flags::firstPoint, 0, 1, 360, -1);
    p4.Line(penLine, 0, 0, 360, 0, 0);
    p4.PSet(relativeWhiteDot, -8, 0.35f, core::colours::white);
    p4.Print("T");
    p4.Line(penLine, 0, -1, 0, 1, 0);
    p4.Print("y(t)");

    p4.setDrawWidth(widePen);
    for (std::int16_t curveDegree = 1; curveDegree <= core::curveDegrees; ++curveDegree) {
        const double degree = curveDegree;
        p4.PSet(0, single(degree), single(curveHeight * std::sin((degree * pi) / 180)), 0);
    }

    const float phase = single(static_cast<double>(state.Phase));
    p4.Line(penLine, phase, 0, phase, single(markerHeight(state.Displacement, state.Amplitude)), 0);
    p4.PSet(whiteDot, 175, 0.35f, core::colours::white);
    p4.Print("T/2");
    p4.Line(penLine, 270, -0.1f, 270, 0.1f, 0);
    p4.PSet(relativeWhiteDot, -11, 0.25f, core::colours::white);
    p4.Print("3T/4");
    p4.Line(penLine, 90, 0.1f, 90, -0.1f, 0);
    p4.PSet(relativeWhiteDot, -8, 0, core::colours::white);
    p4.Print("T/4");
}

} // namespace tessarion::render

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

void paintGraph(const core::OscillationState& state, Surface& panel)
{
    const double pi = core::circleConstant();
    panel.setScale(flags::firstPoint, 0, 1, 360, -1);
    panel.drawLine(penLine, 0, 0, 360, 0, 0);
    panel.drawPoint(relativeWhiteDot, -8, 0.35f, core::colours::white);
    panel.print("T");
    panel.drawLine(penLine, 0, -1, 0, 1, 0);
    panel.print("y(t)");

    panel.setPenWidth(widePen);
    for (std::int16_t curveDegree = 1; curveDegree <= core::curveDegrees; ++curveDegree) {
        const double degree = curveDegree;
        panel.drawPoint(0, single(degree), single(curveHeight * std::sin((degree * pi) / 180)), 0);
    }

    const float phase = single(static_cast<double>(state.phase));
    panel.drawLine(penLine, phase, 0, phase,
                   single(markerHeight(state.displacement, state.amplitude)), 0);
    panel.drawPoint(whiteDot, 175, 0.35f, core::colours::white);
    panel.print("T/2");
    panel.drawLine(penLine, 270, -0.1f, 270, 0.1f, 0);
    panel.drawPoint(relativeWhiteDot, -11, 0.25f, core::colours::white);
    panel.print("3T/4");
    panel.drawLine(penLine, 90, 0.1f, 90, -0.1f, 0);
    panel.drawPoint(relativeWhiteDot, -8, 0, core::colours::white);
    panel.print("T/4");
}

} // namespace tessarion::render

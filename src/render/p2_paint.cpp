#include "render/painters.h"

#include <cmath>

namespace tessarion::render {

namespace {
constexpr float circleRadius = 8;
constexpr double tipX = 8;
constexpr double tipY = 7.2;
constexpr float outerMarker = 0.2f;
constexpr float innerMarker = 0.1f;
constexpr std::int16_t thinPen = 1;
constexpr std::int16_t widePen = 2;
constexpr std::int16_t penLine = flags::firstPoint;
constexpr std::int16_t colourLine = flags::firstPoint | flags::colourGiven;
} // namespace

void p2_paint(const core::OscillationState& state, Surface& p2)
{
    const double pi = core::circleConstant();
    const double a = (static_cast<double>(state.Phase) * pi) / 180;
    const double sine = std::sin(a);
    const double cosine = std::cos(a);

    p2.setDrawWidth(widePen);
    p2.Scale(flags::firstPoint, -10, 10, 10, -10);
    p2.Circle(0, 0, 0, circleRadius, 0);
    p2.Line(penLine, -9, 0, 9, 0, 0);
    p2.Print("X");
    p2.Line(penLine, 0, -8.1f, 0, 8.1f, 0);
    p2.Print("Y");

    p2.setDrawWidth(thinPen);
    const float qx = single(tipX * cosine);
    const float qy = single(sine * 28.8 / 4);
    p2.Line(penLine, 0, 0, qx, qy, 0);
    p2.Circle(flags::colourGiven, qx, qy, outerMarker, core::colours::red);
    p2.Circle(flags::colourGiven, qx, qy, innerMarker, core::colours::black);
    p2.Line(penLine, 0, single(tipY * sine), qx, qy, 0);
    p2.Line(penLine, single(tipX * cosine), 0, qx, qy, 0);

    p2.setDrawWidth(widePen);
    p2.Line(colourLine, 0, 0, single(tipX * cosine), 0, core::colours::yellow);
    p2.Line(colourLine, 0, 0, 0, single(tipY * sine), core::colours::green);
}

} // namespace tessarion::render

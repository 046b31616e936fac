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

void paintVector(const core::OscillationState& state, Surface& panel)
{
    const double pi = core::circleConstant();
    const double a = (static_cast<double>(state.phase) * pi) / 180;
    const double sine = std::sin(a);
    const double cosine = std::cos(a);

    panel.setPenWidth(widePen);
    panel.setScale(flags::firstPoint, -10, 10, 10, -10);
    panel.drawCircle(0, 0, 0, circleRadius, 0);
    panel.drawLine(penLine, -9, 0, 9, 0, 0);
    panel.print("X");
    panel.drawLine(penLine, 0, -8.1f, 0, 8.1f, 0);
    panel.print("Y");

    panel.setPenWidth(thinPen);
    const float qx = single(tipX * cosine);
    const float qy = single(sine * 28.8 / 4);
    panel.drawLine(penLine, 0, 0, qx, qy, 0);
    panel.drawCircle(flags::colourGiven, qx, qy, outerMarker, core::colours::red);
    panel.drawCircle(flags::colourGiven, qx, qy, innerMarker, core::colours::black);
    panel.drawLine(penLine, 0, single(tipY * sine), qx, qy, 0);
    panel.drawLine(penLine, single(tipX * cosine), 0, qx, qy, 0);

    panel.setPenWidth(widePen);
    panel.drawLine(colourLine, 0, 0, single(tipX * cosine), 0, core::colours::yellow);
    panel.drawLine(colourLine, 0, 0, 0, single(tipY * sine), core::colours::green);
}

} // namespace tessarion::render

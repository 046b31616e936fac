#include "render/painters.h"

namespace tessarion::render {

namespace {
constexpr double pivotX = 120;
constexpr double restBobY = 246;
constexpr double scaleY = 275;
constexpr double pixelsAcross = 15;
constexpr double riseFactor = 2.7;
constexpr float bobRadius = 10;
constexpr std::int16_t thinPen = 1;
constexpr std::int16_t thickPen = 3;
constexpr std::int16_t lineWithColour = flags::firstPoint | flags::colourGiven;
constexpr std::int16_t strokeWithColour = lineWithColour | flags::secondRelative;

} // namespace

void paintPendulum(const core::OscillationState& state, Surface& panel, LineFigure& pendulumRod)
{
    pendulumRod.setStartX(single(pivotX));
    pendulumRod.setEndX(single(pivotX + pixelsAcross * state.displacement));
    pendulumRod.setStartY(18);
    pendulumRod.setEndY(single(restBobY + (riseFactor * state.amplitude) * state.cosineSquared));

    panel.setPenWidth(thickPen);
    const float bx = pendulumRod.endX();
    const float by = pendulumRod.endY();
    panel.drawCircle(flags::colourGiven, bx, by, bobRadius, core::colours::red);
    panel.setPenWidth(thinPen);
    panel.drawLine(lineWithColour, 120, 18, 120, 265, core::colours::black);
    panel.setPenWidth(thickPen);
    panel.drawLine(strokeWithColour, 120, 270, 0, 10, core::colours::black);

    const float left = single(pivotX - pixelsAcross * state.amplitude);
    const float right = single(pivotX + pixelsAcross * state.amplitude);
    panel.drawLine(lineWithColour, left, 275, right, 275, core::colours::black);
    panel.drawLine(strokeWithColour, left, 275, 5, -3, core::colours::black);
    panel.drawLine(strokeWithColour, left, 275, 5, 3, core::colours::black);
    panel.print("-A");
    panel.drawLine(strokeWithColour, right, 275, -5, -3, core::colours::black);
    panel.drawLine(strokeWithColour, right, 275, -5, 3, core::colours::black);
    panel.print("+A");
    panel.drawLine(lineWithColour, 120, single(scaleY),
                   single(pivotX + pixelsAcross * state.displacement), single(scaleY),
                   core::colours::green);
}

} // namespace tessarion::render

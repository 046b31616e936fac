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

void p3_paint(const core::OscillationState& state, Surface& p3, LineFigure& Line3)
{
    Line3.setX1(single(pivotX));
    Line3.setX2(single(pivotX + pixelsAcross * state.Displacement));
    Line3.setY1(18);
    Line3.setY2(single(restBobY + (riseFactor * state.Amplitude) * state.CosSquared));

    p3.setDrawWidth(thickPen);
    const float bx = Line3.X2();
    const float by = Line3.Y2();
    p3.Circle(flags::colourGiven, bx, by, bobRadius, core::colours::red);
    p3.setDrawWidth(thinPen);
    p3.Line(lineWithColour, 120, 18, 120, 265, core::colours::black);
    p3.setDrawWidth(thickPen);
    p3.Line(strokeWithColour, 120, 270, 0, 10, core::colours::black);

    const float left = single(pivotX - pixelsAcross * state.Amplitude);
    const float right = single(pivotX + pixelsAcross * state.Amplitude);
    p3.Line(lineWithColour, left, 275, right, 275, core::colours::black);
    p3.Line(strokeWithColour, left, 275, 5, -3, core::colours::black);
    p3.Line(strokeWithColour, left, 275, 5, 3, core::colours::black);
    p3.Print("-A");
    p3.Line(strokeWithColour, right, 275, -5, -3, core::colours::black);
    p3.Line(strokeWithColour, right, 275, -5, 3, core::colours::black);
    p3.Print("+A");
    p3.Line(lineWithColour, 120, single(scaleY), single(pivotX + pixelsAcross * state.Displacement),
            single(scaleY), core::colours::green);
}

} // namespace tessarion::render

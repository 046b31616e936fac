#include "render/painters.h"

#include <array>

namespace tessarion::render {

namespace {
// One vertex of the spring: x, height at rest, and how many displacements it moves.
struct SpringVertex {
    double x;
    double base;
    double factor;
};

// The irregular zig-zag exactly as drawn; vertex 0 hangs fixed, vertex 12 moves with the mass.
constexpr std::array<SpringVertex, 13> springVertices{{
    {80, 30, 0},
    {48, 42, 1},
    {104, 54, 2},
    {48, 72, 4},
    {104, 84, 6},
    {48, 102, 8},
    {104, 114, 10},
    {48, 132, 12},
    {104, 144, 14},
    {48, 162, 16},
    {104, 174, 18},
    {48, 192, 20},
    {80, 198, 21},
}};

constexpr double restHeight = 220;
constexpr double pixelsPerAmplitude = 21;
constexpr float massRadius = 10;
constexpr std::int16_t thickPen = 3;
constexpr std::int16_t lineWithColour = flags::firstPoint | flags::colourGiven;
constexpr std::int16_t relativeDotWithColour = flags::relative | flags::colourGiven;

} // namespace

void paintSpring(const core::OscillationState& state, Surface& panel, const SpringFigures& figures)
{
    const double D = state.displacement;

    figures.hanger.setStartX(80);
    figures.hanger.setEndX(80);
    figures.hanger.setStartY(18);
    figures.hanger.setEndY(30);
    for (int k = 0; k < LineFigureGroup::size; ++k) {
        const SpringVertex& top = springVertices[static_cast<std::size_t>(k)];
        const SpringVertex& bottom = springVertices[static_cast<std::size_t>(k + 1)];
        LineFigure& segment = figures.segments.at(k);
        segment.setStartX(single(top.x));
        segment.setEndX(single(bottom.x));
        segment.setStartY(single(top.base + top.factor * D));
        segment.setEndY(single(bottom.base + bottom.factor * D));
    }
    figures.massRod.setStartX(80);
    figures.massRod.setEndX(80);
    figures.massRod.setStartY(single(198 + pixelsPerAmplitude * D));
    figures.massRod.setEndY(single(restHeight + pixelsPerAmplitude * D));

    panel.setPenWidth(thickPen);
    const float cx = figures.massRod.endX();
    const float cy = figures.massRod.endY();
    panel.drawCircle(flags::colourGiven, cx, cy, massRadius, core::colours::red);
    panel.drawLine(lineWithColour, 110, 220, 120, 220, core::colours::black);
    panel.setPenColour(core::colours::black);
    panel.drawPoint(relativeDotWithColour, 5, -8, core::colours::white);
    panel.print("0");

    const double reach = pixelsPerAmplitude * state.amplitude;
    panel.drawLine(lineWithColour, 115, 220, 115, single(restHeight + reach), core::colours::black);
    panel.drawPoint(relativeDotWithColour, 6, -10, core::colours::white);
    panel.print("-A");
    panel.drawLine(lineWithColour, 115, single(220 + reach), 119, single(215 + reach),
                   core::colours::black);
    panel.drawLine(lineWithColour, 115, single(220 + reach), 111, single(215 + reach),
                   core::colours::black);

    panel.drawLine(lineWithColour, 115, 220, 115, single(restHeight - reach), core::colours::black);
    panel.drawPoint(relativeDotWithColour, 5, -10, core::colours::white);
    panel.print("+A");
    panel.drawLine(lineWithColour, 115, single(220 - reach), 119, single(225 - reach),
                   core::colours::black);
    panel.drawLine(lineWithColour, 115, single(220 - reach), 111, single(225 - reach),
                   core::colours::black);

    panel.drawLine(lineWithColour, 115, 220, 115, single(restHeight + pixelsPerAmplitude * D),
                   core::colours::green);
}

} // namespace tessarion::render

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

void P1_Paint(const core::OscillationState& state, Surface& P1, const SpringFigures& figures)
{
    const double D = state.Displacement;

    figures.Lin1.setX1(80);
    figures.Lin1.setX2(80);
    figures.Lin1.setY1(18);
    figures.Lin1.setY2(30);
    for (int k = 0; k < LineFigureGroup::size; ++k) {
        const SpringVertex& top = springVertices[static_cast<std::size_t>(k)];
        const SpringVertex& bottom = springVertices[static_cast<std::size_t>(k + 1)];
        LineFigure& segment = figures.Linl.Item(k);
        segment.setX1(single(top.x));
        segment.setX2(single(bottom.x));
        segment.setY1(single(top.base + top.factor * D));
        segment.setY2(single(bottom.base + bottom.factor * D));
    }
    figures.Lin2.setX1(80);
    figures.Lin2.setX2(80);
    figures.Lin2.setY1(single(198 + pixelsPerAmplitude * D));
    figures.Lin2.setY2(single(restHeight + pixelsPerAmplitude * D));

    P1.setDrawWidth(thickPen);
    const float cx = figures.Lin2.X2();
    const float cy = figures.Lin2.Y2();
    P1.Circle(flags::colourGiven, cx, cy, massRadius, core::colours::red);
    P1.Line(lineWithColour, 110, 220, 120, 220, core::colours::black);
    P1.setForeColor(core::colours::black);
    P1.PSet(relativeDotWithColour, 5, -8, core::colours::white);
    P1.Print("0");

    const double reach = pixelsPerAmplitude * state.Amplitude;
    P1.Line(lineWithColour, 115, 220, 115, single(restHeight + reach), core::colours::black);
    P1.PSet(relativeDotWithColour, 6, -10, core::colours::white);
    P1.Print("-A");
    P1.Line(lineWithColour, 115, single(220 + reach), 119, single(215 + reach),
            core::colours::black);
    P1.Line(lineWithColour, 115, single(220 + reach), 111, single(215 + reach),
            core::colours::black);

    P1.Line(lineWithColour, 115, 220, 115, single(restHeight - reach), core::colours::black);
    P1.PSet(relativeDotWithColour, 5, -10, core::colours::white);
    P1.Print("+A");
    P1.Line(lineWithColour, 115, single(220 - reach), 119, single(225 - reach),
            core::colours::black);
    P1.Line(lineWithColour, 115, single(220 - reach), 111, single(225 - reach),
            core::colours::black);

    P1.Line(lineWithColour, 115, 220, 115, single(restHeight + pixelsPerAmplitude * D),
            core::colours::green);
}

} // namespace tessarion::render

#include "painted_form.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <limits>
#include <ostream>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

namespace tessarion::render {
namespace {

using support::DeviceCall;
using support::RecordingDevice;
using Kind = DeviceCall::Kind;
const double pi = 4 * std::atan(1.0);
double sinDeg(double degrees) { return std::sin(degrees * pi / 180); }
double cosDeg(double degrees) { return std::cos(degrees * pi / 180); }

// The spring's vertices: x, height at rest, and how many displacements each one moves.
struct Vertex {
    double x, base, factor;
};
// clang-format off
constexpr std::array<Vertex, 13> spring{{
    {80, 30, 0}, {48, 42, 1}, {104, 54, 2}, {48, 72, 4}, {104, 84, 6}, {48, 102, 8},
    {104, 114, 10}, {48, 132, 12}, {104, 144, 14}, {48, 162, 16}, {104, 174, 18},
    {48, 192, 20}, {80, 198, 21}}};
// clang-format on

// The four panels with their painters, after start-up.
struct Window : support::PaintedForm {
    Window() { form.load(); }
    // A tick at frequency 0, so every panel paints at exactly this phase.
    void tickAt(std::int64_t phase, double amplitude)
    {
        form.state.phase = phase;
        form.state.amplitude = amplitude;
        form.state.frequency = 0;
        clearDevices();
        form.tick();
    }
};

// The calls of the one paint of `panel` recorded on `device`, without the erase and the line
// figures.
std::vector<DeviceCall> handlerCalls(const RecordingDevice& device, std::string_view panel)
{
    std::vector<DeviceCall> calls = device.calls();
    const std::size_t figures = support::layoutFigureCount(panel);
    EXPECT_GE(calls.size(), figures + 1);
    if (calls.size() < figures + 1)
        return {};
    EXPECT_EQ(calls.front().kind, Kind::Fill);
    return {calls.begin() + 1, calls.end() - static_cast<std::ptrdiff_t>(figures)};
}

struct Expected {
    Kind kind;
    DevicePoint a, b{};
    double radius = 0;
    core::Colour colour = 0;
    int width = 0;
    std::string text{};
};

void expectCalls(const std::vector<DeviceCall>& actual, const std::vector<Expected>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    constexpr double tolerance = 2e-3; // pixels; coordinates pass through singles
    for (std::size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("call " + std::to_string(i));
        const DeviceCall& got = actual[i];
        const Expected& want = expected[i];
        ASSERT_EQ(got.kind, want.kind);
        EXPECT_NEAR(got.a.x, want.a.x, tolerance);
        EXPECT_NEAR(got.a.y, want.a.y, tolerance);
        EXPECT_EQ(got.colour, want.colour);
        if (want.kind == Kind::Text) {
            EXPECT_EQ(got.text, want.text);
            continue;
        }
        EXPECT_EQ(got.width, want.width);
        if (want.kind == Kind::Line) {
            EXPECT_NEAR(got.b.x, want.b.x, tolerance);
            EXPECT_NEAR(got.b.y, want.b.y, tolerance);
        }
        if (want.kind == Kind::Ellipse) {
            EXPECT_NEAR(got.radiusX, want.radius, tolerance);
            EXPECT_NEAR(got.radiusY, want.radius, tolerance);
        }
    }
}

void expectFigure(const support::DrawnFigure& figure, double x1, double y1, double x2, double y2)
{
    EXPECT_NEAR(figure.startX(), x1, 1e-3);
    EXPECT_NEAR(figure.startY(), y1, 1e-3);
    EXPECT_NEAR(figure.endX(), x2, 1e-3);
    EXPECT_NEAR(figure.endY(), y2, 1e-3);
}

using Geometry = std::tuple<int, double>; // phase, amplitude

class Painters : public testing::TestWithParam<Geometry> {
protected:
    Window window;
};

TEST_P(Painters, SpringMassFollowsTheDisplacement)
{
    const auto [phase, A] = GetParam();
    window.form.state.phase = phase;
    window.form.state.amplitude = A;
    window.P1.repaintNow();
    const double D = -A * sinDeg(phase);
    EXPECT_NEAR(window.form.state.displacement, D, 1e-12);

    expectFigure(window.hanger, 80, 18, 80, 30);
    for (int k = 0; k < 12; ++k) {
        SCOPED_TRACE("Linl " + std::to_string(k));
        const Vertex& a = spring[static_cast<std::size_t>(k)];
        const Vertex& b = spring[static_cast<std::size_t>(k + 1)];
        expectFigure(window.segments.at(k), a.x, a.base + a.factor * D, b.x, b.base + b.factor * D);
    }
    expectFigure(window.massRod, 80, 198 + 21 * D, 80, 220 + 21 * D);

    const double reach = 21 * A;
    const core::Colour black = core::colours::black, white = core::colours::white;
    expectCalls(handlerCalls(window.d1, "P1"),
                {{Kind::Ellipse, {80, 220 + 21 * D}, {}, 10, core::colours::red, 3},
                 {Kind::Line, {110, 220}, {120, 220}, 0, black, 3},
                 {Kind::Dot, {125, 212}, {}, 0, white, 3},
                 {Kind::Text, {125, 212}, {}, 0, black, 0, "0"},
                 {Kind::Line, {115, 220}, {115, 220 + reach}, 0, black, 3},
                 {Kind::Dot, {121, 210 + reach}, {}, 0, white, 3},
                 {Kind::Text, {121, 210 + reach}, {}, 0, black, 0, "-A"},
                 {Kind::Line, {115, 220 + reach}, {119, 215 + reach}, 0, black, 3},
                 {Kind::Line, {115, 220 + reach}, {111, 215 + reach}, 0, black, 3},
                 {Kind::Line, {115, 220}, {115, 220 - reach}, 0, black, 3},
                 {Kind::Dot, {120, 210 - reach}, {}, 0, white, 3},
                 {Kind::Text, {120, 210 - reach}, {}, 0, black, 0, "+A"},
                 {Kind::Line, {115, 220 - reach}, {119, 225 - reach}, 0, black, 3},
                 {Kind::Line, {115, 220 - reach}, {111, 225 - reach}, 0, black, 3},
                 {Kind::Line, {115, 220}, {115, 220 + 21 * D}, 0, core::colours::green, 3}});
    EXPECT_EQ(window.P1.scheduledRepaints(), 0);
}

TEST_P(Painters, PendulumSwingsWithTheDisplacement)
{
    const auto [phase, A] = GetParam();
    window.form.state.phase = phase;
    window.form.state.amplitude = A;
    window.p3.repaintNow();
    const double D = A * sinDeg(phase);
    const double C = cosDeg(phase) * cosDeg(phase);
    EXPECT_NEAR(window.form.state.displacement, D, 1e-12);
    EXPECT_NEAR(window.form.state.cosineSquared, C, 1e-12);
    const double bx = 120 + 15 * D, by = 246 + 2.7 * A * C;
    expectFigure(window.pendulumRod, 120, 18, bx, by);

    const double left = 120 - 15 * A, right = 120 + 15 * A;
    const core::Colour black = core::colours::black, textColour = core::colours::buttonText;
    expectCalls(handlerCalls(window.d3, "p3"),
                {{Kind::Ellipse, {bx, by}, {}, 10, core::colours::red, 3},
                 {Kind::Line, {120, 18}, {120, 265}, 0, black, 1},
                 {Kind::Line, {120, 270}, {120, 280}, 0, black, 3},
                 {Kind::Line, {left, 275}, {right, 275}, 0, black, 3},
                 {Kind::Line, {left, 275}, {left + 5, 272}, 0, black, 3},
                 {Kind::Line, {left, 275}, {left + 5, 278}, 0, black, 3},
                 {Kind::Text, {left + 5, 278}, {}, 0, textColour, 0, "-A"},
                 {Kind::Line, {right, 275}, {right - 5, 272}, 0, black, 3},
                 {Kind::Line, {right, 275}, {right - 5, 278}, 0, black, 3},
                 {Kind::Text, {right - 5, 278}, {}, 0, textColour, 0, "+A"},
                 {Kind::Line, {120, 275}, {bx, 275}, 0, core::colours::green, 3}});
    EXPECT_EQ(window.p3.scheduledRepaints(), 0);
}

// p4 maps (0, 1)-(360, -1) onto 507 × 138 pixels.
DevicePoint graph(double x, double y) { return {x * 507 / 360, (1 - y) * 138 / 2}; }

TEST_P(Painters, TimeGraphMarksThePhaseAfterATick)
{
    const auto [phase, A] = GetParam();
    for (int paint = 1; paint <= 2; ++paint) {
        SCOPED_TRACE("paint " + std::to_string(paint));
        window.tickAt(phase, A);
        const int axes = paint == 1 ? 1 : 2; // the width the previous paint left
        const core::Colour penColour = core::colours::buttonText, white = core::colours::white;
        const double h = A == 0 ? 0 : 0.95 * sinDeg(phase);
        std::vector<Expected> expected{{Kind::Line, graph(0, 0), graph(360, 0), 0, penColour, axes},
                                       {Kind::Dot, graph(352, 0.35), {}, 0, white, axes},
                                       {Kind::Text, graph(352, 0.35), {}, 0, penColour, 0, "T"},
                                       {Kind::Line, graph(0, -1), graph(0, 1), 0, penColour, axes},
                                       {Kind::Text, graph(0, 1), {}, 0, penColour, 0, "y(t)"}};
        for (int d = 1; d <= 360; ++d)
            expected.push_back({Kind::Dot, graph(d, 0.95 * sinDeg(d)), {}, 0, penColour, 2});
        const std::vector<Expected> tail{
            {Kind::Line, graph(phase, 0), graph(phase, h), 0, penColour, 2},
            {Kind::Dot, graph(175, 0.35), {}, 0, white, 2},
            {Kind::Text, graph(175, 0.35), {}, 0, penColour, 0, "T/2"},
            {Kind::Line, graph(270, -0.1), graph(270, 0.1), 0, penColour, 2},
            {Kind::Dot, graph(259, 0.35), {}, 0, white, 2},
            {Kind::Text, graph(259, 0.35), {}, 0, penColour, 0, "3T/4"},
            {Kind::Line, graph(90, 0.1), graph(90, -0.1), 0, penColour, 2},
            {Kind::Dot, graph(82, -0.1), {}, 0, white, 2},
            {Kind::Text, graph(82, -0.1), {}, 0, penColour, 0, "T/4"}};
        expected.insert(expected.end(), tail.begin(), tail.end());
        expectCalls(handlerCalls(window.d4, "p4"), expected);
        EXPECT_EQ(window.form.state.curveDegree, 361);
    }
}

INSTANTIATE_TEST_SUITE_P(
    PhasesAndAmplitudes, Painters,
    testing::Combine(testing::Values(0, 90, 180, 270, -10), testing::Values(0.0, 3.5, 7.0)),
    [](const auto& info) {
        const int phase = std::get<0>(info.param);
        return (phase < 0 ? "minus" + std::to_string(-phase) : std::to_string(phase)) + "deg_A" +
               std::to_string(static_cast<int>(std::get<1>(info.param) * 10));
    });

TEST(PaintSpringMass, FigureValuesNamedForTheExtremes)
{
    Window window;
    window.form.state.amplitude = 7;
    window.form.state.phase = 90;
    window.P1.repaintNow();
    const double heights[] = {30, 35, 40, 44, 42, 46, 44, 48, 46, 50, 48, 52, 51};
    for (int k = 0; k < 12; ++k) {
        EXPECT_FLOAT_EQ(window.segments.at(k).startY(), heights[k]);
        EXPECT_FLOAT_EQ(window.segments.at(k).endY(), heights[k + 1]);
    }
    EXPECT_FLOAT_EQ(window.massRod.endY(), 73);

    window.form.state.phase = 270;
    window.P1.repaintNow();
    EXPECT_FLOAT_EQ(window.segments.at(11).endY(), 345);
    EXPECT_FLOAT_EQ(window.massRod.endY(), 367);

    window.form.state.amplitude = 3.5;
    window.form.state.phase = 90;
    window.P1.repaintNow();
    EXPECT_FLOAT_EQ(window.massRod.startY(), 124.5);
    EXPECT_FLOAT_EQ(window.massRod.endY(), 146.5);

    window.form.state.phase = -10; // no reset below 0: the mass hangs below its rest height
    window.P1.repaintNow();
    EXPECT_NEAR(window.form.state.displacement, 0.608, 1e-3);
    EXPECT_NEAR(window.massRod.endY() - 220, 12.8, 0.05);

    for (int phase : {360, 365}) {
        window.form.state.phase = phase;
        window.P1.repaintNow();
        EXPECT_EQ(window.form.state.phase, 0);
        EXPECT_FLOAT_EQ(window.massRod.endY(), 220);
    }
}

TEST(PaintPendulum, FigureValuesNamedForTheExtremes)
{
    Window window;
    window.tickAt(0, 7);
    EXPECT_FLOAT_EQ(window.pendulumRod.endX(), 120);
    EXPECT_NEAR(window.pendulumRod.endY(), 264.9, 1e-4);
    window.tickAt(90, 3.5);
    EXPECT_FLOAT_EQ(window.pendulumRod.endX(), 172.5);
    EXPECT_FLOAT_EQ(window.pendulumRod.endY(), 246);
    window.tickAt(-90, 3.5);
    EXPECT_FLOAT_EQ(window.pendulumRod.endX(), 67.5); // like 270: towards "-A"
}

struct VectorCase {
    int phase;
    const char* sine;
    const char* cosine;
};

void PrintTo(const VectorCase& c, std::ostream* os) { *os << "phase " << c.phase; }

class PaintRotatingVector : public testing::TestWithParam<VectorCase> {};

// p2 maps (-10, 10)-(10, -10) onto 344 × 384 pixels.
DevicePoint vectorPanel(double x, double y) { return {(x + 10) * 344 / 20, (10 - y) * 384 / 20}; }

TEST_P(PaintRotatingVector, ReadoutsAreCutDownAndTheTipFollowsThePhase)
{
    const VectorCase& c = GetParam();
    Window window;
    window.form.state.phase = c.phase;
    window.p2.repaintNow();
    EXPECT_EQ(window.Text(6), c.sine);
    EXPECT_EQ(window.Text(7), c.cosine);

    const double qx = 8 * cosDeg(c.phase), qy = 7.2 * sinDeg(c.phase);
    const DevicePoint centre = vectorPanel(0, 0), q = vectorPanel(qx, qy);
    const core::Colour penColour = core::colours::buttonText;
    const double unit = 344.0 / 20; // pixels per x unit
    expectCalls(handlerCalls(window.d2, "p2"),
                {{Kind::Ellipse, centre, {}, 8 * unit, penColour, 2},
                 {Kind::Line, vectorPanel(-9, 0), vectorPanel(9, 0), 0, penColour, 2},
                 {Kind::Text, vectorPanel(9, 0), {}, 0, penColour, 0, "X"},
                 {Kind::Line, vectorPanel(0, -8.1), vectorPanel(0, 8.1), 0, penColour, 2},
                 {Kind::Text, vectorPanel(0, 8.1), {}, 0, penColour, 0, "Y"},
                 {Kind::Line, centre, q, 0, penColour, 1},
                 {Kind::Ellipse, q, {}, 0.2 * unit, core::colours::red, 1},
                 {Kind::Ellipse, q, {}, 0.1 * unit, core::colours::black, 1},
                 {Kind::Line, vectorPanel(0, qy), q, 0, penColour, 1},
                 {Kind::Line, vectorPanel(qx, 0), q, 0, penColour, 1},
                 {Kind::Line, centre, vectorPanel(qx, 0), 0, core::colours::yellow, 2},
                 {Kind::Line, centre, vectorPanel(0, qy), 0, core::colours::green, 2}});
    // The circle is round on screen, so it reaches about 7.17 units up and down.
    EXPECT_NEAR(window.d2.callsOf(Kind::Ellipse).front().radiusY / (384.0 / 20), 7.17, 0.01);
}

INSTANTIATE_TEST_SUITE_P(
    Phases, PaintRotatingVector,
    testing::Values(VectorCase{0, "0", "1"}, VectorCase{30, "0.499", "0.866"},
                    VectorCase{60, "0.866", "0.5"}, VectorCase{90, "1", "0"},
                    VectorCase{135, "0.707", "-0.708"}, VectorCase{180, "0", "-1"},
                    VectorCase{270, "-1", "-0.001"}, VectorCase{-1, "-0.018", "0.999"}),
    [](const auto& info) {
        const int phase = info.param.phase;
        return phase < 0 ? "minus" + std::to_string(-phase) : std::to_string(phase);
    });

// The marker's upper end, in the graph's units.
double markerHeight(const Window& window)
{
    const auto lines = window.d4.callsOf(Kind::Line);
    EXPECT_EQ(lines.size(), 5u);
    return lines.size() == 5 ? 1 - lines[2].b.y * 2 / 138 : std::nan("");
}

TEST(PaintTimeGraph, MarkerReadsWhicheverDisplacementWasStoredLast)
{
    Window window;
    window.p4.repaintNow(); // before any paint of P1 or p3
    EXPECT_NEAR(markerHeight(window), 0, 1e-6);

    window.tickAt(90, 3.5);
    EXPECT_NEAR(markerHeight(window), 0.95, 1e-6);
    window.tickAt(270, 3.5);
    EXPECT_NEAR(markerHeight(window), -0.95, 1e-6);

    window.form.state.phase = 89;
    window.clearDevices();
    window.form.phaseUp();
    EXPECT_NEAR(markerHeight(window), 0.95, 1e-6);

    window.P1.repaintNow(); // P1 alone leaves the negated value for p4
    window.clearDevices();
    window.p4.repaintNow();
    EXPECT_NEAR(markerHeight(window), -0.95, 1e-6);

    window.tickAt(90, 3.5);
    for (int press = 0; press < 7; ++press)
        window.form.amplitudeUp(); // repaints nothing
    ASSERT_EQ(window.form.state.amplitude, 7);
    window.clearDevices();
    window.p4.repaintNow();
    EXPECT_NEAR(markerHeight(window), 0.475, 1e-6);

    window.tickAt(90, 0);
    EXPECT_EQ(markerHeight(window), 0);
}

TEST(PaintWindow, OneTickFrom350ResetsThePhaseBeforeAnyOtherPanelSeesIt)
{
    Window window;
    window.form.state.phase = 350;
    window.clearDevices();
    window.log.clear();
    window.form.tick();
    EXPECT_EQ(window.log, (std::vector<std::string>{"P1", "p3", "p2", "p4"}));
    EXPECT_EQ(window.form.state.phase, 0);
    EXPECT_EQ(window.Text(3), "0");
    EXPECT_EQ(window.Text(4), "0");
    EXPECT_EQ(window.Text(5), "0%");
    EXPECT_EQ(window.Text(6), "0");
    EXPECT_EQ(window.Text(7), "1");
    EXPECT_FLOAT_EQ(window.massRod.endY(), 220);
    EXPECT_FLOAT_EQ(window.pendulumRod.endX(), 120);
    const auto marker = window.d4.callsOf(Kind::Line).at(2);
    EXPECT_NEAR(marker.a.x, 0, 1e-9);
    EXPECT_NEAR(markerHeight(window), 0, 1e-6);
}

bool finite(const DeviceCall& call)
{
    for (double value : {call.a.x, call.a.y, call.b.x, call.b.y, call.radiusX, call.radiusY})
        if (!std::isfinite(value))
            return false;
    return true;
}

TEST(PaintSweep, NoNonFiniteValueReachesAnyDeviceOverPhasesAndAmplitudes)
{
    Window window;
    std::vector<std::int64_t> phases{-1'000'000'000'000'000, -1'000'000'000'000'007,
                                     std::numeric_limits<std::int64_t>::min(), 1'000'000'000'000};
    for (std::int64_t phase = -1'000'000; phase <= 1'000'000; phase += 20'011)
        phases.push_back(phase);
    for (int step = 0; step <= 14; ++step) {
        const double A = 0.5 * step;
        for (std::int64_t phase : phases) {
            SCOPED_TRACE("phase " + std::to_string(phase) + " amplitude " + std::to_string(A));
            window.tickAt(phase, A);
            // p2 and p4 alone see the phase as it comes, before any reset at 360.
            window.form.state.phase = phase;
            window.p2.repaintNow();
            window.p4.repaintNow();
            for (const RecordingDevice* device : {&window.d1, &window.d2, &window.d3, &window.d4})
                for (const DeviceCall& call : device->calls())
                    ASSERT_TRUE(finite(call));
            ASSERT_EQ(window.shortPaints(), 0);
            ASSERT_NE(window.Text(6).find_first_of("0123456789"), std::string::npos);
        }
    }
}

} // namespace
} // namespace tessarion::render

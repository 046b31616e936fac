#include "render/recording_device.h"
#include "render/surface.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <limits>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tessarion::render {
namespace {

using Kind = DeviceCall::Kind;
constexpr Colour pen = 0x123456;
constexpr double lineHeight = 16;

// One panel on a recording device; draw() runs a handler inside a real paint.
struct Panel {
    Panel(double width, double height, Units units)
        : surface(width, height, units, pen)
    {
    }
    std::vector<DeviceCall> draw(std::function<void()> handler)
    {
        surface.setPaintHandler(std::move(handler));
        device.clear();
        surface.Refresh();
        auto calls = device.calls();
        EXPECT_FALSE(calls.empty());
        if (!calls.empty())
            calls.erase(calls.begin()); // the erase that starts every paint
        return calls;
    }
    Surface surface;
    RecordingDevice device{lineHeight};
    std::vector<std::string> log;
    RecordingHost host{surface, device, "panel", log};
};

void expectAt(DevicePoint actual, double x, double y)
{
    EXPECT_NEAR(actual.x, x, 1e-4);
    EXPECT_NEAR(actual.y, y, 1e-4);
}

void expectCurrent(const Surface& surface, float x, float y)
{
    EXPECT_FLOAT_EQ(surface.CurrentX(), x);
    EXPECT_FLOAT_EQ(surface.CurrentY(), y);
}

struct LineCase {
    std::int16_t flags;
    Colour colourArgument;
    double endX, endY; // from (10, 20) with second point (5, -3)
    Colour drawn;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << "flags " << c.flags << " colour " << c.colourArgument;
}

class SurfaceLine : public testing::TestWithParam<LineCase> {};

TEST_P(SurfaceLine, FlagsChooseColourAndSecondPoint)
{
    const LineCase& c = GetParam();
    Panel panel(200, 100, Units::Pixels);
    const auto calls = panel.draw([&] {
        panel.surface.setDrawWidth(3);
        panel.surface.Line(c.flags, 10, 20, 5, -3, c.colourArgument);
    });
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, Kind::Line);
    expectAt(calls[0].a, 10, 20);
    expectAt(calls[0].b, c.endX, c.endY);
    EXPECT_EQ(calls[0].colour, c.drawn);
    EXPECT_EQ(calls[0].width, 3);
    expectCurrent(panel.surface, float(c.endX), float(c.endY));
}

INSTANTIATE_TEST_SUITE_P(Surface, SurfaceLine,
                         testing::Values(LineCase{4, colours::red, 5, -3, pen},
                                         LineCase{4, colours::white, 5, -3, pen},
                                         LineCase{4, 0x80000008u, 5, -3, pen},
                                         LineCase{6, colours::red, 5, -3, colours::red},
                                         LineCase{6, colours::black, 5, -3, colours::black},
                                         LineCase{14, colours::red, 15, 17, colours::red}));

TEST(Surface, CircleRadiusCountsInXUnitsAndIsRoundOnScreen)
{
    for (std::int16_t flags : {0, 2}) {
        Panel panel(200, 200, Units::Pixels);
        const auto calls = panel.draw([&] {
            panel.surface.Scale(4, 0, 0, 100, 50); // 2 px per x unit, 4 px per y unit
            panel.surface.Circle(flags, 50, 25, 10, colours::red);
        });
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].kind, Kind::Ellipse);
        expectAt(calls[0].a, 100, 100);
        EXPECT_DOUBLE_EQ(calls[0].radiusX, 20);
        EXPECT_DOUBLE_EQ(calls[0].radiusY, 20);
        EXPECT_EQ(calls[0].colour, flags == 2 ? colours::red : pen);
        expectCurrent(panel.surface, 50, 25);
    }
}

TEST(Surface, PSetFlagsChooseRelativePointAndColour)
{
    struct Case {
        std::int16_t flags;
        double x, y; // from (10, 10) with (5, -3)
        Colour drawn;
    };
    for (const Case& c : {Case{0, 5, -3, pen}, Case{1, 15, 7, pen}, Case{2, 5, -3, colours::red},
                          Case{3, 15, 7, colours::red}}) {
        SCOPED_TRACE(c.flags);
        Panel panel(200, 100, Units::Pixels);
        const auto calls = panel.draw([&] {
            panel.surface.setDrawWidth(2);
            panel.surface.PSet(0, 10, 10, colours::black);
            panel.surface.PSet(c.flags, 5, -3, colours::red);
        });
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].kind, Kind::Dot);
        expectAt(calls[1].a, c.x, c.y);
        EXPECT_EQ(calls[1].colour, c.drawn);
        EXPECT_EQ(calls[1].width, 2);
        expectCurrent(panel.surface, float(c.x), float(c.y));
    }
}

TEST(Surface, PrintWritesAtThePlacedPositionThenMovesToTheNextLine)
{
    Panel panel(200, 300, Units::Pixels);
    const auto calls = panel.draw([&] {
        panel.surface.Line(6, 110, 220, 120, 220, colours::black);
        panel.surface.Print("a");
        panel.surface.Print("b");
        panel.surface.PSet(0, 120, 220, colours::white);
        panel.surface.PSet(3, 5, -8, colours::white);
        panel.surface.Print("0");
    });
    const auto texts = panel.device.callsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    expectAt(texts[0].a, 120, 220);
    expectAt(texts[1].a, 0, 220 + lineHeight); // left edge, one line lower
    expectAt(texts[2].a, 125, 212);
    EXPECT_EQ(texts[0].colour, pen);
    EXPECT_EQ(texts[0].text, "a");
    expectCurrent(panel.surface, 0, float(212 + lineHeight));
}

TEST(Surface, PrintNextLineUnderAUserScaleStartsAtItsLeftEdge)
{
    Panel panel(507, 138, Units::Twips);
    panel.draw([&] {
        panel.surface.Scale(4, 0, 1, 360, -1);
        panel.surface.PSet(2, 175, 0.35f, colours::white);
        panel.surface.Print("T/2");
    });
    expectCurrent(panel.surface, 0, float(0.35 - lineHeight * 2 / 138));
}

TEST(Surface, ScaleAndUnitsMapToDevicePixels)
{
    Panel graph(507, 138, Units::Twips);
    auto calls = graph.draw([&] {
        graph.surface.Scale(4, 0, 1, 360, -1);
        graph.surface.PSet(0, 0, 0, 0);
        graph.surface.PSet(0, 360, -1, 0);
        graph.surface.PSet(0, 180, 0.5f, 0);
    });
    ASSERT_EQ(calls.size(), 3u);
    expectAt(calls[0].a, 0, 69); // left edge, halfway down
    expectAt(calls[1].a, 507, 138);
    expectAt(calls[2].a, 253.5, 34.5);

    Panel twips(507, 138, Units::Twips);
    calls = twips.draw([&] { twips.surface.PSet(0, 150, 300, 0); });
    ASSERT_EQ(calls.size(), 1u);
    expectAt(calls[0].a, 10, 20); // 15 twips per pixel

    Panel pixels(507, 138, Units::Pixels);
    calls = pixels.draw([&] { pixels.surface.PSet(0, 150, 300, 0); });
    ASSERT_EQ(calls.size(), 1u);
    expectAt(calls[0].a, 150, 300);
}

TEST(Surface, PenScaleAndPositionOutliveThePaint)
{
    Panel panel(200, 100, Units::Pixels);
    panel.draw([&] {
        panel.surface.setDrawWidth(3);
        panel.surface.setForeColor(colours::red);
        panel.surface.Scale(4, 0, 0, 100, 50);
        panel.surface.PSet(0, 40, 30, 0);
    });
    const auto calls = panel.draw([&] {
        panel.surface.Print("here");
        panel.surface.PSet(0, 10, 10, 0);
    });
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, Kind::Text);
    expectAt(calls[0].a, 80, 60);
    EXPECT_EQ(calls[0].colour, colours::red);
    expectAt(calls[1].a, 20, 20);
    EXPECT_EQ(calls[1].width, 3);
    EXPECT_EQ(calls[1].colour, colours::red);
}

TEST(Surface, RefreshErasesThenRunsTheHandlerThenDrawsLineFigures)
{
    Surface surface(100, 100, Units::Pixels, pen, colours::white);
    RecordingDevice device;
    std::vector<std::string> log;
    RecordingHost host(surface, device, "p", log);
    surface.addLineFigure({1, 2}, {3, 4}, 5);
    surface.setPaintHandler([&] { surface.PSet(0, 50, 50, 0); });
    surface.Refresh();
    const auto& calls = device.calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, Kind::Fill);
    EXPECT_EQ(calls[0].colour, colours::white);
    EXPECT_EQ(calls[1].kind, Kind::Dot);
    EXPECT_EQ(calls[2].kind, Kind::Line);
    expectAt(calls[2].a, 1, 2);
    expectAt(calls[2].b, 3, 4);
    EXPECT_EQ(calls[2].width, 5);
    EXPECT_EQ(log, std::vector<std::string>{"p"});
}

TEST(Surface, RefreshPaintsAtOnceInCallOrder)
{
    std::vector<std::string> log;
    RecordingDevice device;
    std::deque<Surface> surfaces;
    std::deque<RecordingHost> hosts;
    for (const char* name : {"P1", "p2", "p3", "p4"}) {
        surfaces.emplace_back(100, 100, Units::Pixels, pen);
        hosts.emplace_back(surfaces.back(), device, name, log);
    }
    // A paint that asks for another one sees it finished before it goes on.
    surfaces[0].setPaintHandler([&] {
        surfaces[3].Refresh();
        log.push_back("P1 done");
    });
    for (Surface& surface : surfaces)
        surface.Refresh();
    EXPECT_EQ(log, (std::vector<std::string>{"P1", "p4", "P1 done", "p2", "p3", "p4"}));
}

TEST(Surface, OnlyARealMoveOutsideAPaintAsksForARepaint)
{
    Panel panel(100, 100, Units::Pixels);
    LineFigure& figure = panel.surface.addLineFigure({10, 20}, {30, 40}, 2);
    figure.setX1(10);
    figure.setY1(20);
    figure.setX2(30);
    figure.setY2(40);
    EXPECT_EQ(panel.host.scheduledRepaints(), 0);
    figure.setX1(11);
    EXPECT_EQ(panel.host.scheduledRepaints(), 1);
    EXPECT_FLOAT_EQ(figure.X1(), 11);

    const auto calls = panel.draw([&] {
        figure.setX2(99);
        figure.setY2(98);
    });
    EXPECT_EQ(panel.host.scheduledRepaints(), 1);
    ASSERT_EQ(calls.size(), 1u); // the figure, drawn where the paint left it
    expectAt(calls[0].a, 11, 20);
    expectAt(calls[0].b, 99, 98);
    EXPECT_FLOAT_EQ(figure.X2(), 99);
    EXPECT_FLOAT_EQ(figure.Y2(), 98);
}

TEST(Surface, LineFigureGroupRefusesIndicesOutsideZeroToEleven)
{
    Surface surface(100, 100, Units::Pixels, pen);
    LineFigureGroup group;
    for (int k = 0; k < LineFigureGroup::size; ++k)
        group.assign(k, surface.addLineFigure({0, double(k)}, {1, double(k)}, 1));
    EXPECT_FLOAT_EQ(group.Item(0).Y1(), 0);
    EXPECT_FLOAT_EQ(group.Item(11).Y1(), 11);
    EXPECT_THROW(group.Item(-1), std::out_of_range);
    EXPECT_THROW(group.Item(12), std::out_of_range);
    EXPECT_THROW(group.Item(std::numeric_limits<std::int32_t>::max()), std::out_of_range);
}

TEST(Surface, NonFiniteInputNeverReachesTheDevice)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float big = std::numeric_limits<float>::max();
    Panel panel(100, 100, Units::Pixels);
    LineFigure& figure = panel.surface.addLineFigure({10, 20}, {30, 40}, 2);
    const auto calls = panel.draw([&] {
        panel.surface.PSet(0, 5, 6, 0);
        panel.surface.Line(4, nan, 0, 1, 1, 0);
        panel.surface.Line(14, big, 0, big, 0, 0); // the relative end overflows a single
        panel.surface.Circle(0, 1, 1, inf, 0);
        panel.surface.PSet(1, nan, 0, 0);
        panel.surface.Scale(4, 0, 0, inf, 1);
        figure.setY2(nan);
    });
    EXPECT_EQ(panel.surface.rejectedCalls(), 6);
    ASSERT_EQ(calls.size(), 2u); // the first dot and the figure
    expectAt(calls[1].b, 30, 40);
    expectCurrent(panel.surface, 5, 6);
}

} // namespace
} // namespace tessarion::render

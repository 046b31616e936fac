#include "recording_device.h"
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

using core::Colour;
using core::PanelUnits;
using support::DeviceCall;
using support::RecordingDevice;
namespace colours = core::colours;

using Kind = support::DeviceCall::Kind;
constexpr core::Colour pen = 0x123456;
constexpr double lineHeight = 16;

// A window's panel that counts the later paints a surface asks for.
struct CountingView : core::Panel {
    void repaintNow() override {}
    void scheduleRepaint() override { ++scheduled; }
    int scheduled = 0;
};

// One panel on a recording device; draw() runs a handler inside a real paint.
struct Panel {
    Panel(double width, double height, PanelUnits units)
        : surface(width, height, units, pen)
    {
        surface.setPanel(&view);
    }
    std::vector<DeviceCall> draw(const std::function<void()>& handler)
    {
        device.clear();
        surface.paint(device, handler);
        auto calls = device.calls();
        EXPECT_FALSE(calls.empty());
        if (!calls.empty())
            calls.erase(calls.begin()); // the erase that starts every paint
        return calls;
    }
    Surface surface;
    RecordingDevice device{lineHeight};
    CountingView view;
};

void expectAt(DevicePoint actual, double x, double y)
{
    EXPECT_NEAR(actual.x, x, 1e-4);
    EXPECT_NEAR(actual.y, y, 1e-4);
}

// The current position, in device pixels, as a dot drawn there shows it.
void expectCurrent(Panel& panel, double x, double y)
{
    const auto calls = panel.draw([&] { panel.surface.drawPoint(flags::relative, 0, 0, 0); });
    ASSERT_FALSE(calls.empty());
    expectAt(calls[0].a, x, y);
}

struct LineCase {
    std::int16_t flags;
    core::Colour colourArgument;
    double endX, endY; // from (10, 20) with second point (5, -3)
    core::Colour drawn;
};

void PrintTo(const LineCase& c, std::ostream* os)
{
    *os << "flags " << c.flags << " colour " << c.colourArgument;
}

class SurfaceLine : public testing::TestWithParam<LineCase> {};

TEST_P(SurfaceLine, FlagsChooseColourAndSecondPoint)
{
    const LineCase& c = GetParam();
    Panel panel(200, 100, PanelUnits::Pixels);
    const auto calls = panel.draw([&] {
        panel.surface.setPenWidth(3);
        panel.surface.drawLine(c.flags, 10, 20, 5, -3, c.colourArgument);
    });
    ASSERT_EQ(calls.size(), 1u);
    EXPECT_EQ(calls[0].kind, Kind::Line);
    expectAt(calls[0].a, 10, 20);
    expectAt(calls[0].b, c.endX, c.endY);
    EXPECT_EQ(calls[0].colour, c.drawn);
    EXPECT_EQ(calls[0].width, 3);
    expectCurrent(panel, c.endX, c.endY);
}

INSTANTIATE_TEST_SUITE_P(
    Surface, SurfaceLine,
    testing::Values(LineCase{4, core::colours::red, 5, -3, pen},
                    LineCase{4, core::colours::white, 5, -3, pen},
                    LineCase{4, 0x80000008u, 5, -3, pen},
                    LineCase{6, core::colours::red, 5, -3, core::colours::red},
                    LineCase{6, core::colours::black, 5, -3, core::colours::black},
                    LineCase{14, core::colours::red, 15, 17, core::colours::red}));

TEST(Surface, CircleRadiusCountsInXUnitsAndIsRoundOnScreen)
{
    for (std::int16_t flags : {0, 2}) {
        Panel panel(200, 200, PanelUnits::Pixels);
        const auto calls = panel.draw([&] {
            panel.surface.setScale(4, 0, 0, 100, 50); // 2 px per x unit, 4 px per y unit
            panel.surface.drawCircle(flags, 50, 25, 10, core::colours::red);
        });
        ASSERT_EQ(calls.size(), 1u);
        EXPECT_EQ(calls[0].kind, Kind::Ellipse);
        expectAt(calls[0].a, 100, 100);
        EXPECT_DOUBLE_EQ(calls[0].radiusX, 20);
        EXPECT_DOUBLE_EQ(calls[0].radiusY, 20);
        EXPECT_EQ(calls[0].colour, flags == 2 ? core::colours::red : pen);
        expectCurrent(panel, 100, 100);
    }
}

TEST(Surface, PSetFlagsChooseRelativePointAndColour)
{
    struct Case {
        std::int16_t flags;
        double x, y; // from (10, 10) with (5, -3)
        core::Colour drawn;
    };
    for (const Case& c : {Case{0, 5, -3, pen}, Case{1, 15, 7, pen},
                          Case{2, 5, -3, core::colours::red}, Case{3, 15, 7, core::colours::red}}) {
        SCOPED_TRACE(c.flags);
        Panel panel(200, 100, PanelUnits::Pixels);
        const auto calls = panel.draw([&] {
            panel.surface.setPenWidth(2);
            panel.surface.drawPoint(0, 10, 10, core::colours::black);
            panel.surface.drawPoint(c.flags, 5, -3, core::colours::red);
        });
        ASSERT_EQ(calls.size(), 2u);
        EXPECT_EQ(calls[1].kind, Kind::Dot);
        expectAt(calls[1].a, c.x, c.y);
        EXPECT_EQ(calls[1].colour, c.drawn);
        EXPECT_EQ(calls[1].width, 2);
        expectCurrent(panel, c.x, c.y);
    }
}

TEST(Surface, PrintWritesAtThePlacedPositionThenMovesToTheNextLine)
{
    Panel panel(200, 300, PanelUnits::Pixels);
    const auto calls = panel.draw([&] {
        panel.surface.drawLine(6, 110, 220, 120, 220, core::colours::black);
        panel.surface.print("a");
        panel.surface.print("b");
        panel.surface.drawPoint(0, 120, 220, core::colours::white);
        panel.surface.drawPoint(3, 5, -8, core::colours::white);
        panel.surface.print("0");
    });
    const auto texts = panel.device.callsOf(Kind::Text);
    ASSERT_EQ(texts.size(), 3u);
    expectAt(texts[0].a, 120, 220);
    expectAt(texts[1].a, 0, 220 + lineHeight); // left edge, one line lower
    expectAt(texts[2].a, 125, 212);
    EXPECT_EQ(texts[0].colour, pen);
    EXPECT_EQ(texts[0].text, "a");
    expectCurrent(panel, 0, 212 + lineHeight);
}

TEST(Surface, PrintNextLineUnderAUserScaleStartsAtItsLeftEdge)
{
    Panel panel(507, 138, PanelUnits::Twips);
    panel.draw([&] {
        panel.surface.setScale(4, 0, 1, 360, -1);
        panel.surface.drawPoint(2, 175, 0.35f, core::colours::white);
        panel.surface.print("T/2");
    });
    expectCurrent(panel, 0, (1 - 0.35) * 138 / 2 + lineHeight); // one line below the text
}

TEST(Surface, ScaleAndUnitsMapToDevicePixels)
{
    Panel graph(507, 138, PanelUnits::Twips);
    auto calls = graph.draw([&] {
        graph.surface.setScale(4, 0, 1, 360, -1);
        graph.surface.drawPoint(0, 0, 0, 0);
        graph.surface.drawPoint(0, 360, -1, 0);
        graph.surface.drawPoint(0, 180, 0.5f, 0);
    });
    ASSERT_EQ(calls.size(), 3u);
    expectAt(calls[0].a, 0, 69); // left edge, halfway down
    expectAt(calls[1].a, 507, 138);
    expectAt(calls[2].a, 253.5, 34.5);

    Panel twips(507, 138, PanelUnits::Twips);
    calls = twips.draw([&] { twips.surface.drawPoint(0, 150, 300, 0); });
    ASSERT_EQ(calls.size(), 1u);
    expectAt(calls[0].a, 10, 20); // 15 twips per pixel

    Panel pixels(507, 138, PanelUnits::Pixels);
    calls = pixels.draw([&] { pixels.surface.drawPoint(0, 150, 300, 0); });
    ASSERT_EQ(calls.size(), 1u);
    expectAt(calls[0].a, 150, 300);
}

TEST(Surface, PenScaleAndPositionOutliveThePaint)
{
    Panel panel(200, 100, PanelUnits::Pixels);
    panel.draw([&] {
        panel.surface.setPenWidth(3);
        panel.surface.setPenColour(core::colours::red);
        panel.surface.setScale(4, 0, 0, 100, 50);
        panel.surface.drawPoint(0, 40, 30, 0);
    });
    const auto calls = panel.draw([&] {
        panel.surface.print("here");
        panel.surface.drawPoint(0, 10, 10, 0);
    });
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].kind, Kind::Text);
    expectAt(calls[0].a, 80, 60);
    EXPECT_EQ(calls[0].colour, core::colours::red);
    expectAt(calls[1].a, 20, 20);
    EXPECT_EQ(calls[1].width, 3);
    EXPECT_EQ(calls[1].colour, core::colours::red);
}

TEST(Surface, PaintErasesThenRunsTheHandlerThenDrawsLineFigures)
{
    Surface surface(100, 100, PanelUnits::Pixels, pen, core::colours::white);
    RecordingDevice device;
    surface.addLineFigure({1, 2}, {3, 4}, 5);
    bool paintingInHandler = false;
    surface.paint(device, [&] {
        paintingInHandler = surface.painting();
        surface.drawPoint(0, 50, 50, 0);
    });
    EXPECT_TRUE(paintingInHandler);
    EXPECT_FALSE(surface.painting());
    const auto& calls = device.calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].kind, Kind::Fill);
    EXPECT_EQ(calls[0].colour, core::colours::white);
    EXPECT_EQ(calls[1].kind, Kind::Dot);
    EXPECT_EQ(calls[2].kind, Kind::Line);
    expectAt(calls[2].a, 1, 2);
    expectAt(calls[2].b, 3, 4);
    EXPECT_EQ(calls[2].width, 5);
}

TEST(Surface, APaintNestedInAnotherKeepsEachOnItsOwnDevice)
{
    Surface outer(100, 100, PanelUnits::Pixels, pen);
    Surface inner(100, 100, PanelUnits::Pixels, pen);
    RecordingDevice outerDevice;
    RecordingDevice innerDevice;
    // A handler that repaints another panel sees it finished before it goes on.
    outer.paint(outerDevice, [&] {
        inner.paint(innerDevice, [&] { inner.drawPoint(0, 1, 1, 0); });
        EXPECT_FALSE(inner.painting());
        EXPECT_TRUE(outer.painting());
        outer.drawPoint(0, 2, 2, 0);
    });
    ASSERT_EQ(outerDevice.calls().size(), 2u);
    ASSERT_EQ(innerDevice.calls().size(), 2u);
    expectAt(outerDevice.calls()[1].a, 2, 2);
    expectAt(innerDevice.calls()[1].a, 1, 1);
}

TEST(Surface, AHandlerThatThrowsEndsThePaint)
{
    Surface surface(100, 100, PanelUnits::Pixels, pen);
    RecordingDevice device;
    EXPECT_THROW(surface.paint(device, [] { throw std::runtime_error("painter failed"); }),
                 std::runtime_error);
    EXPECT_FALSE(surface.painting());
    device.clear();
    surface.drawPoint(0, 1, 1, 0); // outside a paint nothing reaches the device
    EXPECT_TRUE(device.calls().empty());
}

TEST(Surface, OnlyARealMoveOutsideAPaintAsksForARepaint)
{
    Panel panel(100, 100, PanelUnits::Pixels);
    LineFigure& figure = panel.surface.addLineFigure({10, 20}, {30, 40}, 2);
    figure.setStartX(10);
    figure.setStartY(20);
    figure.setEndX(30);
    figure.setEndY(40);
    EXPECT_EQ(panel.view.scheduled, 0);
    figure.setStartX(11);
    EXPECT_EQ(panel.view.scheduled, 1);
    EXPECT_FLOAT_EQ(figure.startX(), 11);

    const auto calls = panel.draw([&] {
        figure.setEndX(99);
        figure.setEndY(98);
    });
    EXPECT_EQ(panel.view.scheduled, 1);
    ASSERT_EQ(calls.size(), 1u); // the figure, drawn where the paint left it
    expectAt(calls[0].a, 11, 20);
    expectAt(calls[0].b, 99, 98);
    EXPECT_FLOAT_EQ(figure.endX(), 99);
    EXPECT_FLOAT_EQ(figure.endY(), 98);
}

TEST(Surface, LineFigureGroupRefusesIndicesOutsideZeroToEleven)
{
    Surface surface(100, 100, PanelUnits::Pixels, pen);
    LineFigureGroup group;
    for (int k = 0; k < LineFigureGroup::size; ++k)
        group.assign(k, surface.addLineFigure({0, double(k)}, {1, double(k)}, 1));
    EXPECT_FLOAT_EQ(group.at(0).startY(), 0);
    EXPECT_FLOAT_EQ(group.at(11).startY(), 11);
    EXPECT_THROW(group.at(-1), std::out_of_range);
    EXPECT_THROW(group.at(12), std::out_of_range);
    EXPECT_THROW(group.at(std::numeric_limits<std::int32_t>::max()), std::out_of_range);
}

TEST(Surface, NonFiniteInputNeverReachesTheDevice)
{
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const float big = std::numeric_limits<float>::max();
    Panel panel(100, 100, PanelUnits::Pixels);
    LineFigure& figure = panel.surface.addLineFigure({10, 20}, {30, 40}, 2);
    const auto calls = panel.draw([&] {
        panel.surface.drawPoint(0, 5, 6, 0);
        panel.surface.drawLine(4, nan, 0, 1, 1, 0);
        panel.surface.drawLine(14, big, 0, big, 0, 0); // the relative end overflows a single
        panel.surface.drawCircle(0, 1, 1, inf, 0);
        panel.surface.drawPoint(1, nan, 0, 0);
        panel.surface.setScale(4, 0, 0, inf, 1);
        figure.setEndY(nan);
    });
    ASSERT_EQ(calls.size(), 2u); // the first dot and the figure
    expectAt(calls[1].b, 30, 40);
    expectCurrent(panel, 5, 6); // in pixels still, as before the refused scale
}

} // namespace
} // namespace tessarion::render

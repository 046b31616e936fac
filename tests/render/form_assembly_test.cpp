#include "painted_form.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace tessarion::render {
namespace {

using support::DeviceCall;
using support::PaintedForm;
using Kind = DeviceCall::Kind;

TEST(FormAssembly, SurfacesHaveTheLayoutsInnerSizesUnitsAndColours)
{
    PaintedForm window;
    struct Expected {
        PanelId panel;
        double unitsAcross; // what the right edge reads in the panel's own units
    };
    for (const Expected& e :
         {Expected{PanelId::spring, 157}, Expected{PanelId::vector, 15},
          Expected{PanelId::pendulum, 243}, Expected{PanelId::graph, 507 * 15}}) {
        Surface& surface = window.assembly.surface(e.panel);
        const core::ControlSpec& spec = core::panelSpec(e.panel);
        SCOPED_TRACE(spec.name);
        EXPECT_DOUBLE_EQ(surface.innerWidth(), core::innerPixels(spec.width));
        EXPECT_DOUBLE_EQ(surface.innerHeight(), core::innerPixels(spec.height));
        EXPECT_NEAR(surface.fromDeviceX(surface.innerWidth()), e.unitsAcross, 1e-3);
        // The erase shows the background; a line and a text without a colour of their own, the
        // pen's colour and width.
        support::RecordingDevice device;
        surface.paint(device, [&] {
            surface.drawLine(flags::firstPoint, 0, 0, 1, 1, core::colours::red);
            surface.print("pen");
        });
        ASSERT_GE(device.calls().size(), 3u);
        EXPECT_EQ(device.calls()[0].colour, core::colours::buttonFace);
        EXPECT_EQ(device.calls()[1].colour, spec.foreColor);
        EXPECT_EQ(device.calls()[1].width, 1);
        EXPECT_EQ(device.calls()[2].colour, spec.foreColor);
    }
    EXPECT_NEAR(window.assembly.surface(PanelId::vector).fromDeviceY(384), 16.744186, 1e-5);
}

TEST(FormAssembly, LineFiguresStandAtTheirLayoutPlacesInCreationOrder)
{
    PaintedForm window;
    // Each panel draws its figures after the painter, in the order the layout creates them.
    const std::array<std::size_t, 4> figures{17, 2, 4, 0};
    const std::array<PanelId, 4> panels{PanelId::spring, PanelId::vector, PanelId::pendulum,
                                        PanelId::graph};
    for (std::size_t i = 0; i < panels.size(); ++i) {
        window.assembly.surface(panels[i]).paint(*window.devices()[i], [] {});
        EXPECT_EQ(window.devices()[i]->calls().size(), 1 + figures[i]) << i;
    }
    // Unmoved, in pixels: hanger from (80, 18) to (80, 30), Line1 from (40, 18) to (120, 18).
    EXPECT_FLOAT_EQ(window.hanger.startY(), 18);
    EXPECT_FLOAT_EQ(window.hanger.endY(), 30);
    EXPECT_FLOAT_EQ(window.pendulumRod.startX(), 120);
    EXPECT_FLOAT_EQ(window.pendulumRod.endY(), 246);
    EXPECT_FLOAT_EQ(support::DrawnFigure(window.assembly, window.d1, "Line1").startX(), 40);
    EXPECT_FLOAT_EQ(window.massRod.endY(), 210);
    EXPECT_FLOAT_EQ(window.segments.at(0).endY(), 42);
    EXPECT_FLOAT_EQ(window.segments.at(1).endY(), 54);
    EXPECT_FLOAT_EQ(window.segments.at(11).startY(), 192);
}

TEST(FormAssembly, EachPanelRunsItsOwnPainter)
{
    PaintedForm window;
    window.form.load();
    window.form.state.phase = 90;
    window.clearTexts();
    window.P1.repaintNow(); // the spring painter starts with the phase read-outs
    EXPECT_EQ(window.Text(3), "90");
    EXPECT_EQ(window.Text(6), "");
    EXPECT_EQ(window.d1.callsOf(Kind::Ellipse).size(), 1u); // the mass

    window.p2.repaintNow(); // the vector painter writes sine and cosine
    EXPECT_EQ(window.Text(6), "1");
    EXPECT_EQ(window.d2.callsOf(Kind::Ellipse).size(), 3u); // circle and the tip's two rings

    window.form.state.curveDegree = 0;
    window.p4.repaintNow(); // the graph painter leaves its counter at 361
    EXPECT_EQ(window.form.state.curveDegree, 361);
    EXPECT_EQ(window.d4.callsOf(Kind::Dot).size(), 364u); // 360 curve dots, 4 label dots

    window.form.state.cosineSquared = -1;
    window.p3.repaintNow(); // only the pendulum writes cosineSquared
    EXPECT_NEAR(window.form.state.cosineSquared, 0, 1e-12);
    EXPECT_EQ(window.log, (std::vector<std::string>{"P1", "p2", "p4", "p3"}));
}

TEST(FormAssembly, HandlersRepaintThroughTheViewsItWasHanded)
{
    PaintedForm window;
    window.form.load();
    window.clearDevices();
    window.form.tick();
    EXPECT_EQ(window.log, (std::vector<std::string>{"P1", "p3", "p2", "p4"}));
    window.clearDevices();
    window.form.reset();
    EXPECT_EQ(window.log, (std::vector<std::string>{"P1", "p2", "p3", "p4"}));
    EXPECT_FALSE(window.timer.enabled);
    EXPECT_EQ(window.timer.interval, 50);
}

TEST(FormAssembly, AFigureMovedOutsideAPaintAsksItsOwnViewForAPaint)
{
    PaintedForm window;
    window.assembly.surface(PanelId::pendulum).addLineFigure({0, 0}, {1, 1}, 1).setEndX(130);
    EXPECT_EQ(window.p3.scheduledRepaints(), 1);
    EXPECT_EQ(window.P1.scheduledRepaints(), 0);
    window.assembly.surface(PanelId::spring).addLineFigure({0, 0}, {1, 1}, 1).setStartY(19);
    EXPECT_EQ(window.P1.scheduledRepaints(), 1);
    EXPECT_TRUE(window.log.empty()); // asked for later, not painted now
}

} // namespace
} // namespace tessarion::render

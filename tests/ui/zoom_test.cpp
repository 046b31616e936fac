#include "core/layout.h"
#include "ui/zoom.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

namespace tessarion::ui::testing {
namespace {

const QSize design(786, 566);

TEST(ZoomArithmetic, WindowSizeToZoomFitsTheWholeLayoutCentred)
{
    const struct {
        QSize window;
        double zoom;
        QPoint offset;
        QSize content;
    } cases[] = {
        // A full screen and a maximised laptop window: the height limits, margins left and right.
        {{1920, 1080}, 1080.0 / 566, {210, 0}, {1500, 1080}},
        {{1366, 768}, 768.0 / 566, {149, 0}, {1067, 768}},
        {{1000, 500}, 500.0 / 566, {153, 0}, {694, 500}},
        // Too narrow for its height: margins above and below.
        {{800, 1000}, 800.0 / 786, {0, 212}, {800, 576}},
        {{786, 566}, 1, {0, 0}, {786, 566}},
        // A window of exactly a step's size shows that step, not a near value.
        {{983, 708}, 1.25, {0, 0}, {983, 708}},
        {{590, 425}, 0.75, {0, 0}, {590, 425}},
        {{1572, 1132}, 2, {0, 0}, {1572, 1132}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.window.width() << " x " << c.window.height());
        const zoom::Fit fit = zoom::fit(c.window, design);
        EXPECT_NEAR(fit.zoom, c.zoom, 1e-9);
        EXPECT_EQ(fit.offset, c.offset);
        EXPECT_EQ(fit.size, c.content);
    }
}

struct StepCase {
    double from;
    int direction;
    double to;
};

void PrintTo(const StepCase& c, std::ostream* out) { *out << c.from << " by " << c.direction; }

class ZoomSteps : public ::testing::TestWithParam<StepCase> {};

TEST_P(ZoomSteps, GoToTheNextStepAndStopAtTheEnds)
{
    const StepCase& c = GetParam();
    EXPECT_EQ(zoom::nextStep(c.from, c.direction), c.to);
}

INSTANTIATE_TEST_SUITE_P(Steps, ZoomSteps,
                         ::testing::Values(StepCase{1, +1, 1.25}, StepCase{1, -1, 0.75},
                                           StepCase{0.75, -1, 0.5}, StepCase{0.5, -1, 0.5},
                                           StepCase{3, +1, 4}, StepCase{4, +1, 4},
                                           StepCase{2, +1, 2.5}, StepCase{2.5, -1, 2},
                                           // From a fitted zoom between two steps.
                                           StepCase{1080.0 / 566, +1, 2},
                                           StepCase{1080.0 / 566, -1, 1.5}));

TEST(ZoomArithmetic, AStepWithinTheScreenIsTheLargestThatFits)
{
    const struct {
        double wanted;
        QSize available;
        double step;
    } cases[] = {
        {2, {2400, 1800}, 2},
        {4, {2400, 1800}, 3},
        // 200 % is 1132 pixels high.
        {2, {1920, 1050}, 1.5},
        {1.25, {800, 600}, 1},
        {0.75, {1920, 1050}, 0.75},
        // Nothing fits: the smallest step.
        {1, {300, 200}, 0.5},
    };
    for (const auto& c : cases)
        EXPECT_EQ(zoom::largestStepWithin(c.wanted, c.available, design), c.step)
            << c.wanted << " in " << c.available.width() << " x " << c.available.height();
}

TEST(ZoomArithmetic, LineWidthsAreWholePixelsAndNeverVanish)
{
    EXPECT_EQ(zoom::lineWidth(2, 1), 2);
    EXPECT_EQ(zoom::lineWidth(2, 2), 4);
    EXPECT_EQ(zoom::lineWidth(2, 1080.0 / 566), 4);
    EXPECT_EQ(zoom::lineWidth(5, 1.25), 6);
    EXPECT_EQ(zoom::lineWidth(1, 0.5), 1);
}

TEST(ZoomArithmetic, RectanglesScaleEdgeByEdge)
{
    EXPECT_EQ(zoom::scaled(QRect(581, 497, 25, 19), 2), QRect(1162, 994, 50, 38));
    // Edges 75 and 124 become 93.75 and 155, each rounded on its own.
    EXPECT_EQ(zoom::scaled(QRect(75, 20, 49, 21), 1.25), QRect(94, 25, 61, 26));
    EXPECT_EQ(zoom::scaled(design, 0.75), QSize(590, 425));
}

/// The window's controls in whole pixels, as the layout places them in their containers.
std::vector<QRect> layoutRectangles()
{
    std::vector<QRect> rectangles;
    for (const core::ControlSpec& spec : core::windowLayout())
        if (spec.kind != core::ControlKind::LineFigure && spec.kind != core::ControlKind::Timer)
            rectangles.emplace_back(core::wholePixels(spec.left), core::wholePixels(spec.top),
                                    core::wholePixels(spec.width), core::wholePixels(spec.height));
    return rectangles;
}

TEST(ZoomArithmetic, ControlsThatMeetStillMeetAtEveryZoom)
{
    const std::vector<QRect> rectangles = layoutRectangles();
    std::vector<double> zooms(zoom::steps.begin(), zoom::steps.end());
    zooms.insert(zooms.end(), {1080.0 / 566, 768.0 / 566, 500.0 / 566});
    int meetings = 0;
    for (const QRect& a : rectangles)
        for (const QRect& b : rectangles) {
            if (a.x() + a.width() != b.x())
                continue;
            ++meetings;
            for (const double z : zooms) {
                const QRect za = zoom::scaled(a, z);
                EXPECT_EQ(za.x() + za.width(), zoom::scaled(b, z).x()) << z;
            }
        }
    // The amplitude and frequency buttons and read-outs stand side by side.
    EXPECT_GE(meetings, 4);
    for (const QRect& r : rectangles)
        EXPECT_EQ(zoom::scaled(r, 1), r);
}

} // namespace
} // namespace tessarion::ui::testing

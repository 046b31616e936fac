#include "window_fixture.h"

#include <QImage>

#include <cmath>
#include <functional>
#include <numbers>

namespace tessarion::ui::testing {
namespace {

using ColourTest = std::function<bool(QColor)>;

bool isRed(QColor c) { return c.red() > 180 && c.green() < 110 && c.blue() < 110; }
bool isDark(QColor c) { return c.lightness() < 90; }

/// True when a pixel within `reach` of `at` (inner-area coordinates) passes `test`.
bool colourNear(const QImage& image, QPointF at, int reach, const ColourTest& test)
{
    // Panels draw inside a 2-pixel border, through pixel centres.
    const int cx = static_cast<int>(std::floor(at.x())) + 2;
    const int cy = static_cast<int>(std::floor(at.y())) + 2;
    for (int y = cy - reach; y <= cy + reach; ++y)
        for (int x = cx - reach; x <= cx + reach; ++x)
            if (image.valid(x, y) && test(image.pixelColor(x, y)))
                return true;
    return false;
}

struct Feature {
    const char* panel;
    QPointF point; // where the design puts it, inner-area pixels
    ColourTest test;
    const char* what;
};

/// The features the geometry puts at `phase` with amplitude 3.5, computed from the formulas.
std::vector<Feature> featuresAt(double phase)
{
    const double amplitude = 3.5;
    const double s = std::sin(phase * std::numbers::pi / 180);
    const double c = std::cos(phase * std::numbers::pi / 180);
    const double massY = 220 + 21 * (-amplitude * s);
    const double bobX = 120 + 15 * amplitude * s;
    const double bobY = 246 + 2.7 * amplitude * c * c;
    // p2: 344 x 384 pixels for x and y from -10 to 10; p4: 507 x 138 for 0..360 and 1..-1.
    const QPointF tip((8 * c + 10) * 344 / 20, (10 - 7.2 * s) * 384 / 20);
    const double markerX = phase * 507 / 360;
    const double markerMidY = (1 - 0.95 * s / 2) * 138 / 2;
    return {
        {"P1", {80 + 10, massY}, isRed, "right edge of the mass"},
        {"P1", {80 - 10, massY}, isRed, "left edge of the mass"},
        {"p3", {bobX + 10, bobY}, isRed, "right edge of the bob"},
        {"p3", {bobX, bobY - 10}, isRed, "top of the bob"},
        {"p2", tip, isRed, "red marker at the vector's tip"},
        {"p4", {markerX, markerMidY}, isDark, "middle of the marker"},
    };
}

class DiagramsInTheWindow : public WindowTest, public ::testing::WithParamInterface<int> {
protected:
    void showPhase(int phase)
    {
        window->form().state.Phase = phase - 1;
        click("Command8");
    }
    QImage image(const char* panel) const { return window->panel(panel)->grab().toImage(); }
};

TEST_P(DiagramsInTheWindow, FiguresStandWhereTheGeometryPutsThem)
{
    const int phase = GetParam();
    showPhase(phase);
    for (const Feature& feature : featuresAt(phase))
        EXPECT_TRUE(colourNear(image(feature.panel), feature.point, 2, feature.test))
            << feature.what << " at phase " << phase;
}

TEST_P(DiagramsInTheWindow, FiguresAreNotWhereTheOppositePhasePutsThem)
{
    const int phase = GetParam();
    showPhase(phase);
    for (const Feature& feature : featuresAt(phase + 180))
        EXPECT_FALSE(colourNear(image(feature.panel), feature.point, 1, feature.test))
            << feature.what << " of phase " << phase + 180 << " drawn at phase " << phase;
}

INSTANTIATE_TEST_SUITE_P(Phases, DiagramsInTheWindow, ::testing::Values(90, 270, 45));

} // namespace
} // namespace tessarion::ui::testing

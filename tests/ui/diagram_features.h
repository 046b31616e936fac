#pragma once

#include <QColor>
#include <QImage>
#include <QPointF>

#include <cmath>
#include <functional>
#include <numbers>
#include <vector>

namespace tessarion::ui::testing {

using ColourTest = std::function<bool(QColor)>;

inline bool isRed(QColor c) { return c.red() > 180 && c.green() < 110 && c.blue() < 110; }
inline bool isDark(QColor c) { return c.lightness() < 90; }

/// True when a pixel within `reach` of `at` passes `test`, in the image of a panel grabbed at
/// `zoom`; `at` and `reach` are in inner-area pixels at 100 %.
inline bool colourNear(const QImage& image, QPointF at, int reach, const ColourTest& test,
                       double zoom = 1)
{
    // Panels draw inside a border of 2 pixels at 100 %, through pixel centres.
    const int border = static_cast<int>(std::lround(2 * zoom));
    reach = static_cast<int>(std::lround(reach * zoom));
    const int cx = static_cast<int>(std::floor(at.x() * zoom)) + border;
    const int cy = static_cast<int>(std::floor(at.y() * zoom)) + border;
    for (int y = cy - reach; y <= cy + reach; ++y)
        for (int x = cx - reach; x <= cx + reach; ++x)
            if (image.valid(x, y) && test(image.pixelColor(x, y)))
                return true;
    return false;
}

struct Feature {
    const char* panel;
    QPointF point; // where the design puts it, inner-area pixels at 100 %
    ColourTest test;
    const char* what;
};

/// The features the geometry puts at `phase` with amplitude 3.5, computed from the formulas.
inline std::vector<Feature> featuresAt(double phase)
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

} // namespace tessarion::ui::testing

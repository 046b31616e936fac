#include "ui/zoom.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace tessarion::ui::zoom {

namespace {
// Zooms this close count as the same step, whatever rounding made them.
constexpr double sameStep = 1e-6;

int rounded(double value) { return static_cast<int>(std::lround(value)); }
} // namespace

QSize scaled(QSize design, double zoom)
{
    return {rounded(design.width() * zoom), rounded(design.height() * zoom)};
}

QRect scaled(const QRect& design, double zoom)
{
    const int left = rounded(design.x() * zoom);
    const int top = rounded(design.y() * zoom);
    const int right = rounded((design.x() + design.width()) * zoom);
    const int bottom = rounded((design.y() + design.height()) * zoom);
    return {left, top, right - left, bottom - top};
}

int lineWidth(int designWidth, double zoom) { return std::max(1, rounded(designWidth * zoom)); }

Fit fit(QSize window, QSize design)
{
    for (const double step : steps)
        if (scaled(design, step) == window)
            return {step, {0, 0}, window};
    const double zoom = std::min(static_cast<double>(window.width()) / design.width(),
                                 static_cast<double>(window.height()) / design.height());
    const QSize size = scaled(design, zoom).boundedTo(window);
    return {
        zoom, {(window.width() - size.width()) / 2, (window.height() - size.height()) / 2}, size};
}

Fit fit(QSize window, QSize design, double level)
{
    const QSize size = scaled(design, level);
    if (std::abs(window.width() - size.width()) <= 1 &&
        std::abs(window.height() - size.height()) <= 1)
        return {level, {0, 0}, size};
    return fit(window, design);
}

double nextStep(double zoom, int direction)
{
    if (direction > 0) {
        const auto next = std::find_if(steps.begin(), steps.end(),
                                       [zoom](double step) { return step > zoom + sameStep; });
        return next == steps.end() ? steps.back() : *next;
    }
    const auto next = std::find_if(steps.rbegin(), steps.rend(),
                                   [zoom](double step) { return step < zoom - sameStep; });
    return next == steps.rend() ? steps.front() : *next;
}

double largestStepWithin(double wanted, QSize available, QSize design)
{
    double best = steps.front();
    for (const double step : steps) {
        const QSize size = scaled(design, step);
        if (step <= wanted + sameStep && size.width() <= available.width() &&
            size.height() <= available.height())
            best = step;
    }
    return best;
}

} // namespace tessarion::ui::zoom

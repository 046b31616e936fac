#pragma once

#include <QPoint>
#include <QRect>
#include <QSize>

#include <array>

namespace tessarion::ui::zoom {

/// The zoom steps of the keys and the wheel, as factors of the layout's size.
inline constexpr std::array<double, 9> steps{0.5, 0.75, 1, 1.25, 1.5, 2, 2.5, 3, 4};

/// Where the whole layout stands in a window: its zoom, and its top-left corner and size in
/// the window's pixels.
struct Fit {
    double zoom = 1;
    QPoint offset;
    QSize size;
    friend bool operator==(const Fit&, const Fit&) = default;
};

/// The layout of size `design` scaled uniformly to the largest size that fits `window`,
/// centred. A window of exactly a step's size shows that step, so that a step is exact.
Fit fit(QSize window, QSize design);
/// The same, except that a window within a pixel of `level`'s size shows `level` exactly, at
/// the top-left corner: a window manager may round the size asked for to its resize steps,
/// which Qt advertises in device pixels at a fractional scale factor.
Fit fit(QSize window, QSize design, double level);

/// `design` at `zoom`, rounded to whole pixels.
QSize scaled(QSize design, double zoom);
/// A rectangle at `zoom` with each edge rounded on its own, so that rectangles that meet at
/// 100 % still meet.
QRect scaled(const QRect& design, double zoom);
/// A line width at `zoom` in whole pixels, never thinner than one.
int lineWidth(int designWidth, double zoom);

/// The step after `zoom` in `direction` (+1 larger, -1 smaller); the last step at either end.
double nextStep(double zoom, int direction);
/// The largest step up to `wanted` at which `design` fits into `available`; the smallest step
/// when none does.
double largestStepWithin(double wanted, QSize available, QSize design);

} // namespace tessarion::ui::zoom

#pragma once

#include "render/device.h"

#include <QFontMetricsF>

class QPainter;
class QFont;

namespace tessarion::ui {

/// Draws a panel's primitives with QPainter in logical pixels, so any device pixel ratio
/// gets its own full-resolution drawing.
class QtDevice : public render::Device {
public:
    /// Draws with `painter`, whose origin is the panel's inner top-left corner.
    QtDevice(QPainter& painter, const QFont& font, double innerWidth, double innerHeight);

    void fill(core::Colour background) override;
    void line(render::DevicePoint from, render::DevicePoint to, core::Colour colour,
              int width) override;
    void ellipse(render::DevicePoint centre, double radiusX, double radiusY, core::Colour colour,
                 int width) override;
    void dot(render::DevicePoint at, core::Colour colour, int width) override;
    void text(render::DevicePoint topLeft, std::string_view text, core::Colour colour) override;
    double lineHeight() const override;

private:
    QPainter& painter_;
    QFontMetricsF metrics_;
    double innerWidth_;
    double innerHeight_;
};

} // namespace tessarion::ui

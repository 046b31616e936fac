#pragma once

#include "render/crisp_device.h"
#include "render/pixel_target.h"
#include "ui/text_layouts.h"

#include <QFontMetricsF>
#include <QTransform>

#include <string_view>

class QFont;
class QImage;
class QPainter;
class QPoint;

namespace tessarion::ui {

/// Draws device-pixel primitives with QPainter: everything but text in the target's device
/// pixels, text in the panel's logical pixels, as the font's own metrics lay it out there. It
/// leaves the painter's transform changed: save and restore the painter around it.
class QtDevice final : public render::PixelTarget {
public:
    /// Draws with `painter` in `font`: under `deviceWorld` in the device pixels of `grid`, text
    /// under `logicalWorld`; with `texts`, from the layouts kept there.
    QtDevice(QPainter& painter, const QFont& font, QTransform deviceWorld, QTransform logicalWorld,
             render::PixelGrid grid, TextLayouts* texts = nullptr);
    QtDevice(const QtDevice&) = delete;
    QtDevice& operator=(const QtDevice&) = delete;

    void fillRect(render::PixelRect pixels, core::Colour colour) override;
    void strokeLine(render::DevicePoint from, render::DevicePoint to, int width,
                    core::Colour colour) override;
    void fillDisc(render::DevicePoint centre, double radius, core::Colour colour) override;
    void strokeEllipse(render::DevicePoint centre, double radiusX, double radiusY, int width,
                       core::Colour colour) override;
    void text(render::DevicePoint topLeft, std::string_view text, core::Colour colour) override;
    double lineHeight() const override { return metrics_.height(); }
    /// Puts `image` with its top-left corner on device pixel `at`, within the painter's clip.
    void putImage(QPoint at, const QImage& image);

private:
    void useDevicePixels(bool devicePixels);

    QPainter& painter_;
    QFontMetricsF metrics_;
    QTransform deviceWorld_;  ///< World transform for the device pixels.
    QTransform logicalWorld_; ///< World transform for the panel's logical pixels.
    render::PixelGrid grid_;
    TextLayouts* texts_;
    bool inDevicePixels_ = true;
};

} // namespace tessarion::ui

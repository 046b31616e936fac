#pragma once

#include "render/paint_reuse.h"
#include "ui/text_layouts.h"

#include <QFont>
#include <QFontMetricsF>
#include <QImage>
#include <QPointF>
#include <QRect>
#include <QTransform>

#include <string>
#include <string_view>

class QPainter;

namespace tessarion::ui {

/// What a panel keeps for its device from paint to paint.
class DrawingMemory {
public:
    QImage kept;       ///< The image of the repeated leading operations of a paint.
    TextLayouts texts; ///< Texts laid out.
    /// The text that tells `font` from other fonts, made again only for another font.
    const std::string& fontKey(const QFont& font);

private:
    QFont font_;
    std::string fontKey_;
};

/// Draws a panel's primitives with QPainter at the full resolution of the target. Every line
/// is a whole number of device pixels wide; axis-aligned lines and dots cover whole device
/// pixels, with square ends half the width beyond their end points; diagonal lines and
/// circles are antialiased, diagonal lines with round ends from 4 device pixels wide; text is
/// placed in logical pixels. It leaves the painter's transform changed: save and restore the
/// painter around it.
class QtDevice final : public render::KeepingDevice {
public:
    /// Draws with `painter`, whose origin is the panel's inner top-left corner, and clips it
    /// to the inner area's whole device pixels. With `memory` it can keep an image there, and
    /// texts laid out, from paint to paint.
    QtDevice(QPainter& painter, const QFont& font, QSizeF inner, DrawingMemory* memory = nullptr);
    QtDevice(const QtDevice&) = delete;
    QtDevice& operator=(const QtDevice&) = delete;

    void fill(core::Colour background) override;
    void line(render::DevicePoint from, render::DevicePoint to, core::Colour colour,
              int width) override;
    void ellipse(render::DevicePoint centre, double radiusX, double radiusY, core::Colour colour,
                 int width) override;
    void dot(render::DevicePoint at, core::Colour colour, int width) override;
    void text(render::DevicePoint topLeft, std::string_view text, core::Colour colour) override;
    double lineHeight() const override;

    std::string setting() const override;
    void keep(std::span<const render::Operation> operations, bool fresh) override;
    void putKept() override;

private:
    /// The discs that rounded off the last line's ends, in device pixels.
    struct RoundEnds {
        QPointF from, to;
        int width = 0;
        core::Colour colour = 0;
        bool has(QPointF at, int atWidth, core::Colour atColour) const
        {
            return width == atWidth && colour == atColour && (from == at || to == at);
        }
    };

    /// A painter and the two coordinate systems the device draws in on it.
    struct Canvas {
        QPainter* painter;
        QTransform deviceWorld;  ///< World transform for device pixels less the canvas origin.
        QTransform logicalWorld; ///< World transform for the panel's logical pixels.
        bool inDevicePixels;
        RoundEnds ends = {}; ///< Drawn by the operation just before.
    };

    void useDevicePixels(bool devicePixels);
    void fillPixels(const QRect& pixels, core::Colour colour);
    void drawAxisAligned(QPointF a, QPointF b, core::Colour colour, int width);
    void drawDiagonal(QPointF a, QPointF b, core::Colour colour, int width);
    QPointF toDevice(render::DevicePoint point) const;

    QPainter& painter_;
    const QFont& font_;
    QFontMetricsF metrics_;
    QSizeF inner_;
    QTransform toDevice_;  ///< Panel pixels to the painter's device pixels.
    QRect area_;           ///< The inner area's whole device pixels.
    bool aligned_ = false; ///< The device transform only scales and translates.
    QImage::Format format_ = QImage::Format_Invalid; ///< The target's, when it is a raster image.
    DrawingMemory* memory_;
    Canvas screen_;
    Canvas* canvas_ = &screen_; ///< Where the operations go now: the screen or the kept image.
};

} // namespace tessarion::ui

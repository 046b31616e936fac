#pragma once

#include "render/crisp_device.h"
#include "ui/qt_device.h"
#include "ui/text_layouts.h"

#include <QFont>
#include <QImage>
#include <QSizeF>
#include <QTransform>

#include <string>

class QPainter;

namespace tessarion::ui {

/// What a panel keeps for its drawing from paint to paint.
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

/// One paint of a panel's inner area with QPainter, at the full resolution of the target: the
/// whole-pixel rules on the target's device pixel grid, clipped to the area's whole device
/// pixels. Under a transform that rotates or mirrors there is no such grid, and the panel's
/// own pixels stand in for it. It leaves the painter's transform and clip changed: save and
/// restore the painter around it.
class PanelDrawing final : private render::ImageKeeper {
public:
    /// Draws with `painter`, whose origin is the panel's inner top-left corner, an inner area
    /// of `inner` logical pixels in `font`. With `memory` it can keep an image there, and texts
    /// laid out, from paint to paint.
    PanelDrawing(QPainter& painter, const QFont& font, QSizeF inner,
                 DrawingMemory* memory = nullptr);

    /// The device the paint goes to.
    render::KeepingDevice& device() { return device_; }

private:
    std::string setting() const override;
    void keep(render::PixelRect area, bool fresh,
              const std::function<void(render::PixelTarget&)>& draw) override;
    void putKept(render::PixelRect area) override;

    QPainter& painter_;
    const QFont& font_;
    QTransform toDevice_;   ///< Panel pixels to the painter's device pixels.
    bool aligned_;          ///< The device transform only scales and translates.
    QImage::Format format_; ///< The target's, when it is a raster image.
    DrawingMemory* memory_;
    QtDevice screen_;
    render::CrispDevice device_;
};

} // namespace tessarion::ui

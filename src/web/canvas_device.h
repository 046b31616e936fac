#pragma once

#include "render/crisp_device.h"
#include "render/pixel_target.h"

#include <functional>
#include <string>
#include <string_view>

namespace tessarion::web {

/// Draws device-pixel primitives on one of the page's canvases. The primitives come in the
/// page's device pixels, where whole pixels were rounded as the desktop rounds them in its
/// window's.
class CanvasDevice final : public render::PixelTarget {
public:
    /// Draws on canvas `canvas`, which lies on `grid` (its origin on a whole device pixel); its
    /// text is the grid's vertical scale times the page's size, with lines of text `lineHeight`
    /// panel pixels high.
    CanvasDevice(int canvas, const render::PixelGrid& grid, double lineHeight);

    void fillRect(render::PixelRect pixels, core::Colour colour) override;
    void strokeLine(render::DevicePoint from, render::DevicePoint to, int width,
                    core::Colour colour) override;
    void fillDisc(render::DevicePoint centre, double radius, core::Colour colour) override;
    void strokeEllipse(render::DevicePoint centre, double radiusX, double radiusY, int width,
                       core::Colour colour) override;
    void text(render::DevicePoint topLeft, std::string_view text, core::Colour colour) override;
    double lineHeight() const override { return lineHeight_; }

private:
    double canvasX(double pageX) const { return pageX - originX_; }
    double canvasY(double pageY) const { return pageY - originY_; }

    int canvas_;
    double originX_, originY_;
    double fontScale_;
    double lineHeight_;
};

/// A panel's kept image: a canvas of its own, as large as the panel's and drawn on the same
/// grid, so that it is put back at the panel's origin.
class KeptCanvas final : public render::ImageKeeper {
public:
    /// The kept image of panel `panel`, whose canvas lies on `grid`, with lines of text
    /// `lineHeight` panel pixels high.
    KeptCanvas(int panel, const render::PixelGrid& grid, double lineHeight);

    std::string setting() const override;
    void keep(render::PixelRect area, bool fresh,
              const std::function<void(render::PixelTarget&)>& draw) override;
    void putKept(render::PixelRect area) override;

private:
    int panel_;
    render::PixelGrid grid_;
    double lineHeight_;
};

/// The screen colour of a colour, system colours resolved, as 0xRRGGBB.
unsigned screenRgb(core::Colour colour);

} // namespace tessarion::web

#pragma once

#include "render/crisp_device.h"
#include "render/pixel_target.h"

#include <string_view>

namespace tessarion::web {

/// Draws device-pixel primitives on the canvas of one panel. The primitives come in the page's
/// device pixels, where whole pixels were rounded as the desktop rounds them in its window's.
class CanvasDevice final : public render::PixelTarget {
public:
    /// Draws on the canvas of panel `panel`, which lies on `grid` (its origin on a whole
    /// device pixel); its text is the grid's vertical scale times the page's size, with lines
    /// of text `lineHeight` panel pixels high.
    CanvasDevice(int panel, const render::PixelGrid& grid, double lineHeight);

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

    int panel_;
    double originX_, originY_;
    double fontScale_;
    double lineHeight_;
};

/// The screen colour of a colour, system colours resolved, as 0xRRGGBB.
unsigned screenRgb(core::Colour colour);

} // namespace tessarion::web

#pragma once

#include "render/paint_reuse.h"
#include "render/pixel_target.h"

namespace tessarion::render {

/// Where a panel's pixels lie among the target's device pixels.
struct PixelGrid {
    double scaleX = 1;  ///< Device pixels per panel pixel, across.
    double scaleY = 1;  ///< Device pixels per panel pixel, down.
    double originX = 0; ///< Device pixel position of the panel's top-left corner.
    double originY = 0;
};

/// The whole-pixel rules, for every front end: turns a panel's drawing into device-pixel
/// primitives. Every line is a whole number of device pixels wide; the erase, axis-aligned lines
/// and dots cover whole device pixels, lines with square ends half the width beyond their end
/// points; circles have their outer edge on pixel boundaries at their four extremes; diagonal
/// lines and circles are antialiased, diagonal lines with round ends from 4 device pixels wide;
/// text is placed as laid out, unsnapped.
class CrispDevice final : public KeepingDevice {
public:
    /// Draws on `target` a panel whose inner area is `innerWidth` by `innerHeight` panel pixels;
    /// with `keeper` it can keep images of a paint's leading operations.
    CrispDevice(PixelTarget& target, PixelGrid grid, double innerWidth, double innerHeight,
                ImageKeeper* keeper = nullptr);

    /// The inner area's whole device pixels, which the erase covers.
    PixelRect area() const { return area_; }

    void fill(core::Colour background) override;
    void line(DevicePoint from, DevicePoint to, core::Colour colour, int width) override;
    void ellipse(DevicePoint centre, double radiusX, double radiusY, core::Colour colour,
                 int width) override;
    void dot(DevicePoint at, core::Colour colour, int width) override;
    void text(DevicePoint topLeft, std::string_view text, core::Colour colour) override;
    double lineHeight() const override { return target_->lineHeight(); }

    std::string setting() const override;
    void keep(std::span<const Operation> operations, bool fresh) override;
    void putKept() override;

private:
    /// The discs that rounded off the last line's ends.
    struct RoundEnds {
        DevicePoint from, to;
        int width = 0;
        core::Colour colour = 0;
        bool has(DevicePoint at, int atWidth, core::Colour atColour) const
        {
            return width == atWidth && colour == atColour && (from == at || to == at);
        }
    };

    CrispDevice(PixelTarget& target, PixelGrid grid, PixelRect area, ImageKeeper* keeper);
    /// The whole device pixels of a panel area `width` by `height` at the grid's origin.
    static PixelRect wholePixels(PixelGrid grid, double width, double height);
    DevicePoint toDevice(DevicePoint point) const;
    void axisAligned(DevicePoint a, DevicePoint b, core::Colour colour, int width);
    void diagonal(DevicePoint a, DevicePoint b, core::Colour colour, int width);

    PixelTarget* target_;
    PixelGrid grid_;
    PixelRect area_;
    ImageKeeper* keeper_;
    RoundEnds ends_; ///< Drawn by the operation just before.
};

} // namespace tessarion::render

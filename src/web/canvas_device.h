#pragma once

#include "render/paint_reuse.h"

#include <string>
#include <string_view>

namespace tessarion::web {

/// Where a panel's canvas lies: device pixels per panel pixel, and its top-left corner in the
/// page's device pixels. Whole pixels are rounded in the page's pixels, as the desktop rounds
/// them in the window's, so that a point a rounding error from a pixel edge lands alike.
struct CanvasPlace {
    double scaleX = 1, scaleY = 1;
    int originX = 0, originY = 0;
};

/// Draws a panel's primitives on a canvas whose backing store has `scaleX` by `scaleY`
/// device pixels per panel pixel, with the desktop's crisp rules: every line is a whole
/// number of device pixels wide; axis-aligned lines and dots cover whole device pixels, with
/// square ends half the width beyond their end points; diagonal lines and circles are
/// antialiased, diagonal lines with round ends from 4 device pixels wide; text is placed in
/// panel pixels. It keeps an image of a paint's leading operations on a canvas of its own,
/// one per panel, the size of the panel's backing store.
class CanvasDevice final : public render::KeepingDevice {
public:
    /// Draws on the canvas of panel `panel`, whose inner area is `innerWidth` by
    /// `innerHeight` panel pixels.
    CanvasDevice(int panel, double innerWidth, double innerHeight, CanvasPlace place,
                 double lineHeight);

    void fill(core::Colour background) override;
    void line(render::DevicePoint from, render::DevicePoint to, core::Colour colour,
              int width) override;
    void ellipse(render::DevicePoint centre, double radiusX, double radiusY, core::Colour colour,
                 int width) override;
    void dot(render::DevicePoint at, core::Colour colour, int width) override;
    void text(render::DevicePoint topLeft, std::string_view text, core::Colour colour) override;
    double lineHeight() const override { return lineHeight_; }
    /// Whether the canvas has any device pixels at all.
    bool hasPixels() const { return backingWidth() > 0 && backingHeight() > 0; }

    std::string setting() const override;
    void keep(std::span<const render::Operation> operations, bool fresh) override;
    void putKept() override;

private:
    int backingWidth() const;
    int backingHeight() const;
    /// A panel point's pixel centre in the page's device pixels.
    double pageX(double x) const;
    double pageY(double y) const;

    int panel_;
    int target_; ///< The canvas drawn on: the panel's, or its kept image's.
    double innerWidth_, innerHeight_;
    double scaleX_, scaleY_;
    int originX_, originY_;
    double lineHeight_;
    render::DevicePoint lastEnds_[2] = {};
    int lastEndsWidth_ = 0;
    core::Colour lastEndsColour_ = 0;
};

/// The screen colour of a colour, system colours resolved, as 0xRRGGBB.
unsigned screenRgb(core::Colour colour);

} // namespace tessarion::web

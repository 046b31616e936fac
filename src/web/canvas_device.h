#pragma once

#include "render/device.h"

#include <string_view>

namespace tessarion::web {

/// Draws a panel's primitives on a canvas whose backing store has `scaleX` by `scaleY`
/// device pixels per panel pixel, with the desktop's crisp rules: every line is a whole
/// number of device pixels wide; axis-aligned lines and dots cover whole device pixels, with
/// square ends half the width beyond their end points; diagonal lines and circles are
/// antialiased, diagonal lines with round ends from 4 device pixels wide; text is placed in
/// panel pixels.
class CanvasDevice final : public render::Device {
public:
    /// Draws on the canvas of panel `panel`, whose inner area is `innerWidth` by
    /// `innerHeight` panel pixels.
    CanvasDevice(int panel, double innerWidth, double innerHeight, double scaleX, double scaleY,
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

private:
    int backingWidth() const;
    int backingHeight() const;

    int target_; ///< The panel whose canvas is drawn on.
    double innerWidth_, innerHeight_;
    double scaleX_, scaleY_;
    double lineHeight_;
    render::DevicePoint lastEnds_[2] = {};
    int lastEndsWidth_ = 0;
    core::Colour lastEndsColour_ = 0;
};

/// The screen colour of a colour, system colours resolved, as 0xRRGGBB.
unsigned screenRgb(core::Colour colour);

} // namespace tessarion::web

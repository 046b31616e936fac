#pragma once

#include "core/colour.h"

#include <string_view>

namespace tessarion::render {

/// A point in device pixels, relative to a panel's inner area.
struct DevicePoint {
    double x = 0; ///< Pixels to the right.
    double y = 0; ///< Pixels downwards.
    friend bool operator==(const DevicePoint&, const DevicePoint&) = default;
};

/// The pixel-space primitives a panel draws with; colours may still name system colours.
class Device {
public:
    virtual ~Device() = default;
    /// Erases the whole inner area to the background colour.
    virtual void fill(core::Colour background) = 0;
    /// A straight line, the pen `width` pixels wide.
    virtual void line(DevicePoint from, DevicePoint to, core::Colour colour, int width) = 0;
    /// The outline of an ellipse about `centre`.
    virtual void ellipse(DevicePoint centre, double radiusX, double radiusY, core::Colour colour,
                         int width) = 0;
    /// One point, as wide as the pen.
    virtual void dot(DevicePoint at, core::Colour colour, int width) = 0;
    /// Text with its top-left corner at `topLeft`, in the panel's font.
    virtual void text(DevicePoint topLeft, std::string_view text, core::Colour colour) = 0;
    /// Height of one line of text in the panel's font, in pixels.
    virtual double lineHeight() const = 0;
};

} // namespace tessarion::render

#pragma once

#include "render/device.h"

#include <functional>
#include <string>
#include <string_view>

namespace tessarion::render {

/// A rectangle of whole device pixels.
struct PixelRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool empty() const { return width <= 0 || height <= 0; }
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

/// What a front end draws with. Every argument is already in the target's device pixels and
/// whole where it has to be; the target carries the primitives out as they come.
class PixelTarget {
public:
    virtual ~PixelTarget() = default;
    /// Covers `pixels` with `colour`, unblended.
    virtual void fillRect(PixelRect pixels, core::Colour colour) = 0;
    /// An antialiased line `width` pixels wide with flat ends at `from` and `to`.
    virtual void strokeLine(DevicePoint from, DevicePoint to, int width, core::Colour colour) = 0;
    /// An antialiased filled disc.
    virtual void fillDisc(DevicePoint centre, double radius, core::Colour colour) = 0;
    /// An antialiased ellipse outline, the pen `width` pixels wide centred on it.
    virtual void strokeEllipse(DevicePoint centre, double radiusX, double radiusY, int width,
                               core::Colour colour) = 0;
    /// Text in the panel's font with its top-left corner at `topLeft`.
    virtual void text(DevicePoint topLeft, std::string_view text, core::Colour colour) = 0;
    /// Height of one line of text in the panel's font, in panel pixels.
    virtual double lineHeight() const = 0;
};

/// A target that can keep an image of part of its drawing and put it back.
class ImageKeeper {
public:
    virtual ~ImageKeeper() = default;
    /// Everything besides the primitives that decides the image's pixels (transform, pixel
    /// format, font …), or an empty text when this paint cannot keep an image.
    virtual std::string setting() const = 0;
    /// Has `draw` draw on the kept image of `area`, in the same device pixels as on the target:
    /// a new image when `fresh`, else over the one kept.
    virtual void keep(PixelRect area, bool fresh,
                      const std::function<void(PixelTarget&)>& draw) = 0;
    /// Puts the kept image on the target at `area`.
    virtual void putKept(PixelRect area) = 0;
};

} // namespace tessarion::render

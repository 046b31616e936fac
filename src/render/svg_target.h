#pragma once

#include "render/pixel_target.h"

#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

namespace tessarion::render {

/// Writes the primitives as SVG elements in the target's device pixels, for pictures whose
/// every line, circle, dot and text stays a vector shape. Colours are written as the screen
/// shows them; a text takes its font from the element around it.
class SvgTarget final : public PixelTarget {
public:
    /// Texts have their baseline `ascent` device pixels below their top, and lines of text
    /// are `lineHeight` panel pixels apart.
    SvgTarget(double ascent, double lineHeight);

    void fillRect(PixelRect pixels, core::Colour colour) override;
    void strokeLine(DevicePoint from, DevicePoint to, int width, core::Colour colour) override;
    void fillDisc(DevicePoint centre, double radius, core::Colour colour) override;
    void strokeEllipse(DevicePoint centre, double radiusX, double radiusY, int width,
                       core::Colour colour) override;
    void text(DevicePoint topLeft, std::string_view text, core::Colour colour) override;
    double lineHeight() const override { return lineHeight_; }

    /// The elements written so far, cut off at the edges of `area` as a panel cuts off its
    /// drawing, in the same coordinates.
    std::string clippedTo(PixelRect area) const;

private:
    /// Adds ` name="value"` for each pair.
    void attributes(std::initializer_list<std::pair<std::string_view, std::string>> pairs);

    std::string elements_;
    double ascent_;
    double lineHeight_;
};

} // namespace tessarion::render

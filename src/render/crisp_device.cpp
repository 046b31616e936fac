#include "render/crisp_device.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace tessarion::render {

namespace {
/// Coordinates name pixel corners; a line or dot at (x, y) is centred on that pixel's centre.
constexpr double pixelCentre = 0.5;
/// Far beyond any panel; keeps rasterizers in range for the off-panel marker of a huge phase.
constexpr double coordinateLimit = 1e6;
/// Device pixels from which a diagonal line gets round ends; on a thinner line the sliver
/// that a round end adds is not worth its two discs.
constexpr int roundEndsFrom = 4;

double bounded(double value) { return std::clamp(value, -coordinateLimit, coordinateLimit); }

/// Rounds halves up, the same way on both sides of zero.
int nearest(double value) { return static_cast<int>(std::floor(value + 0.5)); }

/// A pen of `width` panel pixels drawn at `scale` device pixels per panel pixel.
int deviceWidth(int width, double scale)
{
    return std::max(1, nearest(std::max(width, 1) * scale));
}

/// The first of `count` whole pixels laid as evenly as they can be about `centre`.
int firstPixel(double centre, int count) { return nearest(centre - count / 2.0); }
} // namespace

CrispDevice::CrispDevice(PixelTarget& target, PixelGrid grid, double innerWidth, double innerHeight,
                         ImageKeeper* keeper)
    : CrispDevice(target, grid, wholePixels(grid, innerWidth, innerHeight), keeper)
{
}

CrispDevice::CrispDevice(PixelTarget& target, PixelGrid grid, PixelRect area, ImageKeeper* keeper)
    : target_(&target)
    , grid_(grid)
    , area_(area)
    , keeper_(keeper)
{
}

PixelRect CrispDevice::wholePixels(PixelGrid grid, double width, double height)
{
    const int left = nearest(grid.originX);
    const int top = nearest(grid.originY);
    return {left, top, nearest(grid.originX + grid.scaleX * width) - left,
            nearest(grid.originY + grid.scaleY * height) - top};
}

void CrispDevice::fill(core::Colour background)
{
    ends_ = {};
    target_->fillRect(area_, background);
}

void CrispDevice::line(DevicePoint from, DevicePoint to, core::Colour colour, int width)
{
    const DevicePoint a = toDevice(from);
    const DevicePoint b = toDevice(to);
    if (a.x != b.x && a.y != b.y)
        diagonal(a, b, colour, width);
    else
        axisAligned(a, b, colour, width);
}

void CrispDevice::ellipse(DevicePoint centre, double radiusX, double radiusY, core::Colour colour,
                          int width)
{
    ends_ = {};
    // The outer edge at the four extremes falls on pixel boundaries, so that the pen covers
    // whole pixels where the outline runs along a row or a column.
    const DevicePoint at = toDevice(centre);
    const int across = deviceWidth(width, (grid_.scaleX + grid_.scaleY) / 2);
    const double outerX = std::abs(bounded(radiusX)) * grid_.scaleX + across / 2.0;
    const double outerY = std::abs(bounded(radiusY)) * grid_.scaleY + across / 2.0;
    const int left = nearest(at.x - outerX);
    const int right = std::max(nearest(at.x + outerX), left + across);
    const int top = nearest(at.y - outerY);
    const int bottom = std::max(nearest(at.y + outerY), top + across);
    target_->strokeEllipse({(left + right) / 2.0, (top + bottom) / 2.0},
                           (right - left - across) / 2.0, (bottom - top - across) / 2.0, across,
                           colour);
}

void CrispDevice::dot(DevicePoint at, core::Colour colour, int width)
{
    const DevicePoint a = toDevice(at);
    axisAligned(a, a, colour, width);
}

void CrispDevice::text(DevicePoint topLeft, std::string_view text, core::Colour colour)
{
    // Text keeps its place as the font's own metrics lay it out.
    ends_ = {};
    target_->text({bounded(topLeft.x) * grid_.scaleX + grid_.originX,
                   bounded(topLeft.y) * grid_.scaleY + grid_.originY},
                  text, colour);
}

std::string CrispDevice::setting() const
{
    return keeper_ == nullptr ? std::string() : keeper_->setting();
}

// The kept image takes the operations as the target would, from a fresh line on.
void CrispDevice::keep(std::span<const Operation> operations, bool fresh)
{
    keeper_->keep(area_, fresh, [&](PixelTarget& image) {
        CrispDevice onImage(image, grid_, area_, nullptr);
        for (const Operation& operation : operations)
            replay(operation, onImage);
    });
}

void CrispDevice::putKept()
{
    ends_ = {};
    keeper_->putKept(area_);
}

DevicePoint CrispDevice::toDevice(DevicePoint point) const
{
    return {grid_.scaleX * (bounded(point.x) + pixelCentre) + grid_.originX,
            grid_.scaleY * (bounded(point.y) + pixelCentre) + grid_.originY};
}

// Whole pixels across, and a square end half the width beyond each end point, so that a line
// of no length is a dot as wide as the pen.
void CrispDevice::axisAligned(DevicePoint a, DevicePoint b, core::Colour colour, int width)
{
    ends_ = {};
    const int wideX = deviceWidth(width, grid_.scaleX);
    const int wideY = deviceWidth(width, grid_.scaleY);
    const int left = firstPixel(std::min(a.x, b.x), wideX);
    const int right = firstPixel(std::max(a.x, b.x), wideX) + wideX;
    const int top = firstPixel(std::min(a.y, b.y), wideY);
    const int bottom = firstPixel(std::max(a.y, b.y), wideY) + wideY;
    target_->fillRect({left, top, right - left, bottom - top}, colour);
}

void CrispDevice::diagonal(DevicePoint a, DevicePoint b, core::Colour colour, int width)
{
    const RoundEnds previous = std::exchange(ends_, RoundEnds{});
    const int across = deviceWidth(width, (grid_.scaleX + grid_.scaleY) / 2);
    target_->strokeLine(a, b, across, colour);
    if (across < roundEndsFrom)
        return;
    // Round ends as discs, which cost a fraction of round caps; an end that the line before
    // already rounded off (a joint of the spring, the tip of an arrow) is one disc, not two
    // blended over each other.
    if (!previous.has(a, across, colour))
        target_->fillDisc(a, across / 2.0, colour);
    if (!previous.has(b, across, colour))
        target_->fillDisc(b, across / 2.0, colour);
    ends_ = {a, b, across, colour};
}

} // namespace tessarion::render

#include "web/canvas_device.h"

#include "render/device_pixels.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <cmath>

// The canvas calls, each in device pixels of the panel's backing store. The page script
// owns the canvases; `target` picks one.
EM_JS(void, canvasFillRect, (int target, int x, int y, int w, int h, unsigned rgb),
      { tessarionCanvas.fillRect(target, x, y, w, h, rgb); });
EM_JS(void, canvasStrokeLine,
      (int target, double x1, double y1, double x2, double y2, int width, unsigned rgb),
      { tessarionCanvas.strokeLine(target, x1, y1, x2, y2, width, rgb); });
EM_JS(void, canvasFillDisc, (int target, double x, double y, double radius, unsigned rgb),
      { tessarionCanvas.fillDisc(target, x, y, radius, rgb); });
EM_JS(void, canvasStrokeEllipse,
      (int target, double x, double y, double radiusX, double radiusY, int width, unsigned rgb),
      { tessarionCanvas.strokeEllipse(target, x, y, radiusX, radiusY, width, rgb); });
EM_JS(void, canvasFillText,
      (int target, double x, double y, const char* text, int size, double scale, unsigned rgb),
      { tessarionCanvas.fillText(target, x, y, UTF8ToString(text, size), scale, rgb); });

namespace tessarion::web {

using namespace render::pixels;

unsigned screenRgb(core::Colour colour)
{
    const core::Colour shown = core::screenColour(colour);
    return ((shown & 0xFFu) << 16) | (shown & 0xFF00u) | ((shown >> 16) & 0xFFu);
}

CanvasDevice::CanvasDevice(int panel, double innerWidth, double innerHeight, double scaleX,
                           double scaleY, double lineHeight)
    : target_(panel)
    , innerWidth_(innerWidth)
    , innerHeight_(innerHeight)
    , scaleX_(scaleX)
    , scaleY_(scaleY)
    , lineHeight_(lineHeight)
{
}

void CanvasDevice::fill(core::Colour background)
{
    canvasFillRect(target_, 0, 0, backingWidth(), backingHeight(), screenRgb(background));
    lastEndsWidth_ = 0;
}

void CanvasDevice::line(render::DevicePoint from, render::DevicePoint to, core::Colour colour,
                        int width)
{
    const double ax = (bounded(from.x) + pixelCentre) * scaleX_;
    const double ay = (bounded(from.y) + pixelCentre) * scaleY_;
    const double bx = (bounded(to.x) + pixelCentre) * scaleX_;
    const double by = (bounded(to.y) + pixelCentre) * scaleY_;
    const unsigned rgb = screenRgb(colour);
    if (ax != bx && ay != by) {
        const int across = deviceWidth(width, (scaleX_ + scaleY_) / 2);
        canvasStrokeLine(target_, ax, ay, bx, by, across, rgb);
        const bool rounded = across >= roundEndsFrom;
        if (rounded) {
            // Round ends as discs; an end that the line before already rounded off (a joint
            // of the spring, the tip of an arrow) is one disc, not two blended over each other.
            const render::DevicePoint ends[2] = {{ax, ay}, {bx, by}};
            for (const render::DevicePoint& end : ends) {
                const bool done = lastEndsWidth_ == across && lastEndsColour_ == colour &&
                                  (lastEnds_[0] == end || lastEnds_[1] == end);
                if (!done)
                    canvasFillDisc(target_, end.x, end.y, across / 2.0, rgb);
            }
            lastEnds_[0] = ends[0];
            lastEnds_[1] = ends[1];
            lastEndsColour_ = colour;
        }
        lastEndsWidth_ = rounded ? across : 0;
        return;
    }
    lastEndsWidth_ = 0;
    // Axis-aligned: whole pixels across, and a square end half the width beyond each end
    // point, so that a line of no length is a dot as wide as the pen.
    const int wideX = deviceWidth(width, scaleX_);
    const int wideY = deviceWidth(width, scaleY_);
    const int left = firstPixel(std::min(ax, bx), wideX);
    const int right = firstPixel(std::max(ax, bx), wideX) + wideX;
    const int top = firstPixel(std::min(ay, by), wideY);
    const int bottom = firstPixel(std::max(ay, by), wideY) + wideY;
    canvasFillRect(target_, left, top, right - left, bottom - top, rgb);
}

void CanvasDevice::ellipse(render::DevicePoint centre, double radiusX, double radiusY,
                           core::Colour colour, int width)
{
    lastEndsWidth_ = 0;
    // The outer edge at the four extremes falls on pixel boundaries, so that the pen covers
    // whole pixels where the outline runs along a row or a column.
    const int across = deviceWidth(width, (scaleX_ + scaleY_) / 2);
    const double x = (bounded(centre.x) + pixelCentre) * scaleX_;
    const double y = (bounded(centre.y) + pixelCentre) * scaleY_;
    const double outerX = std::abs(bounded(radiusX)) * scaleX_ + across / 2.0;
    const double outerY = std::abs(bounded(radiusY)) * scaleY_ + across / 2.0;
    const int left = nearest(x - outerX);
    const int right = std::max(nearest(x + outerX), left + across);
    const int top = nearest(y - outerY);
    const int bottom = std::max(nearest(y + outerY), top + across);
    canvasStrokeEllipse(target_, (left + right) / 2.0, (top + bottom) / 2.0,
                        (right - left - across) / 2.0, (bottom - top - across) / 2.0, across,
                        screenRgb(colour));
}

void CanvasDevice::dot(render::DevicePoint at, core::Colour colour, int width)
{
    line(at, at, colour, width);
}

void CanvasDevice::text(render::DevicePoint topLeft, std::string_view text, core::Colour colour)
{
    lastEndsWidth_ = 0;
    // Text keeps its place in panel pixels, as the font's own metrics lay it out.
    canvasFillText(target_, bounded(topLeft.x) * scaleX_, bounded(topLeft.y) * scaleY_, text.data(),
                   static_cast<int>(text.size()), scaleY_, screenRgb(colour));
}

int CanvasDevice::backingWidth() const { return nearest(innerWidth_ * scaleX_); }

int CanvasDevice::backingHeight() const { return nearest(innerHeight_ * scaleY_); }

} // namespace tessarion::web

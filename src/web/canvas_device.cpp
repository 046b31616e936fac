#include "web/canvas_device.h"

#include <emscripten/emscripten.h>

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

unsigned screenRgb(core::Colour colour)
{
    const core::Colour shown = core::screenColour(colour);
    return ((shown & 0xFFu) << 16) | (shown & 0xFF00u) | ((shown >> 16) & 0xFFu);
}

CanvasDevice::CanvasDevice(int panel, const render::PixelGrid& grid, double lineHeight)
    : panel_(panel)
    , originX_(grid.originX)
    , originY_(grid.originY)
    , fontScale_(grid.scaleY)
    , lineHeight_(lineHeight)
{
}

void CanvasDevice::fillRect(render::PixelRect pixels, core::Colour colour)
{
    canvasFillRect(panel_, static_cast<int>(canvasX(pixels.left)),
                   static_cast<int>(canvasY(pixels.top)), pixels.width, pixels.height,
                   screenRgb(colour));
}

void CanvasDevice::strokeLine(render::DevicePoint from, render::DevicePoint to, int width,
                              core::Colour colour)
{
    canvasStrokeLine(panel_, canvasX(from.x), canvasY(from.y), canvasX(to.x), canvasY(to.y), width,
                     screenRgb(colour));
}

void CanvasDevice::fillDisc(render::DevicePoint centre, double radius, core::Colour colour)
{
    canvasFillDisc(panel_, canvasX(centre.x), canvasY(centre.y), radius, screenRgb(colour));
}

void CanvasDevice::strokeEllipse(render::DevicePoint centre, double radiusX, double radiusY,
                                 int width, core::Colour colour)
{
    canvasStrokeEllipse(panel_, canvasX(centre.x), canvasY(centre.y), radiusX, radiusY, width,
                        screenRgb(colour));
}

void CanvasDevice::text(render::DevicePoint topLeft, std::string_view text, core::Colour colour)
{
    canvasFillText(panel_, canvasX(topLeft.x), canvasY(topLeft.y), text.data(),
                   static_cast<int>(text.size()), fontScale_, screenRgb(colour));
}

} // namespace tessarion::web

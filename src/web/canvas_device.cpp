#include "web/canvas_device.h"

#include "core/layout.h"

#include <emscripten/emscripten.h>

#include <array>
#include <cstring>

// The canvas calls, each in device pixels of the canvas's backing store. The page script
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
EM_JS(void, canvasPrepare, (int target, int width, int height),
      { tessarionCanvas.prepare(target, width, height); });
EM_JS(void, canvasPut, (int target, int from), { tessarionCanvas.put(target, from); });

namespace tessarion::web {

namespace {
// The kept images' canvases are numbered after the panels'.
int keptCanvasOf(int panel) { return static_cast<int>(core::panelCount) + panel; }
} // namespace

unsigned screenRgb(core::Colour colour)
{
    const core::Colour shown = core::screenColour(colour);
    return ((shown & 0xFFu) << 16) | (shown & 0xFF00u) | ((shown >> 16) & 0xFFu);
}

CanvasDevice::CanvasDevice(int canvas, const render::PixelGrid& grid, double lineHeight)
    : canvas_(canvas)
    , originX_(grid.originX)
    , originY_(grid.originY)
    , fontScale_(grid.scaleY)
    , lineHeight_(lineHeight)
{
}

void CanvasDevice::fillRect(render::PixelRect pixels, core::Colour colour)
{
    canvasFillRect(canvas_, static_cast<int>(canvasX(pixels.left)),
                   static_cast<int>(canvasY(pixels.top)), pixels.width, pixels.height,
                   screenRgb(colour));
}

void CanvasDevice::strokeLine(render::DevicePoint from, render::DevicePoint to, int width,
                              core::Colour colour)
{
    canvasStrokeLine(canvas_, canvasX(from.x), canvasY(from.y), canvasX(to.x), canvasY(to.y), width,
                     screenRgb(colour));
}

void CanvasDevice::fillDisc(render::DevicePoint centre, double radius, core::Colour colour)
{
    canvasFillDisc(canvas_, canvasX(centre.x), canvasY(centre.y), radius, screenRgb(colour));
}

void CanvasDevice::strokeEllipse(render::DevicePoint centre, double radiusX, double radiusY,
                                 int width, core::Colour colour)
{
    canvasStrokeEllipse(canvas_, canvasX(centre.x), canvasY(centre.y), radiusX, radiusY, width,
                        screenRgb(colour));
}

void CanvasDevice::text(render::DevicePoint topLeft, std::string_view text, core::Colour colour)
{
    canvasFillText(canvas_, canvasX(topLeft.x), canvasY(topLeft.y), text.data(),
                   static_cast<int>(text.size()), fontScale_, screenRgb(colour));
}

KeptCanvas::KeptCanvas(int panel, const render::PixelGrid& grid, double lineHeight)
    : panel_(panel)
    , grid_(grid)
    , lineHeight_(lineHeight)
{
}

std::string KeptCanvas::setting() const
{
    // Exact numbers, compared by their bytes: the grid places every edge and sizes the font,
    // whose metrics the line height carries; the page has one font.
    const std::array numbers{grid_.scaleX, grid_.scaleY, grid_.originX, grid_.originY, lineHeight_};
    std::string setting(sizeof numbers, '\0');
    std::memcpy(setting.data(), numbers.data(), sizeof numbers);
    return setting;
}

void KeptCanvas::keep(render::PixelRect area, bool fresh,
                      const std::function<void(render::PixelTarget&)>& draw)
{
    if (fresh)
        canvasPrepare(keptCanvasOf(panel_), area.width, area.height);
    CanvasDevice image(keptCanvasOf(panel_), grid_, lineHeight_);
    draw(image);
}

// Drawn on the panel's grid, the image lies on the panel's canvas as it lies on its own.
void KeptCanvas::putKept(render::PixelRect /*area*/) { canvasPut(panel_, keptCanvasOf(panel_)); }

} // namespace tessarion::web

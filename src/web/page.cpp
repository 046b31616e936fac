#include "web/page.h"

#include "core/layout.h"
#include "render/crisp_device.h"
#include "render/svg_target.h"
#include "web/canvas_device.h"

#include <emscripten/emscripten.h>

EM_JS(void, pageSetText, (const char* name, const char* text, int size),
      { tessarionPage.setText(UTF8ToString(name), UTF8ToString(text, size)); });
EM_JS(void, pageSetBackColor, (const char* name, unsigned rgb),
      { tessarionPage.setBackColor(UTF8ToString(name), rgb); });
EM_JS(void, pageSetTimerEnabled, (bool enabled), { tessarionPage.ticker.setEnabled(enabled); });
EM_JS(void, pageSetTimerInterval, (int milliseconds),
      { tessarionPage.ticker.setInterval(milliseconds); });
EM_JS(void, pageScheduleRepaint, (int panel), { tessarionPage.scheduleRepaint(panel); });
EM_JS(void, pageSetStatement, (int panel, const char* wording, const char* numbers),
      { tessarionPage.setStatement(panel, UTF8ToString(wording), UTF8ToString(numbers)); });

namespace tessarion::web {

namespace {
int indexOf(render::PanelId panel) { return static_cast<int>(panel); }
} // namespace

PageReadout::PageReadout(std::string name)
    : name_(std::move(name))
{
}

void PageReadout::setText(std::string_view text)
{
    pageSetText(name_.c_str(), text.data(), static_cast<int>(text.size()));
}

void PageReadout::setBackColor(core::Colour colour)
{
    pageSetBackColor(name_.c_str(), screenRgb(colour));
}

void PageTimer::setEnabled(bool enabled)
{
    enabled_ = enabled;
    pageSetTimerEnabled(enabled);
}

void PageTimer::setInterval(std::int32_t milliseconds) { pageSetTimerInterval(milliseconds); }

PagePanel::PagePanel(Page& page, render::PanelId id)
    : page_(page)
    , id_(id)
{
}

void PagePanel::repaintNow() { page_.paint(id_); }

void PagePanel::scheduleRepaint() { pageScheduleRepaint(indexOf(id_)); }

Page::Page(std::string decimalSeparator, double lineHeight)
    : lineHeight_(lineHeight)
{
    // The read-outs and panels come into being as the layout names them.
    assembly_ = std::make_unique<render::FormAssembly>(
        core::ControlSource{
            .readout = [this](const core::ControlSpec& spec) -> core::TextField& {
                return readouts_.emplace_back(std::string(spec.name));
            },
            .timer = [this](const core::ControlSpec&) -> core::Timer& { return timer_; },
            .panel = [this](const core::ControlSpec& spec) -> core::Panel& {
                return panels_.emplace_back(*this, *spec.panel);
            },
        },
        std::move(decimalSeparator));
    form().load();
    for (const render::PanelId panel : core::tickOrder)
        describe(panel);
}

void Page::setPlace(render::PanelId panel, render::PixelGrid place)
{
    places_[static_cast<std::size_t>(indexOf(panel))] = place;
}

void Page::paint(render::PanelId panel)
{
    const render::Surface& surface = assembly_->surface(panel);
    const auto index = static_cast<std::size_t>(indexOf(panel));
    const render::PixelGrid& grid = places_[index];
    CanvasDevice canvas(indexOf(panel), grid, lineHeight_);
    KeptCanvas kept(indexOf(panel), grid, lineHeight_);
    render::CrispDevice device(canvas, grid, surface.innerWidth(), surface.innerHeight(), &kept);
    if (device.area().empty()) {
        // A collapsed page (a frame of no height) has nothing to draw on; what a paint keeps
        // in the state and the read-outs still happens.
        form().beforePaint(panel);
        return;
    }
    render::PaintReuse& lastPaint = lastPaints_[index];
    lastPaint.begin(device);
    assembly_->paint(panel, lastPaint);
    lastPaint.finish();
}

std::string Page::picture(double scale, double ascent)
{
    std::string elements;
    for (const render::PanelId panel : core::tickOrder) {
        // The panel's inner area where the layout puts it, on the picture's own pixels.
        const core::ControlSpec& spec = core::panelSpec(panel);
        const render::PixelGrid grid{
            .scaleX = scale,
            .scaleY = scale,
            .originX = (core::pixels(spec.left) + core::panelBorderPixels) * scale,
            .originY = (core::pixels(spec.top) + core::panelBorderPixels) * scale};
        const render::Surface& surface = assembly_->surface(panel);
        render::SvgTarget target(ascent * scale, lineHeight_);
        render::CrispDevice device(target, grid, surface.innerWidth(), surface.innerHeight());
        assembly_->paint(panel, device);
        elements += target.clippedTo(device.area());
    }
    return elements;
}

void Page::stateChanged()
{
    if (!pace_.due(emscripten_get_now(), timer_.enabled()))
        return;
    for (const render::PanelId panel : core::tickOrder)
        describe(panel);
}

// The script words the sentence in the user's language; the numbers, one a line, are written.
void Page::describe(render::PanelId panel)
{
    const core::PanelStatement statement =
        core::statementOf(panel, form().shownBy(panel), form().decimalSeparator());
    std::string numbers;
    for (const std::string& number : statement.numbers)
        numbers += (numbers.empty() ? "" : "\n") + number;
    pageSetStatement(indexOf(panel), statement.wording, numbers.c_str());
}

} // namespace tessarion::web

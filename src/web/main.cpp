// The page's entry points: the script builds the controls from the layout, then calls in for
// clicks, ticks and paints.

#include "core/accessible_texts.h"
#include "core/layout.h"
#include "web/canvas_device.h"
#include "web/page.h"

#include <emscripten/emscripten.h>

#include <array>
#include <memory>
#include <string>
#include <utility>

namespace {
using namespace tessarion;

std::unique_ptr<web::Page> page;

void appendString(std::string& json, std::string_view text)
{
    json += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\')
            json += '\\';
        json += c;
    }
    json += '"';
}

void appendField(std::string& json, std::string_view key, std::string_view text)
{
    appendString(json, key);
    json += ':';
    appendString(json, text);
    json += ',';
}

void appendField(std::string& json, std::string_view key, double value)
{
    appendString(json, key);
    json += ':';
    json += std::to_string(value);
    json += ',';
}

constexpr std::array<std::string_view, 7> kindNames{"panel",  "textField", "lineFigure", "label",
                                                    "button", "timer",     "frame"};

// The layout table and the English accessible texts, as the script builds the page from them.
std::string layoutJson()
{
    std::string json = "{";
    appendField(json, "width", core::pixels(core::clientWidthTwips));
    appendField(json, "height", core::pixels(core::clientHeightTwips));
    appendField(json, "border", core::panelBorderPixels);
    appendField(json, "caption", core::windowCaption);
    json += "\"controls\":[";
    for (const core::ControlSpec& spec : core::windowLayout()) {
        json += '{';
        appendField(json, "name", spec.name);
        appendField(json, "kind", kindNames[static_cast<std::size_t>(spec.kind)]);
        appendField(json, "container", spec.container);
        appendField(json, "left", core::pixels(spec.left));
        appendField(json, "top", core::pixels(spec.top));
        appendField(json, "width", core::pixels(spec.width));
        appendField(json, "height", core::pixels(spec.height));
        appendField(json, "caption", spec.caption);
        appendField(json, "tabIndex", spec.tabIndex);
        appendField(json, "centred", spec.centred ? 1 : 0);
        appendField(json, "largeFont", spec.largeFont ? 1 : 0);
        appendField(json, "visible", spec.visible ? 1 : 0);
        if (spec.foreColor)
            appendField(json, "foreColor", web::screenRgb(*spec.foreColor));
        for (const core::AccessibleRow& row : core::accessibleRows) {
            if (row.control != spec.name)
                continue;
            if (row.name != nullptr)
                appendField(json, "accessibleName", row.name);
            if (row.description != nullptr)
                appendField(json, "description", row.description);
            if (row.toolTip != nullptr)
                appendField(json, "toolTip", row.toolTip);
            if (row.toolTipNumber)
                appendField(json, "toolTipNumber", *row.toolTipNumber);
            if (!row.buddy.empty())
                appendField(json, "buddy", row.buddy);
        }
        json.back() = '}';
        json += ',';
    }
    json.back() = ']';
    json += '}';
    return json;
}
} // namespace

extern "C" {

/// The layout as JSON, for the script to build the controls from.
EMSCRIPTEN_KEEPALIVE const char* tessarion_layout()
{
    static const std::string json = layoutJson();
    return json.c_str();
}

/// Builds the form once the controls exist, and runs load().
EMSCRIPTEN_KEEPALIVE void tessarion_start(const char* decimalSeparator, double lineHeight)
{
    page = std::make_unique<web::Page>(decimalSeparator, lineHeight);
}

/// The button with this layout name was pressed.
EMSCRIPTEN_KEEPALIVE void tessarion_click(const char* button)
{
    if (const core::ClickHandler handler = core::clickHandler(button))
        (page->form().*handler)();
    page->stateChanged();
}

/// One animation tick.
EMSCRIPTEN_KEEPALIVE void tessarion_tick()
{
    page->form().tick();
    page->stateChanged();
}

/// A panel took the focus: its description says what it shows now.
EMSCRIPTEN_KEEPALIVE void tessarion_describe(int panel)
{
    page->describe(static_cast<render::PanelId>(panel));
}

/// A panel's canvas now has this many device pixels per panel pixel, and its top-left corner
/// at this device pixel of the page.
EMSCRIPTEN_KEEPALIVE void tessarion_set_place(int panel, double scaleX, double scaleY,
                                              double originX, double originY)
{
    page->setPlace(static_cast<render::PanelId>(panel),
                   {.scaleX = scaleX, .scaleY = scaleY, .originX = originX, .originY = originY});
}

/// Paints a panel, as the window system asks when it is shown or resized.
EMSCRIPTEN_KEEPALIVE void tessarion_paint(int panel)
{
    page->paint(static_cast<render::PanelId>(panel));
}
}

// The page's entry points: the script builds the controls from the layout, then calls in for
// clicks, ticks and paints.

#include "core/accessible_texts.h"
#include "core/layout.h"
#include "core/preset.h"
#include "web/canvas_device.h"
#include "web/page.h"

#include <emscripten/emscripten.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {
using namespace tessarion;

std::unique_ptr<web::Page> page;
core::Preset preset; ///< The start values of the address.

void appendString(std::string& json, std::string_view text)
{
    json += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\')
            json += '\\';
        // What the address holds may hold control characters too.
        if (static_cast<unsigned char>(c) < 0x20) {
            constexpr std::string_view digits = "0123456789abcdef";
            json += "\\u00";
            json += digits[static_cast<unsigned char>(c) / 16];
            json += digits[static_cast<unsigned char>(c) % 16];
            continue;
        }
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
        if (spec.panel)
            appendField(json, "panel", static_cast<int>(*spec.panel));
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

// A part of the address with its %XX sequences decoded; any other % stays as it is.
std::string decoded(std::string_view text)
{
    std::string result;
    for (std::size_t at = 0; at < text.size(); ++at) {
        unsigned value = 0;
        const char* digits = text.data() + at + 1;
        if (text[at] == '%' && at + 2 < text.size() &&
            std::from_chars(digits, digits + 2, value, 16).ptr == digits + 2) {
            result += static_cast<char>(value);
            at += 2;
        } else {
            result += text[at];
        }
    }
    return result;
}

// The settings in the address's fragment: "amplitude=10&phase=90&start"; empty ones skipped.
std::vector<core::PresetArgument> fragmentSettings(std::string_view fragment)
{
    std::vector<core::PresetArgument> settings;
    while (!fragment.empty()) {
        const std::string_view part = fragment.substr(0, fragment.find('&'));
        fragment.remove_prefix(std::min(fragment.size(), part.size() + 1));
        if (part.empty())
            continue;
        const std::size_t equals = part.find('=');
        if (equals == std::string_view::npos)
            settings.push_back({decoded(part), std::nullopt});
        else
            settings.push_back({decoded(part.substr(0, equals)), decoded(part.substr(equals + 1))});
    }
    return settings;
}

// The refused settings as the script shows them: the English text to translate, the setting
// as written in the address, and the range where there is one.
std::string problemsJson(const std::vector<core::PresetProblem>& problems)
{
    std::string json = "[";
    for (const core::PresetProblem& problem : problems) {
        json += '{';
        appendField(json, "text", problem.text);
        const core::PresetArgument& setting = problem.argument;
        appendField(json, "written",
                    setting.name + (setting.value ? "=" + *setting.value : std::string()));
        if (problem.range) {
            appendField(json, "lowest", std::to_string((*problem.range)[0]));
            appendField(json, "highest", std::to_string((*problem.range)[1]));
        }
        json.back() = '}';
        json += ',';
    }
    if (json.size() > 1)
        json.pop_back();
    return json + ']';
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

/// Reads the start values in the address's fragment; the result is the refused settings, as
/// JSON. With any refused, the page keeps the start of load().
EMSCRIPTEN_KEEPALIVE const char* tessarion_read_preset(const char* fragment)
{
    const core::PresetReading reading = core::readPreset(fragmentSettings(fragment));
    if (reading.problems.empty())
        preset = reading.preset;
    static std::string problems;
    problems = problemsJson(reading.problems);
    return problems.c_str();
}

/// Presses the buttons that bring the form to the start values read, once the panels have had
/// their first paint, as the user would.
EMSCRIPTEN_KEEPALIVE void tessarion_apply_preset() { core::applyPreset(preset, page->form()); }

/// The fragment of the address that opens the page in the state it has now.
EMSCRIPTEN_KEEPALIVE const char* tessarion_fragment(bool running)
{
    static std::string fragment;
    fragment.clear();
    for (const core::PresetArgument& setting : core::presetArguments(page->form().state, running)) {
        fragment += (fragment.empty() ? "" : "&") + setting.name;
        if (setting.value)
            fragment += "=" + *setting.value;
    }
    return fragment.c_str();
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

/// The four panels drawn afresh for a picture of the layout, as SVG elements at `scale` device
/// pixels per layout pixel; a panel text's baseline lies `ascent` layout pixels below its top.
EMSCRIPTEN_KEEPALIVE const char* tessarion_picture(double scale, double ascent)
{
    static std::string elements;
    elements = page->picture(scale, ascent);
    return elements.c_str();
}

/// The phase in whole degrees, which a picture's file name carries; a double holds any phase
/// that presses can reach.
EMSCRIPTEN_KEEPALIVE double tessarion_phase()
{
    return static_cast<double>(page->form().state.phase);
}
}

#pragma once

#include "core/colour.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>

namespace tessarion::core {

/// What a row of the layout creates.
enum class ControlKind { Panel, TextField, LineFigure, Label, Button, Timer, Frame };

/// The drawing panels the handlers repaint.
enum class PanelId { spring, vector, pendulum, graph };
inline constexpr std::size_t panelCount = 4;

/// The read-outs the handlers write and never read.
enum class ReadoutId {
    amplitude, ///< The amplitude doubled.
    frequency, ///< The frequency, in degrees per tick.
    degrees,   ///< The phase in degrees.
    radians,   ///< The phase in radians.
    percent,   ///< The phase as a percentage of a turn.
    sine,      ///< The sine of the phase.
    cosine,    ///< The cosine of the phase.
};
inline constexpr std::size_t readoutCount = 7;

/// The units a panel's coordinates count in when it is created.
enum class PanelUnits { Twips, Pixels };

/// A panel's own coordinate system from (0, 0) at the top-left to (width, height).
struct UserScale {
    float width = 0;  ///< Units across the inner area.
    float height = 0; ///< Units down the inner area.
};

/// One control as the window is built, in twips from its container's inner area.
struct ControlSpec {
    std::string_view name = {}; ///< The handlers' name for it.
    int index = -1;             ///< Element of a control group, or -1.
    ControlKind kind = ControlKind::Label;
    std::optional<PanelId> panel = {};     ///< Which drawing panel a panel is.
    std::optional<ReadoutId> readout = {}; ///< Which read-out a text field is.
    std::string_view container = {};       ///< Panel holding it; empty for the window.
    int left = 0, top = 0;                 ///< Place; for a line figure its first end point.
    int width = 0, height = 0;             ///< Size; for a line figure its second end point.
    std::string_view caption = {};         ///< Caption or text exactly as stored.
    int tabIndex = -1;                     ///< Place in the tab order, or -1.
    int lineWidth = 0;                     ///< Pen width of a line figure, in pixels.
    bool centred = false;                  ///< Text or caption centred.
    bool largeFont = false;                ///< The 12 pt bold underlined label font.
    bool visible = true;                   ///< Shown on the window.
    std::optional<Colour> backColor = {};  ///< Background, when not the kind's default.
    std::optional<Colour> foreColor = {};  ///< A panel's pen colour, or a frame's outline.
    PanelUnits units = PanelUnits::Twips;  ///< A panel's units at start.
    std::optional<UserScale> scale = {};   ///< A panel's own coordinate system at start.
};

/// Every control of the window, in creation order.
std::span<const ControlSpec> windowLayout();
/// The layout row of a drawing panel or of a read-out.
const ControlSpec& panelSpec(PanelId panel);
const ControlSpec& readoutSpec(ReadoutId readout);
/// The drawing panel with this layout name, if it is one.
std::optional<PanelId> panelNamed(std::string_view name);

/// Client area of the window, in twips.
inline constexpr int clientWidthTwips = 11790;
inline constexpr int clientHeightTwips = 8490;
/// The layout was drawn at this many twips per pixel.
inline constexpr int twipsPerPixel = 15;
/// A panel's sunken border on each side, in pixels.
inline constexpr int panelBorderPixels = 2;
/// The window's caption.
inline constexpr std::string_view windowCaption = "Tessarion";

/// Twips to pixels at the layout's resolution.
constexpr double pixels(int twips) { return static_cast<double>(twips) / twipsPerPixel; }
/// Twips to whole pixels, for widget places and sizes (every place in the layout is whole).
constexpr int wholePixels(int twips) { return twips / twipsPerPixel; }

/// A panel's inner area in pixels: its outer size less the border on both sides.
constexpr double innerPixels(int outerTwips) { return pixels(outerTwips) - 2 * panelBorderPixels; }

} // namespace tessarion::core

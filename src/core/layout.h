#pragma once

#include "core/colour.h"

#include <optional>
#include <span>
#include <string_view>

namespace tessarion::core {

/// What a row of the layout creates.
enum class ControlKind { Panel, TextField, LineFigure, Label, Button, Timer, Frame };

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
    std::string_view container = {};      ///< Panel holding it; empty for the window.
    int left = 0, top = 0;                ///< Place; for a line figure its first end point.
    int width = 0, height = 0;            ///< Size; for a line figure its second end point.
    std::string_view caption = {};        ///< Caption or text exactly as stored.
    int tabIndex = -1;                    ///< Place in the tab order, or -1.
    int lineWidth = 0;                    ///< Pen width of a line figure, in pixels.
    bool centred = false;                 ///< Text or caption centred.
    bool largeFont = false;               ///< The 12 pt bold underlined label font.
    bool visible = true;                  ///< Shown on the window.
    std::optional<Colour> backColor = {}; ///< Background, when not the kind's default.
    std::optional<Colour> foreColor = {}; ///< A panel's pen colour, or a frame's outline.
    PanelUnits units = PanelUnits::Twips; ///< A panel's units at start.
    std::optional<UserScale> scale = {};  ///< A panel's own coordinate system at start.
};

/// Every control of the window, in creation order.
std::span<const ControlSpec> windowLayout();

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

#pragma once

#include "core/colour.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace tessarion::ui {

/// What a row of the layout creates.
enum class ControlKind { Panel, TextField, LineFigure, Label, Button, Timer, Frame };

/// A panel's coordinate system when it is created.
enum class PanelUnits { Twips, Pixels, User };

/// One control as the window is built, in twips from its container's inner area.
struct ControlSpec {
    std::string_view name = {}; ///< The handlers' name for it.
    int index = -1;             ///< Element of a control group, or -1.
    ControlKind kind = ControlKind::Label;
    std::string_view container = {};       ///< Panel holding it; empty for the window.
    int left = 0, top = 0;                 ///< Place; for a line figure its first end point.
    int width = 0, height = 0;             ///< Size; for a line figure its second end point.
    std::string_view caption = {};         ///< Caption or text exactly as stored.
    int tabIndex = -1;                     ///< Place in the tab order, or -1.
    int lineWidth = 0;                     ///< Pen width of a line figure, in pixels.
    bool centred = false;                  ///< Text or caption centred.
    bool largeFont = false;                ///< The 12 pt bold underlined label font.
    bool visible = true;                   ///< Shown on the window.
    Colour backColor = 0;                  ///< Background colour, 0 for the kind's default.
    Colour foreColor = 0;                  ///< A panel's pen colour at start.
    PanelUnits units = PanelUnits::Twips;  ///< A panel's coordinate system.
    float scaleWidth = 0, scaleHeight = 0; ///< A user system's extent.
    std::string_view accessibleName = {};  ///< What a screen reader says for it.
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

} // namespace tessarion::ui

#pragma once

#include "core/control_interfaces.h"
#include "core/panel_statements.h"
#include "render/form_assembly.h"
#include "render/paint_reuse.h"
#include "render/surface.h"
#include "web/canvas_device.h"

#include <array>
#include <deque>
#include <memory>
#include <string>

namespace tessarion::web {

/// A read-out: an editable text field of the page that the program writes and never reads.
class PageReadout : public core::TextField {
public:
    /// The field with this layout name.
    explicit PageReadout(std::string name);
    void setText(std::string_view text) override;
    void setBackColor(core::Colour colour) override;

private:
    std::string name_; ///< The field's layout name.
};

/// The animation tick, scheduled by the page against the clock.
class PageTimer : public core::Timer {
public:
    void setEnabled(bool enabled) override;
    void setInterval(std::int32_t milliseconds) override;
    /// Whether the animation runs.
    bool enabled() const { return enabled_; }

private:
    bool enabled_ = false;
};

class Page;

/// A panel's canvas: repaintNow paints it at once, a moved line figure on the next frame.
class PagePanel : public core::Panel {
public:
    PagePanel(Page& page, render::PanelId id);
    void repaintNow() override;
    void scheduleRepaint() override;

private:
    Page& page_;         ///< The page that paints it.
    render::PanelId id_; ///< Which panel it is.
};

/// The page's side of the window: its read-outs, timer and panels, assembled with the form.
class Page {
public:
    /// Builds everything and runs `load()`; the panels are painted when the page asks.
    Page(std::string decimalSeparator, double lineHeight);

    /// The state and handlers.
    core::Form& form() { return assembly_->form(); }
    /// A panel's canvas now lies there.
    void setPlace(render::PanelId panel, render::PixelGrid place);
    /// Paints a panel onto its canvas.
    void paint(render::PanelId panel);
    /// The four panels drawn afresh in the order of a tick, as a picture of the layout does
    /// it, as SVG elements at `scale` device pixels per layout pixel; a text has its baseline
    /// `ascent` layout pixels below its top.
    std::string picture(double scale, double ascent);
    /// After a button or a tick: the panels' descriptions follow, at the pace of the animation.
    void stateChanged();
    /// Gives the panel's description its sentence about what the panel shows now.
    void describe(render::PanelId panel);

private:
    std::deque<PageReadout> readouts_; ///< The read-outs, as the layout has them.
    PageTimer timer_;                  ///< The animation tick.
    std::deque<PagePanel> panels_;     ///< The panels, as the layout has them.
    std::array<render::PixelGrid, core::panelCount> places_{}; ///< Where each panel's canvas lies.
    std::array<render::PaintReuse, core::panelCount> lastPaints_; ///< Each panel's last paint.
    double lineHeight_;                              ///< Height of a line of panel text, in pixels.
    std::unique_ptr<render::FormAssembly> assembly_; ///< The form and its drawing side.
    /// When the panels' descriptions follow the state.
    core::StatementPace pace_;
};

} // namespace tessarion::web

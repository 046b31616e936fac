#pragma once

#include "core/form.h"
#include "render/device.h"
#include "render/painters.h"
#include "render/surface.h"

#include <array>
#include <map>
#include <memory>
#include <string>
#include <string_view>

namespace tessarion::render {

using core::PanelId;

/// The one place where the window's drawing side is put together: the form over the controls
/// the window hands over, a surface for each panel and its line figures as the layout table
/// makes them, and each panel bound to its painter.
class FormAssembly {
public:
    /// Builds everything from the layout; `load()` is left to the caller.
    FormAssembly(const core::ControlSource& controls, std::string decimalSeparator);
    FormAssembly(const FormAssembly&) = delete;
    FormAssembly& operator=(const FormAssembly&) = delete;
    ~FormAssembly();

    /// The state and handlers.
    core::Form& form() { return form_; }
    /// A panel's drawing surface.
    Surface& surface(PanelId panel) { return *surfaces_[index(panel)]; }
    /// One paint of `panel` onto `device`: the form's part of it, then erase, its painter and
    /// its line figures.
    void paint(PanelId panel, Device& device);

private:
    using Surfaces = std::array<std::unique_ptr<Surface>, core::panelCount>;
    using Figures = std::map<std::string, LineFigure*, std::less<>>;
    static constexpr std::size_t index(PanelId panel) { return static_cast<std::size_t>(panel); }
    Surfaces makeSurfaces();
    Figures addLineFigures();
    LineFigure& figure(std::string_view name) const;

    core::Form form_;                ///< The state and the handlers.
    Surfaces surfaces_;              ///< The panels' surfaces, by PanelId.
    LineFigureGroup springSegments_; ///< The spring's twelve segments.
    Figures figures_;                ///< The single line figures by their layout names.
    SpringFigures spring_;           ///< The spring panel's moving figures.
    LineFigure& pendulumRod_;        ///< The pendulum's rod.
};

} // namespace tessarion::render

#pragma once

#include "core/form.h"
#include "render/device.h"
#include "render/painters.h"
#include "render/surface.h"

#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace tessarion::render {

using core::PanelId;

/// What the window supplies to the form: its read-outs, its timer and its panels' views.
struct FormParts {
    core::Readouts readouts; ///< The seven read-outs.
    core::Timer& timer;      ///< The animation tick.
    PanelView& spring;       ///< Spring and mass.
    PanelView& vector;       ///< Rotating vector.
    PanelView& pendulum;     ///< Pendulum.
    PanelView& graph;        ///< Time graph.

    /// The view of `panel`.
    PanelView& view(PanelId panel) const;
};

/// The one place where the window's drawing side is put together: the four surfaces and
/// their line figures as the layout table makes them, the form over the parts it is handed,
/// and each panel bound to its painter.
class FormAssembly {
public:
    /// Builds everything from the layout; `load()` is left to the caller.
    FormAssembly(const FormParts& parts, std::string decimalSeparator);
    FormAssembly(const FormAssembly&) = delete;
    FormAssembly& operator=(const FormAssembly&) = delete;
    ~FormAssembly();

    /// The state and handlers.
    core::Form& form() { return form_; }
    /// A panel's drawing surface.
    Surface& surface(PanelId panel) { return *surfaces_[index(panel)]; }
    /// The panel a layout name stands for, if it is one.
    static std::optional<PanelId> panelId(std::string_view name);
    /// The layout names of the four panels, by PanelId.
    static constexpr std::array<std::string_view, 4> panelNames{"P1", "p2", "p3", "p4"};
    /// The layout name of `panel`.
    static constexpr std::string_view panelName(PanelId panel) { return panelNames[index(panel)]; }

    /// One paint of `panel` onto `device`: the form's part of it, then erase, its painter and
    /// its line figures.
    void paint(PanelId panel, Device& device);

private:
    using Surfaces = std::array<std::unique_ptr<Surface>, 4>;
    using Figures = std::map<std::string, LineFigure*, std::less<>>;
    static constexpr std::size_t index(PanelId panel) { return static_cast<std::size_t>(panel); }
    static Surfaces makeSurfaces(const FormParts& parts);
    Figures addLineFigures();
    LineFigure& figure(std::string_view name) const;

    Surfaces surfaces_;              ///< The four panels' surfaces, by PanelId.
    LineFigureGroup springSegments_; ///< The spring's twelve segments.
    Figures figures_;                ///< The single line figures by their layout names.
    core::Form form_;                ///< The state and the handlers.
    SpringFigures spring_;           ///< The spring panel's moving figures.
    LineFigure& pendulumRod_;        ///< The pendulum's rod.
};

} // namespace tessarion::render

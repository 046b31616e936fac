#include "render/form_assembly.h"

#include "core/layout.h"

#include <stdexcept>
#include <utility>

namespace tessarion::render {

FormAssembly::FormAssembly(const core::ControlSource& controls, std::string decimalSeparator)
    : form_(controls, std::move(decimalSeparator))
    , surfaces_(makeSurfaces())
    , figures_(addLineFigures())
    , spring_{figure("Lin1"), springSegments_, figure("Lin2")}
    , pendulumRod_(figure("Line3"))
{
}

FormAssembly::~FormAssembly() = default;

FormAssembly::Surfaces FormAssembly::makeSurfaces()
{
    Surfaces surfaces;
    for (const core::ControlSpec& spec : core::windowLayout()) {
        if (!spec.panel)
            continue;
        const PanelId panel = *spec.panel;
        auto surface = std::make_unique<Surface>(
            core::innerPixels(spec.width), core::innerPixels(spec.height), spec.units,
            spec.foreColor.value_or(core::colours::buttonText),
            spec.backColor.value_or(core::colours::buttonFace));
        if (spec.scale)
            surface->setScale(flags::firstPoint, 0, 0, spec.scale->width, spec.scale->height);
        surface->setPanel(&form_.controls().panel(panel));
        surfaces[index(panel)] = std::move(surface);
    }
    return surfaces;
}

FormAssembly::Figures FormAssembly::addLineFigures()
{
    Figures figures;
    for (const core::ControlSpec& spec : core::windowLayout()) {
        if (spec.kind != core::ControlKind::LineFigure)
            continue;
        const auto panel = core::panelNamed(spec.container);
        if (!panel)
            throw std::logic_error("line figure outside a drawing panel: " +
                                   std::string(spec.name));
        // Places are in twips; the surfaces keep their figures in device pixels.
        LineFigure& figure = surface(*panel).addLineFigure(
            {core::pixels(spec.left), core::pixels(spec.top)},
            {core::pixels(spec.width), core::pixels(spec.height)}, spec.lineWidth);
        if (spec.index >= 0)
            springSegments_.assign(spec.index, figure);
        else
            figures.emplace(spec.name, &figure);
    }
    return figures;
}

LineFigure& FormAssembly::figure(std::string_view name) const
{
    const auto found = figures_.find(name);
    if (found == figures_.end())
        throw std::logic_error("the layout has no line figure " + std::string(name));
    return *found->second;
}

void FormAssembly::paint(PanelId panel, Device& device)
{
    form_.beforePaint(panel);
    const core::OscillationState& state = form_.state;
    Surface& target = surface(panel);
    switch (panel) {
    case PanelId::spring: target.paint(device, [&] { paintSpring(state, target, spring_); }); break;
    case PanelId::vector: target.paint(device, [&] { paintVector(state, target); }); break;
    case PanelId::pendulum:
        target.paint(device, [&] { paintPendulum(state, target, pendulumRod_); });
        break;
    case PanelId::graph: target.paint(device, [&] { paintGraph(state, target); }); break;
    }
}

} // namespace tessarion::render

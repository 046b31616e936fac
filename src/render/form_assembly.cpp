#include "render/form_assembly.h"

#include "core/layout.h"

#include <stdexcept>
#include <utility>

namespace tessarion::render {

FormAssembly::FormAssembly(const FormParts& parts, std::string decimalSeparator)
    : surfaces_(makeSurfaces(parts))
    , figures_(addLineFigures())
    , form_({parts.readouts[0], parts.readouts[1], parts.readouts[2], parts.readouts[3],
             parts.readouts[4], parts.readouts[5], parts.readouts[6], parts.Timer1, parts.views[0],
             parts.views[1], parts.views[2], parts.views[3]},
            std::move(decimalSeparator))
    , spring_{figure("Lin1"), Linl_, figure("Lin2")}
    , Line3_(figure("Line3"))
{
}

FormAssembly::~FormAssembly() = default;

FormAssembly::Surfaces FormAssembly::makeSurfaces(const FormParts& parts)
{
    Surfaces surfaces;
    for (const core::ControlSpec& spec : core::windowLayout()) {
        const auto panel = panelId(spec.name);
        if (spec.kind != core::ControlKind::Panel || !panel)
            continue;
        auto surface = std::make_unique<Surface>(
            core::innerPixels(spec.width), core::innerPixels(spec.height), spec.units,
            spec.foreColor.value_or(core::colours::buttonText),
            spec.backColor.value_or(core::colours::buttonFace));
        if (spec.scale)
            surface->Scale(flags::firstPoint, 0, 0, spec.scale->width, spec.scale->height);
        surface->setView(&parts.views[index(*panel)].get());
        surfaces[index(*panel)] = std::move(surface);
    }
    for (const auto& surface : surfaces)
        if (!surface)
            throw std::logic_error("the layout lacks a drawing panel");
    return surfaces;
}

FormAssembly::Figures FormAssembly::addLineFigures()
{
    Figures figures;
    for (const core::ControlSpec& spec : core::windowLayout()) {
        if (spec.kind != core::ControlKind::LineFigure)
            continue;
        const auto panel = panelId(spec.container);
        if (!panel)
            throw std::logic_error("line figure outside a drawing panel: " +
                                   std::string(spec.name));
        // Places are in twips; the surfaces keep their figures in device pixels.
        LineFigure& figure = surface(*panel).addLineFigure(
            {core::pixels(spec.left), core::pixels(spec.top)},
            {core::pixels(spec.width), core::pixels(spec.height)}, spec.lineWidth);
        if (spec.index >= 0)
            Linl_.assign(spec.index, figure);
        else
            figures.emplace(spec.name, &figure);
    }
    return figures;
}

LineFigure& FormAssembly::figure(std::string_view name) const
{
    LineFigure* found = lineFigure(name);
    if (found == nullptr)
        throw std::logic_error("the layout has no line figure " + std::string(name));
    return *found;
}

std::optional<PanelId> FormAssembly::panelId(std::string_view name)
{
    for (std::size_t i = 0; i < panelNames.size(); ++i)
        if (panelNames[i] == name)
            return static_cast<PanelId>(i);
    return std::nullopt;
}

LineFigure* FormAssembly::lineFigure(std::string_view name) const
{
    const auto found = figures_.find(name);
    return found == figures_.end() ? nullptr : found->second;
}

void FormAssembly::paint(PanelId panel, Device& device)
{
    Surface& target = surface(panel);
    switch (panel) {
    case PanelId::P1: target.paint(device, [&] { P1_Paint(form_, target, spring_); }); break;
    case PanelId::p2: target.paint(device, [&] { p2_paint(form_, target); }); break;
    case PanelId::p3: target.paint(device, [&] { p3_paint(form_, target, Line3_); }); break;
    case PanelId::p4: target.paint(device, [&] { P4_paint(form_, target); }); break;
    }
}

} // namespace tessarion::render

#pragma once

#include "core/layout.h"
#include "render/form_assembly.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace tessarion::support {

/// The line figure the layout calls `name` (group element `index`), as `assembly` made it:
/// each panel holds its figures in the order of the layout's rows.
inline render::LineFigure& layoutFigure(render::FormAssembly& assembly, std::string_view name,
                                        int index = -1)
{
    const core::ControlSpec* spec = core::findControl(name, index);
    if (spec == nullptr || spec->kind != core::ControlKind::LineFigure)
        throw std::logic_error("no line figure " + std::string(name));
    std::size_t position = 0;
    for (const core::ControlSpec& row : core::windowLayout()) {
        if (&row == spec)
            break;
        if (row.kind == core::ControlKind::LineFigure && row.container == spec->container)
            ++position;
    }
    const auto& figures =
        assembly.surface(*render::FormAssembly::panelId(spec->container)).lineFigures();
    // The surface hands its figures out read-only; the tests move them as the painters do.
    return const_cast<render::LineFigure&>(figures.at(position));
}

/// The twelve elements of the group the layout calls `name`.
inline render::LineFigureGroup layoutGroup(render::FormAssembly& assembly, std::string_view name)
{
    render::LineFigureGroup group;
    for (int i = 0; i < render::LineFigureGroup::size; ++i)
        group.assign(i, layoutFigure(assembly, name, i));
    return group;
}

} // namespace tessarion::support

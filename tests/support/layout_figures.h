#pragma once

#include "recording_device.h"
#include "render/form_assembly.h"

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace tessarion::support {

/// How many line figures the layout puts on the panel called `panel`.
inline std::size_t layoutFigureCount(std::string_view panel)
{
    std::size_t count = 0;
    for (const core::ControlSpec& row : core::windowLayout())
        count += row.kind == core::ControlKind::LineFigure && row.container == panel;
    return count;
}

/// The line figure the layout calls `name` (group element `index`) as the last paint of its
/// panel onto `device` drew it: a paint draws its panel's figures last, in the order of the
/// layout's rows. Its ends read in the panel's units.
class DrawnFigure {
public:
    DrawnFigure(render::FormAssembly& assembly, const RecordingDevice& device,
                std::string_view name, int index = -1)
        : device_(&device)
    {
        std::string_view panel;
        for (const core::ControlSpec& row : core::windowLayout()) {
            if (row.kind != core::ControlKind::LineFigure)
                continue;
            if (row.name == name && row.index == index)
                panel = row.container;
            fromEnd_ += !panel.empty() && row.container == panel;
        }
        if (panel.empty())
            throw std::logic_error("no line figure " + std::string(name));
        surface_ = &assembly.surface(*core::panelNamed(panel));
    }

    float startX() const { return static_cast<float>(surface_->fromDeviceX(line().a.x)); }
    float startY() const { return static_cast<float>(surface_->fromDeviceY(line().a.y)); }
    float endX() const { return static_cast<float>(surface_->fromDeviceX(line().b.x)); }
    float endY() const { return static_cast<float>(surface_->fromDeviceY(line().b.y)); }

private:
    const DeviceCall& line() const
    {
        const std::vector<DeviceCall>& calls = device_->calls();
        if (calls.size() < fromEnd_ ||
            calls[calls.size() - fromEnd_].kind != DeviceCall::Kind::Line)
            throw std::logic_error("the panel has drawn no line figures since the last clear");
        return calls[calls.size() - fromEnd_];
    }

    const RecordingDevice* device_;
    const render::Surface* surface_ = nullptr;
    std::size_t fromEnd_ = 0; ///< Counted from the end of the paint: itself and those after it.
};

/// The twelve elements of the group the layout calls `name`, as last drawn.
struct DrawnFigureGroup {
    DrawnFigureGroup(render::FormAssembly& assembly, const RecordingDevice& device,
                     std::string_view name)
    {
        for (int i = 0; i < render::LineFigureGroup::size; ++i)
            items.emplace_back(assembly, device, name, i);
    }
    const DrawnFigure& at(int index) const { return items.at(static_cast<std::size_t>(index)); }
    std::vector<DrawnFigure> items;
};

} // namespace tessarion::support

#pragma once

#include "recording_device.h"
#include "render/form_assembly.h"

#include <string>
#include <vector>

namespace tessarion::support {

using render::FormAssembly;
using render::LineFigure;
using render::LineFigureGroup;
using render::PanelId;
using render::Surface;

/// A panel that paints at once onto a recording device and logs each paint by name.
class RecordingView : public core::Panel {
public:
    /// Logs `name` into `log` on every paint onto `device`.
    RecordingView(std::string name, RecordingDevice& device, std::vector<std::string>& log)
        : name_(std::move(name))
        , device_(device)
        , log_(log)
    {
    }

    /// The panel of `assembly` this one paints.
    void attach(FormAssembly& assembly, PanelId panel)
    {
        assembly_ = &assembly;
        panel_ = panel;
    }

    void repaintNow() override
    {
        log_.push_back(name_);
        if (assembly_ != nullptr)
            assembly_->paint(panel_, device_);
    }
    void scheduleRepaint() override { ++scheduled_; }

    /// How often a later paint was asked for.
    int scheduledRepaints() const { return scheduled_; }

private:
    std::string name_;
    RecordingDevice& device_;
    std::vector<std::string>& log_;
    FormAssembly* assembly_ = nullptr;
    PanelId panel_ = PanelId::spring;
    int scheduled_ = 0;
};

} // namespace tessarion::support

#pragma once

#include "fakes.h"
#include "layout_figures.h"
#include "recording_device.h"
#include "recording_view.h"
#include "render/form_assembly.h"

#include <array>
#include <string>
#include <vector>

namespace tessarion::support {

/// The real form and painters as the assembly puts them together, each panel painting onto
/// a recording device at once; the paints are logged as "P1", "p2", "p3", "p4".
struct PaintedForm {
    explicit PaintedForm(const std::string& separator = ".")
        : assembly({.readout = [this](const core::ControlSpec& spec) -> core::TextField& {
                        return text[static_cast<std::size_t>(*spec.readout)];
                    },
                    .timer = [this](const core::ControlSpec&) -> core::Timer& { return timer; },
                    .panel = [this](const core::ControlSpec& spec) -> core::Panel& {
                        return *views()[static_cast<std::size_t>(*spec.panel)];
                    }},
                   separator)
    {
        for (std::size_t panel = 0; panel < core::panelCount; ++panel)
            views()[panel]->attach(assembly, static_cast<PanelId>(panel));
    }

    /// The text of TextN.
    const std::string& Text(int n) const { return text[static_cast<std::size_t>(n - 1)].text; }
    /// Forgets what the devices and the paint log have seen.
    void clearDevices()
    {
        for (RecordingDevice* device : devices())
            device->clear();
        log.clear();
    }
    /// Empties every read-out, to see which ones a step writes.
    void clearTexts()
    {
        for (auto& field : text)
            field.text.clear();
    }
    /// The four panels and their devices, P1 first.
    std::array<RecordingView*, core::panelCount> views() { return {&P1, &p2, &p3, &p4}; }
    std::array<RecordingDevice*, 4> devices() { return {&d1, &d2, &d3, &d4}; }
    std::array<const RecordingDevice*, 4> devices() const { return {&d1, &d2, &d3, &d4}; }
    /// Paints on the four devices that lack calls of a whole paint (the erase, the painter's,
    /// the line figures): a surface refuses a call with a value that is not finite.
    int shortPaints() const
    {
        // The painters' own calls: P1, p2, p3, p4 (five, its 360 curve dots, nine).
        constexpr std::array<std::size_t, 4> painterCalls{15, 12, 11, 5 + 360 + 9};
        int shortOnes = 0;
        for (std::size_t panel = 0; panel < painterCalls.size(); ++panel) {
            const std::size_t whole =
                1 + painterCalls[panel] +
                layoutFigureCount(core::panelSpec(static_cast<PanelId>(panel)).name);
            const std::vector<DeviceCall>& calls = devices()[panel]->calls();
            // Each paint starts with its erase.
            for (std::size_t start = 0, end = 1; end <= calls.size(); ++end) {
                if (end < calls.size() && calls[end].kind != DeviceCall::Kind::Fill)
                    continue;
                shortOnes += end - start != whole;
                start = end;
            }
        }
        return shortOnes;
    }

    std::array<support::FakeText, core::readoutCount> text;
    support::FakeTimer timer;
    RecordingDevice d1, d2, d3, d4;
    std::vector<std::string> log;
    RecordingView P1{"P1", d1, log}, p2{"p2", d2, log}, p3{"p3", d3, log}, p4{"p4", d4, log};
    FormAssembly assembly;
    core::Form& form = assembly.form();
    /// The spring's and the pendulum's line figures as their panels' last paints drew them.
    const DrawnFigure hanger{assembly, d1, "Lin1"};
    const DrawnFigure massRod{assembly, d1, "Lin2"};
    const DrawnFigureGroup segments{assembly, d1, "Linl"};
    const DrawnFigure pendulumRod{assembly, d3, "Line3"};
};

} // namespace tessarion::support

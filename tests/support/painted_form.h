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
        : assembly({text[0], text[1], text[2], text[3], text[4], text[5], text[6], timer, P1, p2,
                    p3, p4},
                   separator)
    {
        P1.attach(assembly, PanelId::P1);
        p2.attach(assembly, PanelId::p2);
        p3.attach(assembly, PanelId::p3);
        p4.attach(assembly, PanelId::p4);
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
    /// The four devices, P1 first.
    std::array<RecordingDevice*, 4> devices() { return {&d1, &d2, &d3, &d4}; }
    std::array<const RecordingDevice*, 4> devices() const { return {&d1, &d2, &d3, &d4}; }
    /// Calls the four panels refused for values that are not finite.
    int rejectedCalls() const
    {
        int rejected = 0;
        for (const RecordingView* view : {&P1, &p2, &p3, &p4})
            rejected += view->surface().rejectedCalls();
        return rejected;
    }

    std::array<support::FakeText, 7> text;
    support::FakeTimer timer;
    RecordingDevice d1, d2, d3, d4;
    std::vector<std::string> log;
    RecordingView P1{"P1", d1, log}, p2{"p2", d2, log}, p3{"p3", d3, log}, p4{"p4", d4, log};
    FormAssembly assembly;
    core::Form& form = assembly.form();
    LineFigure& Lin1 = layoutFigure(assembly, "Lin1");
    LineFigure& Lin2 = layoutFigure(assembly, "Lin2");
    const LineFigureGroup Linl = layoutGroup(assembly, "Linl");
    LineFigure& Line3 = layoutFigure(assembly, "Line3");
};

} // namespace tessarion::support

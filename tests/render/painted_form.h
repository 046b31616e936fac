#pragma once

#include "core/form.h"
#include "render/painters.h"
#include "render/recording_device.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace tessarion::render::fixtures {

/// A read-out that keeps its last text.
struct FakeText : core::TextField {
    void setText(std::string_view value) override { text = value; }
    void setBackColor(Colour) override {}
    std::string text;
};

/// A timer that keeps its last settings; enabled at first, so start-up must stop it.
struct FakeTimer : core::Timer {
    void setEnabled(bool on) override { enabled = on; }
    void setInterval(std::int32_t ms) override { interval = ms; }
    bool enabled = true;
    std::int32_t interval = 0;
};

/// The real form over the four panels at their layout sizes, each painting with its real
/// painter onto a recording device; the paints are logged as "P1", "p2", "p3", "p4".
struct PaintedForm {
    explicit PaintedForm(const std::string& separator = ".")
        : form({&text[0], &text[1], &text[2], &text[3], &text[4], &text[5], &text[6], &timer, &P1,
                &p2, &p3, &p4},
               separator)
    {
        // The spring at rest, as laid out: zig-zag vertices in pixels.
        constexpr std::array<DevicePoint, 13> rest{{{80, 30},
                                                    {48, 42},
                                                    {104, 54},
                                                    {48, 72},
                                                    {104, 84},
                                                    {48, 102},
                                                    {104, 114},
                                                    {48, 132},
                                                    {104, 144},
                                                    {48, 162},
                                                    {104, 174},
                                                    {48, 192},
                                                    {80, 198}}};
        for (std::size_t k = 0; k < 12; ++k)
            Linl.assign(static_cast<std::int32_t>(k), P1.addLineFigure(rest[k], rest[k + 1], 5));
        bindPainters(form, {P1, {Lin1, Linl, Lin2}, p2, p3, Line3, p4});
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
        return P1.rejectedCalls() + p2.rejectedCalls() + p3.rejectedCalls() + p4.rejectedCalls();
    }

    std::array<FakeText, 7> text;
    FakeTimer timer;
    Surface P1{157, 384, Units::Pixels, colours::highlightText};
    Surface p2{344, 384, Units::Twips, colours::buttonText};
    Surface p3{243, 383, Units::Pixels, colours::buttonText};
    Surface p4{507, 138, Units::Twips, colours::buttonText};
    RecordingDevice d1, d2, d3, d4;
    std::vector<std::string> log;
    RecordingHost h1{P1, d1, "P1", log}, h2{p2, d2, "p2", log}, h3{p3, d3, "p3", log},
        h4{p4, d4, "p4", log};
    LineFigure& Lin1 = P1.addLineFigure({80, 18}, {80, 30}, 5);
    LineFigure& Lin2 = P1.addLineFigure({80, 198}, {80, 210}, 5);
    LineFigureGroup Linl;
    LineFigure& Line3 = p3.addLineFigure({120, 18}, {120, 246}, 3);
    core::Form form;
};

} // namespace tessarion::render::fixtures

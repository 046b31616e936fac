#pragma once

#include "render/device.h"

#include <string>
#include <vector>

namespace tessarion::support {

using core::Colour;
using render::Device;
using render::DevicePoint;

/// One primitive as a device received it.
struct DeviceCall {
    enum class Kind { Fill, Line, Ellipse, Dot, Text };
    Kind kind = Kind::Fill; ///< Which primitive.
    DevicePoint a;          ///< Start, centre, dot or text corner.
    DevicePoint b;          ///< End of a line.
    double radiusX = 0;     ///< Ellipse radii.
    double radiusY = 0;
    Colour colour = 0; ///< Colour as passed, system colours unresolved.
    int width = 0;     ///< Pen width.
    std::string text;  ///< Printed text.
};

/// A device that keeps every call.
class RecordingDevice : public Device {
public:
    /// A device whose text lines are `lineHeight` pixels high.
    explicit RecordingDevice(double lineHeight = 16)
        : lineHeight_(lineHeight)
    {
    }

    void fill(Colour background) override;
    void line(DevicePoint from, DevicePoint to, Colour colour, int width) override;
    void ellipse(DevicePoint centre, double radiusX, double radiusY, Colour colour,
                 int width) override;
    void dot(DevicePoint at, Colour colour, int width) override;
    void text(DevicePoint topLeft, std::string_view text, Colour colour) override;
    double lineHeight() const override { return lineHeight_; }

    /// Every call since the last clear.
    const std::vector<DeviceCall>& calls() const { return calls_; }
    /// Calls of one kind, in order.
    std::vector<DeviceCall> callsOf(DeviceCall::Kind kind) const;
    /// Forgets the calls.
    void clear() { calls_.clear(); }

private:
    double lineHeight_;
    std::vector<DeviceCall> calls_;
};

} // namespace tessarion::support

#include "recording_device.h"

#include <algorithm>

namespace tessarion::support {

void RecordingDevice::fill(Colour background)
{
    DeviceCall& call = calls_.emplace_back();
    call.kind = DeviceCall::Kind::Fill;
    call.colour = background;
}

void RecordingDevice::line(DevicePoint from, DevicePoint to, Colour colour, int width)
{
    DeviceCall& call = calls_.emplace_back();
    call.kind = DeviceCall::Kind::Line;
    call.a = from;
    call.b = to;
    call.colour = colour;
    call.width = width;
}

void RecordingDevice::ellipse(DevicePoint centre, double radiusX, double radiusY, Colour colour,
                              int width)
{
    DeviceCall& call = calls_.emplace_back();
    call.kind = DeviceCall::Kind::Ellipse;
    call.a = centre;
    call.radiusX = radiusX;
    call.radiusY = radiusY;
    call.colour = colour;
    call.width = width;
}

void RecordingDevice::dot(DevicePoint at, Colour colour, int width)
{
    DeviceCall& call = calls_.emplace_back();
    call.kind = DeviceCall::Kind::Dot;
    call.a = at;
    call.colour = colour;
    call.width = width;
}

void RecordingDevice::text(DevicePoint topLeft, std::string_view text, Colour colour)
{
    DeviceCall& call = calls_.emplace_back();
    call.kind = DeviceCall::Kind::Text;
    call.a = topLeft;
    call.colour = colour;
    call.text = std::string(text);
}

std::vector<DeviceCall> RecordingDevice::callsOf(DeviceCall::Kind kind) const
{
    std::vector<DeviceCall> result;
    std::copy_if(calls_.begin(), calls_.end(), std::back_inserter(result),
                 [kind](const DeviceCall& call) { return call.kind == kind; });
    return result;
}

} // namespace tessarion::support

#pragma once

#include "core/control_interfaces.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace tessarion::support {

using core::Colour;

/// A read-out that keeps its last text and colour.
struct FakeText : core::TextField {
    void setText(std::string_view value) override { text = value; }
    void setBackColor(Colour colour) override { backColor = colour; }
    std::string text;
    Colour backColor = 0;
};

/// A timer that keeps its last settings; enabled at first, so start-up must stop it.
struct FakeTimer : core::Timer {
    void setEnabled(bool on) override { enabled = on; }
    void setInterval(std::int32_t ms) override { interval = ms; }
    bool enabled = true;
    std::int32_t interval = 0;
};

} // namespace tessarion::support

#pragma once

#include "core/colour.h"

#include <cstdint>
#include <string_view>

namespace tessarion::core {

/// A single-line read-out the handlers write and never read.
class TextField {
public:
    virtual ~TextField() = default;
    /// Replaces the shown text.
    virtual void setText(std::string_view text) = 0;
    /// Sets the colour behind the text.
    virtual void setBackColor(Colour colour) = 0;
};

/// The periodic animation timer.
class Timer {
public:
    virtual ~Timer() = default;
    /// Starts (true) or stops (false) the ticks; the same value again changes nothing.
    virtual void setEnabled(bool enabled) = 0;
    /// Milliseconds between ticks; the value it already has must not restart the count.
    virtual void setInterval(std::int32_t milliseconds) = 0;
};

/// A drawing panel of the window.
class Panel {
public:
    virtual ~Panel() = default;
    /// Erases the panel and runs its paint handler before returning, nested in the caller.
    virtual void repaintNow() = 0;
    /// Asks for a paint later, from the event loop, as a moved line figure does.
    virtual void scheduleRepaint() = 0;
};

} // namespace tessarion::core

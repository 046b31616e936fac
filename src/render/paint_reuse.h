#pragma once

#include "render/device.h"

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace tessarion::render {

/// One drawing call with the arguments a device received.
struct Operation {
    enum class Kind : std::uint8_t { Fill, Line, Ellipse, Dot, Text };
    Kind kind = Kind::Fill;
    core::Colour colour = 0;
    int width = 0;
    DevicePoint a = {};    ///< Line start, ellipse centre, dot, or the text's top-left corner.
    DevicePoint b = {};    ///< Line end, or the ellipse's radii.
    std::string text = {}; ///< Printed text.
    friend bool operator==(const Operation&, const Operation&) = default;
};

/// Hands `operation` to `device` as the call it was.
void replay(const Operation& operation, Device& device);

/// A device that can keep an image of a paint's leading operations and put it back later.
class KeepingDevice : public Device {
public:
    /// Everything besides the operations that decides their pixels (transform, clip, pixel
    /// format, font …), or an empty text when this paint cannot keep an image.
    virtual std::string setting() const = 0;
    /// Draws `operations` into the kept image: a new image when `fresh`, else over it.
    virtual void keep(std::span<const Operation> operations, bool fresh) = 0;
    /// Puts the kept image on the target, where its operations would have drawn.
    virtual void putKept() = 0;
};

/// A panel's memory of its last paint. Each paint goes through it as through a device: the
/// leading operations that repeat the last paint's are held back and then come from the
/// target's kept image, when that spares more than plain whole pixels; everything else goes
/// to the target as it comes.
class PaintReuse final : public Device {
public:
    /// Starts a paint onto `target`.
    void begin(KeepingDevice& target);
    /// Ends the paint: puts on the target what is still held back, and remembers the paint.
    void finish();
    /// Draws the last paint again onto `target`, without its painter; false when there was
    /// none.
    bool repeat(KeepingDevice& target);

    void fill(core::Colour background) override;
    void line(DevicePoint from, DevicePoint to, core::Colour colour, int width) override;
    void ellipse(DevicePoint centre, double radiusX, double radiusY, core::Colour colour,
                 int width) override;
    void dot(DevicePoint at, core::Colour colour, int width) override;
    void text(DevicePoint topLeft, std::string_view text, core::Colour colour) override;
    double lineHeight() const override;

private:
    void record(Operation operation);
    void release(std::size_t held);

    KeepingDevice* target_ = nullptr;
    std::vector<Operation> last_, next_; ///< The last paint's operations, and this one's.
    std::string lastSetting_, setting_;
    bool holding_ = false;  ///< Every operation so far repeats the last paint's.
    bool heldDear_ = false; ///< Some held operation is more than whole pixels.
    /// The kept image shows the first `imageOperations_` operations in `imageSetting_`.
    std::size_t imageOperations_ = 0;
    std::string imageSetting_;
    bool imageCurrent_ = false; ///< This paint made or used the kept image.
};

} // namespace tessarion::render

#include "render/paint_reuse.h"

#include <utility>

namespace tessarion::render {

namespace {
using Kind = Operation::Kind;

bool axisAligned(const Operation& operation)
{
    return operation.a.x == operation.b.x || operation.a.y == operation.b.y;
}

// The kept image is drawn at the panel's corner and put back there; a rasterizer may shade a
// diagonal line differently a whole pixel away, so such a line is never kept.
bool keepable(const Operation& operation)
{
    return operation.kind != Kind::Line || axisAligned(operation);
}

// Drawn as whole pixels, as cheaply as they would be put back from an image.
bool wholePixels(const Operation& operation)
{
    return operation.kind == Kind::Fill || operation.kind == Kind::Dot ||
           (operation.kind == Kind::Line && axisAligned(operation));
}
} // namespace

void replay(const Operation& operation, Device& device)
{
    switch (operation.kind) {
    case Kind::Fill: device.fill(operation.colour); break;
    case Kind::Line:
        device.line(operation.a, operation.b, operation.colour, operation.width);
        break;
    case Kind::Ellipse:
        device.ellipse(operation.a, operation.b.x, operation.b.y, operation.colour,
                       operation.width);
        break;
    case Kind::Dot: device.dot(operation.a, operation.colour, operation.width); break;
    case Kind::Text: device.text(operation.a, operation.text, operation.colour); break;
    }
}

void PaintReuse::begin(KeepingDevice& target)
{
    target_ = &target;
    setting_ = target.setting();
    next_.clear();
    holding_ = !setting_.empty() && setting_ == lastSetting_ && !last_.empty();
    heldDear_ = false;
    imageCurrent_ = false;
}

void PaintReuse::finish()
{
    if (holding_)
        release(next_.size());
    holding_ = false;
    // An image this paint neither used nor made may not show its operations any more.
    if (!imageCurrent_)
        imageOperations_ = 0;
    std::swap(last_, next_);
    lastSetting_ = std::move(setting_);
    target_ = nullptr;
}

bool PaintReuse::repeat(KeepingDevice& target)
{
    if (last_.empty())
        return false;
    begin(target);
    for (const Operation& operation : last_)
        replay(operation, *this);
    finish();
    return true;
}

void PaintReuse::fill(core::Colour background)
{
    record({.kind = Kind::Fill, .colour = background});
}

void PaintReuse::line(DevicePoint from, DevicePoint to, core::Colour colour, int width)
{
    record({.kind = Kind::Line, .colour = colour, .width = width, .a = from, .b = to});
}

void PaintReuse::ellipse(DevicePoint centre, double radiusX, double radiusY, core::Colour colour,
                         int width)
{
    record({.kind = Kind::Ellipse,
            .colour = colour,
            .width = width,
            .a = centre,
            .b = {radiusX, radiusY}});
}

void PaintReuse::dot(DevicePoint at, core::Colour colour, int width)
{
    record({.kind = Kind::Dot, .colour = colour, .width = width, .a = at});
}

void PaintReuse::text(DevicePoint topLeft, std::string_view text, core::Colour colour)
{
    record({.kind = Kind::Text, .colour = colour, .a = topLeft, .text = std::string(text)});
}

double PaintReuse::lineHeight() const { return target_->lineHeight(); }

void PaintReuse::record(Operation operation)
{
    const Operation& recorded = next_.emplace_back(std::move(operation));
    const std::size_t index = next_.size() - 1;
    if (holding_) {
        if (index < last_.size() && keepable(recorded) && last_[index] == recorded) {
            heldDear_ = heldDear_ || !wholePixels(recorded);
            return;
        }
        holding_ = false;
        release(index);
    }
    replay(recorded, *target_);
}

// The first `held` operations repeat the last paint's, and none of them is drawn yet: put
// them back from the kept image, bringing the image up to them first, or draw them when
// keeping them does not pay.
void PaintReuse::release(std::size_t held)
{
    const std::span<const Operation> operations(next_.data(), held);
    // Whole pixels are drawn as cheaply as they are put back; an image of a paint that does
    // not begin with the erase would hold what lay under it.
    if (!heldDear_ || next_.front().kind != Kind::Fill) {
        for (const Operation& operation : operations)
            replay(operation, *target_);
        return;
    }
    const bool reusable =
        imageOperations_ > 0 && imageOperations_ <= held && imageSetting_ == setting_;
    if (!reusable)
        target_->keep(operations, true);
    else if (imageOperations_ < held)
        target_->keep(operations.subspan(imageOperations_), false);
    imageOperations_ = held;
    imageSetting_ = setting_;
    imageCurrent_ = true;
    target_->putKept();
}

} // namespace tessarion::render

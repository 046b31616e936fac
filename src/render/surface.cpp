#include "render/surface.h"

#include <cmath>
#include <stdexcept>
#include <string>

namespace tessarion::render {

namespace {
// Line height used for print before any device has told the real one.
constexpr double fallbackLineHeight = 16;
} // namespace

LineFigure::LineFigure(Surface& owner, DevicePoint from, DevicePoint to, int width)
    : owner_(&owner)
    , startX_(from.x)
    , startY_(from.y)
    , endX_(to.x)
    , endY_(to.y)
    , width_(width)
{
}

float LineFigure::startX() const { return static_cast<float>(owner_->fromDeviceX(startX_)); }
float LineFigure::startY() const { return static_cast<float>(owner_->fromDeviceY(startY_)); }
float LineFigure::endX() const { return static_cast<float>(owner_->fromDeviceX(endX_)); }
float LineFigure::endY() const { return static_cast<float>(owner_->fromDeviceY(endY_)); }
void LineFigure::setStartX(float value) { move(startX_, owner_->toDeviceX(value)); }
void LineFigure::setStartY(float value) { move(startY_, owner_->toDeviceY(value)); }
void LineFigure::setEndX(float value) { move(endX_, owner_->toDeviceX(value)); }
void LineFigure::setEndY(float value) { move(endY_, owner_->toDeviceY(value)); }

void LineFigure::move(double& coordinate, double device)
{
    if (coordinate == device || !owner_->accept({device}))
        return;
    coordinate = device;
    owner_->figureMoved();
}

LineFigure& LineFigureGroup::at(std::int32_t index) const
{
    if (index < 0 || index >= size || items_[static_cast<std::size_t>(index)] == nullptr)
        throw std::out_of_range("line figure group has no element " + std::to_string(index));
    return *items_[static_cast<std::size_t>(index)];
}

void LineFigureGroup::assign(std::int32_t index, LineFigure& figure)
{
    if (index < 0 || index >= size)
        throw std::out_of_range("line figure group has no element " + std::to_string(index));
    items_[static_cast<std::size_t>(index)] = &figure;
}

Surface::Surface(double innerWidth, double innerHeight, core::PanelUnits units,
                 core::Colour penColour, core::Colour background)
    : innerWidth_(innerWidth)
    , innerHeight_(innerHeight)
    , scaleWidth_(units == core::PanelUnits::Twips ? innerWidth * core::twipsPerPixel : innerWidth)
    , scaleHeight_(units == core::PanelUnits::Twips ? innerHeight * core::twipsPerPixel
                                                    : innerHeight)
    , penColour_(penColour)
    , background_(background)
{
}

void Surface::drawLine(std::int16_t flags, float x1, float y1, float x2, float y2,
                       core::Colour colour)
{
    const bool firstGiven = (flags & flags::firstPoint) != 0;
    const double startX = firstGiven ? x1 : currentX_;
    const double startY = firstGiven ? y1 : currentY_;
    const bool offset = (flags & flags::secondRelative) != 0;
    const auto endX = static_cast<float>(offset ? startX + x2 : x2);
    const auto endY = static_cast<float>(offset ? startY + y2 : y2);
    const core::Colour pen = (flags & flags::colourGiven) != 0 ? colour : penColour_;
    if (!accept({startX, startY, endX, endY}))
        return;
    if (device_ != nullptr)
        device_->line(toDevice(startX, startY), toDevice(endX, endY), pen, penWidth_);
    currentX_ = endX;
    currentY_ = endY;
}

void Surface::drawCircle(std::int16_t flags, float x, float y, float radius, core::Colour colour)
{
    const core::Colour pen = (flags & flags::colourGiven) != 0 ? colour : penColour_;
    // The radius counts in x units and the same number of pixels is used both ways.
    const double pixels = std::abs(radius * innerWidth_ / scaleWidth_);
    if (!accept({x, y, pixels}))
        return;
    if (device_ != nullptr)
        device_->ellipse(toDevice(x, y), pixels, pixels, pen, penWidth_);
    currentX_ = x;
    currentY_ = y;
}

void Surface::drawPoint(std::int16_t flags, float x, float y, core::Colour colour)
{
    const bool relative = (flags & flags::relative) != 0;
    const auto px = static_cast<float>(relative ? double{currentX_} + x : x);
    const auto py = static_cast<float>(relative ? double{currentY_} + y : y);
    const core::Colour pen = (flags & flags::colourGiven) != 0 ? colour : penColour_;
    if (!accept({px, py}))
        return;
    if (device_ != nullptr)
        device_->dot(toDevice(px, py), pen, penWidth_);
    currentX_ = px;
    currentY_ = py;
}

void Surface::setScale(std::int16_t /*flags*/, float x1, float y1, float x2, float y2)
{
    // A system with no extent has no mapping; keep the one in force.
    if (!accept({x1, y1, x2, y2}))
        return;
    if (x1 == x2 || y1 == y2)
        return;
    scaleLeft_ = x1;
    scaleTop_ = y1;
    scaleWidth_ = double{x2} - x1;
    scaleHeight_ = double{y2} - y1;
}

void Surface::print(std::string_view text)
{
    double lineHeight = fallbackLineHeight;
    if (device_ != nullptr) {
        device_->text(toDevice(currentX_, currentY_), text, penColour_);
        lineHeight = device_->lineHeight();
    }
    currentY_ = static_cast<float>(fromDeviceY(toDeviceY(currentY_) + lineHeight));
    currentX_ = static_cast<float>(scaleLeft_);
}

void Surface::beginPaint(Device& device)
{
    device_ = &device;
    device.fill(background_);
}

void Surface::endPaint()
{
    for (const LineFigure& figure : figures_)
        device_->line(figure.from(), figure.to(), lineFigureColour, figure.width());
    device_ = nullptr;
}

LineFigure& Surface::addLineFigure(DevicePoint from, DevicePoint to, int width)
{
    figures_.push_back(LineFigure(*this, from, to, width));
    return figures_.back();
}

void Surface::figureMoved()
{
    // A paint draws its figures at the end anyway; only a move outside one needs a paint.
    if (!painting() && panel_ != nullptr)
        panel_->scheduleRepaint();
}

bool Surface::accept(std::initializer_list<double> values)
{
    for (double value : values)
        if (!std::isfinite(value))
            return false;
    return true;
}

} // namespace tessarion::render

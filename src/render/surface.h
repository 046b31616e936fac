#pragma once

#include "core/control_interfaces.h"
#include "core/layout.h"
#include "render/device.h"

#include <array>
#include <cstdint>
#include <deque>
#include <string_view>

namespace tessarion::render {

/// Operation flags, as passed by the painters.
namespace flags {
inline constexpr std::int16_t relative = 1;    ///< drawPoint: relative to the current position.
inline constexpr std::int16_t colourGiven = 2; ///< drawLine, drawCircle, drawPoint: colour given.
inline constexpr std::int16_t firstPoint = 4;  ///< drawLine: the first point is given.
inline constexpr std::int16_t secondRelative = 8; ///< drawLine: the second point is an offset.
} // namespace flags

class Surface;

/// A straight line owned by a panel and drawn by it above the paint handler's drawing.
class LineFigure {
public:
    /// Coordinates in the owner's units.
    float startX() const;
    float startY() const;
    float endX() const;
    float endY() const;
    /// Moves one end point; the value it already has changes nothing.
    void setStartX(float value);
    void setStartY(float value);
    void setEndX(float value);
    void setEndY(float value);

    /// End points in device pixels.
    DevicePoint from() const { return {startX_, startY_}; }
    DevicePoint to() const { return {endX_, endY_}; }
    /// Pen width in pixels.
    int width() const { return width_; }

private:
    friend class Surface;
    LineFigure(Surface& owner, DevicePoint from, DevicePoint to, int width);
    void move(double& coordinate, double device);

    Surface* owner_;                       ///< The panel that draws it.
    double startX_, startY_, endX_, endY_; ///< End points in device pixels.
    int width_;                            ///< Pen width in pixels.
};

/// Twelve line figures addressed by index 0 to 11.
class LineFigureGroup {
public:
    static constexpr int size = 12;
    /// The figure at `index`; throws std::out_of_range outside 0 to 11.
    LineFigure& at(std::int32_t index) const;
    /// Puts `figure` at `index`.
    void assign(std::int32_t index, LineFigure& figure);

private:
    std::array<LineFigure*, size> items_{}; ///< The figures by index; none until assigned.
};

/// A drawing panel: its coordinate system, pen, current position and line figures, kept
/// between paints; drawing reaches a device only while the panel is being painted.
class Surface {
public:
    /// An inner area of the given pixel size, in twips or pixels, with the layout's colours.
    Surface(double innerWidth, double innerHeight, core::PanelUnits units, core::Colour penColour,
            core::Colour background = core::colours::buttonFace);
    Surface(const Surface&) = delete;
    Surface& operator=(const Surface&) = delete;

    /// The window's panel, asked for a later paint when a line figure moves outside a paint.
    void setPanel(core::Panel* panel) { panel_ = panel; }

    /// Draws a line; see the flags.
    void drawLine(std::int16_t flags, float x1, float y1, float x2, float y2, core::Colour colour);
    /// Draws a circle outline whose radius is in x units and which is round on screen.
    void drawCircle(std::int16_t flags, float x, float y, float radius, core::Colour colour);
    /// Sets one point as wide as the pen.
    void drawPoint(std::int16_t flags, float x, float y, core::Colour colour);
    /// Makes (x1, y1) the top-left and (x2, y2) the bottom-right corner of the inner area.
    void setScale(std::int16_t flags, float x1, float y1, float x2, float y2);
    /// Writes text at the current position, then moves to the start of the next line.
    void print(std::string_view text);
    /// Sets the pen colour.
    void setPenColour(core::Colour colour) { penColour_ = colour; }
    /// Sets the pen width in pixels.
    void setPenWidth(std::int16_t width) { penWidth_ = width; }

    /// One paint onto `device`: erase, `handler` (the painter), then the line figures.
    template <typename Handler> void paint(Device& device, Handler&& handler)
    {
        beginPaint(device);
        try {
            handler();
        } catch (...) {
            device_ = nullptr;
            throw;
        }
        endPaint();
    }
    /// True while a paint is running.
    bool painting() const { return device_ != nullptr; }

    /// Adds a line figure with end points given in device pixels.
    LineFigure& addLineFigure(DevicePoint from, DevicePoint to, int width);
    /// Colour the panel draws its line figures in.
    static constexpr core::Colour lineFigureColour = core::colours::windowText;

    /// Maps the panel's units to device pixels and back.
    double toDeviceX(double x) const { return (x - scaleLeft_) * innerWidth_ / scaleWidth_; }
    double toDeviceY(double y) const { return (y - scaleTop_) * innerHeight_ / scaleHeight_; }
    double fromDeviceX(double x) const { return x * scaleWidth_ / innerWidth_ + scaleLeft_; }
    double fromDeviceY(double y) const { return y * scaleHeight_ / innerHeight_ + scaleTop_; }
    /// Inner area in device pixels.
    double innerWidth() const { return innerWidth_; }
    double innerHeight() const { return innerHeight_; }

private:
    friend class LineFigure;
    void beginPaint(Device& device);
    void endPaint();
    void figureMoved();
    /// Whether every value is finite; a call with any other is refused.
    static bool accept(std::initializer_list<double> values);
    DevicePoint toDevice(double x, double y) const { return {toDeviceX(x), toDeviceY(y)}; }

    double innerWidth_, innerHeight_; ///< Inner area in device pixels.
    /// The coordinate system: its top-left corner and its extent.
    double scaleLeft_ = 0, scaleTop_ = 0, scaleWidth_, scaleHeight_;
    float currentX_ = 0, currentY_ = 0; ///< The current position.
    core::Colour penColour_;            ///< The pen colour.
    core::Colour background_;           ///< The colour an erase fills with.
    std::int16_t penWidth_ = 1;         ///< The pen width in pixels.
    std::deque<LineFigure> figures_;    ///< Line figures in the order they were added.
    core::Panel* panel_ = nullptr;      ///< Asked for a later paint, if any.
    Device* device_ = nullptr;          ///< The device of the paint running, or none.
};

} // namespace tessarion::render

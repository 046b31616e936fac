#pragma once

#include "render/device.h"

#include <QBrush>
#include <QFontMetricsF>
#include <QPen>
#include <QPointF>
#include <QRect>
#include <QTransform>

#include <memory>
#include <string_view>

class QFont;
class QImage;
class QPainter;
class QStaticText;

namespace tessarion::ui {

/// What one panel's drawing keeps from paint to paint, so that a paint does not rasterize
/// again what the last one rasterized identically: an image of the leading operations that
/// repeat the last paint's, laid-out texts and pens. A tuning knob, on by default, that the
/// program never turns off. Without savings every paint rasterizes every operation afresh,
/// one call each, with the antialiasing rasterizer; the pixels are the same either way.
class DrawingCache {
public:
    DrawingCache();
    ~DrawingCache();
    DrawingCache(const DrawingCache&) = delete;
    DrawingCache& operator=(const DrawingCache&) = delete;

    /// The savings; each leaves every pixel as it is.
    enum Saving : unsigned {
        KeptImages = 1,   ///< Blit the leading operations that repeat the last paint's.
        Stamps = 2,       ///< Blit a circle drawn on nothing but the erase.
        TextLayouts = 4,  ///< Keep texts laid out.
        AliasedFills = 8, ///< Fill whole pixels without the antialiasing rasterizer.
    };
    static constexpr unsigned noSavings = 0;
    static constexpr unsigned allSavings = KeptImages | Stamps | TextLayouts | AliasedFills;

    /// Chooses the savings, all by default; any change forgets everything kept.
    void setSavings(unsigned savings);
    unsigned savings() const;
    /// Paints that blitted a kept image instead of rasterizing their leading operations.
    int reusedPaints() const;

private:
    friend class QtDevice;
    struct Operation;
    struct Environment;
    struct Kept;
    std::unique_ptr<Kept> kept_;
};

/// Draws a panel's primitives with QPainter at the full resolution of the target. Every line
/// is a whole number of device pixels wide; axis-aligned lines and dots cover whole device
/// pixels, with square ends half the width beyond their end points; diagonal lines and
/// circles are antialiased, diagonal lines with round ends from 4 device pixels wide; text is
/// placed in logical pixels.
/// With a DrawingCache it holds back the leading operations that repeat the last paint's and
/// blits their kept image instead; anything held back is drawn when the device is destroyed,
/// which ends the paint.
class QtDevice : public render::Device {
public:
    /// Draws with `painter`, whose origin is the panel's inner top-left corner, and clips it
    /// to the inner area's whole device pixels. Without `cache` every operation is drawn
    /// afresh.
    QtDevice(QPainter& painter, const QFont& font, double innerWidth, double innerHeight,
             DrawingCache* cache = nullptr);
    ~QtDevice() override;
    QtDevice(const QtDevice&) = delete;
    QtDevice& operator=(const QtDevice&) = delete;

    void fill(core::Colour background) override;
    void line(render::DevicePoint from, render::DevicePoint to, core::Colour colour,
              int width) override;
    void ellipse(render::DevicePoint centre, double radiusX, double radiusY, core::Colour colour,
                 int width) override;
    void dot(render::DevicePoint at, core::Colour colour, int width) override;
    void text(render::DevicePoint topLeft, std::string_view text, core::Colour colour) override;
    double lineHeight() const override;

private:
    using Operation = DrawingCache::Operation;

    /// The discs that rounded off the last line's ends, in device pixels.
    struct RoundEnds {
        QPointF from, to;
        int width = 0;
        core::Colour colour = 0;
        bool has(QPointF at, int atWidth, core::Colour atColour) const
        {
            return width == atWidth && colour == atColour && (from == at || to == at);
        }
    };

    /// A painter and the two coordinate systems the device draws in on it.
    struct Canvas {
        QPainter* painter;
        QTransform deviceWorld;  ///< World transform for device pixels less the canvas origin.
        QTransform logicalWorld; ///< World transform for the panel's logical pixels.
        bool inDevicePixels;
        bool antialiased;
        bool onBackground = false;   ///< Nothing is drawn yet but the erase.
        core::Colour background = 0; ///< The colour of that erase.
        RoundEnds ends = {};         ///< Drawn by the operation just before.
    };

    void record(const Operation& operation, std::string_view text = {});
    void release(int held);
    void renderKept(int from, int to);
    void blitKept();
    static bool keepable(const Operation& operation);
    static bool wholePixels(const Operation& operation);
    void draw(Canvas& canvas, const Operation& operation, std::string_view text);
    void drawOperation(Canvas& canvas, const Operation& operation, std::string_view text);
    void drawOutline(QPainter& painter, core::Colour colour, int width, const QRect& extent);
    bool stampable(const Canvas& canvas, const QRect& extent) const;
    const QImage* stamp(core::Colour colour, int width, QSize size, core::Colour background);
    void fillPixels(Canvas& canvas, const QRect& pixels, core::Colour colour);
    void drawText(Canvas& canvas, const Operation& operation, std::string_view text);
    static QStaticText layoutOf(std::string_view text);
    const QPen& penFor(core::Colour colour, double width);
    const QBrush& brushFor(core::Colour colour);
    void useDevicePixels(Canvas& canvas, bool devicePixels) const;
    void useAntialiasing(Canvas& canvas, bool antialiased) const;
    std::string_view textOf(const Operation& operation) const;
    bool saving(DrawingCache::Saving saving) const;

    QPainter& painter_;
    const QFont& font_;
    QFontMetricsF metrics_;
    double innerWidth_;
    double innerHeight_;
    QTransform toDevice_; ///< Panel pixels to the painter's device pixels.
    QRect area_;
    bool aligned_ = false; ///< The device transform only scales and translates.
    bool antialiasedBefore_ = false;
    Canvas screen_;
    DrawingCache::Kept* kept_ = nullptr;
    bool holding_ = false;
    bool heldDear_ = false;     ///< What is held back has more than whole-pixel shapes.
    bool imageCurrent_ = false; ///< The kept image shows this paint's leading operations.
    QPen scratchPen_;
    QBrush scratchBrush_;
};

} // namespace tessarion::ui

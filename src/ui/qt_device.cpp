#include "ui/qt_device.h"

#include "render/device_pixels.h"
#include "ui/palette.h"

#include <QFont>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QString>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstring>
#include <utility>

namespace tessarion::ui {

namespace {
using render::pixels::bounded;
using render::pixels::deviceWidth;
using render::pixels::firstPixel;
using render::pixels::nearest;
using render::pixels::pixelCentre;
using render::pixels::roundEndsFrom;

QPointF boundedPoint(render::DevicePoint point)
{
    return {bounded(point.x) + pixelCentre, bounded(point.y) + pixelCentre};
}

// Flat ends: Qt rasterizes such a line directly, while a round cap makes it stroke an
// outline with curves, several times dearer and dearer still the longer the line.
QPen linePen(core::Colour colour, double width)
{
    return QPen(toQColor(colour), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

// The image format of the raster buffer `painter` draws into, or Invalid when it does not
// draw into one through the raster engine: only then is a kept image rasterized exactly as
// the target would rasterize it.
QImage::Format rasterFormat(QPainter& painter)
{
    QPaintEngine* engine = painter.paintEngine();
    if (engine == nullptr || engine->type() != QPaintEngine::Raster)
        return QImage::Format_Invalid;
    QPaintDevice* target = engine->paintDevice();
    if (target == nullptr || target->devType() != QInternal::Image)
        return QImage::Format_Invalid;
    return static_cast<QImage*>(target)->format();
}

// The world transform under which `painter` draws in its target's device pixels. Qt puts the
// redirection to the backing store (whole logical pixels) and then the device pixel ratio
// between world and device coordinates; undoing them in that order makes the product exactly
// the identity, so that whole device pixels reach the rasterizer as integers.
QTransform deviceWorldOf(QPainter& painter)
{
    const QTransform world = painter.worldTransform();
    painter.setWorldTransform(QTransform());
    const QTransform base = painter.deviceTransform();
    QTransform result = base.inverted();
    if (base.type() <= QTransform::TxScale && base.m11() > 0 && base.m22() > 0) {
        const QTransform exact(1 / base.m11(), 0, 0, 1 / base.m22(), -base.dx() / base.m11(),
                               -base.dy() / base.m22());
        painter.setWorldTransform(exact);
        const QTransform check = painter.deviceTransform();
        if (check.type() == QTransform::TxNone && check.dx() == 0 && check.dy() == 0)
            result = exact;
    }
    painter.setWorldTransform(world);
    return result;
}

} // namespace

const std::string& DrawingMemory::fontKey(const QFont& font)
{
    // A font's key prints its size, which costs more than comparing two fonts.
    if (fontKey_.empty() || font != font_) {
        font_ = font;
        fontKey_ = font.key().toStdString();
    }
    return fontKey_;
}

QtDevice::QtDevice(QPainter& painter, const QFont& font, QSizeF inner, DrawingMemory* memory)
    : painter_(painter)
    , font_(font)
    , metrics_(font, painter.device())
    , inner_(inner)
    , toDevice_(painter.deviceTransform())
    , memory_(memory)
    , screen_{&painter, {}, painter.worldTransform(), false}
{
    if (painter_.font() != font)
        painter_.setFont(font);
    aligned_ =
        toDevice_.type() <= QTransform::TxScale && toDevice_.m11() > 0 && toDevice_.m22() > 0;
    const QRectF mapped = toDevice_.mapRect(QRectF(QPointF(0, 0), inner));
    area_ = QRect(QPoint(nearest(mapped.left()), nearest(mapped.top())),
                  QPoint(nearest(mapped.right()), nearest(mapped.bottom())) - QPoint(1, 1));
    if (!aligned_) {
        painter_.setClipRect(QRectF(QPointF(0, 0), inner), Qt::IntersectClip);
        return;
    }
    format_ = rasterFormat(painter_);
    screen_.deviceWorld = deviceWorldOf(painter_);
    // Whole device pixels, so that the erase leaves no pixel of the area half covered.
    useDevicePixels(true);
    painter_.setClipRect(area_, Qt::IntersectClip);
}

void QtDevice::fill(core::Colour background)
{
    canvas_->ends = {};
    if (aligned_) {
        fillPixels(area_, background);
        return;
    }
    useDevicePixels(false);
    canvas_->painter->fillRect(QRectF(QPointF(0, 0), inner_), toQColor(background));
}

void QtDevice::line(render::DevicePoint from, render::DevicePoint to, core::Colour colour,
                    int width)
{
    if (!aligned_) {
        // Rotated or mirrored: no device pixel grid to snap to; drawn through pixel centres.
        canvas_->ends = {};
        useDevicePixels(false);
        canvas_->painter->setPen(linePen(colour, std::max(width, 1)));
        canvas_->painter->drawLine(boundedPoint(from), boundedPoint(to));
        return;
    }
    const QPointF a = toDevice(from);
    const QPointF b = toDevice(to);
    if (a.x() != b.x() && a.y() != b.y())
        drawDiagonal(a, b, colour, width);
    else
        drawAxisAligned(a, b, colour, width);
}

void QtDevice::ellipse(render::DevicePoint centre, double radiusX, double radiusY,
                       core::Colour colour, int width)
{
    canvas_->ends = {};
    QPainter& painter = *canvas_->painter;
    painter.setBrush(Qt::NoBrush);
    if (!aligned_) {
        useDevicePixels(false);
        painter.setPen(linePen(colour, std::max(width, 1)));
        painter.drawEllipse(boundedPoint(centre), bounded(radiusX), bounded(radiusY));
        return;
    }
    // The outer edge at the four extremes falls on pixel boundaries, so that the pen covers
    // whole pixels where the outline runs along a row or a column.
    const double scaleX = toDevice_.m11();
    const double scaleY = toDevice_.m22();
    const QPointF a = toDevice(centre);
    const int across = deviceWidth(width, (scaleX + scaleY) / 2);
    const double outerX = std::abs(bounded(radiusX)) * scaleX + across / 2.0;
    const double outerY = std::abs(bounded(radiusY)) * scaleY + across / 2.0;
    const int left = nearest(a.x() - outerX);
    const int right = std::max(nearest(a.x() + outerX), left + across);
    const int top = nearest(a.y() - outerY);
    const int bottom = std::max(nearest(a.y() + outerY), top + across);
    const double inset = across / 2.0;
    useDevicePixels(true);
    painter.setPen(linePen(colour, across));
    painter.drawEllipse(
        QRectF(left + inset, top + inset, right - left - across, bottom - top - across));
}

void QtDevice::dot(render::DevicePoint at, core::Colour colour, int width)
{
    if (aligned_) {
        const QPointF a = toDevice(at);
        drawAxisAligned(a, a, colour, width);
        return;
    }
    canvas_->ends = {};
    useDevicePixels(false);
    const double across = std::max(width, 1);
    const QPointF a = boundedPoint(at);
    canvas_->painter->fillRect(QRectF(a.x() - across / 2, a.y() - across / 2, across, across),
                               toQColor(colour));
}

void QtDevice::text(render::DevicePoint topLeft, std::string_view text, core::Colour colour)
{
    // Text keeps its place in logical pixels, as the font's own metrics lay it out. Qt's
    // static text places glyphs a 64th of a pixel differently from drawText in some places,
    // so it is the one way text is drawn.
    canvas_->ends = {};
    useDevicePixels(false);
    QPainter& painter = *canvas_->painter;
    painter.setPen(linePen(colour, 1));
    const QPointF at(bounded(topLeft.x), bounded(topLeft.y));
    if (memory_ != nullptr)
        memory_->texts.draw(painter, at, text);
    else
        painter.drawStaticText(at, layoutOf(text));
}

double QtDevice::lineHeight() const { return metrics_.height(); }

std::string QtDevice::setting() const
{
    if (memory_ == nullptr || !aligned_ || format_ == QImage::Format_Invalid)
        return {};
    // Exact numbers, compared by their bytes: a transform a rounding away shifts an edge by a
    // device pixel. Printing them would cost a good part of what the reuse spares.
    const std::array transform{toDevice_.m11(), toDevice_.m22(), toDevice_.dx(), toDevice_.dy()};
    const std::array whole{area_.x(),
                           area_.y(),
                           area_.width(),
                           area_.height(),
                           static_cast<int>(format_),
                           static_cast<int>(painter_.renderHints()),
                           painter_.device()->logicalDpiX(),
                           painter_.device()->logicalDpiY()};
    std::string setting(sizeof transform + sizeof whole, '\0');
    std::memcpy(setting.data(), transform.data(), sizeof transform);
    std::memcpy(setting.data() + sizeof transform, whole.data(), sizeof whole);
    return setting + memory_->fontKey(font_);
}

// Rasterizes `operations` into the kept image as they would be rasterized on the target:
// same pixel format, same transform up to a whole-pixel shift, same font and hints.
void QtDevice::keep(std::span<const render::Operation> operations, bool fresh)
{
    QImage& kept = memory_->kept;
    if (fresh) {
        if (kept.size() != area_.size() || kept.format() != format_)
            kept = QImage(area_.size(), format_);
        // Fonts sized in points resolve against the image's resolution.
        constexpr double inchesPerMetre = 100 / 2.54;
        kept.setDotsPerMeterX(nearest(painter_.device()->logicalDpiX() * inchesPerMetre));
        kept.setDotsPerMeterY(nearest(painter_.device()->logicalDpiY() * inchesPerMetre));
    }
    QPainter painter(&kept);
    painter.setRenderHints(painter.renderHints(), false);
    painter.setRenderHints(painter_.renderHints(), true);
    painter.setFont(font_);
    const QTransform origin = QTransform::fromTranslate(-area_.x(), -area_.y());
    Canvas image{&painter, origin, toDevice_ * origin, true};
    painter.setWorldTransform(image.deviceWorld);
    Canvas* screen = std::exchange(canvas_, &image);
    for (const render::Operation& operation : operations)
        render::replay(operation, *this);
    canvas_ = screen;
}

void QtDevice::putKept()
{
    screen_.ends = {};
    useDevicePixels(true);
    const QRegion visible = painter_.paintEngine()->systemClip();
    if (visible.rectCount() <= 1) {
        painter_.drawImage(area_.topLeft(), memory_->kept);
        return;
    }
    // Under a clip of several rectangles (a panel with read-outs on it) Qt blends an image span
    // by span and hands long runs of spans to a thread pool, which costs more than the copy;
    // clipped to one rectangle it copies rows.
    const QRect clip = painter_.clipBoundingRect().toAlignedRect();
    for (const QRect& rectangle : visible) {
        const QRect piece = rectangle & clip;
        if (piece.isEmpty())
            continue;
        painter_.setClipRect(piece);
        painter_.drawImage(piece.topLeft(), memory_->kept, piece.translated(-area_.topLeft()));
    }
    painter_.setClipRect(clip);
}

void QtDevice::useDevicePixels(bool devicePixels)
{
    Canvas& canvas = *canvas_;
    if (canvas.inDevicePixels == devicePixels)
        return;
    canvas.painter->setWorldTransform(devicePixels ? canvas.deviceWorld : canvas.logicalWorld);
    canvas.inDevicePixels = devicePixels;
}

QPointF QtDevice::toDevice(render::DevicePoint point) const
{
    return toDevice_.map(boundedPoint(point));
}

void QtDevice::fillPixels(const QRect& pixels, core::Colour colour)
{
    useDevicePixels(true);
    canvas_->painter->fillRect(pixels, toQColor(colour));
}

// Whole pixels across, and a square end half the width beyond each end point, so that a line
// of no length is a dot as wide as the pen.
void QtDevice::drawAxisAligned(QPointF a, QPointF b, core::Colour colour, int width)
{
    canvas_->ends = {};
    const int wideX = deviceWidth(width, toDevice_.m11());
    const int wideY = deviceWidth(width, toDevice_.m22());
    const int left = firstPixel(std::min(a.x(), b.x()), wideX);
    const int right = firstPixel(std::max(a.x(), b.x()), wideX) + wideX;
    const int top = firstPixel(std::min(a.y(), b.y()), wideY);
    const int bottom = firstPixel(std::max(a.y(), b.y()), wideY) + wideY;
    fillPixels(QRect(left, top, right - left, bottom - top), colour);
}

void QtDevice::drawDiagonal(QPointF a, QPointF b, core::Colour colour, int width)
{
    const RoundEnds previous = std::exchange(canvas_->ends, RoundEnds{});
    const int across = deviceWidth(width, (toDevice_.m11() + toDevice_.m22()) / 2);
    QPainter& painter = *canvas_->painter;
    useDevicePixels(true);
    painter.setPen(linePen(colour, across));
    painter.drawLine(a, b);
    if (across < roundEndsFrom)
        return;
    // Round ends as discs, which cost a fraction of Qt's round caps; an end that the line
    // before already rounded off (a joint of the spring, the tip of an arrow) is one disc, not
    // two blended over each other.
    painter.setPen(Qt::NoPen);
    painter.setBrush(toQColor(colour));
    if (!previous.has(a, across, colour))
        painter.drawEllipse(a, across / 2.0, across / 2.0);
    if (!previous.has(b, across, colour))
        painter.drawEllipse(b, across / 2.0, across / 2.0);
    canvas_->ends = {a, b, across, colour};
}

} // namespace tessarion::ui

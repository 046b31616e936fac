#include "ui/qt_device.h"

#include "ui/palette.h"

#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>

namespace tessarion::ui {

namespace {
QPointF toQt(render::DevicePoint point) { return {point.x, point.y}; }

// Flat ends: Qt rasterizes such a line directly, while a round cap makes it stroke an
// outline with curves, several times dearer and dearer still the longer the line.
QPen linePen(core::Colour colour, double width)
{
    return QPen(toQColor(colour), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}
} // namespace

QtDevice::QtDevice(QPainter& painter, const QFont& font, QTransform deviceWorld,
                   QTransform logicalWorld, render::PixelGrid grid, TextLayouts* texts)
    : painter_(painter)
    , metrics_(font, painter.device())
    , deviceWorld_(deviceWorld)
    , logicalWorld_(logicalWorld)
    , grid_(grid)
    , texts_(texts)
{
    painter_.setWorldTransform(deviceWorld_);
}

void QtDevice::fillRect(render::PixelRect pixels, core::Colour colour)
{
    useDevicePixels(true);
    painter_.fillRect(QRect(pixels.left, pixels.top, pixels.width, pixels.height),
                      toQColor(colour));
}

void QtDevice::strokeLine(render::DevicePoint from, render::DevicePoint to, int width,
                          core::Colour colour)
{
    useDevicePixels(true);
    painter_.setPen(linePen(colour, width));
    painter_.drawLine(toQt(from), toQt(to));
}

void QtDevice::fillDisc(render::DevicePoint centre, double radius, core::Colour colour)
{
    useDevicePixels(true);
    painter_.setPen(Qt::NoPen);
    painter_.setBrush(toQColor(colour));
    painter_.drawEllipse(toQt(centre), radius, radius);
}

void QtDevice::strokeEllipse(render::DevicePoint centre, double radiusX, double radiusY, int width,
                             core::Colour colour)
{
    useDevicePixels(true);
    painter_.setBrush(Qt::NoBrush);
    painter_.setPen(linePen(colour, width));
    painter_.drawEllipse(toQt(centre), radiusX, radiusY);
}

void QtDevice::text(render::DevicePoint topLeft, std::string_view text, core::Colour colour)
{
    // Qt's static text places glyphs a 64th of a pixel differently from drawText in some
    // places, so it is the one way text is drawn.
    useDevicePixels(false);
    painter_.setPen(linePen(colour, 1));
    const QPointF at((topLeft.x - grid_.originX) / grid_.scaleX,
                     (topLeft.y - grid_.originY) / grid_.scaleY);
    if (texts_ != nullptr)
        texts_->draw(painter_, at, text);
    else
        painter_.drawStaticText(at, layoutOf(text));
}

void QtDevice::putImage(QPoint at, const QImage& image)
{
    useDevicePixels(true);
    const QRegion visible = painter_.paintEngine()->systemClip();
    if (visible.rectCount() <= 1) {
        painter_.drawImage(at, image);
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
        painter_.drawImage(piece.topLeft(), image, piece.translated(-at));
    }
    painter_.setClipRect(clip);
}

void QtDevice::useDevicePixels(bool devicePixels)
{
    if (inDevicePixels_ == devicePixels)
        return;
    painter_.setWorldTransform(devicePixels ? deviceWorld_ : logicalWorld_);
    inDevicePixels_ = devicePixels;
}

} // namespace tessarion::ui

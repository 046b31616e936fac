#include "ui/qt_device.h"

#include "ui/palette.h"

#include <QPainter>
#include <QPen>
#include <QString>

#include <algorithm>

namespace tessarion::ui {

namespace {
// Coordinates are pixel corners; drawing through pixel centres keeps odd-width lines crisp.
constexpr double pixelCentre = 0.5;
// Far beyond any panel; keeps the rasterizer's fixed-point arithmetic in range for the
// off-panel marker of a huge phase.
constexpr double coordinateLimit = 1e6;

double bounded(double value) { return std::clamp(value, -coordinateLimit, coordinateLimit); }

QPointF centred(render::DevicePoint point)
{
    return {bounded(point.x) + pixelCentre, bounded(point.y) + pixelCentre};
}

QPen pen(core::Colour colour, int width)
{
    return QPen(toQColor(colour), std::max(width, 1), Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}
} // namespace

QtDevice::QtDevice(QPainter& painter, const QFont& font, double innerWidth, double innerHeight)
    : painter_(painter)
    , metrics_(font, painter.device())
    , innerWidth_(innerWidth)
    , innerHeight_(innerHeight)
{
    painter_.setFont(font);
}

void QtDevice::fill(core::Colour background)
{
    painter_.fillRect(QRectF(0, 0, innerWidth_, innerHeight_), toQColor(background));
}

void QtDevice::line(render::DevicePoint from, render::DevicePoint to, core::Colour colour,
                    int width)
{
    painter_.setPen(pen(colour, width));
    painter_.drawLine(centred(from), centred(to));
}

void QtDevice::ellipse(render::DevicePoint centre, double radiusX, double radiusY,
                       core::Colour colour, int width)
{
    painter_.setPen(pen(colour, width));
    painter_.setBrush(Qt::NoBrush);
    painter_.drawEllipse(centred(centre), bounded(radiusX), bounded(radiusY));
}

void QtDevice::dot(render::DevicePoint at, core::Colour colour, int width)
{
    const double size = std::max(width, 1);
    const QPointF centre = centred(at);
    painter_.fillRect(QRectF(centre.x() - size / 2, centre.y() - size / 2, size, size),
                      toQColor(colour));
}

void QtDevice::text(render::DevicePoint topLeft, std::string_view text, core::Colour colour)
{
    painter_.setPen(toQColor(colour));
    const QPointF baseline(bounded(topLeft.x), bounded(topLeft.y) + metrics_.ascent());
    painter_.drawText(baseline,
                      QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
}

double QtDevice::lineHeight() const { return metrics_.height(); }

} // namespace tessarion::ui

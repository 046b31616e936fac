#include "ui/stamps.h"

#include "ui/palette.h"

#include <algorithm>

namespace tessarion::ui {

void Stamps::draw(QPainter& painter, const QRect& extent, core::Colour colour, int width,
                  core::Colour background, QPainter::RenderHints hints, QImage::Format format)
{
    const auto found = std::find_if(stamps_.begin(), stamps_.end(), [&](const Stamp& stamp) {
        return stamp.colour == colour && stamp.width == width && stamp.size == extent.size() &&
               stamp.background == background && stamp.hints == hints && stamp.format == format;
    });
    // A circle drawn once, as on a first paint, is drawn directly; its image is made the
    // second time it is asked for.
    if (found == stamps_.end()) {
        stamps_.push_back({colour, width, extent.size(), background, hints, format, {}, true});
        drawOutline(painter, extent, colour, width);
        return;
    }
    found->used = true;
    if (found->image.isNull()) {
        found->image = QImage(extent.size(), format);
        found->image.fill(toQColor(background));
        QPainter stamp(&found->image);
        stamp.setRenderHints(stamp.renderHints(), false);
        stamp.setRenderHints(hints, true);
        drawOutline(stamp, QRect(QPoint(0, 0), extent.size()), colour, width);
    }
    painter.drawImage(extent.topLeft(), found->image);
}

void Stamps::sweep()
{
    std::erase_if(stamps_, [](const Stamp& stamp) { return !stamp.used; });
    for (Stamp& stamp : stamps_)
        stamp.used = false;
}

void drawOutline(QPainter& painter, const QRect& extent, core::Colour colour, int width)
{
    const double inset = width / 2.0;
    painter.setPen(QPen(toQColor(colour), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(extent.x() + inset, extent.y() + inset, extent.width() - width,
                               extent.height() - width));
}

} // namespace tessarion::ui

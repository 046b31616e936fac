#include "ui/panel_drawing.h"

#include <QPaintEngine>
#include <QPainter>

#include <array>
#include <cmath>
#include <cstring>

namespace tessarion::ui {

namespace {
bool onlyScales(const QTransform& transform)
{
    return transform.type() <= QTransform::TxScale && transform.m11() > 0 && transform.m22() > 0;
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
    if (onlyScales(base)) {
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

render::PixelGrid gridOf(const QTransform& toDevice, bool aligned)
{
    if (!aligned)
        return {};
    return {toDevice.m11(), toDevice.m22(), toDevice.dx(), toDevice.dy()};
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

PanelDrawing::PanelDrawing(QPainter& painter, const QFont& font, QSizeF inner,
                           DrawingMemory* memory)
    : painter_(painter)
    , font_(font)
    , toDevice_(painter.deviceTransform())
    , aligned_(onlyScales(toDevice_))
    , format_(aligned_ ? rasterFormat(painter) : QImage::Format_Invalid)
    , memory_(memory)
    , screen_(painter, font, aligned_ ? deviceWorldOf(painter) : painter.worldTransform(),
              painter.worldTransform(), gridOf(toDevice_, aligned_),
              memory != nullptr ? &memory->texts : nullptr)
    , device_(screen_, gridOf(toDevice_, aligned_), inner.width(), inner.height(),
              memory != nullptr && format_ != QImage::Format_Invalid ? this : nullptr)
{
    if (painter_.font() != font)
        painter_.setFont(font);
    const render::PixelRect area = device_.area();
    painter_.setClipRect(QRect(area.left, area.top, area.width, area.height), Qt::IntersectClip);
}

std::string PanelDrawing::setting() const
{
    // Exact numbers, compared by their bytes: a transform a rounding away shifts an edge by a
    // device pixel. Printing them would cost a good part of what the reuse spares.
    const render::PixelRect area = device_.area();
    const std::array transform{toDevice_.m11(), toDevice_.m22(), toDevice_.dx(), toDevice_.dy()};
    const std::array whole{area.left,
                           area.top,
                           area.width,
                           area.height,
                           static_cast<int>(format_),
                           static_cast<int>(painter_.renderHints()),
                           painter_.device()->logicalDpiX(),
                           painter_.device()->logicalDpiY()};
    std::string setting(sizeof transform + sizeof whole, '\0');
    std::memcpy(setting.data(), transform.data(), sizeof transform);
    std::memcpy(setting.data() + sizeof transform, whole.data(), sizeof whole);
    return setting + memory_->fontKey(font_);
}

// Rasterizes into the kept image as the target would: same pixel format, same transform up to
// a whole-pixel shift, same font and hints.
void PanelDrawing::keep(render::PixelRect area, bool fresh,
                        const std::function<void(render::PixelTarget&)>& draw)
{
    QImage& kept = memory_->kept;
    if (fresh) {
        const QSize size(area.width, area.height);
        if (kept.size() != size || kept.format() != format_)
            kept = QImage(size, format_);
        // Fonts sized in points resolve against the image's resolution.
        constexpr double inchesPerMetre = 100 / 2.54;
        kept.setDotsPerMeterX(std::lround(painter_.device()->logicalDpiX() * inchesPerMetre));
        kept.setDotsPerMeterY(std::lround(painter_.device()->logicalDpiY() * inchesPerMetre));
    }
    QPainter painter(&kept);
    painter.setRenderHints(painter.renderHints(), false);
    painter.setRenderHints(painter_.renderHints(), true);
    painter.setFont(font_);
    const QTransform origin = QTransform::fromTranslate(-area.left, -area.top);
    QtDevice image(painter, font_, origin, toDevice_ * origin, gridOf(toDevice_, aligned_),
                   &memory_->texts);
    draw(image);
}

void PanelDrawing::putKept(render::PixelRect area)
{
    screen_.putImage({area.left, area.top}, memory_->kept);
}

} // namespace tessarion::ui

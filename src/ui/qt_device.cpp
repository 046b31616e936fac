#include "ui/qt_device.h"

#include "ui/palette.h"

#include <QFont>
#include <QImage>
#include <QPaintEngine>
#include <QPainter>
#include <QRegion>
#include <QStaticText>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace tessarion::ui {

namespace {
// Coordinates name pixel corners; a line or dot at (x, y) is centred on that pixel's centre.
constexpr double pixelCentre = 0.5;
// Far beyond any panel; keeps the rasterizer's fixed-point arithmetic in range for the
// off-panel marker of a huge phase.
constexpr double coordinateLimit = 1e6;
// Device pixels from which a diagonal line gets round ends; on a thinner line the sliver that
// a round end adds is not worth its two discs.
constexpr int roundEndsFrom = 4;

double bounded(double value) { return std::clamp(value, -coordinateLimit, coordinateLimit); }

// Rounds halves up, the same way on both sides of zero.
int nearest(double value) { return static_cast<int>(std::floor(value + 0.5)); }

// A pen of `width` logical pixels drawn at `scale` device pixels per logical pixel.
int deviceWidth(int width, double scale)
{
    return std::max(1, nearest(std::max(width, 1) * scale));
}

// The first of `count` whole pixels laid as evenly as they can be about `centre`.
int firstPixel(double centre, int count) { return nearest(centre - count / 2.0); }

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

/// One drawing operation with its arguments as the surface passed them.
struct DrawingCache::Operation {
    enum class Kind : std::uint8_t { Fill, Line, Ellipse, Dot, Text };
    Kind kind;
    core::Colour colour;
    int width = 0;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    std::size_t textBegin = 0; ///< Where its text starts in the paint's text store.
    std::size_t textSize = 0;
};

/// Everything besides the operations that decides which pixels they give.
struct DrawingCache::Environment {
    QTransform toDevice;
    QRect area;
    QImage::Format format = QImage::Format_Invalid;
    QFont font;
    QPainter::RenderHints hints;
    int dpiX = 0;
    int dpiY = 0;

    bool operator==(const Environment& other) const
    {
        return toDevice == other.toDevice && area == other.area && format == other.format &&
               font == other.font && hints == other.hints && dpiX == other.dpiX &&
               dpiY == other.dpiY;
    }
};

struct DrawingCache::Kept {
    unsigned savings = DrawingCache::allSavings;
    // The last paint's operations and what decided their pixels, and this paint's so far.
    std::vector<Operation> last, next;
    std::string lastText, nextText;
    Environment lastEnvironment, environment;
    bool lastValid = false;
    // The image of the first `imageOperations` operations of a paint in `imageEnvironment`.
    QImage image;
    int imageOperations = 0;
    Environment imageEnvironment;
    // The painter's device-pixel world transform for the world and device transforms it
    // was worked out for.
    QTransform world, device, deviceWorld;
    bool deviceWorldValid = false;
    struct Pen {
        core::Colour colour;
        double width;
        QPen pen;
    };
    std::vector<Pen> pens;
    struct Brush {
        core::Colour colour;
        QBrush brush;
    };
    std::vector<Brush> brushes;
    struct Text {
        std::string text;
        QPointF topLeft;
        QStaticText layout;
        bool used; ///< Drawn in the paint so far.
    };
    std::vector<Text> texts;
    struct Stamp {
        core::Colour colour;
        int width;
        QSize size;
        core::Colour background;
        QImage image;
    };
    std::vector<Stamp> stamps;
    int reused = 0;

    void forget()
    {
        const unsigned chosen = savings;
        const int count = reused;
        *this = Kept();
        savings = chosen;
        reused = count;
    }
};

DrawingCache::DrawingCache()
    : kept_(std::make_unique<Kept>())
{
}

DrawingCache::~DrawingCache() = default;

void DrawingCache::setSavings(unsigned savings)
{
    kept_->forget();
    kept_->savings = savings & allSavings;
}

unsigned DrawingCache::savings() const { return kept_->savings; }

int DrawingCache::reusedPaints() const { return kept_->reused; }

QtDevice::QtDevice(QPainter& painter, const QFont& font, double innerWidth, double innerHeight,
                   DrawingCache* cache)
    : painter_(painter)
    , font_(font)
    , metrics_(font, painter.device())
    , innerWidth_(innerWidth)
    , innerHeight_(innerHeight)
    , toDevice_(painter.deviceTransform())
    , antialiasedBefore_(painter.testRenderHint(QPainter::Antialiasing))
    , screen_{&painter, {}, painter.worldTransform(), false, antialiasedBefore_}
{
    if (painter_.font() != font)
        painter_.setFont(font);
    aligned_ =
        toDevice_.type() <= QTransform::TxScale && toDevice_.m11() > 0 && toDevice_.m22() > 0;
    const QRectF inner = toDevice_.mapRect(QRectF(0, 0, innerWidth, innerHeight));
    const QPoint topLeft(nearest(inner.left()), nearest(inner.top()));
    area_ = QRect(topLeft, QPoint(nearest(inner.right()), nearest(inner.bottom())) - QPoint(1, 1));
    if (!aligned_) {
        painter_.setClipRect(QRectF(0, 0, innerWidth, innerHeight), Qt::IntersectClip);
        return;
    }
    if (cache != nullptr && cache->kept_->savings != DrawingCache::noSavings)
        kept_ = cache->kept_.get();

    if (kept_ != nullptr && kept_->deviceWorldValid && kept_->world == screen_.logicalWorld &&
        kept_->device == toDevice_) {
        screen_.deviceWorld = kept_->deviceWorld;
    } else {
        screen_.deviceWorld = deviceWorldOf(painter_);
        if (kept_ != nullptr) {
            kept_->world = screen_.logicalWorld;
            kept_->device = toDevice_;
            kept_->deviceWorld = screen_.deviceWorld;
            kept_->deviceWorldValid = true;
        }
    }
    // Whole device pixels, so that the erase leaves no pixel of the area half covered.
    useDevicePixels(screen_, true);
    painter_.setClipRect(area_, Qt::IntersectClip);

    if (kept_ == nullptr)
        return;
    DrawingCache::Environment& environment = kept_->environment;
    environment.toDevice = toDevice_;
    environment.area = area_;
    environment.format = rasterFormat(painter_);
    if (environment.font != font)
        environment.font = font;
    environment.hints = painter_.renderHints();
    environment.dpiX = painter_.device()->logicalDpiX();
    environment.dpiY = painter_.device()->logicalDpiY();
    kept_->next.clear();
    kept_->nextText.clear();
    const bool sameEnvironment = kept_->lastValid && kept_->lastEnvironment == environment;
    if (!sameEnvironment) {
        kept_->stamps.clear();
        kept_->texts.clear();
    }
    for (auto& kept : kept_->texts)
        kept.used = false;
    holding_ = saving(DrawingCache::KeptImages) && sameEnvironment && !kept_->last.empty();
}

QtDevice::~QtDevice()
{
    if (kept_ != nullptr) {
        if (holding_)
            release(static_cast<int>(kept_->next.size()));
        // An image this paint neither used nor made may not show its operations any more.
        if (!imageCurrent_) {
            kept_->image = QImage();
            kept_->imageOperations = 0;
        }
        // Texts that moved leave their old layouts behind.
        std::erase_if(kept_->texts, [](const auto& kept) { return !kept.used; });
        std::swap(kept_->last, kept_->next);
        std::swap(kept_->lastText, kept_->nextText);
        kept_->lastEnvironment = kept_->environment;
        kept_->lastValid = true;
    }
    painter_.setWorldTransform(screen_.logicalWorld);
    painter_.setRenderHint(QPainter::Antialiasing, antialiasedBefore_);
}

void QtDevice::fill(core::Colour background)
{
    record({.kind = Operation::Kind::Fill, .colour = background});
}

void QtDevice::line(render::DevicePoint from, render::DevicePoint to, core::Colour colour,
                    int width)
{
    record({.kind = Operation::Kind::Line,
            .colour = colour,
            .width = width,
            .x1 = from.x,
            .y1 = from.y,
            .x2 = to.x,
            .y2 = to.y});
}

void QtDevice::ellipse(render::DevicePoint centre, double radiusX, double radiusY,
                       core::Colour colour, int width)
{
    record({.kind = Operation::Kind::Ellipse,
            .colour = colour,
            .width = width,
            .x1 = centre.x,
            .y1 = centre.y,
            .x2 = radiusX,
            .y2 = radiusY});
}

void QtDevice::dot(render::DevicePoint at, core::Colour colour, int width)
{
    record(
        {.kind = Operation::Kind::Dot, .colour = colour, .width = width, .x1 = at.x, .y1 = at.y});
}

void QtDevice::text(render::DevicePoint topLeft, std::string_view text, core::Colour colour)
{
    record({.kind = Operation::Kind::Text, .colour = colour, .x1 = topLeft.x, .y1 = topLeft.y},
           text);
}

double QtDevice::lineHeight() const { return metrics_.height(); }

// A kept image is rasterized where it lies and blitted elsewhere; Qt's direct line
// rasterizer clips and truncates in absolute coordinates, so a diagonal line may come out a
// shade different a whole pixel away. Everything else rasterizes the same wherever it lies.
bool QtDevice::keepable(const Operation& operation)
{
    return operation.kind != Operation::Kind::Line || operation.x1 == operation.x2 ||
           operation.y1 == operation.y2;
}

// Drawn as whole pixels, as cheaply as they would be blitted.
bool QtDevice::wholePixels(const Operation& operation)
{
    using Kind = Operation::Kind;
    return operation.kind == Kind::Fill || operation.kind == Kind::Dot ||
           (operation.kind == Kind::Line && keepable(operation));
}

bool QtDevice::saving(DrawingCache::Saving saving) const
{
    return kept_ != nullptr && (kept_->savings & saving) != 0;
}

std::string_view QtDevice::textOf(const Operation& operation) const
{
    return std::string_view(kept_->nextText).substr(operation.textBegin, operation.textSize);
}

void QtDevice::record(const Operation& operation, std::string_view text)
{
    if (kept_ == nullptr) {
        draw(screen_, operation, text);
        return;
    }
    Operation& recorded = kept_->next.emplace_back(operation);
    recorded.textBegin = kept_->nextText.size();
    recorded.textSize = text.size();
    kept_->nextText.append(text);
    const std::size_t index = kept_->next.size() - 1;
    if (holding_) {
        if (index < kept_->last.size() && keepable(recorded)) {
            const Operation& before = kept_->last[index];
            const std::string_view beforeText =
                std::string_view(kept_->lastText).substr(before.textBegin, before.textSize);
            if (before.kind == recorded.kind && before.colour == recorded.colour &&
                before.width == recorded.width && before.x1 == recorded.x1 &&
                before.y1 == recorded.y1 && before.x2 == recorded.x2 && before.y2 == recorded.y2 &&
                beforeText == text) {
                heldDear_ = heldDear_ || !wholePixels(recorded);
                return;
            }
        }
        holding_ = false;
        release(static_cast<int>(index));
    }
    draw(screen_, recorded, text);
}

// The first `held` operations repeat the last paint's and nothing of them is drawn yet: blit
// them from the kept image, bringing the image up to them first, or draw them now when
// keeping them does not pay.
void QtDevice::release(int held)
{
    DrawingCache::Kept& kept = *kept_;
    // Whole pixels are filled as cheaply as they are blitted; a kept image pays for the
    // antialiased shapes and the text among them.
    const bool worthKeeping = heldDear_ && kept.next.front().kind == Operation::Kind::Fill &&
                              kept.environment.format != QImage::Format_Invalid;
    if (!worthKeeping) {
        for (int i = 0; i < held; ++i)
            draw(screen_, kept.next[static_cast<std::size_t>(i)],
                 textOf(kept.next[static_cast<std::size_t>(i)]));
        return;
    }
    const bool reusable = kept.imageOperations > 0 && kept.imageOperations <= held &&
                          kept.imageEnvironment == kept.environment;
    imageCurrent_ = true;
    if (reusable) {
        ++kept.reused;
        if (kept.imageOperations < held)
            renderKept(kept.imageOperations, held);
    } else {
        renderKept(0, held);
    }
    blitKept();
}

void QtDevice::blitKept()
{
    const QImage& image = kept_->image;
    useDevicePixels(screen_, true);
    useAntialiasing(screen_, false);
    const QRegion visible = painter_.paintEngine()->systemClip();
    if (visible.rectCount() <= 1) {
        painter_.drawImage(area_.topLeft(), image);
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
        painter_.drawImage(piece.topLeft(), image, piece.translated(-area_.topLeft()));
    }
    painter_.setClipRect(clip);
}

// Rasterizes operations [from, to) into the kept image as they would be rasterized on the
// target: same pixel format, same transform up to a whole-pixel shift, same font and hints.
void QtDevice::renderKept(int from, int to)
{
    DrawingCache::Kept& kept = *kept_;
    const DrawingCache::Environment& environment = kept.environment;
    if (from == 0) {
        if (kept.image.size() != area_.size() || kept.image.format() != environment.format)
            kept.image = QImage(area_.size(), environment.format);
        // Fonts sized in points resolve against the image's resolution.
        constexpr double inchesPerMetre = 100 / 2.54;
        kept.image.setDotsPerMeterX(nearest(environment.dpiX * inchesPerMetre));
        kept.image.setDotsPerMeterY(nearest(environment.dpiY * inchesPerMetre));
        kept.imageEnvironment = environment;
    }
    QPainter painter(&kept.image);
    painter.setRenderHints(painter.renderHints(), false);
    painter.setRenderHints(environment.hints, true);
    painter.setFont(font_);
    const QTransform origin = QTransform::fromTranslate(-area_.x(), -area_.y());
    Canvas canvas{&painter, origin, toDevice_ * origin, true,
                  environment.hints.testFlag(QPainter::Antialiasing)};
    painter.setWorldTransform(canvas.deviceWorld);
    for (int i = from; i < to; ++i)
        draw(canvas, kept.next[static_cast<std::size_t>(i)],
             textOf(kept.next[static_cast<std::size_t>(i)]));
    kept.imageOperations = to;
}

void QtDevice::useDevicePixels(Canvas& canvas, bool devicePixels) const
{
    if (canvas.inDevicePixels == devicePixels)
        return;
    canvas.painter->setWorldTransform(devicePixels ? canvas.deviceWorld : canvas.logicalWorld);
    canvas.inDevicePixels = devicePixels;
}

void QtDevice::useAntialiasing(Canvas& canvas, bool antialiased) const
{
    if (canvas.antialiased == antialiased)
        return;
    canvas.painter->setRenderHint(QPainter::Antialiasing, antialiased);
    canvas.antialiased = antialiased;
}

const QPen& QtDevice::penFor(core::Colour colour, double width)
{
    if (kept_ == nullptr) {
        scratchPen_ = linePen(colour, width);
        return scratchPen_;
    }
    // A handful of pens serve every paint; sharing them spares an allocation per stroke.
    for (const auto& kept : kept_->pens)
        if (kept.colour == colour && kept.width == width)
            return kept.pen;
    return kept_->pens.emplace_back(colour, width, linePen(colour, width)).pen;
}

const QBrush& QtDevice::brushFor(core::Colour colour)
{
    if (kept_ == nullptr) {
        scratchBrush_ = QBrush(toQColor(colour));
        return scratchBrush_;
    }
    for (const auto& kept : kept_->brushes)
        if (kept.colour == colour)
            return kept.brush;
    return kept_->brushes.emplace_back(colour, QBrush(toQColor(colour))).brush;
}

void QtDevice::fillPixels(Canvas& canvas, const QRect& pixels, core::Colour colour)
{
    useDevicePixels(canvas, true);
    // Whole pixels are covered fully or not at all, which the aliased rasterizer gives as
    // well as the antialiasing one and far more cheaply.
    if (saving(DrawingCache::AliasedFills))
        useAntialiasing(canvas, false);
    canvas.painter->fillRect(pixels, toQColor(colour));
}

void QtDevice::draw(Canvas& canvas, const Operation& operation, std::string_view text)
{
    drawOperation(canvas, operation, text);
    canvas.onBackground = operation.kind == Operation::Kind::Fill;
    canvas.background = operation.colour;
}

void QtDevice::drawOperation(Canvas& canvas, const Operation& operation, std::string_view text)
{
    using Kind = Operation::Kind;
    QPainter& painter = *canvas.painter;
    const RoundEnds previousEnds = std::exchange(canvas.ends, RoundEnds{});
    if (operation.kind == Kind::Text) {
        drawText(canvas, operation, text);
        return;
    }
    if (!aligned_) {
        // Rotated or mirrored: no device pixel grid to snap to; drawn through pixel centres.
        useDevicePixels(canvas, false);
        const QPointF a(bounded(operation.x1) + pixelCentre, bounded(operation.y1) + pixelCentre);
        const QPointF b(bounded(operation.x2) + pixelCentre, bounded(operation.y2) + pixelCentre);
        const double width = std::max(operation.width, 1);
        switch (operation.kind) {
        case Kind::Fill:
            painter.fillRect(QRectF(0, 0, innerWidth_, innerHeight_), toQColor(operation.colour));
            break;
        case Kind::Line:
            painter.setPen(penFor(operation.colour, width));
            painter.drawLine(a, b);
            break;
        case Kind::Ellipse:
            painter.setPen(penFor(operation.colour, width));
            painter.setBrush(Qt::NoBrush);
            painter.drawEllipse(a, bounded(operation.x2), bounded(operation.y2));
            break;
        case Kind::Dot:
            painter.fillRect(QRectF(a.x() - width / 2, a.y() - width / 2, width, width),
                             toQColor(operation.colour));
            break;
        case Kind::Text: break;
        }
        return;
    }

    const double scaleX = toDevice_.m11();
    const double scaleY = toDevice_.m22();
    const QPointF a = toDevice_.map(
        QPointF(bounded(operation.x1) + pixelCentre, bounded(operation.y1) + pixelCentre));
    switch (operation.kind) {
    case Kind::Fill: fillPixels(canvas, area_, operation.colour); break;
    case Kind::Dot:
    case Kind::Line: {
        const QPointF b = operation.kind == Kind::Dot
                              ? a
                              : toDevice_.map(QPointF(bounded(operation.x2) + pixelCentre,
                                                      bounded(operation.y2) + pixelCentre));
        const int across = deviceWidth(operation.width, (scaleX + scaleY) / 2);
        if (a.x() != b.x() && a.y() != b.y()) {
            useDevicePixels(canvas, true);
            useAntialiasing(canvas, true);
            painter.setPen(penFor(operation.colour, across));
            painter.drawLine(a, b);
            if (across >= roundEndsFrom) {
                // Round ends as discs, which cost a fraction of Qt's round caps; an end that
                // the line before already rounded off (a joint of the spring, the tip of an
                // arrow) is one disc, not two blended over each other.
                painter.setPen(Qt::NoPen);
                painter.setBrush(brushFor(operation.colour));
                const RoundEnds ends{a, b, across, operation.colour};
                if (!previousEnds.has(a, across, operation.colour))
                    painter.drawEllipse(a, across / 2.0, across / 2.0);
                if (!previousEnds.has(b, across, operation.colour))
                    painter.drawEllipse(b, across / 2.0, across / 2.0);
                canvas.ends = ends;
            }
            break;
        }
        // Axis-aligned: whole pixels across, and a square end half the width beyond each
        // end point, so that a line of no length is a dot as wide as the pen.
        const int wideX = deviceWidth(operation.width, scaleX);
        const int wideY = deviceWidth(operation.width, scaleY);
        const int left = firstPixel(std::min(a.x(), b.x()), wideX);
        const int right = firstPixel(std::max(a.x(), b.x()), wideX) + wideX;
        const int top = firstPixel(std::min(a.y(), b.y()), wideY);
        const int bottom = firstPixel(std::max(a.y(), b.y()), wideY) + wideY;
        fillPixels(canvas, QRect(left, top, right - left, bottom - top), operation.colour);
        break;
    }
    case Kind::Ellipse: {
        // The outer edge at the four extremes falls on pixel boundaries, so that the pen
        // covers whole pixels where the outline runs along a row or a column.
        const int across = deviceWidth(operation.width, (scaleX + scaleY) / 2);
        const double radiusX = std::abs(bounded(operation.x2)) * scaleX + across / 2.0;
        const double radiusY = std::abs(bounded(operation.y2)) * scaleY + across / 2.0;
        const int left = nearest(a.x() - radiusX);
        const int right = std::max(nearest(a.x() + radiusX), left + across);
        const int top = nearest(a.y() - radiusY);
        const int bottom = std::max(nearest(a.y() + radiusY), top + across);
        const QRect extent(left, top, right - left, bottom - top);
        useDevicePixels(canvas, true);
        // Only the erase lies under it, so its pixels depend on its size alone: a circle that
        // moves by whole pixels is blitted from the last time it was drawn.
        if (const QImage* kept = stampable(canvas, extent) ? stamp(operation.colour, across,
                                                                   extent.size(), canvas.background)
                                                           : nullptr) {
            useAntialiasing(canvas, false);
            painter.drawImage(extent.topLeft(), *kept);
            break;
        }
        useAntialiasing(canvas, true);
        drawOutline(painter, operation.colour, across, extent);
        break;
    }
    case Kind::Text: break;
    }
}

void QtDevice::drawOutline(QPainter& painter, core::Colour colour, int width, const QRect& extent)
{
    const double inset = width / 2.0;
    painter.setPen(penFor(colour, width));
    painter.setBrush(Qt::NoBrush);
    painter.drawEllipse(QRectF(extent.x() + inset, extent.y() + inset, extent.width() - width,
                               extent.height() - width));
}

bool QtDevice::stampable(const Canvas& canvas, const QRect& extent) const
{
    // Small shapes only: a large circle is kept with the rest of its panel, if at all.
    constexpr int largestStamp = 256;
    return saving(DrawingCache::Stamps) && canvas.onBackground &&
           kept_->environment.format != QImage::Format_Invalid && extent.width() <= largestStamp &&
           extent.height() <= largestStamp;
}

// The kept image of a circle drawn on plain background, made the second time it is asked
// for: a circle drawn once, as on the first paint, is drawn directly.
const QImage* QtDevice::stamp(core::Colour colour, int width, QSize size, core::Colour background)
{
    for (auto& kept : kept_->stamps) {
        if (kept.colour != colour || kept.width != width || kept.size != size ||
            kept.background != background)
            continue;
        if (kept.image.isNull()) {
            kept.image = QImage(size, kept_->environment.format);
            kept.image.fill(toQColor(background));
            QPainter painter(&kept.image);
            painter.setRenderHints(painter.renderHints(), false);
            painter.setRenderHints(kept_->environment.hints, true);
            painter.setRenderHint(QPainter::Antialiasing);
            drawOutline(painter, colour, width, QRect(QPoint(0, 0), size));
        }
        return &kept.image;
    }
    kept_->stamps.emplace_back(colour, width, size, background, QImage());
    return nullptr;
}

void QtDevice::drawText(Canvas& canvas, const Operation& operation, std::string_view text)
{
    // Text keeps its place in logical pixels, as the font's own metrics lay it out. Qt's
    // static text places glyphs a 64th of a pixel differently from drawText in some places,
    // so it is the one way text is drawn, laid out afresh or kept.
    useDevicePixels(canvas, false);
    QPainter& painter = *canvas.painter;
    painter.setPen(penFor(operation.colour, 1));
    const QPointF topLeft(bounded(operation.x1), bounded(operation.y1));
    if (!saving(DrawingCache::TextLayouts)) {
        painter.drawStaticText(topLeft, layoutOf(text));
        return;
    }
    // A layout is kept for the place it was made: moved elsewhere, its glyphs would shift by
    // whole 64ths where a new one rounds afresh.
    for (auto& kept : kept_->texts) {
        if (kept.text == text && kept.topLeft == topLeft) {
            kept.used = true;
            painter.drawStaticText(topLeft, kept.layout);
            return;
        }
    }
    auto& kept = kept_->texts.emplace_back(std::string(text), topLeft, layoutOf(text), true);
    painter.drawStaticText(topLeft, kept.layout);
}

QStaticText QtDevice::layoutOf(std::string_view text)
{
    QStaticText layout(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    layout.setTextFormat(Qt::PlainText);
    return layout;
}

} // namespace tessarion::ui

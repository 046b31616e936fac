#include "ui/panel_widget.h"

#include "core/layout.h"
#include "ui/panel_drawing.h"
#include "ui/zoom.h"

#include <QFocusEvent>
#include <QPainter>
#include <QPaintEvent>

#include <cmath>
#include <utility>

namespace tessarion::ui {

PanelWidget::PanelWidget(QWidget* parent, QSize outerSize)
    : QFrame(parent)
    , designInner_(QSizeF(outerSize) - 2 * QSizeF(core::panelBorderPixels, core::panelBorderPixels))
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(core::panelBorderPixels);
    resize(outerSize);
    setFocusPolicy(Qt::TabFocus);
    // The surface erases everything inside the frame on every paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PanelWidget::attach(render::FormAssembly& assembly, render::PanelId panel)
{
    assembly_ = &assembly;
    panel_ = panel;
}

void PanelWidget::setZoom(double zoom)
{
    setLineWidth(zoom::lineWidth(core::panelBorderPixels, zoom));
}

// The inner area at any size shows the whole drawing of the 100 % inner area; its size is
// the zoom within a rounding, so that the erase always covers it.
QTransform PanelWidget::surfaceTransform() const
{
    const QRect inner = contentsRect();
    return QTransform::fromTranslate(inner.x(), inner.y())
        .scale(inner.width() / designInner_.width(), inner.height() / designInner_.height());
}

void PanelWidget::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    if (!contentsRect().contains(event->rect()))
        drawBorder(painter);
    // A paint normalises the phase and stores the displacement the time graph reads; the
    // focus mark is not the paint handlers' business, so a paint for the mark alone draws the
    // last paint again.
    bool markAlone = false;
    if (markMoved_) {
        const QRegion mark = focusMarkArea();
        markAlone = (event->region() - mark).isEmpty();
        // A paint that covers the mark's area leaves no move of the mark waiting.
        markMoved_ = !(mark - event->region()).isEmpty();
    }
    drawSurface(painter, markAlone ? Drawing::LastPaint : Drawing::Painter);
    if (showFocus_)
        drawFocusMark(painter);
}

void PanelWidget::drawBorder(QPainter& painter)
{
    // At a whole device pixel ratio every edge lies on a device pixel, and the frame and the
    // erase meet exactly.
    if (const double ratio = devicePixelRatioF(); ratio != std::floor(ratio))
        eraseBorder(painter);
    drawFrame(&painter);
}

// At a fractional device pixel ratio the frame and the erase each round to whole device pixels
// their own way, and may leave a row or column between them that neither paints; the panel paints
// all its pixels itself, so such a pixel would keep what an earlier frame left there. The border is
// erased first, reaching a pixel into the inner area, which the surface then covers.
void PanelWidget::eraseBorder(QPainter& painter)
{
    const QRect outer = rect();
    const QRect inner = contentsRect().adjusted(1, 1, -1, -1);
    const QBrush background = palette().window();
    painter.fillRect(QRect(outer.topLeft(), QPoint(outer.right(), inner.top() - 1)), background);
    painter.fillRect(QRect(QPoint(outer.left(), inner.bottom() + 1), outer.bottomRight()),
                     background);
    painter.fillRect(
        QRect(QPoint(outer.left(), inner.top()), QPoint(inner.left() - 1, inner.bottom())),
        background);
    painter.fillRect(
        QRect(QPoint(inner.right() + 1, inner.top()), QPoint(outer.right(), inner.bottom())),
        background);
}

void PanelWidget::paintPicture(QPainter& painter)
{
    drawFrame(&painter);
    drawSurface(painter, Drawing::Picture);
}

void PanelWidget::drawSurface(QPainter& painter, Drawing drawing)
{
    if (assembly_ == nullptr)
        return;
    painter.save();
    painter.setTransform(surfaceTransform(), true);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // A kept image would land in a vector picture as a bitmap.
    const bool keeping = drawing != Drawing::Picture;
    // The drawing clips to the inner area's whole device pixels.
    PanelDrawing panelDrawing(painter, font(), designInner_, keeping ? &memory_ : nullptr);
    render::KeepingDevice& device = panelDrawing.device();
    switch (drawing) {
    case Drawing::LastPaint:
        if (lastPaint_.repeat(device))
            break;
        [[fallthrough]];
    case Drawing::Painter:
        lastPaint_.begin(device);
        assembly_->paint(panel_, lastPaint_);
        lastPaint_.finish();
        break;
    // The screen's last paint stays the one on the screen.
    case Drawing::Picture: assembly_->paint(panel_, device); break;
    }
    if (keeping)
        memory_.texts.sweep();
    painter.restore();
}

void PanelWidget::drawFocusMark(QPainter& painter)
{
    // As wide as the border, just inside it.
    const int width = lineWidth();
    QPen pen(palette().color(QPalette::Highlight), width, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    const int inset = width / 2;
    painter.drawRect(contentsRect().adjusted(inset, inset, -inset, -inset));
}

// An odd pen reaches a pixel past the rectangle's right and bottom edges.
QRegion PanelWidget::focusMarkArea() const
{
    const int reach = lineWidth() + 1;
    const QRect inner = contentsRect();
    return QRegion(inner.adjusted(-1, -1, 1, 1)) -
           QRegion(inner.adjusted(reach, reach, -reach, -reach));
}

void PanelWidget::showFocusMark(bool show)
{
    if (show == std::exchange(showFocus_, show))
        return;
    markMoved_ = true;
    update(focusMarkArea());
}

// QWidget's own focus handlers repaint on every focus change; a panel repaints only when
// its focus mark appears or goes.
void PanelWidget::focusInEvent(QFocusEvent* event)
{
    // Only keyboard users need to see where the focus went.
    showFocusMark(event->reason() == Qt::TabFocusReason ||
                  event->reason() == Qt::BacktabFocusReason);
}

void PanelWidget::focusOutEvent(QFocusEvent* /*event*/) { showFocusMark(false); }

} // namespace tessarion::ui

#include "ui/panel_widget.h"

#include "core/layout.h"
#include "ui/qt_device.h"
#include "ui/zoom.h"

#include <QFocusEvent>
#include <QPainter>
#include <QPaintEvent>

#include <cmath>
#include <utility>

namespace tessarion::ui {

PanelWidget::PanelWidget(QWidget* parent, QSize outerSize, RepeatedPaints repeated)
    : QFrame(parent)
    , designInner_(QSizeF(outerSize) - 2 * QSizeF(core::panelBorderPixels, core::panelBorderPixels))
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(core::panelBorderPixels);
    resize(outerSize);
    setFocusPolicy(Qt::TabFocus);
    // The surface erases everything inside the frame on every paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    if (repeated == RepeatedPaints::Reuse)
        reuse_.emplace();
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
    drawSurface(painter, reuse_.has_value());
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
    // A kept image would land in a vector picture as a bitmap.
    drawSurface(painter, false);
}

void PanelWidget::drawSurface(QPainter& painter, bool reusing)
{
    if (assembly_ == nullptr)
        return;
    painter.save();
    painter.setTransform(surfaceTransform(), true);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    // The device clips to the inner area's whole device pixels.
    QtDevice device(painter, font(), designInner_, reusing ? &memory_ : nullptr);
    if (reusing) {
        reuse_->begin(device);
        assembly_->paint(panel_, *reuse_);
        reuse_->finish();
        memory_.texts.sweep();
    } else {
        assembly_->paint(panel_, device);
    }
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

// QWidget's own focus handlers repaint on every focus change; a panel repaints only when
// its focus mark appears or goes.
void PanelWidget::focusInEvent(QFocusEvent* event)
{
    // Only keyboard users need to see where the focus went.
    const bool keyboard =
        event->reason() == Qt::TabFocusReason || event->reason() == Qt::BacktabFocusReason;
    if (keyboard != std::exchange(showFocus_, keyboard))
        update();
}

void PanelWidget::focusOutEvent(QFocusEvent* /*event*/)
{
    if (std::exchange(showFocus_, false))
        update();
}

} // namespace tessarion::ui

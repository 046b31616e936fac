#include "ui/panel_widget.h"

#include "ui/layout.h"
#include "ui/qt_device.h"

#include <QFocusEvent>
#include <QPainter>

#include <utility>

namespace tessarion::ui {

PanelWidget::PanelWidget(QWidget* parent, QSize outerSize, render::Units units, Colour foreColor)
    : QFrame(parent)
    , surface_(outerSize.width() - 2 * panelBorderPixels,
               outerSize.height() - 2 * panelBorderPixels, units, foreColor)
{
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(panelBorderPixels);
    setFixedSize(outerSize);
    setFocusPolicy(Qt::TabFocus);
    // The surface erases everything inside the frame on every paint.
    setAttribute(Qt::WA_OpaquePaintEvent);
    surface_.setHost(this);
}

void PanelWidget::repaintNow() { repaint(); }

void PanelWidget::scheduleRepaint() { update(); }

void PanelWidget::paintEvent(QPaintEvent* /*event*/)
{
    ++paintCount_;
    QPainter painter(this);
    drawFrame(&painter);
    drawSurface(painter);
    if (showFocus_)
        drawFocusMark(painter);
}

void PanelWidget::drawSurface(QPainter& painter)
{
    painter.save();
    const QRect inner = contentsRect();
    painter.translate(inner.topLeft());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    {
        // The device clips to the inner area's whole device pixels, and finishes the paint
        // as it goes.
        QtDevice device(painter, font(), inner.width(), inner.height(), &drawingCache_);
        surface_.paint(device);
    }
    painter.restore();
}

void PanelWidget::drawFocusMark(QPainter& painter)
{
    QPen pen(palette().color(QPalette::Highlight), 2, Qt::DotLine);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(contentsRect().adjusted(1, 1, -1, -1));
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

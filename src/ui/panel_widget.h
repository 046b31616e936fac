#pragma once

#include "render/form_assembly.h"
#include "ui/qt_device.h"

#include <QFrame>
#include <QTransform>

namespace tessarion::ui {

/// A drawing panel: a sunken frame around a surface whose painter runs on every paint.
class PanelWidget : public QFrame, public render::PanelView {
    Q_OBJECT
public:
    /// A panel of `outerSize` pixels inside `parent`; it draws once attached.
    PanelWidget(QWidget* parent, QSize outerSize);

    /// Binds the panel to its surface and painter in `assembly`.
    void attach(render::FormAssembly& assembly, render::PanelId panel);
    /// Scales the border and the focus mark with the window; the drawing follows the size.
    void setZoom(double zoom);
    /// Maps the surface's coordinates, in pixels of the inner area at 100 %, to the widget.
    QTransform surfaceTransform() const;
    /// What the panel's drawing keeps between paints, and which savings it uses.
    DrawingCache& drawingCache() { return drawingCache_; }

    /// Draws the border and the drawing afresh, without kept images, with `painter` at the
    /// panel's top-left corner: for pictures taken out of the window.
    void paintPicture(QPainter& painter);

    /// Paints at once, nested in the caller, as the handlers' repaint requires.
    void Refresh() override { repaint(); }
    /// Asks the event loop for a paint.
    void scheduleRepaint() override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void drawSurface(QPainter& painter, DrawingCache* cache);
    void drawFocusMark(QPainter& painter);

    render::FormAssembly* assembly_ = nullptr;
    render::PanelId panel_ = render::PanelId::P1;
    DrawingCache drawingCache_;
    bool showFocus_ = false;
    QSizeF designInner_;
};

} // namespace tessarion::ui

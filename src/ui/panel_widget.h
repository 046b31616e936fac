#pragma once

#include "render/form_assembly.h"
#include "render/paint_reuse.h"
#include "ui/panel_drawing.h"

#include <QFrame>
#include <QRegion>
#include <QTransform>

namespace tessarion::ui {

/// A drawing panel: a sunken frame around a surface whose painter runs on every paint.
class PanelWidget : public QFrame, public core::Panel {
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

    /// Draws the border and the drawing afresh, without kept images, with `painter` at the
    /// panel's top-left corner: for pictures taken out of the window.
    void paintPicture(QPainter& painter);

    /// Paints the drawing at once, nested in the caller, as the handlers' repaint requires;
    /// the border, which no handler changes, stays as it is.
    void repaintNow() override { repaint(contentsRect()); }
    /// Asks the event loop for a paint.
    void scheduleRepaint() override { update(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    /// What the surface shows in a paint.
    enum class Drawing {
        Painter,   ///< The painter's drawing of the state now.
        LastPaint, ///< The last paint again, without its painter.
        Picture,   ///< The painter's drawing, afresh, for a picture.
    };

    void drawBorder(QPainter& painter);
    void eraseBorder(QPainter& painter);
    void drawSurface(QPainter& painter, Drawing drawing);
    void drawFocusMark(QPainter& painter);
    /// Where the focus mark lies, with a pixel to spare on either side.
    QRegion focusMarkArea() const;
    void showFocusMark(bool show);

    render::FormAssembly* assembly_ = nullptr;
    render::PanelId panel_ = render::PanelId::spring;
    render::PaintReuse lastPaint_; ///< The last paint on the screen.
    DrawingMemory memory_;         ///< What the device keeps for the reuse.
    bool showFocus_ = false;
    bool markMoved_ = false; ///< A move of the focus mark awaits its paint.
    QSizeF designInner_;
};

} // namespace tessarion::ui

#pragma once

#include "render/surface.h"
#include "ui/qt_device.h"

#include <QFrame>

namespace tessarion::ui {

/// A drawing panel: a sunken frame around a surface whose paint handler runs on every paint.
class PanelWidget : public QFrame, public render::SurfaceHost {
    Q_OBJECT
public:
    /// A panel of `outerSize` pixels inside `parent`, its surface in `units` and `foreColor`.
    PanelWidget(QWidget* parent, QSize outerSize, render::Units units, Colour foreColor);

    /// The drawing surface the painters use.
    render::Surface& surface() { return surface_; }
    /// Paints so far, whatever asked for them.
    int paintCount() const { return paintCount_; }
    /// What the panel's drawing keeps between paints.
    DrawingCache& drawingCache() { return drawingCache_; }

    void repaintNow() override;
    void scheduleRepaint() override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void drawSurface(QPainter& painter);
    void drawFocusMark(QPainter& painter);

    render::Surface surface_;
    DrawingCache drawingCache_;
    int paintCount_ = 0;
    bool showFocus_ = false;
};

} // namespace tessarion::ui

#pragma once

#include "ui/zoom.h"

#include <QFont>
#include <QObject>
#include <QPointer>
#include <QRect>

#include <optional>
#include <vector>

class QWidget;

namespace tessarion::ui {

class PanelWidget;

/// Whether `window` is full screen: in that state, or covering its whole screen, as it does
/// when the window manager changed the state without Qt hearing of it.
bool isFullScreen(const QWidget& window);

/// Scales the whole window uniformly: the layout is never rearranged, every control's place
/// and font and every panel's drawing follow one zoom factor. The steps set it, and the window
/// is resized to match; a size the user gives the window fits the layout to it. Also the wheel
/// that changes it; the window's actions call the steps. The zoom is a property of the display
/// and is never saved.
class WindowZoom : public QObject {
    Q_OBJECT
public:
    /// Takes `window`'s controls as they stand now, at 100 %, and follows its size from now on.
    explicit WindowZoom(QWidget& window);
    ~WindowZoom() override;

    /// The current zoom factor.
    double factor() const { return fit_.zoom; }
    /// The top-left corner of the zoomed layout in the window.
    QPoint offset() const { return fit_.offset; }
    /// Where a rectangle of the window's layout stands now, in window pixels.
    QRect place(const QRect& design) const;
    /// A line width of the layout at the current zoom, in whole pixels.
    int lineWidth(int designWidth) const { return zoom::lineWidth(designWidth, fit_.zoom); }

    /// Resizes the window to the layout at `step`, or at the largest step that the screen's
    /// available area holds; leaves full screen and maximised first.
    void zoomTo(double step);
    /// The next larger step that the screen holds; nothing where none does, as in full screen.
    void zoomIn();
    void zoomOut() { zoomTo(zoom::nextStep(fit_.zoom, -1)); }
    void actualSize() { zoomTo(1); }
    void toggleFullScreen();
    void leaveFullScreen();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct Control {
        QPointer<QWidget> widget;
        QRect geometry;            ///< In its container, at 100 %.
        std::optional<QFont> font; ///< At 100 %; none for a panel.
    };

    void record(QWidget& container);
    /// Leaves the states in `fitted`, and full screen wherever the window covers its screen;
    /// whether Qt had not heard of that.
    bool leave(Qt::WindowStates fitted);
    void apply(const zoom::Fit& fit);
    void wheel(int angleDelta);
    /// The screen's available area less the window's frame.
    QSize availableSize() const;
    void noteFrame();

    QWidget& window_;
    QSize design_;
    double level_ = 1; ///< The step asked for last, which the window shows at its size.
    zoom::Fit fit_;
    std::vector<Control> controls_;
    std::vector<QPointer<PanelWidget>> panels_;
    int wheelDelta_ = 0;
    QSize normalFrame_; ///< The frame's share of a normal window's outer size.
};

} // namespace tessarion::ui

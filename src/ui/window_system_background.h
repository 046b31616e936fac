#pragma once

#include <QObject>

class QWidget;

namespace tessarion::ui {

/// Has the window system paint the window's own pixels in the window's colour wherever Qt's
/// drawing does not reach, and clear them on every size change. At a fractional scale factor
/// Qt draws the window's size in whole pixels of the layout, which may leave the window's last
/// device row or column outside its drawing. Only on X11; elsewhere it does nothing.
class WindowSystemBackground : public QObject {
    Q_OBJECT
public:
    /// Follows `window`, its owner, from its first showing on.
    explicit WindowSystemBackground(QWidget& window);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void apply();

    QWidget& window_;
};

} // namespace tessarion::ui

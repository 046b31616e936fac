#pragma once

#include <QObject>

#include <map>

class QWidget;

namespace tessarion::support {

/// Counts the paint events of the widgets it watches, from outside them.
class PaintCounter : public QObject {
public:
    /// Starts counting the paints of `widget`.
    void watch(QWidget& widget);
    /// Paints of `widget` since it was watched.
    int count(const QWidget& widget) const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    std::map<const QObject*, int> counts_;
};

} // namespace tessarion::support

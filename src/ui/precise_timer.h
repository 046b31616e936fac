#pragma once

#include "core/control_interfaces.h"

#include <QTimer>

namespace tessarion::ui {

/// The animation timer: precise, and never restarted by an unchanged setting. Its ticks are
/// the `timeout` signal of the QTimer it is.
class PreciseTimer : public QTimer, public core::Timer {
    Q_OBJECT
public:
    /// A stopped timer owned by `parent`.
    explicit PreciseTimer(QObject* parent);

    /// Starts or stops the ticks; starting a running timer does not restart its count.
    void setEnabled(bool enabled) override;
    /// Sets the milliseconds between ticks; the interval it already has changes nothing.
    void setInterval(std::int32_t milliseconds) override;
};

} // namespace tessarion::ui

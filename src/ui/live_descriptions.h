#pragma once

#include "core/panel_statements.h"

#include <QElapsedTimer>
#include <QObject>

#include <array>
#include <utility>

class QTimer;

namespace tessarion::ui {

class MainWindow;
class PanelWidget;

/// Keeps each panel's accessible description saying what the panel shows now: its fixed text
/// and one sentence about the state it was drawn from. The sentence follows every button
/// while the animation is stopped, the ticks at most once a second while it runs, and a panel
/// that takes the focus at once.
class LiveDescriptions : public QObject {
    Q_OBJECT
public:
    /// Follows the buttons of `window` and the ticks of `timer`; owned by the window.
    LiveDescriptions(MainWindow& window, const QTimer& timer);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    /// After a button or a tick, at the pace of the animation.
    void stateChanged();
    void describe(core::PanelId panel, PanelWidget& widget);

    MainWindow& window_;
    const QTimer& timer_;      ///< Whether the animation runs.
    QElapsedTimer clock_;      ///< The time the pace counts in.
    core::StatementPace pace_; ///< When the sentences follow the state.
    std::array<std::pair<core::PanelId, PanelWidget*>, 4> panels_{}; ///< The panels described.
};

} // namespace tessarion::ui

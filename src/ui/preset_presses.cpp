#include "ui/preset_presses.h"

#include "ui/main_window.h"

#include <QEvent>
#include <QMetaObject>

namespace tessarion::ui {

namespace {

// Waits for the window's first paint, then presses once that paint is over.
class PresetPresses : public QObject {
public:
    PresetPresses(MainWindow& window, const core::Preset& preset)
        : QObject(&window)
        , window_(window)
        , preset_(preset)
    {
        window.installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (watched == &window_ && event->type() == QEvent::Paint) {
            window_.removeEventFilter(this);
            // The panels paint after the window itself, in the same pass.
            QMetaObject::invokeMethod(this, &PresetPresses::press, Qt::QueuedConnection);
        }
        return false;
    }

private:
    void press()
    {
        core::applyPreset(preset_, window_.form());
        deleteLater();
    }

    MainWindow& window_;
    core::Preset preset_;
};

} // namespace

void pressOnceShown(MainWindow& window, const core::Preset& preset)
{
    if (preset != core::Preset{})
        new PresetPresses(window, preset);
}

} // namespace tessarion::ui

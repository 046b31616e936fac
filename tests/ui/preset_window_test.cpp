// Start values as main() gives them, against the same values reached by clicking buttons.
#include "ui/preset_presses.h"
#include "window_fixture.h"

#include <QBackingStore>

namespace tessarion::ui::testing {
namespace {

// What the offscreen platform shows: the window's backing store.
QImage onScreen(MainWindow& window)
{
    return dynamic_cast<QImage&>(*window.backingStore()->paintDevice()).copy();
}

TEST(PresetWindow, ShowsPixelForPixelWhatThePressesShow)
{
    QImage pressed;
    {
        MainWindow window(".");
        support::PaintCounter paints;
        paints.watch(window);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
        // The amplitude repaints nothing: pressed before the phase.
        for (const auto& [name, times] : {std::pair{"Command2", 3}, {"Command8", 90}})
            for (int press = 0; press < times; ++press)
                window.findChild<QPushButton*>(QLatin1String(name))->click();
        // The window paints its pending updates in one pass: once a marker is painted, all are.
        const int before = paints.count(window);
        window.update(QRect(window.width() - 2, window.height() - 2, 1, 1));
        ASSERT_TRUE(QTest::qWaitFor([&] { return paints.count(window) > before; }));
        pressed = onScreen(window);
    }
    MainWindow window(".");
    pressOnceShown(window, core::readPreset({{{"phase", "90"}, {"amplitude", "10"}}}).preset);
    window.show();
    EXPECT_TRUE(QTest::qWaitFor([&] { return onScreen(window) == pressed; }));
}

} // namespace
} // namespace tessarion::ui::testing

#include "ui/main_window.h"
#include "ui/panel_widget.h"

#include <QImage>
#include <QPixmap>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <sstream>
#include <vector>

namespace tessarion::ui::testing {
namespace {

// The order in which a tick repaints the panels, so that each painter sees the state the
// ones before it left, as on screen.
constexpr std::array<const char*, 4> tickOrder{"P1", "p3", "p2", "p4"};

/// Phases from `first`, `count` of them, `step` degrees apart, at `amplitude`; only at device
/// pixel ratio `onlyAt` when that is not 0.
struct PhaseRun {
    double amplitude;
    int first;
    int step;
    int count;
    double onlyAt = 0;
};

// A whole turn degree by degree at ratio 1, and at every ratio whole turns both ways in
// steps that meet many residues, at each amplitude. Each run goes on from what the run
// before left kept.
constexpr PhaseRun runs[] = {
    {3.5, 0, 1, 360, 1}, {3.5, 0, 5, 72}, {3.5, -1, -7, 52}, {0, 0, 11, 33},
    {0, -3, -13, 28},    {7, 1, 7, 52},   {7, -5, -11, 33},
};

/// Two windows side by side: one reuses repeated paints, one draws everything afresh.
class PixelIdentity : public ::testing::Test {
protected:
    void SetUp() override
    {
        reusing = std::make_unique<MainWindow>(".", RepeatedPaints::Reuse);
        afresh = std::make_unique<MainWindow>(".", RepeatedPaints::DrawAfresh);
        for (MainWindow* window : {reusing.get(), afresh.get()}) {
            window->show();
            ASSERT_TRUE(QTest::qWaitForWindowExposed(window));
        }
    }

    /// Each panel of `window` painted at `phase` and `amplitude`, in the order of a tick.
    static std::array<QImage, 4> paint(MainWindow& window, int phase, double amplitude)
    {
        window.form().state.Phase = static_cast<std::int16_t>(phase);
        window.form().state.Amplitude = amplitude;
        std::array<QImage, 4> images;
        for (std::size_t i = 0; i < tickOrder.size(); ++i)
            images[i] = window.panel(tickOrder[i])->grab().toImage();
        return images;
    }

    /// Where two images of a panel first differ, or an empty text.
    static std::string firstDifference(const QImage& a, const QImage& b)
    {
        if (a.size() != b.size())
            return "sizes differ";
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x)
                if (a.pixel(x, y) != b.pixel(x, y)) {
                    std::ostringstream text;
                    text << "pixel (" << x << ", " << y << "): " << std::hex << a.pixel(x, y)
                         << " reused, " << b.pixel(x, y) << " afresh";
                    return text.str();
                }
        return {};
    }

    /// Paints both windows at `phase` and compares every pixel of every panel.
    void compareAt(int phase, double amplitude)
    {
        const auto reused = paint(*reusing, phase, amplitude);
        const auto drawnAfresh = paint(*afresh, phase, amplitude);
        for (std::size_t i = 0; i < tickOrder.size(); ++i) {
            const QImage& a = reused[i];
            const QImage& b = drawnAfresh[i];
            if (a == b)
                continue;
            ADD_FAILURE() << tickOrder[i] << " at phase " << phase << ", amplitude " << amplitude
                          << ", device pixel ratio " << a.devicePixelRatio() << ": "
                          << firstDifference(a, b);
            ++failures;
        }
    }

    std::unique_ptr<MainWindow> reusing;
    std::unique_ptr<MainWindow> afresh;
    int failures = 0;
};

TEST_F(PixelIdentity, ReuseChangesNoPixelOfAnyPanel)
{
    for (const PhaseRun& run : runs) {
        if (run.onlyAt != 0 && reusing->devicePixelRatioF() != run.onlyAt)
            continue;
        for (int i = 0; i < run.count && failures < 5; ++i) {
            const int phase = run.first + i * run.step;
            compareAt(phase, run.amplitude);
            // Now and then the same state twice: the whole paint repeats the last one.
            if (i % 9 == 4)
                compareAt(phase, run.amplitude);
        }
    }
}

} // namespace
} // namespace tessarion::ui::testing

#include "ui/main_window.h"
#include "ui/panel_widget.h"

#include <QBackingStore>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <sstream>
#include <stdexcept>

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

/// The window as on screen, whose panels reuse repeated paints, against each panel drawn
/// afresh, as for a picture, at the same place in an image of the window.
class PixelIdentity : public ::testing::Test {
protected:
    void SetUp() override
    {
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    /// What the offscreen platform shows: the window's backing store, an image.
    QImage onScreen() const
    {
        auto* backing = dynamic_cast<QImage*>(window.backingStore()->paintDevice());
        if (backing == nullptr)
            throw std::logic_error("the backing store is not an image");
        return *backing;
    }

    /// The device pixels of the window that only the drawing of `panel` covers: a logical pixel
    /// in from the border, and away from the read-outs and labels on it.
    static QRegion drawingArea(const PanelWidget& panel, double ratio)
    {
        const auto pixels = [&](QRect r) {
            const QRectF logical(r.translated(panel.pos()));
            return QRectF(logical.topLeft() * ratio, logical.size() * ratio).toAlignedRect();
        };
        QRegion area(pixels(panel.contentsRect().adjusted(1, 1, -1, -1)).adjusted(1, 1, -1, -1));
        for (const QWidget* child : panel.findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            area -= pixels(child->geometry().adjusted(-1, -1, 1, 1));
        return area;
    }

    /// Paints each panel at `phase` and `amplitude` in the order of a tick, as on screen, and
    /// compares what it shows with the same state drawn afresh.
    void compareAt(int phase, double amplitude)
    {
        window.form().state.phase = static_cast<std::int16_t>(phase);
        window.form().state.amplitude = amplitude;
        for (const char* name : tickOrder) {
            PanelWidget& panel = *window.panel(name);
            panel.repaintNow();
            const QImage screen = onScreen();
            const double ratio = window.devicePixelRatioF();
            QImage afresh(screen.size(), screen.format());
            afresh.setDevicePixelRatio(ratio);
            afresh.fill(Qt::magenta);
            {
                QPainter painter(&afresh);
                painter.translate(panel.pos());
                panel.paintPicture(painter);
            }
            const std::string difference =
                firstDifference(screen, afresh, drawingArea(panel, ratio));
            if (difference.empty())
                continue;
            ADD_FAILURE() << name << " at phase " << phase << ", amplitude " << amplitude
                          << ", device pixel ratio " << ratio << ": " << difference;
            ++failures;
        }
    }

    /// Where two images first differ within `area`, or an empty text.
    static std::string firstDifference(const QImage& a, const QImage& b, const QRegion& area)
    {
        for (const QRect& rectangle : area)
            for (int y = rectangle.top(); y <= rectangle.bottom(); ++y)
                for (int x = rectangle.left(); x <= rectangle.right(); ++x)
                    if (a.pixel(x, y) != b.pixel(x, y)) {
                        std::ostringstream text;
                        text << "pixel (" << x << ", " << y << "): " << std::hex << a.pixel(x, y)
                             << " on screen, " << b.pixel(x, y) << " afresh";
                        return text.str();
                    }
        return {};
    }

    MainWindow window{"."};
    int failures = 0;
};

TEST_F(PixelIdentity, ReuseChangesNoPixelOfAnyPanel)
{
    for (const PhaseRun& run : runs) {
        if (run.onlyAt != 0 && window.devicePixelRatioF() != run.onlyAt)
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

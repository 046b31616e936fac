// The window zoomed by its keys, wheel, menu and size. Runs on an offscreen screen of
// 2400 x 1800 pixels, and the FullScreen1080 tests on one of 1920 x 1080.

#include "diagram_features.h"
#include "window_fixture.h"

#include "ui/window_actions.h"
#include "ui/window_zoom.h"
#include "ui/zoom.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QLabel>
#include <QMenu>
#include <QScreen>
#include <QSignalSpy>
#include <QWheelEvent>

#include <functional>
#include <ostream>
#include <tuple>
#include <vector>

namespace tessarion::ui::testing {
namespace {

class ZoomedWindow : public ActiveWindowTest {
protected:
    double zoom() const { return window->zoom().factor(); }
    /// Expects `step`, with the paints it leaves pending, to paint each panel exactly once.
    void expectOnePaintOfEachPanel(const std::function<void()>& step)
    {
        deliverPendingPaints();
        const auto before = paintCounts();
        step();
        deliverPendingPaints();
        const auto after = paintCounts();
        for (std::size_t i = 0; i < after.size(); ++i)
            EXPECT_EQ(after[i], before[i] + 1) << i;
        deliverPendingPaints();
        EXPECT_EQ(paintCounts(), after);
    }
    /// Whether the window reaches `size`; a change of window state resizes it only once the
    /// window system has answered.
    bool reaches(QSize size) const
    {
        return QTest::qWaitFor([&] { return window->size() == size; });
    }
    QRect geometryOf(const char* name) const
    {
        return window->findChild<QWidget*>(QString::fromLatin1(name))->geometry();
    }
};

// ---- Keys and menu entries ---------------------------------------------------------------

/// A key the user presses, or a menu entry the user chooses.
struct Input {
    QKeyCombination key;
    const char* entry = nullptr; ///< The action's object name.
};

void PrintTo(const Input& input, std::ostream* out)
{
    *out << (input.entry != nullptr
                 ? std::string(input.entry)
                 : QKeySequence(input.key).toString(QKeySequence::PortableText).toStdString());
}

const Input ctrlPlus{Qt::CTRL | Qt::Key_Plus};
const Input ctrlEqual{Qt::CTRL | Qt::Key_Equal};
const Input ctrlMinus{Qt::CTRL | Qt::Key_Minus};
const Input ctrlZero{Qt::CTRL | Qt::Key_0};
const Input fullScreen{{}, "fullScreen"};
const Input zoomIn{{}, "zoomIn"};
const Input zoomOut{{}, "zoomOut"};
const Input actualSize{{}, "actualSize"};

struct InputCase {
    const char* what;
    std::vector<Input> inputs;
    double zoom;
    QSize size;
};

void PrintTo(const InputCase& c, std::ostream* out) { *out << c.what; }

class ZoomInputs : public ZoomedWindow, public ::testing::WithParamInterface<InputCase> {};

TEST_P(ZoomInputs, StepTheZoomByResizingTheWindow)
{
    const InputCase& c = GetParam();
    for (const Input& input : c.inputs) {
        if (input.entry != nullptr)
            action(input.entry).trigger();
        else
            press(input.key);
    }
    EXPECT_TRUE(reaches(c.size)) << c.what;
    EXPECT_NEAR(zoom(), c.zoom, 1e-9) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    KeysAndEntries, ZoomInputs,
    ::testing::Values(
        InputCase{"Ctrl+Plus", {ctrlPlus}, 1.25, {983, 708}},
        InputCase{"Ctrl+=", {ctrlEqual}, 1.25, {983, 708}},
        InputCase{"Ctrl+Plus twice", {ctrlPlus, ctrlEqual}, 1.5, {1179, 849}},
        InputCase{"Ctrl+Minus", {ctrlMinus}, 0.75, {590, 425}},
        InputCase{"Ctrl+Minus to the end", {ctrlMinus, ctrlMinus, ctrlMinus}, 0.5, {393, 283}},
        InputCase{"Ctrl+Plus to 300 %",
                  {ctrlPlus, ctrlPlus, ctrlPlus, ctrlPlus, ctrlPlus},
                  3,
                  {2358, 1698}},
        // 400 % would not fit the screen's 2400 x 1800.
        InputCase{"Ctrl+Plus past 300 %",
                  {ctrlPlus, ctrlPlus, ctrlPlus, ctrlPlus, ctrlPlus, ctrlPlus},
                  3,
                  {2358, 1698}},
        InputCase{"Ctrl+Plus, Ctrl+Plus, Ctrl+0", {ctrlPlus, ctrlPlus, ctrlZero}, 1, {786, 566}},
        InputCase{"Ctrl+Minus, Ctrl+0", {ctrlMinus, ctrlZero}, 1, {786, 566}},
        InputCase{"Zoom in", {zoomIn}, 1.25, {983, 708}},
        InputCase{"Zoom out", {zoomOut}, 0.75, {590, 425}},
        InputCase{"Zoom in, Actual size", {zoomIn, actualSize}, 1, {786, 566}},
        // The whole 2400 x 1800 screen: the width limits.
        InputCase{"Full screen", {fullScreen}, 2400.0 / 786, {2400, 1800}},
        InputCase{"Full screen twice", {fullScreen, fullScreen}, 1, {786, 566}},
        InputCase{"Full screen, Zoom in", {fullScreen, zoomIn}, 1.25, {983, 708}}));

TEST_F(ZoomedWindow, ZoomKeysReachTheWindowFromAReadOut)
{
    window->findChild<QLineEdit*>("Text3")->setFocus(Qt::TabFocusReason);
    press(ctrlPlus.key);
    EXPECT_EQ(zoom(), 1.25);
}

// ---- Sizes the window manager grants ------------------------------------------------------

// At a fractional scale factor Qt advertises resize steps of whole device pixels, and the
// window manager rounds the size a step asks for to them: a pixel less or more.
struct GrantCase {
    const char* what;
    std::vector<Input> inputs;
    double zoom;
};

void PrintTo(const GrantCase& c, std::ostream* out) { *out << c.what; }

class GrantedSize : public ZoomedWindow,
                    public ::testing::WithParamInterface<std::tuple<GrantCase, int>> {};

TEST_P(GrantedSize, KeepsTheStepTheKeysAskedFor)
{
    const auto& [c, rounding] = GetParam();
    const QRect p2 = geometryOf("p2");
    for (const Input& input : c.inputs) {
        press(input.key);
        window->resize(window->size() + QSize(rounding, rounding));
    }
    EXPECT_EQ(zoom(), c.zoom);
    EXPECT_EQ(window->zoom().offset(), QPoint(0, 0));
    EXPECT_EQ(geometryOf("p2"), zoom::scaled(p2, c.zoom));
}

INSTANTIATE_TEST_SUITE_P(
    Rounded, GrantedSize,
    ::testing::Combine(::testing::Values(GrantCase{"Ctrl+Plus, Ctrl+0", {ctrlPlus, ctrlZero}, 1},
                                         GrantCase{"Ctrl+Minus twice, Ctrl+Plus twice",
                                                   {ctrlMinus, ctrlMinus, ctrlPlus, ctrlPlus},
                                                   1},
                                         GrantCase{"Ctrl+Plus twice", {ctrlPlus, ctrlPlus}, 1.5}),
                       ::testing::Values(-1, +1)));

// Some window managers change full screen without Qt hearing of it; the window's place tells.
class CoveringTheScreen : public ZoomedWindow, public ::testing::WithParamInterface<Input> {};

TEST_P(CoveringTheScreen, CountsAsFullScreenAndTheKeysLeaveIt)
{
    window->setGeometry(window->screen()->geometry());
    ASSERT_FALSE(window->isFullScreen());
    EXPECT_TRUE(action("fullScreen").isChecked());
    press(GetParam().key);
    EXPECT_TRUE(reaches(QSize(786, 566)));
    EXPECT_EQ(zoom(), 1);
    EXPECT_FALSE(action("fullScreen").isChecked());
}

INSTANTIATE_TEST_SUITE_P(Keys, CoveringTheScreen,
                         ::testing::Values(Input{Qt::Key_Escape}, Input{Qt::Key_F11}));

// ---- Wheel --------------------------------------------------------------------------------

TEST_F(ZoomedWindow, CtrlWithTheWheelStepsTheZoomAndAPlainTurnDoesNot)
{
    auto turn = [this](int delta, Qt::KeyboardModifiers modifiers) {
        QWidget* over = window->panel("p2");
        QWheelEvent wheel(QPointF(50, 50), over->mapToGlobal(QPointF(50, 50)), QPoint(),
                          QPoint(0, delta), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(over, &wheel);
    };
    turn(120, Qt::NoModifier);
    EXPECT_EQ(zoom(), 1);
    turn(120, Qt::ControlModifier);
    EXPECT_EQ(zoom(), 1.25);
    // Half notches of a touch pad add up to one step.
    turn(-60, Qt::ControlModifier);
    EXPECT_EQ(zoom(), 1.25);
    turn(-60, Qt::ControlModifier);
    EXPECT_EQ(zoom(), 1);
    turn(-120, Qt::ControlModifier);
    EXPECT_EQ(zoom(), 0.75);
}

// ---- Context menu -------------------------------------------------------------------------

// The entries for one picture show only over a panel.
TEST_F(ZoomedWindow, TheContextMenuOffersTheActionsWithTheirShortcuts)
{
    using Entries = std::vector<std::pair<QString, QString>>;
    auto shownOver = [this](QWidget* widget, QPoint at = QPoint(10, 10)) {
        QMenu& menu = contextMenu();
        QContextMenuEvent event(QContextMenuEvent::Mouse, at, widget->mapToGlobal(at));
        QApplication::sendEvent(widget, &event);
        Entries shown;
        for (const QAction* action : menu.actions()) {
            if (action->isSeparator() || !action->isVisible())
                continue;
            EXPECT_TRUE(action->isShortcutVisibleInContextMenu());
            shown.emplace_back(action->text().remove(QLatin1Char('&')),
                               action->shortcut().toString(QKeySequence::PortableText));
        }
        menu.hide();
        return shown;
    };
    const Entries window = {
        {"Copy picture", "Ctrl+C"}, {"Save picture as…", "Ctrl+S"}, {"Full screen", "F11"},
        {"Zoom in", "Ctrl++"},      {"Zoom out", "Ctrl+-"},         {"Actual size", "Ctrl+0"},
    };
    Entries panel = window;
    panel.insert(panel.begin() + 2, {{"Copy this picture", ""}, {"Save this picture as…", ""}});
    // Below the frames, beside no control.
    EXPECT_EQ(shownOver(this->window.get(), QPoint(700, 550)), window);
    EXPECT_EQ(shownOver(this->window->panel("p4")), panel);
    // A read-out on a panel belongs to the panel's picture.
    EXPECT_EQ(shownOver(this->window->findChild<QLabel*>("Label7")), panel);
    EXPECT_EQ(shownOver(button("Command5")), window);
}

TEST_F(ZoomedWindow, RightClickOrTheMenuKeyOpensTheMenu)
{
    QMenu& menu = contextMenu();
    const QPoint inside(40, 40);
    struct Where {
        QWidget* widget;
        QContextMenuEvent::Reason reason;
    };
    for (const Where& where :
         {Where{window->panel("P1"), QContextMenuEvent::Mouse},
          Where{window.get(), QContextMenuEvent::Mouse},
          Where{window->findChild<QLabel*>("Label7"), QContextMenuEvent::Mouse},
          // The Menu key asks the focused control, here a button.
          Where{button("Command5"), QContextMenuEvent::Keyboard}}) {
        ASSERT_FALSE(menu.isVisible());
        QContextMenuEvent event(where.reason, inside, where.widget->mapToGlobal(inside));
        QApplication::sendEvent(where.widget, &event);
        EXPECT_TRUE(menu.isVisible()) << where.widget->objectName().toStdString();
        menu.hide();
    }
}

// ---- Any window size ----------------------------------------------------------------------

struct SizeCase {
    QSize window;
    double zoom;
    QPoint offset;
    QRect command8; // where phase "+" stands in the window
};

void PrintTo(const SizeCase& c, std::ostream* out)
{
    *out << c.window.width() << " x " << c.window.height();
}

class ResizedWindow : public ZoomedWindow, public ::testing::WithParamInterface<SizeCase> {};

TEST_P(ResizedWindow, ScalesTheLayoutToFitCentred)
{
    const SizeCase& c = GetParam();
    window->resize(c.window);
    ASSERT_EQ(window->size(), c.window);
    EXPECT_NEAR(zoom(), c.zoom, 1e-9);
    EXPECT_EQ(window->zoom().offset(), c.offset);
    EXPECT_EQ(geometryOf("Command8"), c.command8);
    // The margins show the window's background.
    deliverPendingPaints();
    const QImage image = window->grab().toImage();
    const QPoint margin = c.offset.x() > 0 ? QPoint(c.offset.x() / 2, c.window.height() / 2)
                                           : QPoint(c.window.width() / 2, c.offset.y() / 2);
    if (!c.offset.isNull()) {
        EXPECT_EQ(image.pixelColor(margin), window->palette().color(QPalette::Window));
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ResizedWindow,
                         ::testing::Values(
                             // 581, 497, 25 and 19 pixels at 100 %, each edge scaled and rounded.
                             SizeCase{{1366, 768}, 768.0 / 566, {149, 0}, {149 + 788, 674, 34, 26}},
                             SizeCase{{1000, 500}, 500.0 / 566, {153, 0}, {153 + 513, 439, 22, 17}},
                             SizeCase{
                                 {1920, 1080}, 1080.0 / 566, {210, 0}, {210 + 1109, 948, 47, 37}},
                             SizeCase{{786, 566}, 1, {0, 0}, {581, 497, 25, 19}}));

TEST_F(ZoomedWindow, AZoomChangeRepaintsEachPanelOnce)
{
    expectOnePaintOfEachPanel([this] { press(ctrlPlus.key); });
}

// ---- At 200 % -----------------------------------------------------------------------------

class AtZoom2 : public ZoomedWindow {
protected:
    void SetUp() override
    {
        ZoomedWindow::SetUp();
        window->zoom().zoomTo(2);
        ASSERT_EQ(zoom(), 2);
        ASSERT_EQ(window->size(), QSize(1572, 1132));
    }
};

TEST_F(AtZoom2, ControlsAndFontsStandDoubled)
{
    const std::pair<const char*, QRect> placements[] = {
        {"P1", {16, 12, 322, 776}},        {"p2", {342, 12, 696, 776}},
        {"Text6", {150, 40, 98, 42}},      {"Label7", {46, 42, 114, 46}},
        {"Command8", {1162, 994, 50, 38}}, {"Label3", {1072, 800, 162, 50}},
    };
    for (const auto& [name, geometry] : placements)
        EXPECT_EQ(geometryOf(name), geometry) << name;
    EXPECT_EQ(window->findChild<QWidget*>("Text6")->parentWidget(), window->panel("p2"));
    EXPECT_DOUBLE_EQ(window->findChild<QLabel*>("Label3")->font().pointSizeF(), 24);
    EXPECT_DOUBLE_EQ(button("Command8")->font().pointSizeF(), 19.5);
    EXPECT_DOUBLE_EQ(window->findChild<QLineEdit*>("Text1")->font().pointSizeF(), 19.5);
    EXPECT_EQ(window->panel("p2")->lineWidth(), 4);
    // Back at 100 %, everything is as it was built.
    press(ctrlZero.key);
    EXPECT_EQ(geometryOf("Command8"), QRect(581, 497, 25, 19));
    EXPECT_DOUBLE_EQ(window->findChild<QLabel*>("Label3")->font().pointSizeF(), 12);
    EXPECT_EQ(window->panel("p2")->lineWidth(), 2);
}

class FiguresAtZoom2 : public AtZoom2, public ::testing::WithParamInterface<int> {
protected:
    QImage image(const char* panel) const { return window->panel(panel)->grab().toImage(); }
};

TEST_P(FiguresAtZoom2, StandAtTheirDoubledPlaces)
{
    const int phase = GetParam();
    window->form().state.phase = phase - 1;
    click("Command8");
    ASSERT_EQ(image("p2").size(), QSize(696, 776));
    for (const Feature& feature : featuresAt(phase))
        EXPECT_TRUE(colourNear(image(feature.panel), feature.point, 3, feature.test, 2))
            << feature.what << " at phase " << phase;
    for (const Feature& feature : featuresAt(phase + 180))
        EXPECT_FALSE(colourNear(image(feature.panel), feature.point, 1, feature.test, 2))
            << feature.what << " of phase " << phase + 180 << " drawn at phase " << phase;
}

INSTANTIATE_TEST_SUITE_P(Phases, FiguresAtZoom2, ::testing::Values(90, 270, 45));

TEST_F(AtZoom2, AClickAtTheDrawnPlaceOfPhasePlusRunsItsHandler)
{
    // The middle of phase "+", drawn at (1162, 994) and 50 x 38 pixels.
    const QPoint drawn(1187, 1013);
    ASSERT_EQ(window->childAt(drawn), button("Command8"));
    QTest::mouseClick(window->windowHandle(), Qt::LeftButton, {}, drawn);
    EXPECT_EQ(text("Text3"), "1");
    EXPECT_EQ(window->form().state.phase, 1);
}

TEST_F(AtZoom2, AccessibilityExtentsAreTheDrawnPlaces)
{
    for (const auto& [name, drawn] : {std::pair{"Command8", QRect(1162, 994, 50, 38)},
                                      std::pair{"Text3", QRect(1158, 854, 66, 38)}}) {
        QAccessibleInterface* control = QAccessible::queryAccessibleInterface(
            window->findChild<QWidget*>(QString::fromLatin1(name)));
        ASSERT_NE(control, nullptr) << name;
        EXPECT_EQ(control->rect(), QRect(window->mapToGlobal(drawn.topLeft()), drawn.size()))
            << name;
    }
}

TEST_F(AtZoom2, SpaceEnterReturnAndTabStillReachTheFocusedButton)
{
    QPushButton* up = button("Command2");
    up->setFocus(Qt::TabFocusReason);
    QTest::keyClick(up, Qt::Key_Space);
    QTest::keyClick(up, Qt::Key_Return);
    QTest::keyClick(up, Qt::Key_Enter);
    EXPECT_EQ(text("Text1"), "10");
    QTest::keyClick(up, Qt::Key_Tab);
    EXPECT_EQ(QApplication::focusWidget(), window->findChild<QWidget*>("Text1"));
    EXPECT_EQ(zoom(), 2);
}

TEST_F(AtZoom2, APhaseButtonAndATickPaintEachPanelOnce)
{
    expectOnePaintOfEachPanel([this] { click("Command8"); });
    expectOnePaintOfEachPanel([this] { window->form().tick(); });
    EXPECT_EQ(text("Text3"), "11");
}

TEST_F(AtZoom2, NothingPaintsOnceStopped)
{
    click("Command5");
    QSignalSpy ticks(&timer1(), &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(5000));
    click("Command6");
    ASSERT_EQ(timer1().remainingTime(), -1);
    deliverPendingPaints();
    const auto stopped = paintCounts();
    click("Command2");
    deliverPendingPaints();
    EXPECT_EQ(paintCounts(), stopped);
}

// ---- Full screen on a 1920 x 1080 screen --------------------------------------------------

class FullScreen1080 : public ZoomedWindow {};

TEST_F(FullScreen1080, F11FillsTheScreenAndEscapeReturnsToTheLayoutSize)
{
    ASSERT_EQ(window->screen()->geometry().size(), QSize(1920, 1080));
    press(QKeyCombination(Qt::Key_F11));
    ASSERT_TRUE(window->isFullScreen());
    ASSERT_TRUE(reaches(QSize(1920, 1080)));
    EXPECT_NEAR(zoom(), 1080.0 / 566, 1e-9);
    EXPECT_EQ(window->zoom().offset(), QPoint(210, 0));
    EXPECT_TRUE(action("fullScreen").isChecked());
    press(QKeyCombination(Qt::Key_Escape));
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_TRUE(reaches(QSize(786, 566)));
    EXPECT_EQ(zoom(), 1);
    EXPECT_FALSE(action("fullScreen").isChecked());
}

TEST_F(FullScreen1080, F11TogglesAndEscapeOutsideFullScreenChangesNothing)
{
    press(QKeyCombination(Qt::Key_Escape));
    EXPECT_EQ(window->size(), QSize(786, 566));
    press(QKeyCombination(Qt::Key_F11));
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_TRUE(reaches(QSize(1920, 1080)));
    press(QKeyCombination(Qt::Key_F11));
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_TRUE(reaches(QSize(786, 566)));
}

TEST_F(FullScreen1080, ZoomInKeepsFullScreenAndZoomOutLeavesIt)
{
    press(QKeyCombination(Qt::Key_F11));
    ASSERT_TRUE(reaches(QSize(1920, 1080)));
    // 200 % would not fit; 150 % would be smaller than the full screen's zoom.
    press(ctrlPlus.key);
    EXPECT_TRUE(window->isFullScreen());
    EXPECT_NEAR(zoom(), 1080.0 / 566, 1e-9);
    press(ctrlMinus.key);
    EXPECT_FALSE(window->isFullScreen());
    EXPECT_TRUE(reaches(QSize(1179, 849)));
    EXPECT_EQ(zoom(), 1.5);
    EXPECT_TRUE(window->screen()->availableGeometry().contains(window->frameGeometry()));
}

TEST_F(FullScreen1080, ZoomStepsStayWithinTheScreen)
{
    // 200 % is 1132 pixels high, more than the screen.
    for (int i = 0; i < 3; ++i)
        press(ctrlPlus.key);
    EXPECT_EQ(zoom(), 1.5);
    const QRect available = window->screen()->availableGeometry();
    EXPECT_TRUE(available.contains(window->frameGeometry()));
}

} // namespace
} // namespace tessarion::ui::testing

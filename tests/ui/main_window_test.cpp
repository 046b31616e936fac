#include "window_fixture.h"

#include "core/layout.h"
#include "ui/precise_timer.h"
#include "ui/window_zoom.h"

#include <QAccessible>
#include <QApplication>
#include <QLabel>
#include <QSignalSpy>

#include <algorithm>
#include <ostream>
#include <set>
#include <tuple>

namespace tessarion::ui::testing {
namespace {

using WindowLayout = WindowTest;

TEST_F(WindowLayout, WindowHasItsTitleAndOpensAtTheLayoutSizeAtZoom100)
{
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Tessarion"));
    EXPECT_EQ(window->size(), QSize(786, 566));
    EXPECT_EQ(window->zoom().factor(), 1.0);
    EXPECT_EQ(window->zoom().offset(), QPoint(0, 0));
    // Resizable, down to half the layout's size.
    EXPECT_EQ(window->minimumSize(), QSize(393, 283));
    EXPECT_EQ(window->maximumSize(), QSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX));
}

TEST_F(WindowLayout, ReportsVersionOneAndTheInstalledDesktopId)
{
    EXPECT_EQ(QApplication::applicationVersion(), QStringLiteral("1.00"));
    EXPECT_EQ(QApplication::desktopFileName(), QStringLiteral("io.github.tessarion.tessarion"));
    EXPECT_FALSE(window->windowIcon().isNull());
    EXPECT_TRUE(window->windowIcon().availableSizes().contains(QSize(32, 32)));
}

struct Placement {
    const char* name;
    QRect geometry; // in the container's widget coordinates, pixels
};

TEST_F(WindowLayout, ControlsStandWhereTheLayoutPutsThem)
{
    // Twips divided by 15; children of p2 sit 2 pixels further in, inside its border.
    const Placement placements[] = {
        {"P1", {8, 6, 161, 388}},         {"p2", {171, 6, 348, 388}},
        {"p3", {520, 7, 247, 387}},       {"p4", {7, 394, 511, 142}},
        {"Text6", {75, 20, 49, 21}},      {"Text7", {272, 21, 49, 21}},
        {"Label7", {23, 21, 57, 23}},     {"Command9", {662, 505, 57, 19}},
        {"Command1", {637, 432, 17, 19}}, {"Text5", {579, 469, 33, 24}},
        {"Label3", {536, 400, 81, 25}},   {"Command8", {581, 497, 25, 19}},
    };
    for (const auto& [name, geometry] : placements) {
        const auto* widget = window->findChild<QWidget*>(QString::fromLatin1(name));
        ASSERT_NE(widget, nullptr) << name;
        EXPECT_EQ(widget->geometry(), geometry) << name;
    }
    EXPECT_EQ(window->findChild<QWidget*>("Text6")->parentWidget(), window->panel("p2"));
}

TEST_F(WindowLayout, CaptionsKeepTheirSpaces)
{
    const std::pair<const char*, const char*> captions[] = {
        {"Label5", "   Rad:"}, {"Label1", "  Ampl."}, {"Label3", "F  a  z  a "},
        {"Label2", "Frecv."},  {"Label4", "Grade:"},  {"Label6", "T%:"},
        {"Label7", "Sin(a)="}, {"Label8", "Cos(a)="},
    };
    for (const auto& [name, caption] : captions) {
        const auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->text(), QString::fromLatin1(caption)) << name;
    }
    const std::pair<const char*, const char*> buttons[] = {
        {"Command1", "-"}, {"Command2", "+"},     {"Command3", "-"},
        {"Command4", "+"}, {"Command5", "Start"}, {"Command6", "Stop"},
        {"Command7", "-"}, {"Command8", "+"},     {"Command9", "Reset"},
    };
    for (const auto& [name, caption] : buttons)
        EXPECT_EQ(button(name)->text(), QString::fromLatin1(caption)) << name;
}

TEST_F(WindowLayout, FontsAreBoldAndTheHeadingIsLargerAndUnderlined)
{
    const QFont font = window->font();
    EXPECT_TRUE(font.bold());
    EXPECT_DOUBLE_EQ(font.pointSizeF(), 9.75);
    const QFont heading = window->findChild<QLabel*>("Label3")->font();
    EXPECT_TRUE(heading.bold());
    EXPECT_TRUE(heading.underline());
    EXPECT_DOUBLE_EQ(heading.pointSizeF(), 12);
    EXPECT_TRUE(window->findChild<QLineEdit*>("Text1")->font().bold());
}

TEST_F(WindowLayout, StartUpReadOuts)
{
    const std::pair<const char*, const char*> expected[] = {
        {"Text1", "7"},  {"Text2", "10"}, {"Text3", "0"}, {"Text4", "0"},
        {"Text5", "0%"}, {"Text6", "0"},  {"Text7", "1"},
    };
    for (const auto& [name, value] : expected)
        EXPECT_EQ(text(name), value) << name;
    EXPECT_FALSE(timer1().isActive());
    EXPECT_EQ(timer1().interval(), 50);
}

TEST_F(WindowLayout, SineAndCosineReadOutsAreGreenAndYellow)
{
    for (const auto& [name, colour] :
         {std::pair{"Text6", QColor(0, 255, 0)}, std::pair{"Text7", QColor(255, 255, 0)}}) {
        auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(name));
        const QImage image = field->grab().toImage();
        // Right of the short text, inside the field's frame.
        const QColor sample = image.pixelColor(image.width() - 6, image.height() / 2);
        EXPECT_EQ(sample.rgb(), colour.rgb()) << name;
    }
}

using WindowButtons = WindowTest;

struct ClickCase {
    const char* button;
    int presses;
    const char* field;
    const char* shows;
};

// Names the ctest entries by what they press, not by the case's bytes.
void PrintTo(const ClickCase& c, std::ostream* os)
{
    *os << c.button << " x" << c.presses << " " << c.field << "=" << c.shows;
}

class WindowButtonClicks : public WindowTest, public ::testing::WithParamInterface<ClickCase> {};

TEST_P(WindowButtonClicks, ChangeTheirReadOut)
{
    const ClickCase& c = GetParam();
    for (int i = 0; i < c.presses; ++i)
        click(c.button);
    EXPECT_EQ(text(c.field), c.shows);
}

INSTANTIATE_TEST_SUITE_P(Buttons, WindowButtonClicks,
                         ::testing::Values(ClickCase{"Command1", 1, "Text1", "6"},
                                           ClickCase{"Command1", 8, "Text1", "0"},
                                           ClickCase{"Command2", 8, "Text1", "14"},
                                           ClickCase{"Command3", 11, "Text2", "0"},
                                           ClickCase{"Command4", 31, "Text2", "40"},
                                           ClickCase{"Command7", 1, "Text3", "-1"},
                                           ClickCase{"Command7", 1, "Text4", "-0.02"},
                                           ClickCase{"Command7", 1, "Text5", "-0.3%"},
                                           ClickCase{"Command8", 90, "Text4", "1.57"},
                                           ClickCase{"Command8", 90, "Text6", "1"},
                                           ClickCase{"Command8", 360, "Text3", "0"}));

TEST_F(WindowButtons, ResetBringsThePhaseBackToZero)
{
    click("Command8");
    click("Command8");
    EXPECT_EQ(text("Text3"), "2");
    click("Command9");
    EXPECT_EQ(text("Text3"), "0");
    EXPECT_EQ(text("Text5"), "0%");
    EXPECT_EQ(window->form().state.phase, 0);
}

TEST_F(WindowButtons, StartAndStopDriveTheTimer)
{
    click("Command5");
    EXPECT_TRUE(timer1().isActive());
    EXPECT_EQ(timer1().timerType(), Qt::PreciseTimer);
    QSignalSpy ticks(&timer1(), &QTimer::timeout);
    ASSERT_TRUE(ticks.wait(5000));
    EXPECT_GE(window->form().state.phase, 10);
    click("Command6");
    EXPECT_FALSE(timer1().isActive());
    // A stopped timer has nothing left to fire, so no tick can follow.
    EXPECT_EQ(timer1().remainingTime(), -1);
    const auto phase = window->form().state.phase;
    QCoreApplication::processEvents();
    EXPECT_EQ(window->form().state.phase, phase);
}

TEST_F(WindowButtons, KeyboardPressesTheFocusedButton)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    QPushButton* up = button("Command2");
    up->setFocus(Qt::TabFocusReason);
    QTest::keyClick(up, Qt::Key_Space);
    EXPECT_EQ(text("Text1"), "8");
    QTest::keyClick(up, Qt::Key_Return);
    QTest::keyClick(up, Qt::Key_Enter);
    EXPECT_EQ(text("Text1"), "10");
}

using WindowFocus = WindowTest;

TEST_F(WindowFocus, TabVisitsTheControlsInLayoutOrder)
{
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window.get()));
    window->panel("P1")->setFocus(Qt::TabFocusReason);
    const std::vector<std::string> expected = {
        "P1",       "Command1", "Command2", "Text1",    "Command3", "Text2", "Command4",
        "Command5", "Command6", "Command7", "Command8", "Text3",    "Text4", "Text5",
        "Command9", "p3",       "p2",       "Text6",    "Text7",    "p4",    "P1",
    };
    std::vector<std::string> visited;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        QWidget* focus = QApplication::focusWidget();
        ASSERT_NE(focus, nullptr);
        visited.push_back(focus->objectName().toStdString());
        QTest::keyClick(focus, Qt::Key_Tab);
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(WindowFocus, LabelsNeverTakeTheFocus)
{
    for (const QLabel* label : window->findChildren<QLabel*>())
        EXPECT_EQ(label->focusPolicy(), Qt::NoFocus) << label->objectName().toStdString();
}

TEST_F(WindowFocus, ButtonsAndReadOutsHaveDistinctAccessibleNames)
{
    std::set<QString> names;
    std::size_t count = 0;
    for (const QWidget* widget : window->findChildren<QWidget*>()) {
        if (qobject_cast<const QPushButton*>(widget) == nullptr &&
            qobject_cast<const QLineEdit*>(widget) == nullptr &&
            qobject_cast<const PanelWidget*>(widget) == nullptr)
            continue;
        EXPECT_FALSE(widget->accessibleName().isEmpty()) << widget->objectName().toStdString();
        names.insert(widget->accessibleName());
        ++count;
    }
    EXPECT_EQ(count, 9u + 7u + 4u);
    EXPECT_EQ(names.size(), count);
    EXPECT_EQ(button("Command1")->accessibleName(), QStringLiteral("Amplitude down"));
    EXPECT_EQ(button("Command1")->text(), QStringLiteral("-"));
}

TEST_F(WindowFocus, ReadOutsTellAssistiveTechnologyTheirNameAndText)
{
    click("Command8");
    for (const auto& [name, spoken, value] :
         {std::tuple{"Text3", "Phase in degrees", "1"},
          std::tuple{"Text4", "Phase in radians", "0.01"}, std::tuple{"Text1", "Amplitude", "7"}}) {
        QAccessibleInterface* readout = QAccessible::queryAccessibleInterface(
            window->findChild<QLineEdit*>(QString::fromLatin1(name)));
        ASSERT_NE(readout, nullptr) << name;
        EXPECT_EQ(readout->text(QAccessible::Name), QString::fromLatin1(spoken)) << name;
        EXPECT_EQ(readout->text(QAccessible::Value), QString::fromLatin1(value)) << name;
    }
}

using WindowPainting = WindowTest;

TEST_F(WindowPainting, NothingPaintsWhileStopped)
{
    deliverPendingPaints();
    const auto before = paintCounts();
    click("Command2");
    click("Command4");
    deliverPendingPaints();
    EXPECT_EQ(paintCounts(), before);
}

TEST_F(WindowPainting, APhaseButtonPaintsEachPanelOnceAndSchedulesNoMore)
{
    deliverPendingPaints();
    const auto before = paintCounts();
    click("Command8");
    const auto after = paintCounts();
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i], before[i] + 1) << i;
    deliverPendingPaints();
    EXPECT_EQ(paintCounts(), after);
}

TEST_F(WindowPainting, ATickPaintsEachPanelOnce)
{
    deliverPendingPaints();
    const auto before = paintCounts();
    window->form().tick();
    const auto after = paintCounts();
    for (std::size_t i = 0; i < after.size(); ++i)
        EXPECT_EQ(after[i], before[i] + 1) << i;
    EXPECT_EQ(text("Text3"), "10");
    deliverPendingPaints();
    EXPECT_EQ(paintCounts(), after);
}

TEST_F(WindowPainting, AnExposeRunsThePaintHandler)
{
    window->form().state.phase = 370;
    window->panel("P1")->update();
    deliverPendingPaints();
    // Only the handler resets the phase, so a plain expose must have run it.
    EXPECT_EQ(window->form().state.phase, 0);
    EXPECT_EQ(text("Text3"), "0");
}

TEST(HighDpi, PanelsAreDrawnAtTheDoubledResolution)
{
    MainWindow window(".");
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    if (window.devicePixelRatioF() < 2)
        GTEST_SKIP() << "runs with QT_SCALE_FACTOR=2";
    const QImage image = window.panel("p2")->grab().toImage();
    ASSERT_EQ(image.width(), 2 * 348);
    // A 1x drawing blown up makes every aligned 2x2 block one colour; the circle, the axes'
    // labels and the read-outs drawn at full resolution do not.
    int mixedBlocks = 0;
    for (int y = 0; y + 1 < image.height(); y += 2)
        for (int x = 0; x + 1 < image.width(); x += 2) {
            const QRgb corner = image.pixel(x, y);
            if (image.pixel(x + 1, y) != corner || image.pixel(x, y + 1) != corner ||
                image.pixel(x + 1, y + 1) != corner)
                ++mixedBlocks;
        }
    EXPECT_GT(mixedBlocks, 200);
}

} // namespace
} // namespace tessarion::ui::testing

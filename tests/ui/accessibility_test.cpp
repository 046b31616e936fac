// What assistive technology learns about the controls beyond their captions: tooltips of the
// buttons, descriptions of the panels and the labels that name the read-outs. In English:
// these suites run in the C locale and again with LANG set to English and to unknown languages.
#include "spoken.h"
#include "window_fixture.h"

#include "core/layout.h"

#include <QAccessible>
#include <QLabel>

namespace tessarion::ui::testing {
namespace {

QAccessibleInterface* accessibleOf(QWidget* widget)
{
    EXPECT_NE(widget, nullptr);
    return widget == nullptr ? nullptr : QAccessible::queryAccessibleInterface(widget);
}

using ControlDescriptions = WindowTest;

TEST_F(ControlDescriptions, EveryButtonHasATooltipThatIsAlsoItsDescription)
{
    int buttons = 0;
    for (const core::ControlSpec& spec : core::windowLayout()) {
        if (spec.kind != core::ControlKind::Button)
            continue;
        ++buttons;
        QPushButton* widget = button(std::string(spec.name).c_str());
        ASSERT_NE(widget, nullptr);
        EXPECT_FALSE(widget->toolTip().isEmpty()) << spec.name;
        QAccessibleInterface* accessible = accessibleOf(widget);
        ASSERT_NE(accessible, nullptr) << spec.name;
        EXPECT_EQ(accessible->text(QAccessible::Description), widget->toolTip()) << spec.name;
    }
    EXPECT_EQ(buttons, 9);
}

TEST_F(ControlDescriptions, EveryPanelDescribesWhatItShows)
{
    for (const char* name : {"P1", "p2", "p3", "p4"}) {
        QAccessibleInterface* accessible = accessibleOf(window->panel(name));
        ASSERT_NE(accessible, nullptr) << name;
        EXPECT_GT(accessible->text(QAccessible::Description).size(), 40) << name;
    }
}

TEST_F(ControlDescriptions, ScreenReadersHearWhatEachControlIsAndDoes)
{
    const Spoken expected[] = {
        {"Command1", "Amplitude down", "Decrease the amplitude by 1, down to 0"},
        {"Command5", "Start the animation",
         "Start the animation: every 50 ms the phase grows by the frequency"},
        {"Command9", "Reset the phase", "Set the phase back to 0; a running animation goes on"},
        {"P1", "Mass on a spring",
         "A mass on a spring that moves up and down with the phase, beside a scale from -A to "
         "+A, with a green bar for the displacement. The mass is at its rest position."},
        {"p4", "Graph of one period",
         "The displacement over one period T as a sine curve, with a vertical marker at the "
         "current phase. The marker is at 0 % of the period, on the axis."},
        {"Text3", "Phase in degrees", ""},
    };
    for (const Spoken& spoken : expected)
        expectSpoken(*window, spoken);
}

using ReadoutLabels = WindowTest;

TEST_F(ReadoutLabels, EachLabelIsTheBuddyOfTheReadOutBesideIt)
{
    const std::pair<const char*, const char*> buddies[] = {
        {"Label1", "Text1"}, {"Label2", "Text2"}, {"Label4", "Text3"}, {"Label5", "Text4"},
        {"Label6", "Text5"}, {"Label7", "Text6"}, {"Label8", "Text7"},
    };
    for (const auto& [labelName, fieldName] : buddies) {
        auto* label = window->findChild<QLabel*>(QString::fromLatin1(labelName));
        auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(fieldName));
        ASSERT_NE(label, nullptr) << labelName;
        ASSERT_NE(field, nullptr) << fieldName;
        EXPECT_EQ(label->buddy(), field) << labelName;

        // What a screen reader follows: the read-out is labelled by the label's caption.
        QAccessibleInterface* accessible = accessibleOf(field);
        ASSERT_NE(accessible, nullptr) << fieldName;
        const auto relations = accessible->relations(QAccessible::Label);
        ASSERT_EQ(relations.size(), 1) << fieldName;
        EXPECT_EQ(relations.front().first->object(), label) << fieldName;
        EXPECT_EQ(relations.front().first->text(QAccessible::Name), label->text()) << fieldName;
    }
}

TEST_F(ReadoutLabels, TheHeadingAndTheHiddenLabelNameNoReadOut)
{
    for (const char* name : {"Label3", "Label9"}) {
        auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
        ASSERT_NE(label, nullptr) << name;
        EXPECT_EQ(label->buddy(), nullptr) << name;
    }
}

} // namespace
} // namespace tessarion::ui::testing

#pragma once

#include <QAccessible>
#include <QWidget>

#include <gtest/gtest.h>

namespace tessarion::ui::testing {

/// What a screen reader says for one control of the window.
struct Spoken {
    const char* control;
    const char* name;
    const char* description; ///< A button's tooltip, a panel's description, or nothing.
};

/// Checks the name and description that assistive technology gets for `spoken.control`.
inline void expectSpoken(const QWidget& window, const Spoken& spoken)
{
    auto* widget = window.findChild<QWidget*>(QString::fromLatin1(spoken.control));
    ASSERT_NE(widget, nullptr) << spoken.control;
    QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
    ASSERT_NE(accessible, nullptr) << spoken.control;
    EXPECT_EQ(accessible->text(QAccessible::Name).toStdString(), spoken.name) << spoken.control;
    EXPECT_EQ(accessible->text(QAccessible::Description).toStdString(), spoken.description)
        << spoken.control;
}

} // namespace tessarion::ui::testing

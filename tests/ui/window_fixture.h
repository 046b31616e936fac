#pragma once

#include "ui/controls.h"
#include "ui/main_window.h"
#include "ui/panel_widget.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

namespace tessarion::ui::testing {

/// The real window, shown on the offscreen platform and painted once.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        window = std::make_unique<MainWindow>(".");
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }

    QPushButton* button(const char* name) const
    {
        auto* found = window->findChild<QPushButton*>(QString::fromLatin1(name));
        EXPECT_NE(found, nullptr) << name;
        return found;
    }
    std::string text(const char* name) const
    {
        auto* field = window->findChild<QLineEdit*>(QString::fromLatin1(name));
        EXPECT_NE(field, nullptr) << name;
        return field == nullptr ? std::string() : field->text().toStdString();
    }
    void click(const char* name) const { QTest::mouseClick(button(name), Qt::LeftButton); }
    /// Paint counts of P1, p2, p3 and p4.
    std::array<int, 4> paintCounts() const
    {
        return {window->panel("P1")->paintCount(), window->panel("p2")->paintCount(),
                window->panel("p3")->paintCount(), window->panel("p4")->paintCount()};
    }
    /// Gives the event loop time to deliver any paint that has been scheduled.
    static void letPendingPaintsHappen() { QTest::qWait(60); }

    std::unique_ptr<MainWindow> window;
};

} // namespace tessarion::ui::testing
